#include "Mirvane/core/CPlotDisp.h"

#include "Mirvane/core/PlotHelpers.h"

namespace mirvane {

CPlotDisp::CPlotDisp()
    : CPlot(PlotDisplacement)
{
}

bool CPlotDisp::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
              std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    std::vector<kx::CNSignal> made;
    std::vector<std::string> names;
    AppendReferenceAndRecords(records, reference, made, names);
    for (kx::CNSignal &signal : made) {
        signal.Integrate();
        signal.Integrate();
    }
    series = std::move(made);
    labels = std::move(names);
    return true;
}

void CPlotDisp::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Displacement (mm)";
}

} // namespace mirvane
