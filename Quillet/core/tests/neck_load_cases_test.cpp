// Neck load cases: critical values by dummy, out-of-position and advanced option; peaks.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "Quillet/core/KxNeckCompression.h"
#include "Quillet/core/KxNeckExtension.h"
#include "Quillet/core/KxNeckFlexion.h"
#include "Quillet/core/KxNeckForwardShear.h"
#include "Quillet/core/KxNeckRearShear.h"
#include "Quillet/core/KxNeckTension.h"
#include "support/NeckSignal.h"

namespace {

using Messages = std::vector<std::string>;

struct Case {
    const char *type;
    const char *size;
    bool oop;
    bool advanced;
    bool ok;
    double critical;
};

template <class LoadCase>
void CheckTable(const std::vector<Case> &cases, const std::string &unknownText)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.type) + "/" + c.size + (c.oop ? " OOP" : "") +
                     (c.advanced ? " advanced" : " standard"));
        LoadCase loadCase(c.oop ? 1 : 0);
        loadCase.SetAdvancedCriteria(c.advanced);
        EXPECT_EQ(loadCase.SetDummy(c.type, c.size), c.ok);
        EXPECT_EQ(loadCase.GetCriticalValue(), c.critical);
        EXPECT_EQ(loadCase.GetMessages(), c.ok ? Messages{} : Messages{unknownText});
    }
}

TEST(NeckCriticalValues, Extension)
{
    CheckTable<KxNeckExtension>(
        {
            {"H3", "05", true, true, true, 61},  // picker
            {"H3", "05", true, false, true, 61}, // picker ignores the advanced switch
            {"HY", "05", true, true, true, 61},  // picker refuses HY: row 28 / 61
            {"HY", "05", true, false, true, 28},   {"HY", "05", false, true, true, 67},
            {"S2", "95", true, false, true, 61}, // picker takes every S2
            {"S2", "95", false, false, true, 78},  {"H3", "6C", true, false, true, 37},
            {"H3", "6W", true, false, true, 17}, // picker knows 6C only
            {"H3", "3C", true, false, true, 27},   {"H3", "50", true, false, true, 57},
            {"HY", "12", false, true, true, 17},   {"HY", "12", false, false, true, 12},
            {"HT", "3C", false, true, true, 27},   {"SD", "6W", false, true, true, 37},
            {"E2", "50", false, true, true, 135},  {"ER", "95", false, true, true, 179},
            {"CH", "95", false, false, true, 78},  {"CR", "12", false, true, true, 17},
            {"CR", "50", false, true, true, 1.0}, // CR takes the 12 row only
            {"HY", "10", false, true, true, 1.0}, // no 10 row
            {"P5", "50", false, true, false, 1.0}, {"H", "50", false, true, false, 1.0},
        },
        " Neck Extension - Unknown Dummy Type ");
}

TEST(NeckCriticalValues, Flexion)
{
    CheckTable<KxNeckFlexion>(
        {
            {"H3", "05", true, false, true, 155},
            {"S2", "12", true, false, true, 155},
            {"H3", "6C", true, false, true, 93},
            {"H3", "3C", true, false, true, 68},
            {"HY", "05", true, false, true, 95},
            {"HY", "05", false, true, true, 155},
            {"HY", "12", false, true, true, 43},
            {"HY", "12", false, false, true, 39},
            {"HY", "3C", false, false, true, 46},
            {"HY", "6W", false, false, true, 57},
            {"HY", "50", false, true, true, 310},
            {"HY", "50", false, false, true, 190},
            {"HY", "95", false, true, true, 415},
            {"HY", "95", false, false, true, 258},
            {"XX", "50", false, true, false, 1.0},
        },
        " Neck Flexion - Unknown Dummy Type ");
}

