// Truncation, padding and cutting, offset removal, shifting, scaling and Y peaks.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "OpsSignals.h"
#include "signal/CData.h"

namespace {

using kx::CData;
using kx::test::ErrorText;
using kx::test::Ramp;
using kx::test::Snapshot;
using kx::test::StepSignal;
using kx::test::XYSignal;

// X of a constant-step signal must stay (NFP + i) * DEL.
void ExpectOnItsPointNumbers(const CData &s)
{
    ASSERT_EQ(static_cast<std::int32_t>(s.GetX().size()), s.GetNumberOfPoints());
    for (std::size_t i = 0; i < s.GetX().size(); ++i)
        EXPECT_DOUBLE_EQ(s.GetX()[i], (s.GetNFP() + static_cast<double>(i)) * s.GetDel()) << i;
}

// ---------------------------------------------------------------- TruncateByTime

TEST(TruncateByTime, KeepsTheWindowAndTheTruePointNumbers)
{
    const double floatDel = static_cast<double>(0.001f); // DEL as read from a file
    struct Case {
        const char *what;
        double del;
        std::int32_t nfp;
        std::size_t n;
        double start, stop;
        std::int32_t newNfp, newNlp;
    };
    const Case cases[] = {
        {"inside", 0.001, 0, 10, 0.002, 0.005, 2, 4},
        {"the last sample is never kept", 0.001, 0, 10, 0.005, 1.0, 5, 8},
        {"start before the first sample", 0.001, 0, 10, -1.0, 1.0, 0, 8},
        {"start between samples", 0.001, 0, 10, 0.0025, 0.0061, 3, 6},
        {"0.043 stays 0.043", 0.001, 0, 100, 0.043, 0.05, 43, 49},
        {"0.043 stays 0.043 at a float step", floatDel, 0, 100, 0.043, 0.05, 43, 49},
        {"negative start", 0.001, -10, 20, -0.005, 0.003, -5, 2},
        {"signal not starting at zero", 0.0005, 40, 30, 0.0301, 0.0321, 61, 64},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto s = StepSignal(c.del, c.nfp, Ramp(c.n, 0.0, 10.0));
        ASSERT_TRUE(s.TruncateByTime(c.start, c.stop));
        EXPECT_EQ(s.GetNFP(), c.newNfp);
        EXPECT_EQ(s.GetNLP(), c.newNlp);
        EXPECT_EQ(s.GetStatus(), "TRUNCATED");
        EXPECT_TRUE(s.IsModified());
        ExpectOnItsPointNumbers(s);
        ASSERT_FALSE(s.GetY().empty());
        EXPECT_EQ(s.GetY().front(), 10.0 * (c.newNfp - c.nfp));
        EXPECT_EQ(s.GetYMax(), 10.0 * (c.newNlp - c.nfp));
        EXPECT_DOUBLE_EQ(s.GetStartTime(), c.newNfp * c.del);
    }
}

TEST(TruncateByTime, FreeXStartsAtPointZeroAndZIsCutAlong)
{
    auto s = XYSignal({0.0, 0.5, 1.1, 2.0, 3.7}, {1.0, 2.0, 3.0, 4.0, 5.0});
    s.SetXYZData({0.0, 0.5, 1.1, 2.0, 3.7}, {1.0, 2.0, 3.0, 4.0, 5.0}, {9.0, 8.0, 7.0, 6.0, 5.0});
    ASSERT_TRUE(s.TruncateByTime(0.4, 3.0));
    EXPECT_EQ(s.GetNFP(), 0);
    EXPECT_EQ(s.GetNLP(), 2);
    EXPECT_EQ(s.GetX(), (std::vector<double>{0.5, 1.1, 2.0}));
    EXPECT_EQ(s.GetY(), (std::vector<double>{2.0, 3.0, 4.0}));
    EXPECT_EQ(s.GetZ(), (std::vector<double>{8.0, 7.0, 6.0}));
}

TEST(TruncateByTime, RefusalsLeaveTheSignalAsItWas)
{
    struct Case {
        double start, stop;
        std::string message;
    };
    const Case cases[] = {
        {0.005, 0.002, "Stop time (0.002) is before or equals Start Time (0.005)"},
        {0.004, 0.004, "Stop time (0.004) is before or equals Start Time (0.004)"},
        {0.0091, 0.02, "No X or Y Signal Data"},   // after the last sample
        {0.0021, 0.0025, "No X or Y Signal Data"}, // between two samples
        {0.009, 1.0, "No X or Y Signal Data"},     // only the last sample
        {-1.0, -0.5, "No X or Y Signal Data"},     // before the first
    };
    for (const auto &c : cases) {
        auto s = StepSignal(0.001, 0, Ramp(10, 0.0, 1.0));
        const Snapshot before(s);
        EXPECT_EQ(ErrorText([&] { s.TruncateByTime(c.start, c.stop); }), c.message);
        EXPECT_EQ(Snapshot(s), before) << c.message;
    }
}

// ---------------------------------------------------------------- TruncateByIndex

TEST(TruncateByIndex, KeepsBothEnds)
{
    auto s = StepSignal(0.001, -10, Ramp(20, 0.0, 1.0));
    ASSERT_TRUE(s.TruncateByIndex(-5, 2));
    EXPECT_EQ(s.GetNFP(), -5);
    EXPECT_EQ(s.GetNLP(), 2);
    EXPECT_EQ(s.GetY(), Ramp(8, 5.0, 1.0));
    EXPECT_EQ(s.GetStatus(), "TRUNCATED");
    EXPECT_TRUE(s.IsModified());
    ExpectOnItsPointNumbers(s);

    auto all = StepSignal(0.001, -10, Ramp(20, 0.0, 1.0));
    ASSERT_TRUE(all.TruncateByIndex(-10, 9));
    EXPECT_EQ(all.GetY(), Ramp(20, 0.0, 1.0));
}

TEST(TruncateByIndex, RefusalsLeaveTheSignalAsItWas)
{
    struct Case {
        std::int32_t first, last;
        std::string message;
    };
    const Case cases[] = {
        {3, 3, "Start Index (3)is >= Stop Index (3)"},
        {5, -2, "Start Index (5)is >= Stop Index (-2)"},
        {-11, 0, "Unable to provide requested stop/start indices"},
        {0, 10, "Unable to provide requested stop/start indices"},
        {-2147483647 - 1, 2147483647, "Unable to provide requested stop/start indices"},
    };
    for (const auto &c : cases) {
        auto s = StepSignal(0.001, -10, Ramp(20, 0.0, 1.0));
        const Snapshot before(s);
        EXPECT_EQ(ErrorText([&] { s.TruncateByIndex(c.first, c.last); }), c.message);
        EXPECT_EQ(Snapshot(s), before) << c.message;
    }
}

// ---------------------------------------------------------------- PadCutPoints

TEST(PadCutPoints, PadsWithTheEndValuesAndCuts)
{
    struct Case {
        const char *what;
        std::int32_t atFirst, atLast;
        std::vector<double> x, y;
    };
    // Last point (0.1, 5.0), first (0.096, 1.0).
    const Case cases[] = {
        {"pad 3 at the end",
         0,
         3,
         {0.096, 0.097, 0.098, 0.099, 0.1, 0.101, 0.102, 0.103},
         {1.0, 2.0, 3.0, 4.0, 5.0, 5.0, 5.0, 5.0}},
        {"pad 2 at the start",
         2,
         0,
         {0.094, 0.095, 0.096, 0.097, 0.098, 0.099, 0.1},
         {1.0, 1.0, 1.0, 2.0, 3.0, 4.0, 5.0}},
        {"cut both", -2, -1, {0.098, 0.099}, {3.0, 4.0}},
        {"cut the start, pad the end", -4, 1, {0.1, 0.101}, {5.0, 5.0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto s = StepSignal(0.001, 96, {1.0, 2.0, 3.0, 4.0, 5.0});
        const std::int32_t nfp = 96 - c.atFirst;
        const std::int32_t nlp = 100 + c.atLast;
        ASSERT_TRUE(s.PadCutPoints(c.atFirst, c.atLast, nfp, nlp));
        EXPECT_EQ(s.GetNFP(), nfp);
        EXPECT_EQ(s.GetNLP(), nlp);
        EXPECT_EQ(s.GetY(), c.y);
        ASSERT_EQ(s.GetX().size(), c.x.size());
        for (std::size_t i = 0; i < c.x.size(); ++i)
            EXPECT_NEAR(s.GetX()[i], c.x[i], 1e-12) << i;
        EXPECT_EQ(s.GetZ().size(), c.x.size());
        EXPECT_EQ(s.GetNumberOfPoints(), static_cast<std::int32_t>(c.x.size()));
    }
}

TEST(PadCutPoints, CuttingEverythingIsRefused)
{
    auto s = StepSignal(0.001, 0, Ramp(6, 0.0, 1.0));
    const Snapshot before(s);
    EXPECT_EQ(ErrorText([&] { s.PadCutPoints(-3, -3, 3, 2); }), "Unable to provide requested stop/start indices");
    EXPECT_EQ(ErrorText([&] { s.PadCutPoints(0, -6, 0, -1); }), "Unable to provide requested stop/start indices");
    EXPECT_EQ(Snapshot(s), before);
    CData empty;
    EXPECT_EQ(ErrorText([&] { empty.PadCutPoints(1, 1, 0, 1); }), "No X or Y Signal Data");
}

// ---------------------------------------------------------------- EstimateBias

TEST(EstimateBias, ShortestHalfBeforeThePeak)
{
    struct Case {
        const char *what;
        std::vector<double> y;
        double bias;
    };
    const Case cases[] = {
        {"narrowest window", {0.1, 0.1, 0.1, 0.2, 5.0}, 0.1},
        {"equal widths: the later window", {1.0, 2.0, 3.0, 4.0, 10.0}, 3.0},
        {"odd count", {1.0, 1.1, 5.0, 1.05, 0.9, 100.0}, 1.05},
        {"negative peak", {-0.2, -0.2, 0.1, -50.0}, -0.2},
        {"one sample before the peak", {0.3, -9.0}, 0.3},
        {"peak first: nothing", {5.0, 1.0, 2.0}, 0.0},
        {"empty", {}, 0.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<double> y = c.y;
        EXPECT_DOUBLE_EQ(CData::EstimateBias(y), c.bias);
        ASSERT_EQ(y.size(), c.y.size());
        for (std::size_t i = 0; i < y.size(); ++i)
            EXPECT_DOUBLE_EQ(y[i], c.y[i] - c.bias);
    }
}

TEST(EstimateBias, ANaNBeforeThePeakSortsLast)
{
    std::vector<double> y{0.1, std::nan(""), 0.1, 0.1, 0.1, 0.1, 0.1, 5.0};
    EXPECT_DOUBLE_EQ(CData::EstimateBias(y), 0.1);
    EXPECT_DOUBLE_EQ(y.back(), 4.9);
}

TEST(Bias, RemovesTheEstimateFromTheSignal)
{
    auto s = StepSignal(0.001, 0, {0.1, 0.1, 0.1, 0.2, 5.0});
    EXPECT_DOUBLE_EQ(s.Bias(), 0.1);
    EXPECT_DOUBLE_EQ(s.GetY()[4], 4.9);
    EXPECT_DOUBLE_EQ(s.GetYMax(), 4.9);
    EXPECT_TRUE(s.IsModified());

    auto free = XYSignal({0.0, 1.0}, {1.0, 2.0});
    EXPECT_EQ(ErrorText([&] { free.Bias(); }), "Bias Algorithm requres y only data");
    CData empty;
    empty.SetDel(0.001);
    EXPECT_EQ(ErrorText([&] { empty.Bias(); }), "Bias: empty data points");
}

// ---------------------------------------------------------------- BiasTailPercent

TEST(BiasTailPercent, AveragesTheFirstOrLastShare)
{
    // 1000 samples: the first 100 at 2.0, the rest at 7.0.
    std::vector<double> y(1000, 7.0);
    std::fill(y.begin(), y.begin() + 100, 2.0);
    auto first = StepSignal(0.0001, 0, y);
    EXPECT_DOUBLE_EQ(first.BiasTailPercent(10.0, true), 2.0);
    EXPECT_EQ(first.GetY()[99], 0.0);
    EXPECT_EQ(first.GetY()[100], 5.0);
    EXPECT_EQ(first.GetYMax(), 5.0);
    EXPECT_TRUE(first.IsModified());
    auto last = StepSignal(0.0001, 0, y);
    EXPECT_DOUBLE_EQ(last.BiasTailPercent(10.0, false), 7.0);

    // Counts round halves to even; none becomes one.
    struct Case {
        double percent;
        bool fromStart;
        double mean;
    };
    const Case cases[] = {
        {25.0, true, 1.5}, // 2.5 -> 2
        {35.0, true, 2.5}, // 3.5 -> 4
        {0.01, true, 1.0}, // 0 -> 1
        {100.0, true, 5.5}, {25.0, false, 9.5},
    };
    for (const auto &c : cases) {
        auto s = StepSignal(0.001, 0, Ramp(10, 1.0, 1.0));
        EXPECT_DOUBLE_EQ(s.BiasTailPercent(c.percent, c.fromStart), c.mean) << c.percent;
    }
}

TEST(BiasTailPercent, RefusalsLeaveTheSignalAsItWas)
{
    for (double percent : {0.0, -5.0, 100.5, std::nan("")}) {
        auto s = StepSignal(0.001, 0, Ramp(10, 1.0, 1.0));
        const Snapshot before(s);
        EXPECT_EQ(ErrorText([&] { s.BiasTailPercent(percent, true); }),
                  "BiasTailPercent: percent must be between 1 and 100");
        EXPECT_EQ(Snapshot(s), before);
    }
    auto free = XYSignal({0.0, 1.0}, {1.0, 2.0});
    EXPECT_EQ(ErrorText([&] { free.BiasTailPercent(10.0, true); }), "BiasTailPercent Algorithm requres y only data");
    CData empty;
    empty.SetDel(0.001);
    EXPECT_EQ(ErrorText([&] { empty.BiasTailPercent(10.0, true); }), "BiasTailPercent: empty data points");
}

TEST(BiasTailPercentCore, MoreThanAllLeavesOneOut)
{
    const auto s = StepSignal(0.001, 0, {1.0});
    std::vector<double> y = Ramp(10, 1.0, 1.0);
    EXPECT_DOUBLE_EQ(s.BiasTailPercentCore(y, 150.0, true), 5.0); // 15 -> 9 samples

    std::vector<double> one{4.0};
    EXPECT_EQ(ErrorText([&] { s.BiasTailPercentCore(one, 150.0, true); }), "BiasTailPercent: No Points Averaged");
    EXPECT_EQ(ErrorText([&] { s.BiasTailPercentCore(y, -20.0, true); }), "BiasTailPercent: No Points Averaged");
    EXPECT_EQ(one, std::vector<double>{4.0});
}

// ---------------------------------------------------------------- shift, scale

TEST(ShiftAndScale, MoveSamplesAndPointNumbers)
{
    struct Case {
        double dx;
        std::int32_t points;
    };
    const Case cases[] = {{0.0105, 11}, {0.002, 2}, {-0.002, -2}, {-0.0105, -11}, {0.0004, 0}};
    for (const auto &c : cases) {
        auto s = StepSignal(0.001, 0, Ramp(10, 0.0, 1.0));
        ASSERT_TRUE(s.ShiftX(c.dx));
        EXPECT_EQ(s.GetNFP(), c.points) << c.dx;
        EXPECT_EQ(s.GetNLP(), 9 + c.points) << c.dx;
        EXPECT_DOUBLE_EQ(s.GetX()[3], 0.003 + c.dx);
        EXPECT_DOUBLE_EQ(s.GetXMin(), c.dx);
        EXPECT_TRUE(s.IsModified());
    }

    auto free = XYSignal({0.0, 1.0}, {1.0, 2.0});
    ASSERT_TRUE(free.ShiftX(0.5));
    EXPECT_EQ(free.GetNFP(), 0);
    EXPECT_EQ(free.GetX(), (std::vector<double>{0.5, 1.5}));

    auto s = StepSignal(0.001, 5, {1.0, -2.0, 3.0});
    ASSERT_TRUE(s.ShiftY(1.5));
    EXPECT_EQ(s.GetY(), (std::vector<double>{2.5, -0.5, 4.5}));
    ASSERT_TRUE(s.ScaleY(-2.0));
    EXPECT_EQ(s.GetY(), (std::vector<double>{-5.0, 1.0, -9.0}));
    EXPECT_EQ(s.GetYMin(), -9.0);
    ASSERT_TRUE(s.ScaleX(2.0));
    EXPECT_DOUBLE_EQ(s.GetDel(), 0.002);
    EXPECT_DOUBLE_EQ(s.GetX()[2], 0.014);
    EXPECT_DOUBLE_EQ(s.GetEndTime(), 0.014);
}

TEST(ShiftAndScale, Refusals)
{
    auto s = StepSignal(0.001, 0, Ramp(3, 0.0, 1.0));
    const Snapshot before(s);
    EXPECT_EQ(ErrorText([&] { s.ScaleX(0.0); }), "Cannot scale signal by zero");
    EXPECT_EQ(ErrorText([&] { s.ScaleY(0.0); }), "Cannot scale signal by zero");
    // Factors and offsets that are not finite would spoil every sample (and DEL).
    for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(ErrorText([&] { s.ScaleX(bad); }), "Cannot scale signal by a factor that is not finite");
        EXPECT_EQ(ErrorText([&] { s.ScaleY(bad); }), "Cannot scale signal by a factor that is not finite");
        EXPECT_EQ(ErrorText([&] { s.ShiftX(bad); }), "Cannot shift signal by a value that is not finite");
        EXPECT_EQ(ErrorText([&] { s.ShiftY(bad); }), "Cannot shift signal by a value that is not finite");
    }
    EXPECT_EQ(Snapshot(s), before);

    CData empty;
    EXPECT_EQ(ErrorText([&] { empty.ShiftX(1.0); }), "No X Data");
    EXPECT_EQ(ErrorText([&] { empty.ShiftY(1.0); }), "No Y Data");
    EXPECT_EQ(ErrorText([&] { empty.ScaleX(2.0); }), "No X Data");
    EXPECT_EQ(ErrorText([&] { empty.ScaleY(2.0); }), "No Y Data");
    EXPECT_EQ(ErrorText([&] { empty.ScaleY(0.0); }), "Cannot scale signal by zero");
}

// ---------------------------------------------------------------- peaks

TEST(Peaks, FirstExtremesWithTheirTimes)
{
    auto s = StepSignal(0.001, 0, {1.0, 5.0, 5.0, -3.0, -3.0, 2.0});
    double yMin = 0, xMin = 0, yMax = 0, xMax = 0;
    ASSERT_TRUE(s.GetYExtremes(yMin, xMin, yMax, xMax));
    EXPECT_EQ(yMax, 5.0);
    EXPECT_DOUBLE_EQ(xMax, 1.0); // milliseconds
    EXPECT_EQ(yMin, -3.0);
    EXPECT_DOUBLE_EQ(xMin, 3.0);

    s.SetXUnits("MSEC");
    ASSERT_TRUE(s.GetYMaxPoint(yMax, xMax));
    EXPECT_DOUBLE_EQ(xMax, 0.001);

    CData empty;
    EXPECT_FALSE(empty.GetYMaxPoint(yMax, xMax));
    EXPECT_FALSE(empty.GetYMinPoint(yMin, xMin));
    EXPECT_FALSE(empty.GetYExtremes(yMin, xMin, yMax, xMax));
}

} // namespace
