#include "Mirvane/core/CPlotResidual.h"

#include "Mirvane/core/PlotHelpers.h"

#include "signal/DataStatus.h"

namespace mirvane {

CPlotResidual::CPlotResidual()
    : CPlot(PlotResiduals)
{}

bool CPlotResidual::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                         std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    FillPerRecord(
        records,
        [&reference](const CSignal &record) {
            CAlignedPair pair = AlignedCopies(record.Signal(), reference);
            const std::vector<double> r = Residuals(pair);
            if (!r.empty())
                pair.evaluated.SetYData(r);
            pair.evaluated.SetStatus(std::string(kx::DataStatus::Computed));
            return std::move(pair.evaluated);
        },
        series, labels);
    return true;
}

void CPlotResidual::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Residual";
}

} // namespace mirvane
