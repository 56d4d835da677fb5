// Approximate comparison, rounding, constant-step resampling and Interpolate.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "OpsSignals.h"
#include "signal/Approx.h"
#include "signal/CData.h"

namespace {

using kx::CData;
using kx::test::ErrorText;
using kx::test::Ramp;
using kx::test::Snapshot;

// ---------------------------------------------------------------- ApproxEqual, Round

struct ApproxCase {
    double a, b, tol;
    bool equal;
};

TEST(Approx, EqualWithinRelativeTolerance)
{
    const ApproxCase cases[] = {
        {0.0, 0.0, 0.001, true},        {0.0, 1e-12, 0.001, false},   {1000.0, 1000.5, 0.001, true},
        {1000.0, 1002.0, 0.001, false}, {-1.0, -1.0005, 0.001, true}, {1.0, 2.0, 0.5, false}, // strict bound
        {-1.0, 1.0, 10.0, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(kx::ApproxEqual(c.a, c.b, c.tol), c.equal) << c.a << " vs " << c.b;
}

TEST(Approx, RoundsHalvesAwayFromZeroAndSaturates)
{
    const std::pair<double, int> cases[] = {
        {2.5, 3},
        {-2.5, -3},
        {2.4999, 2},
        {-0.4, 0},
        {0.0, 0},
        {7.0, 7},
        {1e20, std::numeric_limits<int>::max()},
        {-1e20, std::numeric_limits<int>::min()},
        {std::nan(""), 0},
    };
    for (const auto &[x, r] : cases)
        EXPECT_EQ(kx::Round(x), r) << x;
}

// ---------------------------------------------------------------- ValueAtTime

struct ValueCase {
    const char *what;
    std::int32_t newFirst, k;
    double newStep;
    double expected;
};

TEST(ValueAtTime, SamplesInterpolatesAndStaysInsideTheRecord)
{
    // Points 2 .. 5 at step 1: y = 0, 0, 0, 10.
    const std::vector<double> y{0.0, 0.0, 0.0, 10.0};
    const ValueCase cases[] = {
        {"on a sample", 5, 0, 1.0, 10.0},
        {"within 0.1 % of a sample", 10, 0, 0.50001, 10.0},
        {"in the last interval", 9, 0, 0.5, 5.0},
        {"before the record", 0, 1, 1.0, 0.0},
        {"beyond the end: the last interval goes on", 0, 6, 1.0, 20.0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(CData::ValueAtTime(y, 1.0, 2, 5, c.newStep, c.newFirst, c.k), c.expected) << c.what;
}

TEST(ValueAtTime, ShortRecordsAnswerWithoutReadingPastThem)
{
    const std::vector<double> one{7.0};
    EXPECT_EQ(CData::ValueAtTime(one, 1.0, 5, 5, 0.4, 12, 0), 7.0);
    const std::vector<double> two{0.0, 10.0};
    EXPECT_DOUBLE_EQ(CData::ValueAtTime(two, 1.0, 3, 4, 0.25, 14, 0), 5.0);
    // Header promises more samples than the vector holds.
    EXPECT_DOUBLE_EQ(CData::ValueAtTime(two, 1.0, 3, 9, 0.25, 30, 0), 45.0);
    EXPECT_EQ(CData::ValueAtTime({}, 1.0, 3, 9, 0.25, 14, 0), 0.0);
}

// ---------------------------------------------------------------- ResampleKernel

struct KernelCase {
    const char *what;
    double oldStep, newStep;
    std::int32_t nfp, nlp;
    std::int32_t newNfp, newNlp;
};

TEST(ResampleKernel, RampsAndConstantsStayExact)
{
    const KernelCase cases[] = {
        {"16 kHz to 1.6 kHz takes every 10th sample", 0.0000625, 0.000625, -20, 179, -2, 17},
        {"10 kHz to 1.6 kHz interpolates", 0.0001, 0.000625, 0, 999, 0, 159},
        {"every 5th with a negative start", 0.001, 0.005, -25, 24, -5, 4},
        {"start not on the new grid", 0.001, 0.003, -10, 20, -3, 6},
        {"same step", 0.001, 0.001, -3, 6, -3, 6},
        {"up by 4", 0.001, 0.00025, -2, 7, -8, 28},
        {"up by 10/3", 0.001, 0.0003, 1, 9, 4, 30},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const auto n = static_cast<std::size_t>(c.nlp - c.nfp + 1);
        // Ramp y = 3 + 2000 t at the old times, and a constant.
        std::vector<double> ramp(n);
        for (std::size_t i = 0; i < n; ++i)
            ramp[i] = 3.0 + 2000.0 * (c.nfp + static_cast<double>(i)) * c.oldStep;
        const std::vector<double> constant(n, -4.25);

        std::vector<double> out;
        std::int32_t nfp = 0;
        std::int32_t nlp = 0;
        ASSERT_TRUE(CData::ResampleKernel(ramp, c.nfp, c.nlp, c.oldStep, c.newStep, out, nfp, nlp));
        EXPECT_EQ(nfp, c.newNfp);
        EXPECT_EQ(nlp, c.newNlp);
        ASSERT_EQ(out.size(), static_cast<std::size_t>(c.newNlp - c.newNfp + 1));
        for (std::size_t k = 0; k < out.size(); ++k)
            EXPECT_NEAR(out[k], 3.0 + 2000.0 * (nfp + static_cast<double>(k)) * c.newStep, 1e-9) << "k = " << k;

        ASSERT_TRUE(CData::ResampleKernel(constant, c.nfp, c.nlp, c.oldStep, c.newStep, out, nfp, nlp));
        for (double v : out)
            EXPECT_EQ(v, -4.25);
    }
}

TEST(ResampleKernel, AlmostIntegralRatioNeverStepsOutsideTheRecord)
{
    // 9.995 rounds to 10 and counts as integral; the last new point must still map to an
    // old sample (a float estimate of the end would ask for point 10000 of 0 .. 9999).
    const std::vector<double> y = Ramp(10000, 0.0, 1.0);
    std::vector<double> out;
    std::int32_t nfp = 0;
    std::int32_t nlp = 0;
    ASSERT_TRUE(CData::ResampleKernel(y, 0, 9999, 1.0, 9.995, out, nfp, nlp));
    EXPECT_EQ(nfp, 0);
    EXPECT_EQ(nlp, 999);
    ASSERT_EQ(out.size(), 1000u);
    EXPECT_EQ(out.back(), 9990.0);
}

TEST(ResampleKernel, OneSampleAndEmptyResults)
{
    std::vector<double> out{1.0, 2.0};
    std::int32_t nfp = -1;
    std::int32_t nlp = -1;
    ASSERT_TRUE(CData::ResampleKernel({7.0}, 5, 5, 1.0, 1.0, out, nfp, nlp));
    EXPECT_EQ(out, std::vector<double>{7.0});
    EXPECT_EQ(nfp, 5);
    EXPECT_EQ(nlp, 5);

    // Every 2nd point of the single point 5: none.
    ASSERT_TRUE(CData::ResampleKernel({7.0}, 5, 5, 1.0, 2.0, out, nfp, nlp));
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(CData::ResampleKernel({7.0}, 5, 5, 1.0, 0.4, out, nfp, nlp));
    EXPECT_TRUE(out.empty());
}

TEST(ResampleKernel, RefusesBadStepsAndShortRecords)
{
    const std::vector<double> y = Ramp(10, 0.0, 1.0);
    std::vector<double> out;
    std::int32_t nfp = 0;
    std::int32_t nlp = 0;
    EXPECT_FALSE(CData::ResampleKernel(y, 0, 9, 0.0, 0.1, out, nfp, nlp));
    EXPECT_FALSE(CData::ResampleKernel(y, 0, 9, 0.1, 0.0, out, nfp, nlp));
    EXPECT_FALSE(CData::ResampleKernel(y, 0, 9, -0.1, 0.2, out, nfp, nlp));
    EXPECT_FALSE(CData::ResampleKernel(y, 0, 9, std::nan(""), 0.2, out, nfp, nlp));
    EXPECT_FALSE(CData::ResampleKernel(y, 0, 10, 0.1, 0.2, out, nfp, nlp)); // 11 promised
    EXPECT_FALSE(CData::ResampleKernel(y, 0, 9, 1.0, 1e-300, out, nfp, nlp));
}

TEST(ResampleKernel, OutputMayBeTheInput)
{
    for (double newStep : {0.002, 0.0007}) {
        const std::vector<double> y{1.0, 4.0, 9.0, 16.0, 25.0, 36.0, 49.0, 64.0, 81.0};
        std::vector<double> separate;
        std::int32_t nfp1 = 0;
        std::int32_t nlp1 = 0;
        ASSERT_TRUE(CData::ResampleKernel(y, 1, 9, 0.001, newStep, separate, nfp1, nlp1));
        std::vector<double> same = y;
        std::int32_t nfp2 = 0;
        std::int32_t nlp2 = 0;
        ASSERT_TRUE(CData::ResampleKernel(same, 1, 9, 0.001, newStep, same, nfp2, nlp2));
        EXPECT_EQ(same, separate) << newStep;
        EXPECT_EQ(nfp1, nfp2);
        EXPECT_EQ(nlp1, nlp2);
    }
}

// ---------------------------------------------------------------- Interpolate

TEST(Interpolate, PutsAnIrregularRampOnTheStep)
{
    struct Case {
        const char *what;
        std::vector<double> x;
        double step;
        std::int32_t nfp, nlp;
    };
    const Case cases[] = {
        {"ten samples, every other", Ramp(10, 0.0, 0.001), 0.002, 0, 4},
        {"irregular", {0.0, 0.0013, 0.0021, 0.0047, 0.006}, 0.001, 0, 6},
        // A start on the grid keeps its point, whatever its sign.
        {"negative start", {-0.004, -0.0025, 0.0, 0.001, 0.0032}, 0.0005, -8, 6},
        {"negative start on the grid", Ramp(21, -0.010, 0.001), 0.001, -10, 10},
        {"up by 4", Ramp(5, 0.0, 0.001), 0.00025, 0, 16},
        // Starting late must not pull the new start back before the first sample.
        {"late start, up by 2", Ramp(10, 0.05, 0.001), 0.0005, 100, 118},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<double> y;
        for (double t : c.x)
            y.push_back(1.0 - 250.0 * t);
        auto s = kx::test::XYSignal(c.x, y);
        ASSERT_TRUE(s.Interpolate(c.step));
        EXPECT_EQ(s.GetNFP(), c.nfp);
        EXPECT_EQ(s.GetNLP(), c.nlp);
        EXPECT_EQ(s.GetDel(), c.step);
        EXPECT_TRUE(s.IsModified());
        const auto count = static_cast<std::size_t>(c.nlp - c.nfp + 1);
        EXPECT_EQ(s.GetNumberOfPoints(), static_cast<std::int32_t>(count));
        ASSERT_EQ(s.GetX().size(), count);
        ASSERT_EQ(s.GetY().size(), count);
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_DOUBLE_EQ(s.GetX()[i], (c.nfp + static_cast<double>(i)) * c.step);
            EXPECT_NEAR(s.GetY()[i], 1.0 - 250.0 * s.GetX()[i], 1e-12) << i;
        }
        EXPECT_DOUBLE_EQ(s.GetYMax(), s.GetY().front());
        EXPECT_DOUBLE_EQ(s.GetStartTime(), c.nfp * c.step);
    }
}

// No new time may lie outside the data: the first index rounds up and the last down.
TEST(Interpolate, EveryNewTimeLiesInsideTheData)
{
    struct Case {
        const char *what;
        std::vector<double> x, y;
        double step;
        std::int32_t nfp, nlp;
    };
    const Case cases[] = {
        {"positive start off the grid", {0.00153, 0.00154, 0.0026, 0.0041}, {0, 1, 1, 1}, 0.001, 2, 4},
        {"negative end off the grid", {-0.0061, -0.0042, -0.00153}, {1, 1, 0}, 0.001, -6, -2},
        {"negative start off the grid", {-0.00347, -0.001, 0.0}, {2, 2, 2}, 0.001, -3, 0},
        {"float-rounded grid times",
         {static_cast<float>(0.0015), static_cast<float>(0.0025), static_cast<float>(0.0035)},
         {1, 2, 3},
         0.0005,
         3,
         7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto s = kx::test::XYSignal(c.x, c.y);
        ASSERT_TRUE(s.Interpolate(c.step));
        EXPECT_EQ(s.GetNFP(), c.nfp);
        EXPECT_EQ(s.GetNLP(), c.nlp);
        ASSERT_EQ(s.GetY().size(), static_cast<std::size_t>(c.nlp - c.nfp + 1));
        for (double v : s.GetY()) {
            EXPECT_GE(v, *std::min_element(c.y.begin(), c.y.end()));
            EXPECT_LE(v, *std::max_element(c.y.begin(), c.y.end()));
        }
    }
}

TEST(Interpolate, ToTheSignalsOwnStepChangesNothing)
{
    for (const std::int32_t nfp : {-137, -10, 0, 25}) {
        SCOPED_TRACE(nfp);
        for (const double del : {0.0001, static_cast<double>(static_cast<float>(0.0001)), 0.000625}) {
            kx::CData s;
            s.SetDel(del);
            s.SetNFP(nfp);
            s.SetNLP(nfp + 499);
            std::vector<double> y;
            for (int i = 0; i < 500; ++i)
                y.push_back(std::sin(0.37 * i) * 100.0 + 0.1 * i);
            s.MakeTimeAxis();
            s.SetYData(y);
            const std::vector<double> x = s.GetX();
            ASSERT_TRUE(s.Interpolate(del));
            EXPECT_EQ(s.GetNFP(), nfp);
            EXPECT_EQ(s.GetNLP(), nfp + 499);
            EXPECT_EQ(s.GetX(), x);
            EXPECT_EQ(s.GetY(), y);
        }
    }
}

TEST(Interpolate, RepeatedXAtTheEndsGivesSamplesNotNaN)
{
    auto s = kx::test::XYSignal({0.0, 0.0, 0.001, 0.002, 0.002}, {5.0, 1.0, 2.0, 3.0, 9.0});
    ASSERT_TRUE(s.Interpolate(0.001));
    EXPECT_EQ(s.GetY(), (std::vector<double>{1.0, 2.0, 3.0}));
}

TEST(Interpolate, RefusalsLeaveTheSignalAsItWas)
{
    struct Case {
        const char *what;
        std::vector<double> x, y;
        double step;
        std::string message;
    };
    const Case cases[] = {
        {"zero step", {0.0, 1.0}, {1.0, 2.0}, 0.0, "Requested Time step <= 0"},
        {"negative step", {0.0, 1.0}, {1.0, 2.0}, -0.5, "Requested Time step <= 0"},
        {"NaN step", {0.0, 1.0}, {1.0, 2.0}, std::nan(""), "Requested Time step <= 0"},
        {"decreasing X", {0.0, 2.0, 1.0}, {1.0, 2.0, 3.0}, 0.5, "X axis data is not monotonically increasing"},
        {"one sample",
         {0.3},
         {4.0},
         0.1,
         "Not enough data points: the signal has 1 point, resampling needs at least 2"},
        {"all X equal", {0.3, 0.3, 0.3}, {4.0, 5.0, 6.0}, 0.1, "Error Interpolating Data"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto s = kx::test::XYSignal(c.x, c.y);
        s.SetNFP(3);
        s.SetNLP(3 + static_cast<std::int32_t>(c.y.size()) - 1);
        s.UpdateNumberOfPoints();
        const Snapshot before(s);
        EXPECT_EQ(ErrorText([&] { s.Interpolate(c.step); }), c.message);
        EXPECT_EQ(Snapshot(s), before);
    }

    kx::CData empty;
    EXPECT_EQ(ErrorText([&] { empty.Interpolate(0.001); }), "Not enough data points");
}

} // namespace
