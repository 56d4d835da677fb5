#include "Mirvane/core/CSignal.h"
#include "Mirvane/core/ResultColumns.h"
#include "Mirvane/core/SummaryText.h"
#include "MirvaneCoreFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

using namespace mirvane;

namespace {

TEST(ResultColumns, TitlesAndOutOfRange)
{
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "Filename"},
        {1, "Peak Value"},
        {2, "Avg Residual"},
        {3, "Std Dev of Residual"},
        {4, "% in Corridor"},
        {5, "Correlation Factor"},
        {6, "T Statistic"},
        {7, "0 Moment Difference"},
        {12, "5th Moment Difference"},
        {13, "Ref Filename"},
        {14, "Min Time"},
        {15, "Max Time"},
        {16, ""},
        {-1, ""},
        {1000, ""},
    };
    for (const auto &[index, title] : cases)
        EXPECT_EQ(GetColumnTitle(index), title) << index;
}

TEST(ResultColumns, PassFailColourTable)
{
    const CCriticalValues limits;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        int column;
        double value;
        Colour expected;
    };
    const std::vector<Case> cases = {
        {5, 1.0 - 0.96, kPassed},
        {5, 1.0 - 0.95, kFailed},
        {5, nan, kFailed},
        // A correlation of 1 - 2^-52 leaves exactly the missing-number marker.
        {5, 1.0 - (1.0 - std::ldexp(1.0, -52)), kWhite},
        {5, std::ldexp(1.0, -51), kPassed},
        {4, 9.99 / 100.0, kPassed},
        {4, 10.0 / 100.0, kFailed},
        {2, 4.99, kPassed},
        {2, 5.0, kFailed},
        {3, 19.9, kPassed},
        {6, 2.57, kPassed},
        {6, 2.58, kFailed},
        {7, 0.19, kPassed},
        {12, 0.2, kFailed},
        {12, nan, kFailed},
        {0, nan, kWhite},
        {1, 0.0, kWhite},
        {13, 0.0, kWhite},
        {15, nan, kWhite},
        {16, 0.0, kWhite},
        {-1, 0.0, kWhite},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PassFailColour(c.column, c.value, limits), c.expected)
            << "column " << c.column << " value " << c.value;
    EXPECT_EQ(RedOf(kPassed), 0);
    EXPECT_EQ(GreenOf(kPassed), 224);
    EXPECT_EQ(RedOf(kFailed), 255);
}

// A tested value equal to the missing-number marker is white in every tested
// column, whatever the limits; the HTML summary then gives the cell no colour.
TEST(ResultColumns, MissingNumberCellsAreWhite)
{
    CCriticalValues strict;
    strict.averageResidual = strict.stdDeviation = strict.corridor = 0.0;
    strict.correlation = strict.tStatistic = strict.momentDifference = 0.0;
    for (const CCriticalValues &limits : {CCriticalValues{}, strict})
        for (int column = 2; column <= 12; ++column)
            EXPECT_EQ(PassFailColour(column, kMissingValue, limits), kWhite) << "column " << column;

    // One sample, one second: every moment of e = 1 against f = 1 - 2^-52 differs by
    // exactly the marker.
    CSignal record("e.uds");
    record.Comparison().ComputeStatistics({1.0}, {1.0 - std::ldexp(1.0, -52)}, 1.0);
    const std::string html = HtmlSummary({record}, {0, 7, 12});
    for (int column = 7; column <= 12; ++column) {
        ASSERT_EQ(record.GetTestedValue(column), kMissingValue) << column;
        EXPECT_EQ(record.GetColumnColour(column), kWhite) << column;
        EXPECT_EQ(record.GetColumnText(column), "0.000");
    }
    EXPECT_NE(html.find("\t<TD >0.000</TD>\n\t<TD >0.000</TD>\n</TR>"), std::string::npos) << html;
    EXPECT_EQ(html.find("bgcolor"), std::string::npos) << html;
}

