// Response surface: HIC of each window on the shared running integral, sample bounds,
// the window loop and the contour factor.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "HIC/core/CHicSurface.h"
#include "support/HeadSignal.h"

namespace {

using hic::CHicSurface;
using hic::SurfaceParams;
using hic::SurfaceResult;

constexpr double kDt = 0.0001;

// HIC of the window of n samples starting at sample i, by a plain trapezoid sum in G*s.
double WindowHic(const std::vector<double> &a, std::size_t i, std::size_t n, double dt)
{
    double v = 0.0;
    for (std::size_t k = i; k < i + n; ++k)
        v += 0.5 * (std::fabs(a[k]) + std::fabs(a[k + 1])) * dt;
    const double t = static_cast<double>(n) * dt;
    return std::pow(v / t, 2.5) * t;
}

TEST(HicSurface, EachValueIsTheHicOfItsWindowWhateverTheFirstPoint)
{
    // 100 G over 20 ms from sample 300 of 1000.
    const std::vector<double> a = hictest::Rectangle(1000, 300, 200, 100.0);
    for (const int nfp : {0, -150, 40}) {
        SCOPED_TRACE(nfp);
        const CHicSurface surface(a, kDt, nfp);
        SurfaceParams p;
        p.startFrom = nfp * kDt + 0.002;
        p.startTo = p.startFrom + 0.06;
        p.startEvery = 0.002;
        p.windowFrom = 0.002;
        p.windowTo = 0.036;
        p.windowEvery = 0.002;
        SurfaceResult r;
        std::string error;
        ASSERT_TRUE(surface.Compute(p, r, error)) << error;
        ASSERT_EQ(r.starts, 30);
        ASSERT_EQ(r.windows, 17);
        ASSERT_EQ(r.values.size(), 30u * 17u);
        double largest = 0.0;
        for (int w = 0; w < r.windows; ++w) {
            const std::size_t n = static_cast<std::size_t>(20 + 20 * w);
            for (int s = 0; s < r.starts; ++s) {
                const std::size_t i = static_cast<std::size_t>(20 + 20 * s);
                const double expected = WindowHic(a, i, n, kDt);
                largest = std::max(largest, expected);
                ASSERT_NEAR(r.values[static_cast<std::size_t>(w * r.starts + s)] * r.factor, expected,
                            1e-9 * (1.0 + expected))
                    << "window " << w << " start " << s;
            }
        }
        EXPECT_NEAR(r.maximum, largest, 1e-9 * largest);
    }
}

TEST(HicSurface, WindowsNeverReadPastTheLastSample)
{
    // The whole record is one pulse: starts near the end keep their windows inside it.
    const std::vector<double> a(400, 80.0);
    const CHicSurface surface(a, kDt, 25);
    const double last = (25 + 399) * kDt;
    std::vector<double> row(200, -1.0);
    std::string error;
    ASSERT_TRUE(surface.Row(25 * kDt, last, kDt, 0.01, row.data(), row.size(), error)) << error;
    // Starts 0 .. 299 fit a 100-sample window; the rest of the row is untouched.
    for (std::size_t k = 0; k < row.size(); ++k) {
        ASSERT_TRUE(std::isfinite(row[k]));
        EXPECT_NEAR(row[k], std::pow(80.0, 2.5) * 0.01, 1e-6) << k;
    }
    std::vector<double> tail(50, -1.0);
    ASSERT_TRUE(surface.Row(last - 0.005, last, kDt, 0.01, tail.data(), tail.size(), error));
    for (double v : tail)
        EXPECT_EQ(v, -1.0);
}

TEST(HicSurface, TimesOutsideTheRecordAreRefused)
{
    const CHicSurface surface(std::vector<double>(100, 10.0), kDt, 0);
    std::vector<double> row(5);
    std::string error;
    EXPECT_FALSE(surface.Row(-0.001, 0.005, 0.001, 0.002, row.data(), row.size(), error));
    EXPECT_EQ(error, "Start Time is before beginning of data");
    EXPECT_FALSE(surface.Row(0.0, 0.02, 0.001, 0.002, row.data(), row.size(), error));
    EXPECT_EQ(error, "Stop Time is after end of data");
    EXPECT_THROW(CHicSurface(std::vector<double>(100, 1.0), 0.0, 0), std::logic_error);
}

TEST(HicSurface, WindowLoopRunsOverWholeSteps)
{
    const std::vector<double> a = hictest::Rectangle(2000, 100, 500, 60.0);
    const CHicSurface surface(a, kDt, 0);
    SurfaceParams p{0.0, 0.1, 0.002, 0.001, 0.036, 0.001};
    SurfaceResult r;
    std::string error;
    ASSERT_TRUE(surface.Compute(p, r, error)) << error;
    EXPECT_EQ(r.windows, 35);
    // The last window is 35 ms long and was computed.
    const double last = r.values[static_cast<std::size_t>(34 * r.starts + 5)] * r.factor;
    EXPECT_NEAR(last, WindowHic(a, 100, 350, kDt), 1e-6);
}

TEST(HicSurface, StartStepBelowHalfATimeStepAdvancesOneSample)
{
    const std::vector<double> a = hictest::HalfSine(600, 100, 300, 90.0);
    const CHicSurface surface(a, kDt, 0);
    std::vector<double> row(20, -1.0);
    std::string error;
    ASSERT_TRUE(surface.Row(0.01, 0.012, kDt / 10.0, 0.005, row.data(), row.size(), error));
    for (std::size_t k = 0; k < row.size(); ++k)
        EXPECT_NEAR(row[k], WindowHic(a, 100 + k, 50, kDt), 1e-9) << k;
}

TEST(HicSurface, SignedInputGivesTheSurfaceOfItsMagnitude)
{
    std::vector<double> a = hictest::HalfSine(800, 100, 300, 120.0);
    std::vector<double> negative = a;
    for (double &v : negative)
        v = -v;
    SurfaceParams p{0.0, 0.04, 0.002, 0.002, 0.036, 0.002};
    SurfaceResult r1, r2;
    std::string error;
    ASSERT_TRUE(CHicSurface(a, kDt, 0).Compute(p, r1, error));
    ASSERT_TRUE(CHicSurface(negative, kDt, 0).Compute(p, r2, error));
    ASSERT_EQ(r1.values.size(), r2.values.size());
    for (std::size_t k = 0; k < r1.values.size(); ++k) {
        ASSERT_FALSE(std::isnan(r2.values[k]));
        EXPECT_DOUBLE_EQ(r1.values[k], r2.values[k]);
    }
}

TEST(HicSurface, ContourFactorIsATenthOfThePowerOfTenReachingTheRatio)
{
    struct Case {
        double maximum;
        double factor;
    };
    // Below 3200 the ratio is 1, c stays 1 and c / 10 would be 0: the factor is 1 there.
    for (const Case c :
         {Case{0.0, 1.0}, Case{1599.0, 1.0}, Case{1600.0, 1.0}, Case{1600.5, 1.0}, Case{3199.0, 1.0}, Case{3200.0, 1.0},
          Case{5000.0, 1.0}, Case{16000.0, 1.0}, Case{17599.0, 1.0}, Case{17600.0, 10.0}, Case{19233.0, 10.0},
          Case{20000.0, 10.0}, Case{160000.0, 10.0}, Case{176000.0, 100.0}, Case{2.0e6, 1000.0}, Case{-5.0, 1.0}}) {
        EXPECT_EQ(CHicSurface::ContourFactor(c.maximum), c.factor) << c.maximum;
    }
}

TEST(HicSurface, LargeMaximaAreDividedDown)
{
    // Rectangles whose 10 ms HIC is 2000 and 20000: A^2.5 * 0.01 = HIC.
    for (const double hic : {2000.0, 20000.0}) {
        SCOPED_TRACE(hic);
        const double level = std::pow(hic / 0.01, 0.4);
        const std::vector<double> a = hictest::Rectangle(1000, 200, 101, level);
        const CHicSurface surface(a, kDt, 0);
        SurfaceParams p{0.0, 0.05, 0.001, 0.01, 0.012, 0.002};
        SurfaceResult r;
        std::string error;
        ASSERT_TRUE(surface.Compute(p, r, error)) << error;
        EXPECT_NEAR(r.maximum, hic, 1e-6 * hic);
        const double factor = hic > 16000.0 ? 10.0 : 1.0;
        EXPECT_EQ(r.factor, factor);
        double largest = 0.0;
        for (double v : r.values)
            largest = std::max(largest, v);
        EXPECT_NEAR(largest, hic / factor, 1e-6 * hic);
    }
}

TEST(HicSurface, OversizedSurfaceIsRefused)
{
    const CHicSurface surface(std::vector<double>(100000, 10.0), kDt, 0);
    SurfaceParams p{0.0, 9.0, 1.0e-7, 0.001, 0.036, 0.001};
    SurfaceResult r;
    std::string error;
    EXPECT_FALSE(surface.Compute(p, r, error));
    EXPECT_FALSE(error.empty());
}

} // namespace
