#include "Mirvane/core/CComparison.h"

#include "signal/CNSignal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Vec = std::vector<double>;

// A constant-step signal with point numbers nfp .. nfp + y.size() - 1.
kx::CNSignal MakeSignal(int nfp, double del, const Vec &y)
{
    kx::CNSignal signal;
    signal.SetDel(del);
    signal.SetNFP(nfp);
    signal.SetNLP(nfp + static_cast<int>(y.size()) - 1);
    Vec x;
    for (std::size_t i = 0; i < y.size(); ++i)
        x.push_back((nfp + static_cast<double>(i)) * del);
    signal.SetXYData(x, y);
    return signal;
}

void ExpectMomentDifferences(const CComparison &c, const Vec &expected)
{
    for (int k = 0; k < CComparison::kMomentOrders; ++k)
        EXPECT_NEAR(c.GetMomentDifference(k), expected[static_cast<std::size_t>(k)], 1e-12) << "order " << k;
}

TEST(ComparisonStatistics, DefaultsAndCopy)
{
    CComparison c;
    EXPECT_EQ(c.GetCorridorSize(), 4.0);
    EXPECT_EQ(c.GetCount(), 0);
    EXPECT_EQ(c.GetStdDeviation(), 0.0);
    c.SetCorridorSize(2.5);
    c.ComputeStatistics({1, 2, 3, 4}, {1, 1, 1, 1}, 0.001);
    const CComparison copy(c);
    EXPECT_EQ(copy.GetCorridorSize(), 2.5);
    EXPECT_EQ(copy.GetResidualSum(), 6.0);
    EXPECT_EQ(copy.GetMomentDifferences(), c.GetMomentDifferences());
    EXPECT_EQ(c.GetMomentDifference(6), 0.0);
    EXPECT_EQ(c.GetMomentDifference(-1), 0.0);
}

// Reference 1, 1, 1, 1 and evaluated 1, 2, 3, 4 at 1 ms, worked by hand: residuals
// 0, 1, 2, 3; trapezoid weights 1, 2, 2, 1; moment times 1 .. 4 ms.
TEST(ComparisonStatistics, HandWorkedCase)
{
    CComparison c;
    c.SetCorridorSize(1.5);
    c.ComputeStatistics({1, 2, 3, 4}, {1, 1, 1, 1}, 0.001);

    EXPECT_EQ(c.GetCount(), 4);
    EXPECT_DOUBLE_EQ(c.GetResidualSum(), 6.0);
    EXPECT_DOUBLE_EQ(c.GetResidualSquareSum(), 14.0);
    EXPECT_NEAR(c.GetStdDeviation(), 1.118034, 1e-6); // sqrt((14 - 36 / 4) / 4)
    EXPECT_NEAR(c.GetTStatistic(), 2.683282, 1e-6);   // 1.5 / (1.118034 / 2)
    EXPECT_NEAR(c.GetCorrelation(), 0.9338592, 1e-7); // 15 / sqrt(6 * 43)
    EXPECT_DOUBLE_EQ(c.GetPeak(), 4.0);
    EXPECT_DOUBLE_EQ(c.GetReferencePeak(), 1.0);
    EXPECT_DOUBLE_EQ(c.GetPercentOutside(), 50.0); // residuals 2 and 3 exceed 1.5
    // Me(k) and Mf(k) in units of ms^k: (15, 6), (43, 15), (135, 43), (451, 135),
    // (1575, 451), (5683, 1575).
    ExpectMomentDifferences(c, {9.0 / 15, 28.0 / 43, 92.0 / 135, 316.0 / 451, 1124.0 / 1575, 4108.0 / 5683});
}