// Corridor share from real statistics: 999 or 1000 of 10,000 points outside.
TEST(ResultColumns, CorridorShareTextAndColour)
{
    for (const auto &[outside, text, colour] :
         std::vector<std::tuple<int, std::string, Colour>>{{999, "9.99", kPassed}, {1000, "10.00", kFailed}}) {
        std::vector<double> f(10000, 1.0);
        std::vector<double> e = f;
        for (int i = 0; i < outside; ++i)
            e[static_cast<std::size_t>(i)] += 5.0;
        CSignal record("a.uds");
        record.Comparison().ComputeStatistics(e, f, 0.001);
        EXPECT_EQ(record.GetColumnText(4), text);
        EXPECT_EQ(record.GetColumnColour(4), colour);
    }
}

TEST(ResultColumns, TextsOfOneRecord)
{
    CSignal record("/data/x/run1.uds");
    record.SetReferenceName("ref.uds");
    // Residuals -1 everywhere but one point: T is negative, shown and tested as abs(T).
    record.Comparison().ComputeStatistics({1, 2, 3, 5}, {2, 3, 4, 5}, 0.001);
    EXPECT_EQ(record.GetColumnText(0), "/data/x/run1.uds");
    EXPECT_EQ(record.GetColumnText(1), "5.0");
    EXPECT_EQ(record.GetColumnText(2), "-0.750000 (15.00 %)");
    EXPECT_EQ(record.GetColumnText(6), "3.46");
    EXPECT_EQ(record.GetColumnColour(6), kFailed);
    EXPECT_EQ(record.GetColumnText(13), "ref.uds");
    EXPECT_EQ(record.GetColumnText(14), "0.0000");
    EXPECT_EQ(record.GetColumnText(16), "");
    EXPECT_EQ(record.GetColumnText(-3), "");
    EXPECT_EQ(record.GetColumnColour(16), kWhite);

    // Identical signals: T is 0 / 0, which fails rather than showing white.
    CSignal same("b.uds");
    same.Comparison().ComputeStatistics({1, 2, 3}, {1, 2, 3}, 0.001);
    EXPECT_TRUE(std::isnan(same.Comparison().GetTStatistic()));
    EXPECT_EQ(same.GetColumnColour(6), kFailed);
    EXPECT_EQ(same.GetColumnColour(5), kPassed);
}

TEST(ResultColumns, CriticalValuesRecolour)
{
    CSignal record("a.uds");
    record.Comparison().ComputeStatistics({1, 2, 3, 5}, {2, 3, 4, 5}, 0.001);
    CCriticalValues loose;
    loose.tStatistic = 10.0;
    EXPECT_EQ(record.GetColumnColour(6, loose), kPassed);
    EXPECT_EQ(record.GetColumnColour(6, CCriticalValues{}), kFailed);
}

TEST(SignalRecord, LoadPointsAndFailures)
{
    const std::string dir = ::testing::TempDir();
    const std::string points = dir + "/mirvane_points.txt";
    std::ofstream(points) << "0 1\n0.001 2\n0.002 3\n";
    CSignal record(points);
    std::string error;
    EXPECT_FALSE(record.LoadUDS(&error));
    EXPECT_FALSE(error.empty());
    ASSERT_TRUE(record.LoadPoints(&error)) << error;
    EXPECT_EQ(record.Signal().GetTstSrc(), "ASCII File");
    EXPECT_EQ(record.Signal().GetXType(), "TIME");
    EXPECT_EQ(record.Signal().GetNLP(), 2);
    EXPECT_EQ(record.Signal().GetY().size(), 3u);

    CSignal missing(dir + "/no_such_file.uds");
    EXPECT_FALSE(missing.LoadUDS(&error));
    EXPECT_FALSE(missing.LoadPoints(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(FileTitle("C:\\a\\b\\c.uds"), "c.uds");
    EXPECT_EQ(FileTitle("/a/b/c.uds"), "c.uds");
}

} // namespace
