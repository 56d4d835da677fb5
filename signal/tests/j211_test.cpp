// The SAE J211 two-pass Butterworth filter: kernel and signal operation.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "SineFit.h"
#include "signal/CNSignal.h"
#include "signal/FilterKernels.h"

namespace {

using kxtest::Decibels;
using kxtest::FitSine;
using kxtest::MakeSine;

constexpr double kPi = std::numbers::pi;
const char *const kTailWarning = "BWFILT tail length < 10 ms, does not satisfy SAE J211 reccomendation";

// Gain of two passes of the second-order Butterworth whose analogue cutoff is
// 1.2465 * f3dB, prewarped by the bilinear transform: 1 / (1 + r^4).
double TwoPassGain(double f, double f3dB, double dt)
{
    const double r = std::tan(kPi * f * dt) / std::tan(kPi * 1.2465 * f3dB * dt);
    return 1.0 / (1.0 + std::pow(r, 4.0));
}

std::vector<double> Filtered(std::vector<double> y, double dt, double f3dB,
                             std::vector<std::string> *warnings = nullptr)
{
    std::vector<std::string> local;
    EXPECT_TRUE(kx::ButterworthJ211Kernel(y, dt, f3dB, warnings ? *warnings : local));
    return y;
}

// --- Kernel ---------------------------------------------------------------------------

TEST(J211Kernel, ConstantPassesUnchanged)
{
    for (std::size_t n : {3u, 15u, 500u, 20000u}) {
        for (double f3dB : {100.0, 300.0, 1000.0, 1650.0, 5.0}) {
            const auto y = Filtered(std::vector<double>(n, 7.5), 0.0001, f3dB);
            for (double v : y)
                ASSERT_NEAR(v, 7.5, 1e-9) << n << " " << f3dB;
        }
    }
}

TEST(J211Kernel, GainOfEachChannelClassOnA10kHzSine)
{
    // SAE J211: about -3 dB at the 3-dB frequency (1.667 x CFC), and +0.5/-1 dB at the CFC.
    const double dt = 0.0001;
    const std::size_t n = 20000;
    for (double cfc : {60.0, 180.0, 600.0, 1000.0}) {
        const double f3dB = cfc * 1.66666666667;
        for (double f : {f3dB, cfc, 0.2 * cfc}) {
            const auto y = Filtered(MakeSine(f, dt, n), dt, f3dB);
            const auto fit = FitSine(y, f, dt, 8000, 12000);
            EXPECT_NEAR(fit.amplitude, TwoPassGain(f, f3dB, dt), 1e-4) << cfc << " " << f;
            EXPECT_NEAR(fit.phase, 0.0, 1e-3) << cfc << " " << f; // zero phase
            const double db = Decibels(fit.amplitude);
            if (f == f3dB) {
                EXPECT_NEAR(db, -3.0, 0.6) << cfc;
            } else {
                EXPECT_LE(db, 0.5) << cfc << " " << f;
                EXPECT_GE(db, -1.0) << cfc << " " << f;
            }
        }
    }
}

TEST(J211Kernel, StopBandFallsAwayAboveTheThreeDecibelFrequency)
{
    const double dt = 0.0001, f3dB = 100.0;
    const double f = 1000.0; // a decade above: about -80 dB for four poles in total
    const auto y = Filtered(MakeSine(f, dt, 20000), dt, f3dB);
    EXPECT_LT(Decibels(FitSine(y, f, dt, 8000, 12000).amplitude), -70.0);
}

TEST(J211Kernel, StepResponseIsZeroPhaseAndSettles)
{
    // A zero-phase filter turns a step into a curve point-symmetric about the step.
    const double dt = 0.0001;
    const std::size_t n = 4000, s = 2000;
    std::vector<double> step(n, 0.0);
    for (std::size_t i = s; i < n; ++i)
        step[i] = 1.0;
    const auto y = Filtered(step, dt, 300.0);
    for (std::size_t k = 0; k < 100; ++k)
        EXPECT_NEAR(y[s + k] + y[s - 1 - k], 1.0, 1e-6) << k;
    EXPECT_NEAR(y[0], 0.0, 1e-6);
    EXPECT_NEAR(y[n - 1], 1.0, 1e-6);
    EXPECT_GT(y[s], 0.5);
    EXPECT_LT(y[s + 5], 1.0);
}

TEST(J211Kernel, SkipsFrequenciesAboveThreeQuartersOfHalfTheSampleRate)
{
    // 0.775 * 5000 = 3875 Hz at 10 kHz; at 2 kHz, CFC 1000 (1666.7 Hz) is above 775.
    const auto input = MakeSine(400.0, 0.0005, 200);
    std::vector<std::string> warnings;
    EXPECT_EQ(Filtered(input, 0.0005, 1000 * 1.66666666667, &warnings), input);
    const auto fast = MakeSine(400.0, 0.0001, 200);
    EXPECT_EQ(Filtered(fast, 0.0001, 3876.0, &warnings), fast);
    EXPECT_NE(Filtered(fast, 0.0001, 3874.0, &warnings), fast);
    EXPECT_NE(Filtered(fast, 0.0001, 1000 * 1.66666666667, &warnings), fast);
}

TEST(J211Kernel, WarnsWhenTheTailIsShorterThanTenMilliseconds)
{
    // At 10 kHz the tail wants 100 samples (200 below 50 Hz), and at most n - 2 fit.
    struct Case {
        std::size_t n;
        double f3dB;
        bool warned;
    } cases[] = {{15, 300.0, true}, {101, 300.0, true}, {102, 300.0, false}, {3, 1650.0, true},
                 {201, 50.0, true}, {202, 50.0, false}, {1001, 10.0, true},  {1002, 10.0, false}};
    for (const auto &c : cases) {
        std::vector<std::string> warnings;
        const auto y = Filtered(MakeSine(37.0, 0.0001, c.n), 0.0001, c.f3dB, &warnings);
        if (c.warned) {
            ASSERT_EQ(warnings.size(), 1u) << c.n << " " << c.f3dB;
            EXPECT_EQ(warnings[0], kTailWarning);
        } else {
            EXPECT_TRUE(warnings.empty()) << c.n << " " << c.f3dB;
        }
        for (double v : y)
            EXPECT_TRUE(std::isfinite(v));
    }
}

TEST(J211Kernel, RefusesBadInputWithoutTouchingTheSamples)
{
    struct Case {
        std::size_t n;
        double dt;
        double f3dB;
        const char *text;
    } cases[] = {
        {0, 0.0001, 300.0, "Nonpositive number of Data Points"},
        {0, 0.0, 0.0, "Nonpositive number of Data Points"},
        {10, 0.0, 300.0, "Nonpositive time step"},
        {10, -0.001, 300.0, "Nonpositive time step"},
        {10, 0.0001, 0.0, "Nonpositive Cutoff Frequency"},
        {10, 0.0001, std::nan(""), "Nonpositive Cutoff Frequency"},
        {1, 0.0001, 300.0, "Too few data points to filter (at least 3 needed)"},
        {2, 0.0001, 300.0, "Too few data points to filter (at least 3 needed)"},
    };
    for (const auto &c : cases) {
        auto y = MakeSine(100.0, 0.0001, c.n, 2.0);
        const auto before = y;
        std::vector<std::string> warnings;
        try {
            kx::ButterworthJ211Kernel(y, c.dt, c.f3dB, warnings);
            FAIL() << c.text;
        } catch (const std::logic_error &e) {
            EXPECT_STREQ(e.what(), c.text);
        }
        EXPECT_EQ(y, before);
        EXPECT_TRUE(warnings.empty());
    }
}

// --- Signal operation -----------------------------------------------------------------

void Fill(kx::CNSignal &s, const std::vector<double> &y, double del)
{
    s.SetDel(del);
    s.SetNFP(0);
    s.SetNLP(static_cast<int>(y.size()) - 1);
    s.SetYData(y);
    s.SetHIC(712.0);
    s.SetT1(0.01);
    s.SetT2(0.02);
    s.SetHICDTUP(36.0);
    s.SetCSI(120.0);
    s.SetStatus("AS MEASURED");
    s.SetModified(false);
}

// Everything the filter may change.
struct Snapshot {
    explicit Snapshot(const kx::CNSignal &s)
        : y(s.GetY())
        , fcut(s.GetFCut())
        , fstp(s.GetFStp())
        , hic(s.GetHIC())
        , status(s.GetStatus())
        , filterClass(s.GetFilterClass())
        , modified(s.IsModified())
        , messages(s.GetMessages())
    {}
    bool operator==(const Snapshot &) const = default;
    std::vector<double> y;
    double fcut, fstp, hic;
    std::string status;
    int filterClass;
    bool modified;
    std::vector<std::string> messages;
};

class J211Signal : public ::testing::Test {
protected:
    void SetUp() override { Fill(signal, MakeSine(120.0, 0.0001, 2000, 10.0), 0.0001); }
    kx::CNSignal signal;
};

TEST_F(J211Signal, Class180OnANewSignalFiltersAndRecordsTheHeader)
{
    const auto input = signal.GetY();
    ASSERT_TRUE(signal.Filter(180));
    EXPECT_EQ(signal.GetY(), Filtered(input, 0.0001, 180 * 1.66666666667));
    EXPECT_DOUBLE_EQ(signal.GetFCut(), 300.0000000006);
    EXPECT_DOUBLE_EQ(signal.GetFStp(), 750.0000000015);
    EXPECT_EQ(signal.GetFilterClass(), 180);
    EXPECT_EQ(signal.GetStatus(), "FILTERED");
    EXPECT_EQ(signal.GetHIC(), 0.0);
    EXPECT_EQ(signal.GetT1(), 0.0);
    EXPECT_EQ(signal.GetT2(), 0.0);
    EXPECT_EQ(signal.GetHICDTUP(), 0.0);
    EXPECT_EQ(signal.GetCSI(), 0.0);
    EXPECT_TRUE(signal.IsModified());
    EXPECT_TRUE(signal.GetMessages().empty());
    double yMax = -1e300;
    for (double v : signal.GetY())
        yMax = std::max(yMax, v);
    EXPECT_EQ(signal.GetYMax(), yMax);
}

TEST_F(J211Signal, EachClassIsRecorded)
{
    for (int cfc : {60, 180, 600, 1000}) {
        kx::CNSignal s;
        Fill(s, std::vector<double>(500, 3.0), 0.0001);
        ASSERT_TRUE(s.Filter(cfc));
        EXPECT_EQ(s.GetFilterClass(), cfc);
        EXPECT_DOUBLE_EQ(s.GetFCut(), cfc * 1.66666666667);
        for (double v : s.GetY())
            ASSERT_NEAR(v, 3.0, 1e-9) << cfc;
    }
}

TEST_F(J211Signal, AlreadyAtTheClassOrLowerChangesNothing)
{
    for (int current : {1, 60, 180}) {
        signal.SetFilterClass(current);
        const Snapshot before(signal);
        EXPECT_TRUE(signal.Filter(180));
        EXPECT_TRUE(Snapshot(signal) == before) << current;
    }
}

TEST_F(J211Signal, UnknownClassIsRefused)
{
    const Snapshot before(signal);
    for (int cfc : {50, 0, 1001, 1}) {
        try {
            signal.Filter(cfc);
            FAIL() << cfc;
        } catch (const std::logic_error &e) {
            EXPECT_STREQ(e.what(), "BWfilt: Frequency Channel Class is not specified in SAE J211");
        }
    }
    EXPECT_TRUE(Snapshot(signal) == before);
}

TEST_F(J211Signal, TooHighForTheSampleRateIsMarkedButNotFiltered)
{
    // CFC 1000 at 2 kHz: 1666.7 Hz is above 0.775 x 1000 Hz.
    kx::CNSignal s;
    Fill(s, MakeSine(100.0, 0.0005, 400), 0.0005);
    const auto input = s.GetY();
    ASSERT_TRUE(s.Filter(1000));
    EXPECT_EQ(s.GetY(), input);
    EXPECT_EQ(s.GetStatus(), "FILTERED");
    EXPECT_EQ(s.GetFilterClass(), 1000);
    EXPECT_DOUBLE_EQ(s.GetFCut(), 1666.66666667);
    EXPECT_EQ(s.GetHIC(), 0.0);
    EXPECT_TRUE(s.IsModified());

    // A skipped filter reads no extension, so a record of two samples is marked too.
    kx::CNSignal tiny;
    Fill(tiny, {4.0, 5.0}, 0.0005);
    ASSERT_TRUE(tiny.Filter(1000));
    EXPECT_EQ(tiny.GetY(), (std::vector<double>{4.0, 5.0}));
    EXPECT_EQ(tiny.GetStatus(), "FILTERED");
    EXPECT_EQ(tiny.GetFilterClass(), 1000);
}

TEST_F(J211Signal, WarnsAboutTheAxisAndTheTailAndGoesOn)
{
    kx::CNSignal s;
    Fill(s, std::vector<double>(15, 2.0), 0.0001);
    s.SetXType("DISTANCE");
    s.SetXUnits("MILLISECONDS");
    s.AddMessage("earlier");
    ASSERT_TRUE(s.Filter(60));
    const std::vector<std::string> expected{"earlier", "Data must have X Type TIME", "Time must be in seconds",
                                            kTailWarning};
    EXPECT_EQ(s.GetMessages(), expected);
    EXPECT_EQ(s.GetFilterClass(), 60);
    for (double v : s.GetY())
        EXPECT_NEAR(v, 2.0, 1e-9);

    kx::CNSignal sec;
    Fill(sec, std::vector<double>(300, 2.0), 0.0001);
    sec.SetXUnits("SEC");
    ASSERT_TRUE(sec.Filter(600));
    EXPECT_TRUE(sec.GetMessages().empty());
}

TEST_F(J211Signal, OverlapWithAPreviousFilterIsFlagged)
{
    struct Case {
        double prefil;
        int cfc;
        bool distorted;
    } cases[] = {{100.0, 180, true}, {100.0, 60, true},   {1650.0, 180, false},
                 {0.0, 180, false},  {100.0, 600, false}, {100.0, 1000, false}};
    for (const auto &c : cases) {
        kx::CNSignal s;
        Fill(s, std::vector<double>(300, 1.0), 0.0001);
        s.SetPreFil(c.prefil);
        ASSERT_TRUE(s.Filter(c.cfc));
        if (c.distorted) {
            EXPECT_EQ(s.GetStatus(), "DISTORTED") << c.prefil << " " << c.cfc;
            EXPECT_EQ(s.GetMessages(),
                      std::vector<std::string>{"WARNING - Filter causes overlap distortion with previous filtering"});
        } else {
            EXPECT_EQ(s.GetStatus(), "FILTERED") << c.prefil << " " << c.cfc;
            EXPECT_TRUE(s.GetMessages().empty());
        }
    }
}

TEST_F(J211Signal, FrequencyOutsideTheClassBandsKeepsTheClass)
{
    ASSERT_TRUE(signal.FilterJ211(50.0));
    EXPECT_EQ(signal.GetFilterClass(), 1001);
    EXPECT_EQ(signal.GetFCut(), 50.0);
    EXPECT_EQ(signal.GetFStp(), 125.0);
    ASSERT_TRUE(signal.FilterJ211(1000.0)); // c = 600
    EXPECT_EQ(signal.GetFilterClass(), 600);
}

TEST_F(J211Signal, RefusalsLeaveTheSignalAsItWas)
{
    struct Case {
        std::size_t n;
        double del;
        int cfc;
        const char *text;
    } cases[] = {
        {100, 0.0, 60, "Nonpositive time step - no constant time step: its times are not evenly spaced"},
        {100, -0.0001, 180, "Nonpositive time step - no constant time step: its times are not evenly spaced"},
        {2, 0.0001, 60, "Too few data points to filter (at least 3 needed)"},
    };
    for (const auto &c : cases) {
        kx::CNSignal s;
        Fill(s, MakeSine(40.0, 0.0001, c.n, 3.0), 0.0001);
        s.SetDel(c.del);
        s.SetXType("ANGLE"); // the warning must not be left behind either
        const Snapshot before(s);
        try {
            s.Filter(c.cfc);
            ADD_FAILURE() << c.text;
        } catch (const std::logic_error &e) {
            EXPECT_STREQ(e.what(), c.text);
        }
        EXPECT_TRUE(Snapshot(s) == before) << c.text;
    }
}

TEST_F(J211Signal, KernelMemberLeavesItsWarningsInTheMessageList)
{
    std::vector<double> y(10, 1.0);
    EXPECT_TRUE(signal.ButterworthJ211(y, 0.0001, 100.0));
    EXPECT_EQ(signal.GetMessages(), std::vector<std::string>{kTailWarning});
    EXPECT_THROW(signal.ButterworthJ211(y, 0.0001, -1.0), std::logic_error);
    EXPECT_EQ(signal.GetMessages().size(), 1u);
}

} // namespace
