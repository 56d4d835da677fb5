#include "Mirvane/core/CPlotVel.h"

#include "Mirvane/core/PlotHelpers.h"

namespace mirvane {

CPlotVel::CPlotVel()
    : CPlot(PlotVelocity)
{
}

bool CPlotVel::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
              std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    std::vector<kx::CNSignal> made;
    std::vector<std::string> names;
    AppendReferenceAndRecords(records, reference, made, names);
    for (kx::CNSignal &signal : made)
        signal.Integrate();
    series = std::move(made);
    labels = std::move(names);
    return true;
}

void CPlotVel::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Velocity (kmph)";
}

} // namespace mirvane