TEST(ComparisonStatistics, TableOfCases)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char *name;
        Vec e;
        Vec f;
        double corridor;
        double sum, squares, deviation, t, percent, peak, referencePeak, correlation;
        Vec moments;
    } cases[] = {
        {"identical", {3, -1, 2, 5}, {3, -1, 2, 5}, 4.0, 0, 0, 0, nan, 0, 5, 5, 1, {0, 0, 0, 0, 0, 0}},
        // r = f: S1 = 10, S2 = 30, variance (30 - 25) / 4.
        {"doubled",
         {2, 4, 6, 8},
         {1, 2, 3, 4},
         4.0,
         10,
         30,
         std::sqrt(1.25),
         2.5 / (std::sqrt(1.25) / 2),
         0,
         8,
         4,
         1,
         {0.5, 0.5, 0.5, 0.5, 0.5, 0.5}},
        // Residual 5 everywhere: all outside a corridor of 4, none outside one of 5.
        {"offset, corridor 4", {6, 7, 5}, {1, 2, 0}, 4.0, 15, 75, 0, inf, 100, 7, 2, nan, {}},
        {"offset, corridor 5", {6, 7, 5}, {1, 2, 0}, 5.0, 15, 75, 0, inf, 0, 7, 2, nan, {}},
        // The first sample has the largest magnitude and is negative.
        {"negative peak",
         {-9, 1, 2},
         {0, 1, 2},
         4.0,
         -9,
         81,
         std::sqrt((81 - 27.0) / 3),
         -3 / (std::sqrt(18.0) / std::sqrt(3.0)),
         100.0 / 3,
         9,
         2,
         nan,
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CComparison cmp;
        cmp.SetCorridorSize(c.corridor);
        cmp.ComputeStatistics(c.e, c.f, 0.001);
        EXPECT_EQ(cmp.GetCount(), static_cast<int>(c.f.size()));
        EXPECT_DOUBLE_EQ(cmp.GetResidualSum(), c.sum);
        EXPECT_DOUBLE_EQ(cmp.GetResidualSquareSum(), c.squares);
        EXPECT_NEAR(cmp.GetStdDeviation(), c.deviation, 1e-12);
        if (std::isnan(c.t)) {
            EXPECT_TRUE(std::isnan(cmp.GetTStatistic())) << cmp.GetTStatistic();
        } else if (std::isinf(c.t)) {
            EXPECT_EQ(cmp.GetTStatistic(), c.t);
        } else {
            EXPECT_NEAR(cmp.GetTStatistic(), c.t, 1e-12);
        }
        EXPECT_DOUBLE_EQ(cmp.GetPercentOutside(), c.percent);
        EXPECT_DOUBLE_EQ(cmp.GetPeak(), c.peak);
        EXPECT_DOUBLE_EQ(cmp.GetReferencePeak(), c.referencePeak);
        if (!std::isnan(c.correlation)) {
            EXPECT_NEAR(cmp.GetCorrelation(), c.correlation, 1e-12);
        }
        if (!c.moments.empty()) {
            ExpectMomentDifferences(cmp, c.moments);
        }
    }
}

// A constant residual must give deviation 0 even where the textbook formula goes
// slightly negative through cancellation.
TEST(ComparisonStatistics, ConstantResidualHasZeroDeviation)
{
    const Vec e{0.1, 0.1, 0.1};
    const Vec f{0.0, 0.0, 0.0};
    double s1 = 0.0;
    double s2 = 0.0;
    for (double r : e) {
        s1 += r;
        s2 += r * r;
    }
    ASSERT_LT((s2 - s1 * s1 / 3) / 3, 0.0) << "fixture no longer shows the cancellation";

    CComparison c;
    c.ComputeStatistics(e, f, 0.001);
    EXPECT_EQ(c.GetStdDeviation(), 0.0);
    EXPECT_EQ(c.GetTStatistic(), std::numeric_limits<double>::infinity());
}

// Zero denominators give the values of floating-point division, never a crash.
TEST(ComparisonStatistics, ZeroSignalsAndNoPoints)
{
    CComparison zeros;
    zeros.ComputeStatistics({0, 0, 0}, {0, 0, 0}, 0.001);
    EXPECT_EQ(zeros.GetStdDeviation(), 0.0);
    EXPECT_TRUE(std::isnan(zeros.GetTStatistic()));
    EXPECT_TRUE(std::isnan(zeros.GetCorrelation()));
    EXPECT_TRUE(std::isnan(zeros.GetMomentDifference(0)));

    CComparison empty;
    empty.ComputeStatistics({}, {1, 2}, 0.001);
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_TRUE(std::isnan(empty.GetPercentOutside()));
    EXPECT_TRUE(std::isnan(empty.GetStdDeviation()));
}