TEST(NeckCriticalValues, Tension)
{
    CheckTable<KxNeckTension>(
        {
            {"H3", "10", false, true, true, 2290},  {"H3", "10", false, false, true, 2300},
            {"H3", "10", true, true, true, 1810}, // picker refuses size 10
            {"S2", "50", true, true, true, 3880},   {"H3", "05", true, false, true, 3880},
            {"H3", "6C", true, false, true, 2800},  {"H3", "3C", true, false, true, 2120},
            {"HY", "3C", true, true, true, 1130},   {"HY", "3C", false, true, true, 1380},
            {"HY", "3C", false, false, true, 1270}, {"HY", "6W", true, true, true, 1490},
            {"HY", "6W", false, true, true, 1890},  {"HY", "05", true, true, true, 2070},
            {"HY", "05", false, true, true, 2620},  {"HY", "05", false, false, true, 2080},
            {"HY", "12", false, true, true, 780},   {"HY", "12", false, false, true, 1150},
            {"HY", "50", false, true, true, 4170},  {"HY", "50", false, false, true, 3300},
            {"HY", "95", false, true, true, 5030},  {"HY", "95", false, false, true, 4052},
            {"ZZ", "50", false, true, false, 1.0},
        },
        " Neck Tension - Unknown Dummy Type ");
}

TEST(NeckCriticalValues, Compression)
{
    CheckTable<KxNeckCompression>(
        {
            {"H3", "05", true, false, true, 3880}, // the tension picker
            {"S2", "3C", true, false, true, 3880},
            {"H3", "6C", true, false, true, 2800},
            {"H3", "3C", true, false, true, 2120},
            {"H3", "10", true, true, true, 2200},
            {"HY", "12", false, true, true, 960},
            {"HY", "12", false, false, true, 1390},
            {"HY", "3C", false, true, true, 1380},
            {"HY", "3C", false, false, true, 1540},
            {"HY", "6C", false, true, true, 1820},
            {"HY", "6C", false, false, true, 1800},
            {"HY", "05", false, true, true, 2520},
            {"HY", "50", false, false, true, 4000},
            {"HY", "95", false, true, true, 4830},
            {"HY", "95", false, false, true, 4912},
            {"QQ", "50", false, true, false, 1.0},
        },
        " Neck Compression - Unknown Dummy Type ");
}

TEST(NeckCriticalValues, ShearHasOneValue)
{
    const std::vector<Case> common = {
        {"HY", "12", false, true, true, 1080},  {"HY", "3C", false, false, true, 1200},
        {"HY", "6C", false, true, true, 1400},  {"HY", "6W", false, true, true, 1400},
        {"HY", "05", false, true, true, 1950},  {"H3", "05", true, true, true, 1950},
        {"HY", "50", false, false, true, 3100}, {"CH", "95", false, true, true, 3807},
        {"CR", "12", false, true, true, 1080},  {"CR", "05", false, true, true, 1.0},
        {"HY", "10", false, true, true, 1.0},   {"S2", "50", false, true, false, 1.0},
    };
    std::vector<Case> rear = common;
    rear.push_back({"ER", "50", false, true, true, 3100});
    CheckTable<KxNeckRearShear>(rear, " Neck RearShear - Unknown Dummy Type ");

    std::vector<Case> forward = common;
    forward.push_back({"ER", "50", false, true, false, 1.0});
    CheckTable<KxNeckForwardShear>(forward, " Neck ForwardShear - Unknown Dummy Type ");

    KxNeckRearShear shear(0);
    shear.SetAdvancedCriteria(false);
    ASSERT_TRUE(shear.SetDummy("HY", "95"));
    EXPECT_EQ(shear.GetAdvancedCriticalValue(), 3807.0);
}

