// Butterworth passes, their design rule, the FIR100 kernel and the FIR100 procedure.

#include <gtest/gtest.h>
#include <unistd.h>
#include <functional>
#include <filesystem>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "SineFit.h"
#include "signal/CData.h"
#include "signal/FilterKernels.h"

namespace {

using kxtest::FitSine;
using kxtest::MakeSine;

constexpr double kPi = std::numbers::pi;
constexpr double kFirGain = 0.99745112; // sum of the 50 taps

std::vector<double> UniformTime(std::size_t n, double step)
{
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<double>(i) * step;
    return x;
}

double Cot(double x)
{
    return std::cos(x) / std::sin(x);
}

// Digital Butterworth magnitude of order n (bilinear transform, cutoff fc) at f.
double ButterworthGain(int order, double f, double fc, double dt)
{
    const double r = std::tan(kPi * f * dt) / std::tan(kPi * fc * dt);
    return 1.0 / std::sqrt(1.0 + std::pow(r, 2.0 * order));
}

using PassFn = void (*)(std::vector<double> &, double, int);
const PassFn kPasses[] = {kx::Butterworth1Pole, kx::Butterworth2Pole, kx::Butterworth3Pole, kx::Butterworth4Pole};

// --- Butterworth passes ---------------------------------------------------------------

TEST(ButterworthPass, ConstantPassesUnchangedInEveryMode)
{
    const double C = Cot(kPi * 100.0 * 0.001);
    for (int order = 1; order <= 4; ++order) {
        for (int mode : {1, 2, 3, 0}) {
            std::vector<double> y(200, -3.25);
            kPasses[order - 1](y, C, mode);
            for (double v : y)
                ASSERT_NEAR(v, -3.25, 1e-9) << "order " << order << " mode " << mode;
        }
    }
}

TEST(ButterworthPass, MagnitudeFollowsTheButterworthResponse)
{
    // One sweep: |H| = 1/sqrt(1 + r^(2N)), 1/sqrt(2) at the cutoff; both sweeps square it
    // and leave no phase shift.
    const double dt = 0.0001, fc = 200.0;
    const double C = Cot(kPi * fc * dt);
    for (int order = 1; order <= 4; ++order) {
        for (double f : {fc, 2.0 * fc, 0.5 * fc}) {
            const double expected = ButterworthGain(order, f, fc, dt);
            auto forward = MakeSine(f, dt, 20000);
            kPasses[order - 1](forward, C, kx::PassMode::Forward);
            const auto fit1 = FitSine(forward, f, dt, 8000, 12000);
            EXPECT_NEAR(fit1.amplitude, expected, 2e-4) << "order " << order << " f " << f;

            auto both = MakeSine(f, dt, 20000);
            kPasses[order - 1](both, C, kx::PassMode::Both);
            const auto fit2 = FitSine(both, f, dt, 8000, 12000);
            EXPECT_NEAR(fit2.amplitude, expected * expected, 2e-4) << "order " << order << " f " << f;
            EXPECT_NEAR(fit2.phase, 0.0, 1e-3) << "order " << order << " f " << f;
        }
    }
    EXPECT_NEAR(ButterworthGain(3, fc, fc, dt), std::sqrt(0.5), 1e-15);
}

TEST(ButterworthPass, BackwardSweepMirrorsTheForwardSweep)
{
    const double C = Cot(kPi * 50.0 * 0.001);
    std::vector<double> step(100, 0.0);
    for (std::size_t i = 50; i < step.size(); ++i)
        step[i] = 1.0;
    std::vector<double> mirrored(step.rbegin(), step.rend());
    auto forward = mirrored;
    kx::Butterworth2Pole(forward, C, kx::PassMode::Forward);
    auto backward = step;
    kx::Butterworth2Pole(backward, C, kx::PassMode::Backward);
    for (std::size_t i = 0; i < step.size(); ++i)
        EXPECT_DOUBLE_EQ(backward[i], forward[step.size() - 1 - i]);
    // A forward low-pass lags: the step has not reached half height at its own index.
    const auto fwd = [&] {
        auto y = step;
        kx::Butterworth2Pole(y, C, kx::PassMode::Forward);
        return y;
    }();
    EXPECT_LT(fwd[50], 0.5);
    EXPECT_NEAR(fwd[99], 1.0, 1e-3);
}

TEST(ButterworthPass, ShortVectorsAreLeftUnchanged)
{
    const double C = Cot(kPi * 100.0 * 0.001);
    for (int order = 1; order <= 4; ++order) {
        std::vector<double> y;
        for (int i = 0; i < order; ++i)
            y.push_back(1.0 + i * i);
        const auto before = y;
        kPasses[order - 1](y, C, 3);
        EXPECT_EQ(y, before) << "order " << order;
    }
}

// --- Design rule ----------------------------------------------------------------------

TEST(ButterworthDesign, FortyDecibelsAtRootTenTimesCutoffIsFourPoles)
{
    const double dt = 0.0001, fc = 300.0, fStop = 300.0 * std::sqrt(10.0);
    const double C = Cot(kPi * fc * dt);
    const auto input = MakeSine(450.0, dt, 3000);

    auto designed = input;
    kx::ButterworthDesign(designed, dt, fc, -40.0, kx::PassMode::Forward, fStop);
    auto direct = input;
    kx::Butterworth4Pole(direct, C, kx::PassMode::Forward);
    EXPECT_EQ(designed, direct);

    // Both directions: each pass acts twice, so two poles suffice.
    designed = input;
    kx::ButterworthDesign(designed, dt, fc, -40.0, kx::PassMode::Both, fStop);
    direct = input;
    kx::Butterworth2Pole(direct, C, kx::PassMode::Both);
    EXPECT_EQ(designed, direct);

    // And the stop frequency is attenuated by at least 40 dB.
    auto stop = MakeSine(fStop, dt, 20000);
    kx::ButterworthDesign(stop, dt, fc, -40.0, kx::PassMode::Forward, fStop);
    EXPECT_LT(kxtest::Decibels(FitSine(stop, fStop, dt, 8000, 12000).amplitude), -40.0);
}

TEST(ButterworthDesign, HigherOrdersCascadePassesOfAtMostFourPoles)
{
    // Every pass of the cascade has 1/sqrt(2) gain at the cutoff, so the gain there
    // counts the passes: N = 5 is 3+2, 8 is 4+4, 13 is 4+3+3+3, 17 is 4+4+3+3+3.
    const double dt = 0.0001, fc = 250.0, fStop = fc * std::sqrt(10.0);
    struct Case {
        double attenuation;
        int passes;
    } cases[] = {{-10.0, 1},  {-40.0, 1},  {-50.0, 2},  {-80.0, 2}, {-90.0, 3},
                 {-120.0, 3}, {-130.0, 4}, {-160.0, 4}, {-170.0, 5}};
    for (const auto &c : cases) {
        auto y = MakeSine(fc, dt, 20000);
        kx::ButterworthDesign(y, dt, fc, c.attenuation, kx::PassMode::Forward, fStop);
        EXPECT_NEAR(FitSine(y, fc, dt, 10000, 14000).amplitude, std::pow(std::sqrt(0.5), c.passes), 1e-3)
            << c.attenuation << " dB";
    }
}

TEST(ButterworthDesign, ZeroPolesDoNothingAndBadRequestsThrow)
{
    const auto input = MakeSine(100.0, 0.001, 100);
    auto y = input;
    kx::ButterworthDesign(y, 0.001, 100.0, -4.0, kx::PassMode::Forward, 100.0 * std::sqrt(10.0));
    EXPECT_EQ(y, input);

    try {
        kx::ButterworthDesign(y, 0.001, 100.0, -40.0, 3, 50.0); // stop below cutoff
        FAIL();
    } catch (const std::logic_error &e) {
        EXPECT_STREQ(e.what(), "Invalid Number of poles for Filtering");
    }
    EXPECT_THROW(kx::ButterworthDesign(y, 0.001, 100.0, -40.0, 3, 100.0), std::logic_error);
    // A cutoff at or above half the sample rate has no filter.
    for (double dt : {1.0 / 600.0, 0.002, 0.0}) {
        try {
            kx::ButterworthDesign(y, dt, 300.0, -40.0, 3, 300.0 * std::sqrt(10.0));
            FAIL() << dt;
        } catch (const std::logic_error &e) {
            EXPECT_STREQ(e.what(), "Filter cutoff freq must be < (sample rate) / 2");
        }
    }
    EXPECT_EQ(y, input);
}

// --- FIR kernel -----------------------------------------------------------------------

TEST(Fir100Filter, CoefficientsSumToTheDocumentedGain)
{
    double sum = 0.0;
    for (double a : kx::kFir100Coefficients)
        sum += 2.0 * a;
    EXPECT_NEAR(sum, kFirGain, 1e-12);
}

TEST(Fir100Filter, ConstantKeepsItsLevelEndsIncluded)
{
    // The point-reflected extensions keep a constant at rest up to the very ends.
    for (int n : {25, 26, 200}) {
        std::vector<double> c(n, 4.0);
        std::vector<double> work;
        ASSERT_TRUE(kx::Fir100Filter(c, work, n, 0.000625));
        for (double v : c)
            ASSERT_NEAR(v, 4.0 * kFirGain, 1e-12) << n;
    }
}

TEST(Fir100Filter, RampAwayFromTheEndsIsKeptHalfASampleEarlier)
{
    // 50 symmetric taps centre between two samples: output i is the input at i - 0.5.
    const int n = 120;
    std::vector<double> ramp(n);
    for (int i = 0; i < n; ++i)
        ramp[i] = 1.0 - 0.5 * i;
    std::vector<double> work;
    ASSERT_TRUE(kx::Fir100Filter(ramp, work, n, 0.000625));
    for (int i = 25; i < n - 25; ++i)
        EXPECT_NEAR(ramp[i], (1.0 - 0.5 * (i - 0.5)) * kFirGain, 1e-9) << i;
}

TEST(Fir100Filter, PassesOneHundredHertzAndStopsAboveOneEightyNine)
{
    const double dt = 0.000625;
    struct Case {
        double f;
        double minDb;
        double maxDb;
    } cases[] = {{20.0, -0.1, 0.1},      {60.0, -0.1, 0.1},      {100.0, -0.1, 0.1},
                 {189.0, -300.0, -45.0}, {250.0, -300.0, -45.0}, {500.0, -300.0, -45.0}};
    for (const auto &c : cases) {
        auto y = MakeSine(c.f, dt, 4000);
        std::vector<double> work;
        ASSERT_TRUE(kx::Fir100Filter(y, work, 4000, dt));
        const double db = kxtest::Decibels(FitSine(y, c.f, dt, 1000, 3000).amplitude);
        EXPECT_GT(db, c.minDb) << c.f;
        EXPECT_LT(db, c.maxDb) << c.f;
    }
}

TEST(Fir100Filter, FiltersOnlyTheFirstNValues)
{
    std::vector<double> y(40, 1.0);
    y.resize(60, 9.0);
    std::vector<double> work(10);
    ASSERT_TRUE(kx::Fir100Filter(y, work, 40, 0.000625));
    EXPECT_NEAR(y[39], kFirGain, 1e-12);
    EXPECT_EQ(y[40], 9.0);
    EXPECT_GE(work.size(), 90u);
}

TEST(Fir100Filter, RefusesLowSampleRatesAndTooFewSamples)
{
    const std::vector<double> input(100, 1.0);
    struct Case {
        int n;
        double dt;
        const char *text;
    } cases[] = {
        {100, 0.005, "Filter cutoff freq must be < (sample rate) / 2"}, // 200 Hz
        {100, 0.0, "Filter cutoff freq must be < (sample rate) / 2"},
        {24, 0.000625, "Too few data points for the FIR100 filter (at least 25 needed)"},
        {0, 0.000625, "Too few data points for the FIR100 filter (at least 25 needed)"},
        {101, 0.000625, "Too few data points for the FIR100 filter (at least 25 needed)"},
    };
    for (const auto &c : cases) {
        auto y = input;
        std::vector<double> work;
        try {
            kx::Fir100Filter(y, work, c.n, c.dt);
            FAIL() << c.n << " " << c.dt;
        } catch (const std::logic_error &e) {
            EXPECT_STREQ(e.what(), c.text);
        }
        EXPECT_EQ(y, input);
    }
}

// --- FIR100 procedure on a signal -----------------------------------------------------

void Fill(kx::CData &s, const std::vector<double> &y, double del, int nfp = 0)
{
    s.SetDel(del);
    s.SetNFP(nfp);
    s.SetNLP(nfp + static_cast<int>(y.size()) - 1);
    s.SetYData(y);
    s.SetModified(false);
}

// Everything the filter may change.
struct Snapshot {
    explicit Snapshot(const kx::CData &s)
        : x(s.GetX())
        , y(s.GetY())
        , nfp(s.GetNFP())
        , nlp(s.GetNLP())
        , del(s.GetDel())
        , fcut(s.GetFCut())
        , fstp(s.GetFStp())
        , status(s.GetStatus())
        , filterClass(s.GetFilterClass())
        , modified(s.IsModified())
    {}
    bool operator==(const Snapshot &) const = default;
    std::vector<double> x, y;
    int nfp, nlp;
    double del, fcut, fstp;
    std::string status;
    int filterClass;
    bool modified;
};

TEST(FilterCFC, ConstantSignalAndTheHeaderItRecords)
{
    kx::CData s;
    Fill(s, std::vector<double>(10000, 2.5), 0.0001); // 1 s at 10 kHz
    ASSERT_TRUE(s.FilterCFC(false));
    EXPECT_EQ(s.GetDel(), 0.000625);
    EXPECT_EQ(s.GetNFP(), 0);
    EXPECT_EQ(s.GetNLP(), 1599); // 0.999375 s, the last 1600 Hz point inside 0.9999 s
    ASSERT_EQ(s.GetY().size(), 1600u);
    ASSERT_EQ(s.GetX().size(), 1600u);
    EXPECT_NEAR(s.GetX()[1599], 0.999375, 1e-12);
    for (double v : s.GetY())
        ASSERT_NEAR(v, 2.5 * kFirGain, 1e-9);
    EXPECT_EQ(s.GetStatus(), "FIR100 FILTERED");
    EXPECT_EQ(s.GetFilterClass(), 1);
    EXPECT_EQ(s.GetFCut(), 100.0);
    EXPECT_EQ(s.GetFStp(), 189.0);
    EXPECT_TRUE(s.IsModified());
    EXPECT_EQ(s.GetNumberOfPoints(), 1600);
    EXPECT_NEAR(s.GetYMax(), 2.5 * kFirGain, 1e-9);
    EXPECT_NEAR(s.GetEndTime(), 0.999375, 1e-12);
}

TEST(FilterCFC, RefusesToRunTwice)
{
    kx::CData s;
    Fill(s, std::vector<double>(2000, 1.0), 0.0001);
    ASSERT_TRUE(s.FilterCFC(false));
    const Snapshot once(s);
    try {
        s.FilterCFC(false);
        FAIL();
    } catch (const std::logic_error &e) {
        EXPECT_STREQ(e.what(), "Signal was previously filterd with FIR100");
    }
    EXPECT_TRUE(Snapshot(s) == once);
}

TEST(FilterCFC, PassesFiftyHertzAndRemovesThreeHundred)
{
    // 16 kHz resamples by taking every tenth sample, 10 kHz by interpolation.
    for (double del : {0.0000625, 0.0001}) {
        const std::size_t n = static_cast<std::size_t>(1.0 / del);
        for (double f : {50.0, 300.0}) {
            kx::CData s;
            Fill(s, MakeSine(f, del, n), del);
            ASSERT_TRUE(s.FilterCFC(false));
            ASSERT_EQ(s.GetNFP(), 0);
            const auto fit = FitSine(s.GetY(), f, 0.000625, 400, 1200);
            const double db = kxtest::Decibels(fit.amplitude);
            if (f == 50.0) {
                EXPECT_NEAR(db, 0.0, 0.1) << del;
            } else {
                EXPECT_LT(db, -45.0) << del;
            }
        }
    }
}

TEST(FilterCFC, RemovesTheOffsetBeforeTheEventOnRequest)
{
    std::vector<double> y(10000, 5.0);
    for (std::size_t i = 6000; i < 6200; ++i)
        y[i] = 45.0; // a 20 ms pulse
    std::vector<double> results[2];
    for (bool removeBias : {false, true}) {
        kx::CData s;
        Fill(s, y, 0.0001);
        ASSERT_TRUE(s.FilterCFC(removeBias));
        const double level = removeBias ? 0.0 : 5.0 * kFirGain;
        for (std::size_t i = 0; i < 800; ++i)
            ASSERT_NEAR(s.GetY()[i], level, 1e-6) << i;
        results[removeBias] = s.GetY();
    }
    // The offset of 5 is removed everywhere, the pulse included.
    ASSERT_EQ(results[0].size(), results[1].size());
    for (std::size_t i = 0; i < results[0].size(); ++i)
        ASSERT_NEAR(results[0][i] - results[1][i], 5.0 * kFirGain, 1e-9) << i;
}

TEST(FilterCFC, RecordsDistortionWithAPreviousFilter)
{
    // PREFIL/2 = 150 Hz is below the stop frequency of the filter before (750 Hz).
    kx::CData s;
    Fill(s, std::vector<double>(2000, 1.0), 0.0001);
    s.SetPreFil(300.0);
    s.SetFStp(750.0);
    try {
        s.FilterCFC(false);
        FAIL();
    } catch (const std::logic_error &e) {
        EXPECT_STREQ(e.what(), "Filter causes overlap distortion with previous filtering");
    }
    // The filtering itself stands and is recorded, so it cannot run twice.
    EXPECT_EQ(s.GetStatus(), "DISTORTED");
    EXPECT_EQ(s.GetDel(), 0.000625);
    EXPECT_EQ(s.GetFilterClass(), 1);
    EXPECT_EQ(s.GetFStp(), 189.0);
    EXPECT_TRUE(s.IsModified());
    EXPECT_NEAR(s.GetY()[100], kFirGain, 1e-9);
    EXPECT_THROW(s.FilterCFC(false), std::logic_error);
}

// FIR100 filtering survives a save and reload whatever the status says afterwards, so
// the signal is never filtered twice.
TEST(FilterCFC, TheFactSurvivesSaveAndReload)
{
    const auto dir = std::filesystem::temp_directory_path() / ("kx_fir100_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::function<void(kx::CData &)> afterwards[] = {
        [](kx::CData &s) { // overlap distortion marks it DISTORTED
            s.SetPreFil(300.0);
            s.SetFStp(750.0);
            EXPECT_THROW(s.FilterCFC(false), std::logic_error);
            EXPECT_EQ(s.GetStatus(), "DISTORTED");
        },
        [](kx::CData &s) {
            ASSERT_TRUE(s.FilterCFC(false));
            s.TruncateByTime(0.01, 0.1);
            EXPECT_EQ(s.GetStatus(), "TRUNCATED");
        },
        [](kx::CData &s) { ASSERT_TRUE(s.FilterCFC(false)); },
    };
    int k = 0;
    for (const auto &step : afterwards) {
        SCOPED_TRACE(k);
        kx::CData s;
        Fill(s, std::vector<double>(2000, 1.0), 0.0001);
        step(s);
        const std::string path = (dir / ("f" + std::to_string(k++) + ".uds")).string();
        s.SaveToUDSFile(path);
        kx::CData loaded;
        loaded.LoadUDSFile(path);
        EXPECT_EQ(loaded.GetFilterClass(), 1);
        EXPECT_THROW(loaded.FilterCFC(false), std::logic_error);
    }
    // A channel-class 60 filter (cut-off 100 Hz too) is not taken for FIR100.
    kx::CData cfc60;
    Fill(cfc60, std::vector<double>(2000, 1.0), 0.0001);
    cfc60.SetFCut(100.0);
    cfc60.SetFStp(250.0);
    cfc60.SetStatus("FILTERED");
    const std::string path = (dir / "cfc60.uds").string();
    cfc60.SaveToUDSFile(path);
    kx::CData loaded;
    loaded.LoadUDSFile(path);
    EXPECT_EQ(loaded.GetFilterClass(), 60);
    std::filesystem::remove_all(dir);
}

TEST(FilterCFC, RefusalsLeaveTheSignalAsItWas)
{
    struct Case {
        const char *name;
        std::size_t n;
        double del;
        int nlpExtra;     // NLP beyond the samples makes the resampler refuse
        const char *text; // nullptr: returns false
    } cases[] = {
        {"no constant step", 100, 0.0, 0,
         "Signal must have constant time interval - no constant time step: its times are not evenly spaced"},
        {"600 Hz", 600, 1.0 / 600.0, 0, "Filter cutoff freq must be < (sample rate) / 2"},
        {"500 Hz", 500, 0.002, 0, "Filter cutoff freq must be < (sample rate) / 2"},
        {"200 Hz", 200, 0.005, 0, "Filter cutoff freq must be < (sample rate) / 2"},
        {"16 points after resampling", 100, 0.0001, 0,
         "Too few data points for the FIR100 filter (at least 25 needed)"},
        {"resampler refuses", 1000, 0.0001, 500, nullptr},
    };
    for (const auto &c : cases) {
        kx::CData s;
        s.SetDel(c.del);
        s.SetNFP(0);
        s.SetNLP(static_cast<int>(c.n) - 1);
        s.SetXYData(UniformTime(c.n, c.del > 0 ? c.del : 0.001), MakeSine(30.0, 0.001, c.n));
        s.SetNLP(s.GetNLP() + c.nlpExtra);
        s.SetStatus("AS MEASURED");
        s.SetModified(false);
        const Snapshot before(s);
        if (c.text) {
            try {
                s.FilterCFC(true);
                ADD_FAILURE() << c.name;
            } catch (const std::logic_error &e) {
                EXPECT_STREQ(e.what(), c.text) << c.name;
            }
        } else {
            EXPECT_FALSE(s.FilterCFC(true)) << c.name;
        }
        EXPECT_TRUE(Snapshot(s) == before) << c.name;
    }
}

TEST(FilterCFC, JustAboveSixHundredHertzIsAccepted)
{
    kx::CData s;
    const double del = 1.0 / 601.0;
    Fill(s, std::vector<double>(601, 1.0), del);
    ASSERT_TRUE(s.FilterCFC(false));
    for (double v : s.GetY())
        ASSERT_TRUE(std::isfinite(v));
}

} // namespace
