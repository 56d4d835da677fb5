#include "Mirvane/core/CPlotResidual.h"

#include "Mirvane/core/PlotHelpers.h"

#include "signal/DataStatus.h"

namespace mirvane {

CPlotResidual::CPlotResidual()
    : CPlot(PlotResiduals)
{
}

bool CPlotResidual::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
              std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    std::vector<kx::CNSignal> made;
    std::vector<std::string> names;
    for (const CSignal &record : records) {
        CAlignedPair pair = AlignedCopies(record.Signal(), reference);
        const std::vector<double> r = Residuals(pair);
        if (!r.empty())
            pair.evaluated.SetYData(r);
        pair.evaluated.SetStatus(std::string(kx::DataStatus::Computed));
        made.push_back(std::move(pair.evaluated));
        names.push_back(FileTitle(record.GetFileName()));
    }
    series = std::move(made);
    labels = std::move(names);
    return true;
}

void CPlotResidual::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Residual";
}

} // namespace mirvane