// The sums never run past the shorter of the two sample vectors.
TEST(ComparisonStatistics, SumsStopAtTheShorterSignal)
{
    const struct {
        const char *name;
        Vec e;
        Vec f;
    } cases[] = {
        {"evaluated shorter", {1, 2, 3}, {1, 1, 1, 1}},
        {"evaluated longer", {1, 2, 3, 1000, 1000}, {1, 1, 1}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CComparison cmp;
        cmp.ComputeStatistics(c.e, c.f, 0.001);
        EXPECT_EQ(cmp.GetCount(), 3);
        EXPECT_DOUBLE_EQ(cmp.GetResidualSum(), 3.0);
        EXPECT_DOUBLE_EQ(cmp.GetResidualSquareSum(), 5.0);
        EXPECT_DOUBLE_EQ(cmp.GetPeak(), 3.0);
        EXPECT_DOUBLE_EQ(cmp.GetReferencePeak(), 1.0);
        // Weights 1, 2, 1: Me(0) = 1 + 4 + 3, Mf(0) = 1 + 2 + 1.
        EXPECT_DOUBLE_EQ(cmp.GetMomentDifference(0), 0.5);
    }
}

TEST(ComparisonOfSignals, HandWorkedSignals)
{
    kx::CNSignal evaluated = MakeSignal(0, 0.001, {1, 2, 3, 4});
    const kx::CNSignal reference = MakeSignal(0, 0.001, {1, 1, 1, 1});
    CComparison c;
    c.Compare(evaluated, reference);
    EXPECT_EQ(c.GetCount(), 4);
    EXPECT_DOUBLE_EQ(c.GetResidualSum(), 6.0);
    EXPECT_NEAR(c.GetStdDeviation(), 1.118034, 1e-6);
    EXPECT_NEAR(c.GetTStatistic(), 2.683282, 1e-6);
    EXPECT_NEAR(c.GetCorrelation(), 0.9338592, 1e-7);
    EXPECT_NEAR(c.GetMomentDifference(0), 0.6, 1e-12);
    EXPECT_DOUBLE_EQ(c.GetWindowStart(), 0.0);
    EXPECT_DOUBLE_EQ(c.GetWindowEnd(), 0.003);
    // Same step and window: nothing resampled or cut.
    EXPECT_EQ(evaluated.GetY(), (Vec{1, 2, 3, 4}));
}

// An evaluated signal at twice the reference's rate over a longer range is resampled
// to the reference's step and both are cut to the overlap before any sum is taken.
TEST(ComparisonOfSignals, UnequalStepsAndWindows)
{
    Vec ref;
    for (int i = 0; i <= 10; ++i)
        ref.push_back(100.0 * i * 0.001 + 1.0);
    Vec fine;
    for (int i = -4; i <= 30; ++i)
        fine.push_back(100.0 * i * 0.0005 + 1.0);
    kx::CNSignal evaluated = MakeSignal(-4, 0.0005, fine);
    const kx::CNSignal reference = MakeSignal(0, 0.001, ref);

    CComparison c;
    c.Compare(evaluated, reference);

    EXPECT_DOUBLE_EQ(c.GetWindowStart(), 0.0);
    EXPECT_DOUBLE_EQ(c.GetWindowEnd(), 0.010);
    // Truncation keeps the times 0 .. 9 ms of both.
    EXPECT_EQ(c.GetCount(), 10);
    EXPECT_EQ(evaluated.GetDel(), 0.001);
    ASSERT_EQ(evaluated.GetYCount(), 10u);
    EXPECT_NEAR(evaluated.GetX().front(), 0.0, 1e-12);
    EXPECT_NEAR(evaluated.GetX().back(), 0.009, 1e-12);
    EXPECT_NEAR(c.GetResidualSum(), 0.0, 1e-9);
    EXPECT_NEAR(c.GetStdDeviation(), 0.0, 1e-6);
    EXPECT_NEAR(c.GetCorrelation(), 1.0, 1e-12);
    EXPECT_NEAR(c.GetPeak(), 1.9, 1e-12);
    EXPECT_DOUBLE_EQ(c.GetPercentOutside(), 0.0);
    // The caller's reference is untouched.
    EXPECT_EQ(reference.GetY(), ref);
}

// The point rule on its own: where the shared points begin in each signal and how
// many there are, ends included; a hair of float rounding changes nothing.
TEST(ComparisonOfSignals, CommonPointsOfTwoSignals)
{
    struct Case {
        int nfpA, countA, nfpB, countB;
        double hairB;
        std::size_t firstA, firstB, count;
    };
    const std::vector<Case> cases = {
        {0, 11, 0, 11, 0.0, 0, 0, 11}, {0, 11, 0, 11, 3e-7, 0, 0, 11},   {0, 11, 0, 11, -3e-7, 0, 0, 11},
        {0, 11, 3, 18, 0.0, 3, 0, 8},  {-2, 18, 0, 11, -3e-7, 2, 0, 11}, {0, 11, -5, 8, 3e-7, 0, 5, 3},
        {0, 11, 20, 5, 0.0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const kx::CNSignal a = MakeSignal(c.nfpA, 0.001, Vec(static_cast<std::size_t>(c.countA), 1.0));
        kx::CNSignal b = MakeSignal(c.nfpB, 0.001, Vec(static_cast<std::size_t>(c.countB), 2.0));
        Vec x = b.GetX();
        for (double &t : x)
            t += c.hairB;
        b.SetXYData(x, b.GetY());
        const CComparison::CCommonPoints p = CComparison::CommonPoints(a, b, 0.001);
        EXPECT_EQ(p.count, c.count) << c.nfpA << " " << c.nfpB << " " << c.hairB;
        if (c.count == 0)
            continue;
        EXPECT_EQ(p.firstA, c.firstA) << c.nfpA << " " << c.nfpB << " " << c.hairB;
        EXPECT_EQ(p.firstB, c.firstB) << c.nfpA << " " << c.nfpB << " " << c.hairB;
    }
}

// Times a hair away from the reference's (float rounding) are the same points: the
// cut aligns by point number, so no sample is dropped at either end.
TEST(ComparisonOfSignals, TimesAHairOffTheGridKeepTheirPoints)
{
    for (const double hair : {-1e-7, 1e-7}) {
        SCOPED_TRACE(hair);
        Vec x;
        Vec y;
        for (int i = 0; i <= 14; ++i) {
            x.push_back(i * 0.001 + hair);
            y.push_back(2.0);
        }
        kx::CNSignal evaluated;
        evaluated.SetDel(0.001);
        evaluated.SetNFP(0);
        evaluated.SetNLP(14);
        evaluated.SetXYData(x, y);
        const kx::CNSignal reference = MakeSignal(0, 0.001, Vec(11, 1.0));

        CComparison c;
        c.Compare(evaluated, reference);
        // Both hold the points 0 .. 9 ms (the window's end point is not kept).
        ASSERT_EQ(evaluated.GetYCount(), 10u);
        EXPECT_EQ(evaluated.GetNFP(), 0);
        EXPECT_EQ(c.GetCount(), 10);
        EXPECT_DOUBLE_EQ(c.GetResidualSum(), 10.0);
        EXPECT_EQ(c.GetStdDeviation(), 0.0);
    }
}

// The same 40 Hz sine saved at 10 kHz and at 20 kHz, with several pre-trigger lengths,
// read back and compared: equal signals compare as equal.
TEST(ComparisonOfSignals, SavedFilesAtDifferentRatesCompareAsEqual)
{
    const auto dir = std::filesystem::temp_directory_path() / ("kx_comparison_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto save = [&](double del, int nfp, int nlp, const std::string &name) {
        kx::CNSignal s;
        s.SetXType("TIME");
        s.SetXUnits("SECONDS");
        s.SetDel(del);
        s.SetNFP(nfp);
        s.SetNLP(nlp);
        s.MakeTimeAxis();
        Vec y;
        for (double t : s.GetX())
            y.push_back(100.0 * std::sin(2.0 * M_PI * 40.0 * t));
        s.SetYData(y);
        const std::string path = (dir / name).string();
        s.SaveToUDSFile(path);
        kx::CNSignal loaded;
        loaded.LoadUDSFile(path);
        return loaded;
    };
    for (int pre = 0; pre < 40; ++pre) {
        const kx::CNSignal reference = save(0.0001, -200 - pre, 1000, "ref.uds");
        kx::CNSignal evaluated = save(0.00005, -417 - 3 * pre, 2003, "eval.uds");
        CComparison c;
        c.Compare(evaluated, reference);
        const int expected = 1000 - (-200 - pre); // the reference's points less its last
        EXPECT_EQ(c.GetCount(), expected) << pre;
        EXPECT_NEAR(c.GetResidualSum(), 0.0, 1e-3) << pre;
        EXPECT_NEAR(c.GetStdDeviation(), 0.0, 1e-4) << pre;
        EXPECT_NEAR(c.GetCorrelation(), 1.0, 1e-7) << pre;
    }
    std::filesystem::remove_all(dir);
}

TEST(ComparisonOfSignals, ErrorsOfTheCutReachTheCaller)
{
    kx::CNSignal evaluated = MakeSignal(20, 0.001, {1, 2, 3});
    const kx::CNSignal reference = MakeSignal(0, 0.001, {1, 2, 3});
    CComparison c;
    EXPECT_THROW(c.Compare(evaluated, reference), std::logic_error);
}

} // namespace