TEST(NeckCriticalValues, SizeWithoutARowKeepsThePreviousValues)
{
    KxNeckExtension extension(0);
    ASSERT_TRUE(extension.SetDummy("HY", "50"));
    ASSERT_EQ(extension.GetCriticalValue(), 135.0);
    EXPECT_TRUE(extension.SetDummy("CR", "3C"));
    EXPECT_EQ(extension.GetCriticalValue(), 135.0);
    extension.SetAdvancedCriteria(false);
    EXPECT_TRUE(extension.SetDummy("CR", "3C"));
    EXPECT_EQ(extension.GetCriticalValue(), 57.0);

    KxNeckForwardShear shear(0);
    ASSERT_TRUE(shear.SetDummy("HY", "50"));
    EXPECT_TRUE(shear.SetDummy("HY", "10"));
    EXPECT_EQ(shear.GetCriticalValue(), 3100.0);
}

TEST(NeckCriticalValues, UnknownTypeFallbacks)
{
    // Extension and the shears reset the critical value only.
    KxNeckExtension extension(0);
    ASSERT_TRUE(extension.SetDummy("HY", "50"));
    EXPECT_FALSE(extension.SetDummy("XX", "50"));
    EXPECT_EQ(extension.GetCriticalValue(), 1.0);
    EXPECT_EQ(extension.GetStandardCriticalValue(), 57.0);
    EXPECT_EQ(extension.GetAdvancedCriticalValue(), 135.0);

    // Tension resets the two table values but keeps the critical value.
    KxNeckTension tension(0);
    ASSERT_TRUE(tension.SetDummy("HY", "50"));
    EXPECT_FALSE(tension.SetDummy("XX", "50"));
    EXPECT_EQ(tension.GetCriticalValue(), 4170.0);
    EXPECT_EQ(tension.GetStandardCriticalValue(), 1.0);
    EXPECT_EQ(tension.GetAdvancedCriticalValue(), 1.0);

    // Compression resets all three.
    KxNeckCompression compression(0);
    ASSERT_TRUE(compression.SetDummy("HY", "50"));
    EXPECT_FALSE(compression.SetDummy("XX", "50"));
    EXPECT_EQ(compression.GetCriticalValue(), 1.0);
    EXPECT_EQ(compression.GetStandardCriticalValue(), 1.0);
    EXPECT_EQ(compression.GetAdvancedCriticalValue(), 1.0);
}

TEST(NeckCriticalValues, Pickers)
{
    struct PickCase {
        const char *type;
        const char *size;
        bool picked;
        double extension;
        double flexion;
        double tension;
    };
    const PickCase cases[] = {
        {"S2", "50", true, 61, 155, 3880}, {"H3", "05", true, 61, 155, 3880}, {"H3", "6C", true, 37, 93, 2800},
        {"H3", "3C", true, 27, 68, 2120},  {"H3", "50", false, 1, 1, 1},      {"H3", "6W", false, 1, 1, 1},
        {"HY", "05", false, 1, 1, 1},
    };
    for (const PickCase &c : cases) {
        SCOPED_TRACE(std::string(c.type) + "/" + c.size);
        KxNeckExtension extension(1);
        KxNeckFlexion flexion(1);
        KxNeckTension tension(1);
        EXPECT_EQ(extension.PickOOPValue(c.type, c.size), c.picked);
        EXPECT_EQ(flexion.PickOOPValue(c.type, c.size), c.picked);
        EXPECT_EQ(tension.PickOOPValue(c.type, c.size), c.picked);
        EXPECT_EQ(extension.GetCriticalValue(), c.extension);
        EXPECT_EQ(flexion.GetCriticalValue(), c.flexion);
        EXPECT_EQ(tension.GetCriticalValue(), c.tension);
    }
}

// ---- Peaks -------------------------------------------------------------------------

struct Outcome {
    bool ok = false;
    double value = 0.0;
    double peakTime = 0.0;
    double critical = 0.0;
    Messages messages;
};

