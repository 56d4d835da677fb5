#include "Mirvane/core/CPlot.h"

#include <array>

namespace mirvane {

CPlot::CPlot(int kind)
    : m_kind(kind)
{}

CPlot::~CPlot() = default;

bool CPlot::Fill(const std::vector<CSignal> &, const kx::CNSignal &, std::vector<kx::CNSignal> &series,
                 std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    return true;
}

void CPlot::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle.clear();
    yTitle.clear();
}

std::string PlotKindName(int kind)
{
    static const std::array<const char *, 11> names = {
        "Summary",           "Input Data",   "Standard Deviation", "Corridor",     "90 Percentile Corridor",
        "Residuals",         "Acceleration", "Velocity",           "Displacement", "Cummulative Density",
        "Cross Correlation",
    };
    if (kind < 1 || kind > 11)
        return {};
    return names[static_cast<std::size_t>(kind - 1)];
}

} // namespace mirvane
