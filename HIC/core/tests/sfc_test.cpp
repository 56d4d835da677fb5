// Skull fracture correlate: SFC, probability, dummy checks and failed runs.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "HIC/core/KxSkullFractureCorrelate.h"
#include "support/HeadSignal.h"

namespace {

using Messages = std::vector<std::string>;
constexpr double kDt = 0.0001;

double Probability(double sfc)
{
    const double x = std::pow(sfc / 166.0, 5.29);
    return x / (1.0 + x);
}

// A rectangle of `level` G over 10 ms: HIC15 covers it exactly and SFC is the level.
kx::CNSignal Plateau(double level)
{
    return hictest::MakeHeadSignal(hictest::Rectangle(600, 200, 101, level), kDt);
}

TEST(SkullFractureCorrelate, MeanAccelerationOverTheHicInterval)
{
    struct Case {
        double level;
        double hic;
    };
    // 100 G over 10 ms: HIC 1000, SFC (1000 / 0.01)^0.4 = 100.
    for (const Case c :
         {Case{100.0, 1000.0}, Case{166.0, std::pow(166.0, 2.5) * 0.01}, Case{40.0, std::pow(40.0, 2.5) * 0.01}}) {
        SCOPED_TRACE(c.level);
        kx::CNSignal signal = Plateau(c.level);
        KxSkullFractureCorrelate sfc;
        ASSERT_TRUE(sfc.Compute(signal));
        EXPECT_TRUE(sfc.GetMessages().empty());
        EXPECT_NEAR(sfc.GetHic().GetValue(), c.hic, 1e-9 * c.hic);
        EXPECT_NEAR(sfc.GetHic().GetT2() - sfc.GetHic().GetT1(), 10.0, 1e-9);
        EXPECT_NEAR(sfc.GetValue(), c.level, 1e-9);
        EXPECT_NEAR(sfc.GetProbability(), Probability(c.level), 1e-12);
        EXPECT_EQ(sfc.GetCriticalSFC(), 166.0);
        EXPECT_EQ(sfc.GetCriticalValue(), 120.0);
    }
    KxSkullFractureCorrelate atCritical;
    kx::CNSignal signal = Plateau(166.0);
    ASSERT_TRUE(atCritical.Compute(signal));
    EXPECT_NEAR(atCritical.GetProbability(), 0.5, 1e-12);
}

TEST(SkullFractureCorrelate, OnlyTheFiftiethMaleHybridThreeFamily)
{
    struct Case {
        const char *type;
        const char *size;
        bool ok;
        Messages messages;
    };
    const Case cases[] = {
        {"H3", "50", true, {}},
        {"HT", "50", true, {}},
        {"S3", "50", true, {}},
        {"TH", "50M", true, {}},
        {"H3", "05", false, {"SFC - Unknown/NonApplicable Dummy Type"}},
        {"CH", "50", false, {"NonApplicable Dummy Type -CH"}},
        {"HY", "50", false, {"NonApplicable Dummy Type -HY"}},
        {"", "50", false, {"NonApplicable Dummy Type -"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.type) + "/" + c.size);
        kx::CNSignal signal = Plateau(100.0);
        signal.SetOccupant1Type(c.type);
        signal.SetOccupant1Size(c.size);
        KxSkullFractureCorrelate sfc;
        EXPECT_EQ(sfc.Compute(signal), c.ok);
        EXPECT_EQ(sfc.GetMessages(), c.messages);
        EXPECT_EQ(sfc.GetCriticalSFC(), c.ok ? 166.0 : 0.0);
        // A refused dummy computes nothing.
        if (!c.ok) {
            EXPECT_EQ(signal.GetHICDTUP(), 0.0);
        }
    }
}

TEST(SkullFractureCorrelate, ZeroLengthIntervalFailsWithoutEarlierValues)
{
    KxSkullFractureCorrelate sfc;
    kx::CNSignal pulse = Plateau(100.0);
    ASSERT_TRUE(sfc.Compute(pulse));
    ASSERT_GT(sfc.GetProbability(), 0.0);

    kx::CNSignal quiet = hictest::MakeHeadSignal(std::vector<double>(400, 0.0), kDt);
    EXPECT_FALSE(sfc.Compute(quiet));
    EXPECT_EQ(sfc.GetMessages(), Messages{"SFC - HIC interval has zero length"});
    EXPECT_EQ(sfc.GetValue(), 0.0);
    EXPECT_EQ(sfc.GetProbability(), 0.0);
}

TEST(SkullFractureCorrelate, FailedHicExplainsItself)
{
    kx::CNSignal signal = Plateau(100.0);
    signal.SetDel(0.0);
    KxSkullFractureCorrelate sfc;
    EXPECT_FALSE(sfc.Compute(signal));
    EXPECT_EQ(sfc.GetMessages(), Messages{"HIC - Invalid Time Step, must have constant time increment - no constant "
                                          "time step: its times are not evenly spaced"});
    EXPECT_EQ(sfc.GetValue(), 0.0);
}

TEST(SkullFractureCorrelate, ProbabilityCurve)
{
    KxSkullFractureCorrelate sfc;
    EXPECT_TRUE(sfc.ProbabilityCurve(0, 300).empty()); // no critical SFC yet

    ASSERT_TRUE(sfc.SetDummy("H3", "50"));
    const std::vector<double> curve = sfc.ProbabilityCurve(0, 300);
    ASSERT_EQ(curve.size(), 301u);
    EXPECT_EQ(curve.front(), 0.0);
    EXPECT_NEAR(curve[166], 0.5, 1e-12);
    EXPECT_NEAR(curve[100], Probability(100.0), 1e-12);
    for (std::size_t i = 1; i < curve.size(); ++i)
        EXPECT_GT(curve[i], curve[i - 1]);

    EXPECT_EQ(sfc.ProbabilityCurve(120, 120).size(), 1u);
    EXPECT_TRUE(sfc.ProbabilityCurve(10, 9).empty());
}

} // namespace
