// The branch-and-bound HIC search against an exhaustive search and known pulses.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "HIC/core/KxHicCriteria.h"
#include "support/HeadSignal.h"

namespace {

using hictest::BruteForceHic;

constexpr double kDt = 0.0001; // 10 kHz

struct NamedSignal {
    std::string name;
    std::vector<double> y;
};

std::vector<NamedSignal> SignalTable()
{
    std::vector<NamedSignal> table;
    std::mt19937 rng(20261209);
    std::uniform_real_distribution<double> uniform(-40.0, 120.0);
    std::normal_distribution<double> noise(0.0, 3.0);

    std::vector<double> random(1100);
    for (double &v : random)
        v = uniform(rng);
    table.push_back({"random", random});

    table.push_back({"half-sine 30 ms", hictest::HalfSine(900, 150, 300, 100.0)});
    table.push_back({"half-sine 8 ms", hictest::HalfSine(600, 250, 80, 150.0)});
    table.push_back({"haversine 20 ms", hictest::Haversine(800, 220, 200, 80.0)});
    table.push_back({"rectangle 50 ms", hictest::Rectangle(900, 200, 500, 100.0)});
    table.push_back({"rectangle 5 ms", hictest::Rectangle(700, 300, 50, 60.0)});

    std::vector<double> noisy = hictest::HalfSine(1000, 300, 250, 70.0);
    for (double &v : noisy)
        v += noise(rng);
    table.push_back({"noisy half-sine", noisy});

    // Two pulses: a short sharp one and a long low one.
    std::vector<double> two = hictest::HalfSine(1200, 100, 60, 160.0);
    const std::vector<double> second = hictest::HalfSine(1200, 500, 500, 55.0);
    for (std::size_t i = 0; i < two.size(); ++i)
        two[i] += second[i];
    table.push_back({"two pulses", two});

    std::vector<double> pureNoise(900);
    for (double &v : pureNoise)
        v = noise(rng);
    table.push_back({"noise", pureNoise});
    return table;
}

std::int64_t WindowOf(double windowMs)
{
    return windowMs > 0.0 ? static_cast<std::int64_t>(std::lround(windowMs / (kDt * 1000.0))) : 0;
}

// HIC of the pair (i, j) computed the long way.
double HicOfPair(const std::vector<double> &a, std::int64_t i, std::int64_t j)
{
    double area = 0.0;
    for (std::int64_t k = i + 1; k <= j; ++k)
        area += 0.5 * (std::fabs(a[k]) + std::fabs(a[k - 1])) * kDt;
    const double duration = static_cast<double>(j - i) * kDt;
    return std::pow(area / duration, 2.5) * duration;
}

TEST(HicSearch, MatchesExhaustiveSearchOnEverySignalWindowAndStart)
{
    for (const NamedSignal &signal : SignalTable()) {
        for (double windowMs : {0.0, 15.0, 36.0}) {
            for (std::int64_t first : {0, 120}) {
                SCOPED_TRACE(signal.name + ", window " + std::to_string(windowMs) + " ms, first " +
                             std::to_string(first));
                const std::int64_t last = static_cast<std::int64_t>(signal.y.size()) - 1;
                KxHicCriteria::SearchResult found;
                ASSERT_TRUE(KxHicCriteria::HicSearch(signal.y, first, last, windowMs, kDt, found));
                const hictest::BruteResult brute = BruteForceHic(signal.y, first, last, WindowOf(windowMs), kDt);
                EXPECT_NEAR(found.hic, brute.hic, 1e-9 * std::max(1.0, brute.hic));

                // The reported interval lies in the searched range, obeys the window and
                // carries the reported value.
                EXPECT_GE(found.i1, first);
                EXPECT_LE(found.i2, last);
                EXPECT_LT(found.i1, found.i2);
                if (windowMs > 0.0) {
                    EXPECT_LE(found.i2 - found.i1, WindowOf(windowMs));
                }
                EXPECT_NEAR(HicOfPair(signal.y, found.i1, found.i2), found.hic, 1e-9 * std::max(1.0, found.hic));
                EXPECT_NEAR(found.t1, static_cast<double>(found.i1 - first) * kDt * 1000.0, 1e-9);
                EXPECT_NEAR(found.t2, static_cast<double>(found.i2 - first) * kDt * 1000.0, 1e-9);
            }
        }
    }
}

TEST(HicSearch, MatchesExhaustiveSearchOnALongRandomRecord)
{
    // Long enough for many passes of block splitting before the blocks are searched.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> uniform(0.0, 100.0);
    std::vector<double> y(6000);
    for (double &v : y)
        v = uniform(rng);
    for (double windowMs : {15.0, 36.0}) {
        SCOPED_TRACE(windowMs);
        KxHicCriteria::SearchResult found;
        ASSERT_TRUE(KxHicCriteria::HicSearch(y, 0, 5999, windowMs, kDt, found));
        const hictest::BruteResult brute = BruteForceHic(y, 0, 5999, WindowOf(windowMs), kDt);
        EXPECT_NEAR(found.hic, brute.hic, 1e-9 * brute.hic);
    }
}

TEST(HicSearch, RectangleLongerThanWindowGivesExactlyTheWindow)
{
    const std::vector<double> y = hictest::Rectangle(1000, 100, 600, 100.0);
    for (double windowMs : {15.0, 36.0}) {
        SCOPED_TRACE(windowMs);
        const std::int64_t w = WindowOf(windowMs);
        KxHicCriteria::SearchResult found;
        ASSERT_TRUE(KxHicCriteria::HicSearch(y, 0, 999, windowMs, kDt, found));
        EXPECT_NEAR(found.hic, std::pow(100.0, 2.5) * static_cast<double>(w) * kDt, 1e-9);
        EXPECT_EQ(found.i2 - found.i1, w);
        EXPECT_NEAR(found.t2 - found.t1, windowMs, 1e-9);
    }
}

TEST(HicSearch, HalfSineFollowsTheClosedForm)
{
    // A half-sine of amplitude A and duration D: HIC = 0.414646 A^2.5 D over 0.6702 D
    // when the window is long enough, else the centred window of length T.
    const double amplitude = 100.0;
    const double duration = 0.030;
    const std::vector<double> y = hictest::HalfSine(1000, 200, 300, amplitude);

    KxHicCriteria::SearchResult found;
    ASSERT_TRUE(KxHicCriteria::HicSearch(y, 0, 999, 36.0, kDt, found));
    EXPECT_NEAR(found.hic, 0.414646 * std::pow(amplitude, 2.5) * duration, 0.5);
    EXPECT_NEAR(found.hic, 1243.9, 0.5);
    EXPECT_NEAR(found.t2 - found.t1, 0.6702 * 30.0, 0.15);
    EXPECT_NEAR(0.5 * (found.t1 + found.t2), 35.0, 0.1); // centred on the peak at 35 ms

    KxHicCriteria::SearchResult unwindowed;
    ASSERT_TRUE(KxHicCriteria::HicSearch(y, 0, 999, 0.0, kDt, unwindowed));
    EXPECT_NEAR(unwindowed.hic, found.hic, 1e-9);

    const double t = 0.015;
    const double mean =
        amplitude * 2.0 * duration / (std::numbers::pi * t) * std::sin(std::numbers::pi * t / (2.0 * duration));
    KxHicCriteria::SearchResult hic15;
    ASSERT_TRUE(KxHicCriteria::HicSearch(y, 0, 999, 15.0, kDt, hic15));
    EXPECT_NEAR(hic15.hic, std::pow(mean, 2.5) * t, 0.5);
    EXPECT_NEAR(hic15.t2 - hic15.t1, 15.0, 1e-9);
}

TEST(HicSearch, AllZeroSignalGivesZeroAtTimeZero)
{
    const std::vector<double> y(500, 0.0);
    for (std::int64_t first : {0, 100}) {
        KxHicCriteria::SearchResult found;
        ASSERT_TRUE(KxHicCriteria::HicSearch(y, first, 499, 15.0, kDt, found));
        EXPECT_EQ(found.hic, 0.0);
        EXPECT_EQ(found.t1, 0.0);
        EXPECT_EQ(found.t2, 0.0);
    }
}

TEST(HicSearch, WindowInSamples)
{
    EXPECT_EQ(KxHicCriteria::WindowSamples(15.0, 0.0001, 999), 150);
    EXPECT_EQ(KxHicCriteria::WindowSamples(36.0, 0.0001, 999), 360);
    EXPECT_EQ(KxHicCriteria::WindowSamples(36.0, 0.00001, 99999), 3600);
    EXPECT_EQ(KxHicCriteria::WindowSamples(0.0, 0.0001, 999), 1000);
    EXPECT_EQ(KxHicCriteria::WindowSamples(0.05, 0.0001, 999), 0);
    // A window far longer than the record is no limit; an unusable step is no window.
    EXPECT_EQ(KxHicCriteria::WindowSamples(15.0, 1e-300, 999), 1000);
    EXPECT_EQ(KxHicCriteria::WindowSamples(std::numeric_limits<double>::infinity(), 0.0001, 999), 1000);
    EXPECT_EQ(KxHicCriteria::WindowSamples(15.0, std::numeric_limits<double>::quiet_NaN(), 999), 0);
    EXPECT_EQ(KxHicCriteria::WindowSamples(15.0, -0.0001, 999), 0);
}

TEST(HicSearch, WindowLongerThanAnyRecordSearchesWithoutLimit)
{
    // 100 G throughout: the whole record wins, HIC = 100^2.5 x 99 steps x dt.
    const std::vector<double> y(100, 100.0);
    const double dt = 1e-300;
    KxHicCriteria::SearchResult found;
    ASSERT_TRUE(KxHicCriteria::HicSearch(y, 0, 99, 15.0, dt, found));
    EXPECT_EQ(found.i1, 0);
    EXPECT_EQ(found.i2, 99);
    EXPECT_NEAR(found.hic / (1e5 * 99 * dt), 1.0, 1e-12);
}

TEST(HicSearch, RefusesWhatItCannotSearch)
{
    const std::vector<double> y = hictest::HalfSine(100, 10, 50, 50.0);
    struct Case {
        const char *what;
        std::int64_t first;
        std::int64_t last;
        double windowMs;
        double dt;
    };
    const Case cases[] = {
        {"zero step", 0, 99, 15.0, 0.0},         {"negative step", 0, 99, 15.0, -0.0001},
        {"first after last", 60, 40, 15.0, kDt}, {"last beyond the samples", 0, 100, 15.0, kDt},
        {"negative first", -1, 99, 15.0, kDt},   {"window shorter than a step", 0, 99, 0.05, kDt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        KxHicCriteria::SearchResult found;
        found.hic = 123.0;
        EXPECT_FALSE(KxHicCriteria::HicSearch(y, c.first, c.last, c.windowMs, c.dt, found));
        EXPECT_EQ(found.hic, 0.0);
    }
}

} // namespace
