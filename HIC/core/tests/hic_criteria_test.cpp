// HIC runs on signals: header checks, time zero, header results, critical values.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "HIC/core/KxHicCriteria.h"
#include "support/HeadSignal.h"

namespace {

using Messages = std::vector<std::string>;
constexpr double kDt = 0.0001;

kx::CNSignal GoodSignal()
{
    return hictest::MakeHeadSignal(hictest::HalfSine(800, 100, 300, 100.0), kDt);
}

TEST(HicCompute, WritesTheResultIntoTheHeader)
{
    kx::CNSignal signal = GoodSignal();
    KxHicCriteria hic;
    ASSERT_TRUE(hic.Compute(signal, 36.0));
    EXPECT_TRUE(hic.GetMessages().empty());
    EXPECT_NEAR(hic.GetValue(), 1243.9, 0.5);
    EXPECT_EQ(signal.GetHIC(), hic.GetValue());
    EXPECT_EQ(signal.GetT1(), hic.GetT1());
    EXPECT_EQ(signal.GetT2(), hic.GetT2());
    EXPECT_EQ(signal.GetHICDTUP(), 36.0);
    EXPECT_EQ(hic.GetWindow(), 36.0);
}

// A signal holding a sample that is not finite is refused with the time of the first.
TEST(HicCompute, NonFiniteSamplesAreRefused)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char *name;
        std::function<void(std::vector<double> &)> spoil;
        std::string message;
    };
    const Case cases[] = {
        {"one inf", [&](std::vector<double> &y) { y[350] = inf; }, "(inf) at 35 ms"},
        {"one NaN", [&](std::vector<double> &y) { y[120] = nan; }, "(nan) at 12 ms"},
        {"all NaN", [&](std::vector<double> &y) { y.assign(y.size(), nan); }, "(nan) at 0 ms"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> y = hictest::HalfSine(800, 100, 300, 100.0);
        c.spoil(y);
        kx::CNSignal signal = hictest::MakeHeadSignal(y, kDt);
        KxHicCriteria hic;
        EXPECT_FALSE(hic.Compute(signal, 36.0));
        EXPECT_EQ(hic.GetValue(), 0.0);
        EXPECT_EQ(signal.GetHIC(), 0.0);
        EXPECT_EQ(hic.GetMessages(), Messages{"HIC - Signal has a sample that is not a finite number " + c.message});
    }
}

TEST(HicCompute, TimesAreMeasuredFromTimeZero)
{
    const std::vector<double> pulse = hictest::Rectangle(600, 300, 100, 80.0);
    struct Case {
        std::int32_t nfp;
        double t1; // ms: the pulse occupies samples 300..399
    };
    // NFP -100: time zero at sample 100; NFP 0: at sample 0; NFP 20: the record starts at 2 ms.
    for (const Case c : {Case{-100, 20.0}, Case{0, 30.0}, Case{20, 32.0}}) {
        SCOPED_TRACE(c.nfp);
        kx::CNSignal signal = hictest::MakeHeadSignal(pulse, kDt, c.nfp);
        KxHicCriteria hic;
        const bool ok = hic.Compute(signal, 15.0);
        EXPECT_TRUE(ok);
        EXPECT_NEAR(hic.GetT1(), c.t1, 1e-9);
        EXPECT_NEAR(hic.GetT2(), c.t1 + 9.9, 1e-9);
        EXPECT_NEAR(hic.GetValue(), std::pow(80.0, 2.5) * 99 * kDt, 1e-9);
    }
}

TEST(HicCompute, SearchStartsAtTimeZeroAfterAPreTrigger)
{
    // A large pre-trigger spike must not count.
    std::vector<double> y = hictest::HalfSine(700, 300, 200, 60.0);
    for (int i = 20; i < 60; ++i)
        y[i] = 300.0;
    kx::CNSignal signal = hictest::MakeHeadSignal(y, kDt, -100);
    KxHicCriteria hic;
    ASSERT_TRUE(hic.Compute(signal, 36.0));
    const hictest::BruteResult brute = hictest::BruteForceHic(y, 100, 699, 360, kDt);
    EXPECT_NEAR(hic.GetValue(), brute.hic, 1e-9 * brute.hic);
    EXPECT_GE(hic.GetT1(), 0.0);
}