template <class LoadCase>
Outcome RunLoadCase(kx::CNSignal signal)
{
    LoadCase loadCase(0);
    Outcome out;
    out.ok = loadCase.Compute(signal);
    out.value = loadCase.GetValue();
    out.peakTime = loadCase.GetPeakTime();
    out.critical = loadCase.GetCriticalValue();
    out.messages = loadCase.GetMessages();
    return out;
}

// Largest 120 at 3 ms, smallest -80 at 7 ms.
std::vector<double> Swing()
{
    std::vector<double> y(100, 0.0);
    for (int i = 0; i < 100; ++i)
        y[i] = (i % 7) - 3.0;
    y[30] = 120.0;
    y[70] = -80.0;
    return y;
}

TEST(NeckPeaks, EachLoadCaseTakesItsSign)
{
    struct PeakCase {
        const char *name;
        Outcome (*run)(kx::CNSignal);
        const char *axis;
        const char *units;
        int filterClass;
        double value;
        double time;
        double critical; // Hybrid III 50th, advanced criteria
    };
    const PeakCase cases[] = {
        {"flexion", RunLoadCase<KxNeckFlexion>, "YM", "NEWTON-METERS", 600, 120.0, 3.0, 310},
        {"extension", RunLoadCase<KxNeckExtension>, "YM", "NEWTON-METERS", 600, 80.0, 7.0, 135},
        {"forward shear", RunLoadCase<KxNeckForwardShear>, "XF", "NEWTONS", 1000, 120.0, 3.0, 3100},
        {"rear shear", RunLoadCase<KxNeckRearShear>, "XF", "NEWTONS", 1000, 80.0, 7.0, 3100},
        {"tension", RunLoadCase<KxNeckTension>, "ZF", "NEWTONS", 1000, 120.0, 3.0, 4170},
        {"compression", RunLoadCase<KxNeckCompression>, "ZF", "NEWTONS", 1000, 80.0, 7.0, 4000},
    };
    for (const PeakCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome out = c.run(necktest::MakeNeckSignal(c.axis, c.units, Swing(), c.filterClass));
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.value, c.value);
        EXPECT_NEAR(out.peakTime, c.time, 1e-9);
        EXPECT_EQ(out.critical, c.critical);
        EXPECT_TRUE(out.messages.empty());
    }
}

TEST(NeckPeaks, PeakOfTheWrongSignIsZero)
{
    const std::vector<double> positive{1.0, 5.0, 3.0, 2.0};
    EXPECT_EQ(RunLoadCase<KxNeckExtension>(necktest::MakeNeckSignal("Y", "NWM", positive)).value, 0.0);
    EXPECT_EQ(RunLoadCase<KxNeckCompression>(necktest::MakeNeckSignal("Z", "NWT", positive, 1000)).value, 0.0);
    const std::vector<double> negative{-1.0, -5.0, -3.0};
    EXPECT_EQ(RunLoadCase<KxNeckFlexion>(necktest::MakeNeckSignal("Y", "NWM", negative)).value, 0.0);
}

TEST(NeckPeaks, WrongAxisWarnsButComputes)
{
    struct AxisCase {
        const char *name;
        Outcome (*run)(kx::CNSignal);
        const char *axis;
        const char *warning;
    };
    const AxisCase cases[] = {
        {"flexion", RunLoadCase<KxNeckFlexion>, "Z", "Warning - Neck Flexion should be Y axis"},
        {"extension", RunLoadCase<KxNeckExtension>, "X", "Warning - Neck Extension should be Y axis"},
        {"forward shear", RunLoadCase<KxNeckForwardShear>, "Y", "Warning - Neck ForwardShear should be X axis"},
        {"rear shear", RunLoadCase<KxNeckRearShear>, "Z", "Warning - Neck RearShear should be X axis"},
        {"tension", RunLoadCase<KxNeckTension>, "X", "Warning - Neck Tension should be Z axis"},
        {"compression", RunLoadCase<KxNeckCompression>, "Y", "Warning - Neck Compression should be Z axis"},
    };
    for (const AxisCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome out = c.run(necktest::MakeNeckSignal(c.axis, "NEWTONS", Swing(), 600));
        EXPECT_TRUE(out.ok);
        EXPECT_GT(out.value, 0.0);
        EXPECT_EQ(out.messages, Messages{c.warning});
    }
}

