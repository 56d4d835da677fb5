#include "Mirvane/core/CPlot4GCorridor.h"

#include "Mirvane/core/PlotHelpers.h"

#include <sstream>

namespace mirvane {

CPlot4GCorridor::CPlot4GCorridor()
    : CPlot(PlotCorridor)
{}

bool CPlot4GCorridor::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                           std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    if (records.empty() || records.front().Comparison().GetCorridorSize() == 0.0)
        return false;
    const double c = records.front().Comparison().GetCorridorSize();
    std::ostringstream text;
    text << c;
    AppendBands(records, reference, c, "Plus " + text.str(), "Minus " + text.str(), series, labels);
    m_xTitle = reference.GetXType() + " (" + reference.GetXUnits() + ")";
    m_yTitle = reference.GetYType() + " (" + reference.GetYUnits() + ")";
    return true;
}

void CPlot4GCorridor::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = m_xTitle;
    yTitle = m_yTitle;
}

} // namespace mirvane
