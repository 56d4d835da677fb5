// Response surface: HIC of each window on the shared running integral, sample bounds,
// the window loop and the contour factor.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "HIC/core/CHicSurface.h"
#include "HIC/core/KxHicCriteria.h"
#include "support/HeadSignal.h"

// Live and peak bytes of this program's heap, for the memory a surface needs.
namespace {
std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void *Allocate(std::size_t size)
{
    auto *block = static_cast<unsigned char *>(std::malloc(size + kHeader));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t *>(block) = size;
    const std::size_t live = g_live += size;
    std::size_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {}
    return block + kHeader;
}

void Release(void *p) noexcept
{
    if (!p)
        return;
    auto *block = static_cast<unsigned char *>(p) - kHeader;
    g_live -= *reinterpret_cast<std::size_t *>(block);
    std::free(block);
}
} // namespace

void *operator new(std::size_t size)
{
    return Allocate(size);
}
void *operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void *p) noexcept
{
    Release(p);
}
void operator delete[](void *p) noexcept
{
    Release(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    Release(p);
}
void operator delete[](void *p, std::size_t) noexcept
{
    Release(p);
}

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
    const std::vector<double> a(100, 10.0);
    const CHicSurface surface(a, kDt, 0);
    std::vector<double> row(5);
    std::string error;
    EXPECT_FALSE(surface.Row(-0.001, 0.005, 0.001, 0.002, row.data(), row.size(), error));
    EXPECT_EQ(error, "Start Time is before beginning of data");
    EXPECT_FALSE(surface.Row(0.0, 0.02, 0.001, 0.002, row.data(), row.size(), error));
    EXPECT_EQ(error, "Stop Time is after end of data");
    EXPECT_THROW(CHicSurface(a, 0.0, 0), std::logic_error);
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
    const std::vector<double> a(100000, 10.0);
    const CHicSurface surface(a, kDt, 0);
    SurfaceParams p{0.0, 9.0, 1.0e-7, 0.001, 0.036, 0.001};
    SurfaceResult r;
    std::string error;
    EXPECT_FALSE(surface.Compute(p, r, error));
    EXPECT_FALSE(error.empty());
}

// A row as it is defined: from the whole running integral c of the record.
std::vector<double> ReferenceRow(const std::vector<double> &c, double dt, std::int32_t nfp, double from, double to,
                                 double every, double window, int count)
{
    std::vector<double> row(static_cast<std::size_t>(count), 0.0);
    const auto last = static_cast<std::int64_t>(c.size()) - 1;
    const auto index = [&](double t) { return static_cast<std::int64_t>(std::llround(t / dt)) - nfp; };
    const auto n = static_cast<std::int64_t>(std::llround(window / dt));
    if (n < 1 || n > last)
        return row;
    const std::int64_t end = std::min(index(to), last - n + 1);
    std::int64_t i = std::max<std::int64_t>(index(from), 0);
    std::int64_t step = std::max<std::int64_t>(std::llround(every / dt), 1);
    if (end > i && count < (end - i) / step)
        step = std::max<std::int64_t>((end - i) / count, 1);
    for (int s = 0; s < count && i < end; ++s, i += step) {
        const double mean = (c[std::size_t(i + n)] - c[std::size_t(i)]) / static_cast<double>(n);
        row[std::size_t(s)] = std::pow(mean, 2.5) * (static_cast<double>(n) * dt);
    }
    return row;
}

std::vector<double> RunningIntegral(const std::vector<double> &a)
{
    std::vector<double> c;
    KxHicCriteria::RunningIntegral(a, 0, static_cast<std::int64_t>(a.size()) - 1, c);
    return c;
}

SurfaceResult ReferenceSurface(const std::vector<double> &a, double dt, std::int32_t nfp, const SurfaceParams &p)
{
    const std::vector<double> c = RunningIntegral(a);
    SurfaceResult r;
    r.starts = CHicSurface::Count(p.startFrom, p.startTo, p.startEvery);
    r.windows = CHicSurface::Count(p.windowFrom, p.windowTo, p.windowEvery);
    for (int k = 0; k < r.windows; ++k) {
        const std::vector<double> row =
            ReferenceRow(c, dt, nfp, p.startFrom, p.startTo, p.startEvery, p.windowFrom + k * p.windowEvery, r.starts);
        r.values.insert(r.values.end(), row.begin(), row.end());
    }
    for (double v : r.values)
        r.maximum = std::max(r.maximum, v);
    r.factor = CHicSurface::ContourFactor(r.maximum);
    for (double &v : r.values)
        v /= r.factor;
    return r;
}

// A record longer than the parts the surface is built in, with signed noise and pulses.
std::vector<double> LongRecord(std::size_t n)
{
    std::vector<double> a(n);
    std::uint32_t state = 3;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 1664525U + 1013904223U;
        const double t = static_cast<double>(i % 1500) / 1500.0;
        const double pulse = 90.0 * std::pow(std::sin(3.141592653589793 * t), 4.0);
        a[i] = ((i / 1500) % 2 ? -pulse : pulse) + ((state >> 8) / double(1U << 24) - 0.5) * 3.0;
    }
    return a;
}

