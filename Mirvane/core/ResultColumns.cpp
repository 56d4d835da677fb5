#include "Mirvane/core/ResultColumns.h"

#include <array>

namespace mirvane {

CCriticalValues &CriticalValues()
{
    static CCriticalValues values;
    return values;
}

std::string GetColumnTitle(int index)
{
    static const std::array<const char *, kColumnCount> titles = {
        "Filename",
        "Peak Value",
        "Avg Residual",
        "Std Dev of Residual",
        "% in Corridor",
        "Correlation Factor",
        "T Statistic",
        "0 Moment Difference",
        "1st Moment Difference",
        "2nd Moment Difference",
        "3rd Moment Difference",
        "4th Moment Difference",
        "5th Moment Difference",
        "Ref Filename",
        "Min Time",
        "Max Time",
    };
    if (index < 0 || index >= kColumnCount)
        return {};
    return titles[static_cast<std::size_t>(index)];
}

bool IsTestedColumn(int index)
{
    return index >= 2 && index <= 12;
}

Colour PassFailColour(int column, double value, const CCriticalValues &limits)
{
    // A missing number is neither passed nor failed.
    if (!IsTestedColumn(column) || value == kMissingValue)
        return kWhite;
    double limit = limits.momentDifference;
    switch (column) {
    case 2:
        limit = limits.averageResidual;
        break;
    case 3:
        limit = limits.stdDeviation;
        break;
    case 4:
        limit = limits.corridor;
        break;
    case 5:
        limit = limits.correlation;
        break;
    case 6:
        limit = limits.tStatistic;
        break;
    default:
        break;
    }
    return value < limit ? kPassed : kFailed;
}

} // namespace mirvane
