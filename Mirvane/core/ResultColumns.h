#pragma once

// The sixteen result columns of the comparison table, the six critical values and
// the pass/fail colour of a cell.

#include <cstdint>
#include <string>

namespace mirvane {

// Marks a missing number in the chart arrays and in plotted series.
inline constexpr double kMissingValue = 2.220446049250313e-16;

inline constexpr int kColumnCount = 16;

// Colours as 0x00BBGGRR values.
using Colour = std::uint32_t;
constexpr Colour MakeColour(int r, int g, int b)
{
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr int RedOf(Colour c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

inline constexpr Colour kWhite = MakeColour(255, 255, 255);
inline constexpr Colour kPassed = MakeColour(0, 224, 0);
inline constexpr Colour kFailed = MakeColour(255, 0, 0);

// The limits every tested column is held against; one set per process.
struct CCriticalValues {
    double averageResidual = 5.0;  // percent of the reference's peak
    double stdDeviation = 20.0;    // percent of the reference's peak
    double corridor = 0.1;         // share of points outside the corridor
    double correlation = 0.05;     // 1 - correlation factor
    double tStatistic = 2.58;      // abs(T)
    double momentDifference = 0.2; // each moment order
};

CCriticalValues &CriticalValues();

// Title of column index; empty outside 0..15.
std::string GetColumnTitle(int index);

// True for the columns held against a critical value (2..12).
bool IsTestedColumn(int index);

// Colour of a cell of column index with tested value: white for the untested
// columns and for the missing-number marker, green below the column's limit, red
// otherwise (not a number included).
Colour PassFailColour(int column, double value, const CCriticalValues &limits);

} // namespace mirvane