TEST(HicCompute, HeaderChecks)
{
    struct Case {
        const char *what;
        std::function<void(kx::CNSignal &)> change;
        Messages expected;
    };
    const std::vector<Case> cases = {
        {"good signal", [](kx::CNSignal &) {}, {}},
        {"X type", [](kx::CNSignal &s) { s.SetXType("FREQUENCY"); }, {"HIC - UDS must have X Type TIME"}},
        {"X units SEC", [](kx::CNSignal &s) { s.SetXUnits("SEC"); }, {}},
        {"X units ms", [](kx::CNSignal &s) { s.SetXUnits("MILLISECONDS"); }, {"HIC - UDS xUnits not SECONDS"}},
        {"time zero before the record",
         [](kx::CNSignal &s) {
             s.SetNFP(5);
             s.SetNLP(804);
         },
         {"HIC - NonStandard X-Axis Span"}},
        {"axis RESULTANT", [](kx::CNSignal &s) { s.SetAxis("RESULTANT"); }, {}},
        {"axis X", [](kx::CNSignal &s) { s.SetAxis("XG"); }, {"HIC -  requires Resultant data(axis RS)"}},
        {"attachment HDCG", [](kx::CNSignal &s) { s.SetSenAtt("HDCG"); }, {}},
        {"attachment nine array",
         [](kx::CNSignal &s) { s.SetSenAtt("HEAD 9 ARRAY - Y ARM"); },
         {"HIC - Warning NAP accelerometer may not be at Head CG"}},
        {"attachment HD9Z",
         [](kx::CNSignal &s) { s.SetSenAtt("HD9Z"); },
         {"HIC - Warning NAP accelerometer may not be at Head CG"}},
        {"attachment chest",
         [](kx::CNSignal &s) { s.SetSenAtt("CHEST"); },
         {"HIC - UDS sensor Attachment not on HEAD"}},
        {"Y units", [](kx::CNSignal &s) { s.SetYUnits("M/S**2"); }, {"HIC - UDS Y Units not G'S"}},
        {"filtered at class 180",
         [](kx::CNSignal &s) {
             s.SetFCut(300.0);
             s.SetFilterClass(180);
         },
         {"HIC - UDS data must be Class 1000"}},
        {"filtered at class 1000",
         [](kx::CNSignal &s) {
             s.SetFCut(1650.0);
             s.SetFilterClass(1000);
         },
         {}},
        {"several at once",
         [](kx::CNSignal &s) {
             s.SetXType("X");
             s.SetAxis("");
             s.SetYUnits("G");
         },
         {"HIC - UDS must have X Type TIME", "HIC -  requires Resultant data(axis RS)", "HIC - UDS Y Units not G'S"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        kx::CNSignal signal = GoodSignal();
        c.change(signal);
        KxHicCriteria hic;
        EXPECT_TRUE(hic.CheckHicSignal(signal));
        EXPECT_EQ(hic.GetMessages(), c.expected);
        // Warnings never stop the run.
        KxHicCriteria run;
        EXPECT_TRUE(run.Compute(signal, 15.0));
    }
}

TEST(HicCompute, InvalidTimeStepStopsTheChecks)
{
    // A header step that is zero, negative or not a finite number.
    for (const double del :
         {0.0, -0.0001, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(del);
        kx::CNSignal signal = GoodSignal();
        signal.SetDel(del);
        signal.SetAxis("X");
        KxHicCriteria hic;
        EXPECT_FALSE(hic.Compute(signal, 15.0));
        EXPECT_EQ(hic.GetMessages(), Messages{"HIC - Invalid Time Step, must have constant time increment - no "
                                              "constant time step: its times are not evenly spaced"});
        EXPECT_EQ(signal.GetHIC(), 0.0);
    }
}

TEST(HicCompute, TimeZeroAfterTheLastSampleFails)
{
    kx::CNSignal signal = hictest::MakeHeadSignal(hictest::HalfSine(300, 50, 100, 80.0), kDt, -400);
    ASSERT_LT(signal.GetNLP(), 0);
    KxHicCriteria hic;
    EXPECT_FALSE(hic.Compute(signal, 15.0));
    EXPECT_EQ(hic.GetMessages(), Messages{"HIC - NonStandard X-Axis Span"});
    EXPECT_EQ(hic.GetValue(), 0.0);
    EXPECT_EQ(signal.GetHICDTUP(), 0.0);
}

TEST(HicCompute, FewerThanTwoSamplesFails)
{
    struct Case {
        std::vector<double> y;
        std::int32_t nfp;
    };
    // One sample at time zero (NFP = NLP = 0 counts no point) and one sample at 1 ms.
    for (const Case &c : {Case{{50.0}, 0}, Case{{50.0}, 10}}) {
        SCOPED_TRACE(c.nfp);
        kx::CNSignal signal = hictest::MakeHeadSignal(c.y, kDt, c.nfp);
        KxHicCriteria hic;
        EXPECT_FALSE(hic.Compute(signal, 15.0));
        EXPECT_EQ(hic.GetMessages(), Messages{"HIC - NonStandard X-Axis Span"});
    }
}

TEST(HicCompute, HeaderCountBeyondTheSamplesFails)
{
    kx::CNSignal signal = hictest::MakeHeadSignal(hictest::HalfSine(300, 50, 100, 80.0), kDt, -20);
    signal.SetNLP(400); // claims 421 points, holds 300 samples
    signal.UpdateNumberOfPoints();
    KxHicCriteria hic;
    EXPECT_FALSE(hic.Compute(signal, 15.0));
    EXPECT_EQ(hic.GetMessages(), Messages{"HIC - NonStandard X-Axis Span"});
    EXPECT_EQ(signal.GetHICDTUP(), 0.0);
}

TEST(HicCompute, WindowShorterThanOneStepFails)
{
    kx::CNSignal signal = GoodSignal();
    KxHicCriteria hic;
    EXPECT_FALSE(hic.Compute(signal, 0.05));
    EXPECT_EQ(hic.GetMessages(), Messages{"HIC - Window is shorter than one time step"});
    EXPECT_EQ(hic.GetValue(), 0.0);
    EXPECT_EQ(signal.GetHICDTUP(), 0.0);
    // One step exactly is a window.
    KxHicCriteria oneStep;
    EXPECT_TRUE(oneStep.Compute(signal, 0.1));
    EXPECT_NEAR(oneStep.GetT2() - oneStep.GetT1(), 0.1, 1e-9);
}

TEST(HicCompute, AFailedRunDoesNotKeepTheEarlierResult)
{
    kx::CNSignal good = GoodSignal();
    KxHicCriteria hic;
    ASSERT_TRUE(hic.Compute(good, 15.0));
    ASSERT_GT(hic.GetValue(), 0.0);
    kx::CNSignal bad = GoodSignal();
    bad.SetDel(0.0);
    EXPECT_FALSE(hic.Compute(bad, 15.0));
    EXPECT_EQ(hic.GetValue(), 0.0);
    EXPECT_EQ(hic.GetT1(), 0.0);
    EXPECT_EQ(hic.GetT2(), 0.0);
}

TEST(HicCompute, UnknownSizeFails)
{
    kx::CNSignal signal = GoodSignal();
    signal.SetOccupant1Size("77");
    KxHicCriteria hic;
    EXPECT_FALSE(hic.Compute(signal, 15.0));
    EXPECT_EQ(hic.GetMessages(), Messages{"Hic - Unknown/NonApplicable Dummy Type"});
    EXPECT_EQ(signal.GetHICDTUP(), 0.0);
}

TEST(HicCriticalValues, StartAtTheAdultLimits)
{
    KxHicCriteria hic;
    EXPECT_EQ(hic.GetCriticalHic36(), 1000.0);
    EXPECT_EQ(hic.GetCriticalHic15(), 700.0);
    EXPECT_EQ(hic.GetCriticalValue(), 1.0);
}

TEST(HicCriticalValues, ByDummyWindowAndPosition)
{
    struct Case {
        const char *type;
        const char *size;
        bool oop;
        double windowMs;
        bool ok;
        double hic36;
        double hic15;
    };
    // Every case starts from P5/50, which sets 1000 / 1000, so "nothing set" shows.
    const Case cases[] = {
        {"H3", "3C", true, 15.0, true, 1000, 570},    {"H3", "6W", true, 15.0, true, 1000, 723},
        {"H3", "05", true, 15.0, true, 1000, 779},    {"H3", "06", true, 15.0, true, 1000, 1000},
        {"H3", "50", true, 15.0, true, 1000, 700},    {"H3", "3C", true, 14.6, true, 1000, 570},
        {"S2", "50", true, 15.0, true, 1000, 779},    {"H3", "3C", true, 36.0, true, 900, 570},
        {"H3", "3C", false, 15.0, true, 900, 570},    {"H3ABCD", "12YR", false, 36.0, true, 660, 390},
        {"CR", "12", false, 36.0, true, 660, 390},    {"CH", "6C", false, 36.0, true, 1000, 700},
        {"WS", "10", false, 36.0, true, 1000, 700},   {"ES", "95", false, 36.0, true, 1000, 700},
        {"ES", "XX", false, 36.0, false, 1000, 1000}, {"P5", "95", false, 36.0, true, 1000, 1000},
        {"PA", "50", false, 36.0, true, 1000, 1000},  {"HY", "50", false, 36.0, true, 1000, 700},
        {"", "", false, 36.0, true, 1000, 700},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.type) + "/" + c.size + (c.oop ? " OOP " : " ") + std::to_string(c.windowMs));
        KxHicCriteria hic;
        ASSERT_TRUE(hic.SetDummy("P5", "50"));
        ASSERT_EQ(hic.GetCriticalHic15(), 1000.0);
        hic.SetOutOfPosition(c.oop);
        kx::CNSignal signal = GoodSignal();
        signal.SetOccupant1Type(c.type);
        signal.SetOccupant1Size(c.size);
        EXPECT_EQ(hic.Compute(signal, c.windowMs), c.ok);
        EXPECT_EQ(hic.GetCriticalHic36(), c.hic36);
        EXPECT_EQ(hic.GetCriticalHic15(), c.hic15);
        EXPECT_EQ(hic.GetMessages().empty(), c.ok);
    }
}

} // namespace