TEST(HicSurface, ValuesAreExactlyThoseOfTheWholeRunningIntegral)
{
    const std::vector<double> a = LongRecord(300'001);
    struct Case {
        const char *what;
        std::int32_t nfp;
        SurfaceParams p;
    };
    const double last = 300'000 * kDt;
    const Case cases[] = {
        {"defaults", 0, {0.0, last - 0.036, 0.002, 0.002, 0.036, 0.002}},
        {"before time zero", -1234, {-0.1234, last - 0.2, 0.0031, 0.0005, 0.05, 0.0045}},
        {"windows crossing every part", 17, {0.0017, 29.0, 0.37, 6.0, 9.0, 0.7}},
        {"a start at every sample", 0, {0.0, last - 1.0, 0.0001, 0.001, 0.004, 0.001}},
        {"windows longer than the record", 0, {0.0, 1.0, 0.1, 25.0, 40.0, 5.0}},
        {"sub-sample steps", 0, {12.0, 12.01, 0.00001, 0.00002, 0.0003, 0.00004}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const CHicSurface surface(a, kDt, c.nfp);
        SurfaceResult r;
        std::string error;
        ASSERT_TRUE(surface.Compute(c.p, r, error)) << error;
        const SurfaceResult expected = ReferenceSurface(a, kDt, c.nfp, c.p);
        ASSERT_EQ(r.starts, expected.starts);
        ASSERT_EQ(r.windows, expected.windows);
        EXPECT_EQ(r.maximum, expected.maximum);
        EXPECT_EQ(r.factor, expected.factor);
        ASSERT_EQ(r.values.size(), expected.values.size());
        for (std::size_t k = 0; k < r.values.size(); ++k)
            ASSERT_EQ(r.values[k], expected.values[k]) << "value " << k;
    }
    // A row asked for fewer starts than its range holds spreads them out.
    const std::vector<double> c = RunningIntegral(a);
    const CHicSurface surface(a, kDt, 0);
    std::vector<double> row(50, -1.0);
    std::string error;
    ASSERT_TRUE(surface.Row(1.0, 28.0, 0.0001, 0.02, row.data(), row.size(), error)) << error;
    EXPECT_EQ(row, ReferenceRow(c, kDt, 0, 1.0, 28.0, 0.0001, 0.02, 50));
}

TEST(HicSurface, MemoryFollowsTheSurfaceNotTheRecord)
{
    // 4 million samples (32 MB) and a surface of 5 windows by 40 starts.
    const std::vector<double> a(4'000'000, 50.0);
    const SurfaceParams p{1.0, 399.0, 10.0, 0.002, 0.012, 0.002};
    const std::size_t before = g_live.load();
    g_peak = before;
    SurfaceResult r;
    std::string error;
    {
        const CHicSurface surface(a, kDt, 0);
        ASSERT_TRUE(surface.Compute(p, r, error)) << error;
    }
    ASSERT_EQ(r.values.size(), 200u);
    EXPECT_NEAR(r.values[0] * r.factor, std::pow(50.0, 2.5) * 0.002, 1e-9);
    // What the pass holds at a time, whatever the length of the record.
    EXPECT_LT(g_peak.load() - before, std::size_t{1} << 20);
}

TEST(HicSurface, ProgressRisesToTheEndAndCancelKeepsTheEarlierResult)
{
    const std::vector<double> a = LongRecord(400'000);
    const CHicSurface surface(a, kDt, 0);
    const SurfaceParams p{0.0, 39.0, 0.01, 0.002, 0.036, 0.002};
    SurfaceResult r;
    std::string error;
    std::vector<double> told;
    ASSERT_EQ(surface.Run(p, r, error, [&](double done) { return told.push_back(done), true; }),
              CHicSurface::Outcome::Done);
    ASSERT_GT(told.size(), 2u);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_DOUBLE_EQ(told.back(), 1.0);
    const std::vector<double> kept = r.values;
    for (const std::size_t stopAt : {std::size_t{0}, told.size() / 2, told.size() - 1}) {
        SCOPED_TRACE(stopAt);
        std::size_t calls = 0;
        SurfaceResult again = r;
        EXPECT_EQ(surface.Run(p, again, error, [&](double) { return calls++ < stopAt; }),
                  CHicSurface::Outcome::Cancelled);
        EXPECT_EQ(calls, stopAt + 1);
        EXPECT_EQ(again.values, kept);
    }
    // A refusal is told apart from a cancel.
    SurfaceParams outside = p;
    outside.startTo = 100.0;
    EXPECT_EQ(surface.Run(outside, r, error, {}), CHicSurface::Outcome::Refused);
    EXPECT_EQ(error, "Stop Time is after end of data");
}

} // namespace