TEST(NeckPeaks, UnknownDummyStillFindsThePeakButFails)
{
    kx::CNSignal signal = necktest::MakeNeckSignal("Y", "NWM", Swing());
    signal.SetOccupant1Type("P5");
    const Outcome out = RunLoadCase<KxNeckFlexion>(signal);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.value, 120.0);
    EXPECT_EQ(out.messages, Messages{" Neck Flexion - Unknown Dummy Type "});
}

// A sample that is not finite refuses the run, naming its time, in every load case.
TEST(NeckPeaks, NonFiniteSampleRefusesTheRun)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Bad {
        std::size_t at;
        double value;
        const char *text;
    };
    Outcome (*const runs[])(kx::CNSignal) = {RunLoadCase<KxNeckFlexion>,      RunLoadCase<KxNeckExtension>,
                                             RunLoadCase<KxNeckForwardShear>, RunLoadCase<KxNeckRearShear>,
                                             RunLoadCase<KxNeckTension>,      RunLoadCase<KxNeckCompression>};
    for (const Bad &bad :
         {Bad{30, inf, "(inf) at 3 ms"}, Bad{50, -inf, "(-inf) at 5 ms"}, Bad{0, nan, "(nan) at 0 ms"}}) {
        for (auto run : runs) {
            SCOPED_TRACE(bad.text);
            std::vector<double> y = Swing();
            y[bad.at] = bad.value;
            const Outcome out = run(necktest::MakeNeckSignal("ZF", "NEWTONS", y, 1000));
            EXPECT_FALSE(out.ok);
            EXPECT_EQ(out.value, 0.0);
            ASSERT_FALSE(out.messages.empty());
            EXPECT_EQ(out.messages.back(),
                      std::string("Neck Injury - Signal has a sample that is not a finite number ") + bad.text);
        }
    }
}

TEST(NeckPeaks, EmptySignalFails)
{
    KxNeckTension tension(0);
    kx::CNSignal empty = necktest::MakeNeckSignal("Z", "NWT", {});
    EXPECT_FALSE(tension.Compute(empty));
    EXPECT_EQ(tension.GetValue(), 0.0);
}

TEST(NeckPeaks, AFailedRunDoesNotKeepTheEarlierPeak)
{
    KxNeckTension tension(0);
    kx::CNSignal good = necktest::MakeNeckSignal("Z", "NWT", Swing(), 1000);
    ASSERT_TRUE(tension.Compute(good));
    ASSERT_EQ(tension.GetValue(), 120.0);
    kx::CNSignal noStep = necktest::MakeNeckSignal("Z", "NWT", Swing(), 1001);
    noStep.SetDel(0.0); // the filter refuses a signal without a time step
    EXPECT_FALSE(tension.Compute(noStep));
    EXPECT_EQ(tension.GetValue(), 0.0);
    EXPECT_EQ(tension.GetPeakTime(), 0.0);
    EXPECT_EQ(tension.GetMessages().back(),
              "Nonpositive time step - no constant time step: its times are not evenly spaced");
}

TEST(NeckPeaks, UnfilteredSignalIsFilteredAtTheLoadCaseClass)
{
    kx::CNSignal signal = necktest::MakeNeckSignal("Y", "NWM", Swing(), 1001);
    KxNeckFlexion flexion(0);
    EXPECT_TRUE(flexion.Compute(signal));
    EXPECT_EQ(signal.GetFilterClass(), 600);
    EXPECT_GT(flexion.GetValue(), 0.0);
    EXPECT_LT(flexion.GetValue(), 120.0); // the spike is smoothed
}

} // namespace
