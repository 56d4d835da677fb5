// Neck header checks, the condyle offset table and the condyle correction.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Quillet/core/KxNeck208.h"
#include "support/NeckSignal.h"

namespace {

using Messages = std::vector<std::string>;

kx::CNSignal Force(const std::vector<double> &y = {10.0, 20.0, 30.0})
{
    return necktest::MakeNeckSignal("X", "NEWTONS", y);
}

kx::CNSignal Moment(const std::vector<double> &y = {1.0, 2.0, 3.0})
{
    return necktest::MakeNeckSignal("Y", "NEWTON-METERS", y);
}

TEST(NeckSignalCheck, WarningsByHeaderField)
{
    struct Case {
        const char *what;
        std::function<void(kx::CNSignal &)> change;
        Messages expected;
    };
    const std::vector<Case> cases = {
        {"upper neck", [](kx::CNSignal &) {}, {}},
        {"NEKU", [](kx::CNSignal &s) { s.SetSenAtt("NEKU"); }, {}},
        {"lower neck", [](kx::CNSignal &s) { s.SetSenAtt("NECK - LOWER"); }, {}},
        {"NEKL", [](kx::CNSignal &s) { s.SetSenAtt("NEKL"); }, {}},
        {"NECK", [](kx::CNSignal &s) { s.SetSenAtt("NECK"); }, {}},
        {"NECK-UPPER without blanks",
         [](kx::CNSignal &s) { s.SetSenAtt("NECK-UPPER"); },
         {"Warning - Neck Injury, UDS sensor Attachment not Neck"}},
        {"X type", [](kx::CNSignal &s) { s.SetXType("ANGLE"); }, {"Warning - Neck Injury, UDS must have X Type TIME"}},
        {"X units SECOND", [](kx::CNSignal &s) { s.SetXUnits("SECOND"); }, {}},
        {"X units ms", [](kx::CNSignal &s) { s.SetXUnits("MSEC"); }, {"Warning - Neck Injury, UDS xUnits not SECONDS"}},
        {"no axis", [](kx::CNSignal &s) { s.SetAxis(""); }, {"Warning - Neck Injury, Axis not specified"}},
        {"all four",
         [](kx::CNSignal &s) {
             s.SetXType("");
             s.SetXUnits("");
             s.SetAxis("");
             s.SetSenAtt("");
         },
         {"Warning - Neck Injury, UDS must have X Type TIME", "Warning - Neck Injury, UDS xUnits not SECONDS",
          "Warning - Neck Injury, Axis not specified", "Warning - Neck Injury, UDS sensor Attachment not Neck"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        kx::CNSignal signal = Force();
        c.change(signal);
        KxNeck208 neck;
        EXPECT_TRUE(neck.CheckNeckSignal(signal));
        EXPECT_EQ(neck.GetMessages(), c.expected);
    }
}

TEST(NeckSignalCheck, OnlyAnEmptySignalFails)
{
    KxNeck208 neck;
    EXPECT_FALSE(neck.CheckNeckSignal(necktest::MakeNeckSignal("X", "NEWTONS", {})));
    EXPECT_TRUE(neck.GetMessages().empty());
}

TEST(CondyleOffset, TableByDummyTypeAndSize)
{
    struct Case {
        const char *type;
        const char *size;
        double offset;
    };
    const Case cases[] = {
        {"HY", "05", 0.01778}, {"HT", "50", 0.01778},    {"S3", "95", 0.01778}, {"SD", "6C", 0.01778},
        {"S2", "6W", 0.01778}, {"H3", "50", 0.01778},    {"H3", "3C", 0.0},     {"HY", "3C", 0.0},
        {"H3", "06", 0.0102},  {"H3", "12", 0.0058},     {"SD", "18", 0.0058},  {"H3", "10", 0.0},
        {"CR", "06", 0.0102},  {"CR", "12", 0.0058},     {"CR", "18", 0.0058},  {"CR", "50", 0.0},
        {"CH", "3C", 0.0},     {"CH", "6C", 0.01778},    {"CH", "6W", 0.01778}, {"CH", "05", 0.0},
        {"ES", "50", 0.02},    {"E2", "", 0.02},         {"ER", "XX", 0.02},    {"P5", "50", 0.0},
        {"", "", 0.0},         {"H3M", "50TH", 0.01778},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.type) + "/" + c.size);
        KxNeck208 neck;
        neck.SetDummyType(c.type);
        neck.SetDummySize(c.size);
        EXPECT_EQ(neck.CondyleOffset(1.0), c.offset);
        EXPECT_EQ(neck.CondyleOffset(-1.0), -c.offset);
        EXPECT_EQ(KxNeck208::CondyleOffsetFor(c.type, c.size), c.offset);
    }
}

TEST(CondyleSetup, SignByMomentAxis)
{
    KxNeck208 neck;
    double offset = 0.0;
    EXPECT_TRUE(neck.CondyleSetup(Moment(), Force(), offset));
    EXPECT_EQ(offset, -0.01778);
    EXPECT_EQ(neck.GetDummyType(), "H3");
    EXPECT_EQ(neck.GetDummySize(), "50");
    EXPECT_TRUE(neck.GetMessages().empty());

    kx::CNSignal momentX = necktest::MakeNeckSignal("XM", "NEWTON-METERS", {1.0, 2.0, 3.0});
    kx::CNSignal forceY = necktest::MakeNeckSignal("YF", "NWT", {1.0, 2.0, 3.0});
    EXPECT_TRUE(neck.CondyleSetup(momentX, forceY, offset));
    EXPECT_EQ(offset, 0.01778);
}

TEST(CondyleCompatibleCheck, MessagesAndAxes)
{
    struct Case {
        const char *what;
        std::function<void(kx::CNSignal &moment, kx::CNSignal &force)> change;
        bool ok;
        Messages expected;
    };
    const std::vector<Case> cases = {
        {"matching pair", [](kx::CNSignal &, kx::CNSignal &) {}, true, {}},
        {"types",
         [](kx::CNSignal &m, kx::CNSignal &) { m.SetOccupant1Type("HY"); },
         true,
         {"CondyleCompatibleCheck - Occupant Types Do not match"}},
        {"sizes",
         [](kx::CNSignal &, kx::CNSignal &f) { f.SetOccupant1Size("05"); },
         true,
         {"CondyleCompatibleCheck - Dummy Sizes Do not match"}},
        {"moment attachment",
         [](kx::CNSignal &m, kx::CNSignal &) { m.SetSenAtt("NECK - LOWER"); },
         true,
         {"CondyleCompatibleCheck - Senatt for Moment should be NECK - UPPER"}},
        {"force attachment",
         [](kx::CNSignal &, kx::CNSignal &f) { f.SetSenAtt("NECK"); },
         true,
         {"CondyleCompatibleCheck - Senatt for Force should be NECK - UPPER"}},
        {"force units",
         [](kx::CNSignal &, kx::CNSignal &f) { f.SetYUnits("POUNDS"); },
         true,
         {"CondyleCompatibleCheck - Force units should be NEWTON"}},
        {"moment units",
         [](kx::CNSignal &m, kx::CNSignal &) { m.SetYUnits("NEWTONS"); },
         true,
         {"CondyleCompatibleCheck - Moment units should be NEWTON-METERS"}},
        {"short codes",
         [](kx::CNSignal &m, kx::CNSignal &f) {
             m.SetYUnits("NWM");
             f.SetYUnits("NWT");
             m.SetSenAtt("NEKU");
             f.SetSenAtt("NEKU");
         },
         true,
         {}},
        {"moment X with force Y",
         [](kx::CNSignal &m, kx::CNSignal &f) {
             m.SetAxis("X");
             f.SetAxis("Y");
         },
         true,
         {}},
        {"both on X",
         [](kx::CNSignal &m, kx::CNSignal &) { m.SetAxis("X"); },
         false,
         {"CondyleCompatibleCheck - Incorrect Axes for Moment/Force Combination"}},
        {"force on Z",
         [](kx::CNSignal &, kx::CNSignal &f) { f.SetAxis("Z"); },
         false,
         {"CondyleCompatibleCheck - Incorrect Axes for Moment/Force Combination"}},
        {"no force axis",
         [](kx::CNSignal &, kx::CNSignal &f) { f.SetAxis(""); },
         true,
         {"CondyleCompatibleCheck - No Axes specfied for Moment/Force Combination"}},
        {"units and axes",
         [](kx::CNSignal &m, kx::CNSignal &f) {
             f.SetYUnits("LBF");
             m.SetAxis("Z");
         },
         false,
         {"CondyleCompatibleCheck - Force units should be NEWTON",
          "CondyleCompatibleCheck - Incorrect Axes for Moment/Force Combination"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        kx::CNSignal moment = Moment();
        kx::CNSignal force = Force();
        c.change(moment, force);
        KxNeck208 neck;
        EXPECT_EQ(neck.CondyleCompatibleCheck(moment, force), c.ok);
        EXPECT_EQ(neck.GetMessages(), c.expected);
    }
}

TEST(CondyleCorrection, AddsOffsetTimesForce)
{
    kx::CNSignal moment = Moment({1.0, -2.0, 3.0});
    KxNeck208 neck;
    EXPECT_TRUE(neck.CondyleCorrection(moment, Force({10.0, 20.0, -30.0}), 0.1));
    ASSERT_EQ(moment.GetY().size(), 3u);
    EXPECT_DOUBLE_EQ(moment.GetY()[0], 2.0);
    EXPECT_DOUBLE_EQ(moment.GetY()[1], 0.0);
    EXPECT_DOUBLE_EQ(moment.GetY()[2], 0.0);
    EXPECT_DOUBLE_EQ(moment.GetYMax(), 2.0);
    EXPECT_DOUBLE_EQ(moment.GetYMin(), 0.0);
    EXPECT_EQ(moment.GetStatus(), "CORRECTED FOR CONDYLE OFFSET");
    EXPECT_TRUE(neck.GetMessages().empty());
}

TEST(CondyleCorrection, ZeroOffsetKeepsValuesButMarksTheSignal)
{
    kx::CNSignal moment = Moment();
    KxNeck208 neck;
    EXPECT_TRUE(neck.CondyleCorrection(moment, Force(), 0.0));
    EXPECT_EQ(moment.GetY(), (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_EQ(moment.GetStatus(), "CORRECTED FOR CONDYLE OFFSET");
}

TEST(CondyleCorrection, InconsistentPointCountsLeaveTheMoment)
{
    kx::CNSignal moment = Moment();
    KxNeck208 neck;
    EXPECT_FALSE(neck.CondyleCorrection(moment, Force({1.0, 2.0, 3.0, 4.0}), 0.5));
    EXPECT_EQ(neck.GetMessages(), Messages{"CondyleCorrection - Inconsistent number of Data Points, 3 and 4"});
    EXPECT_EQ(moment.GetY(), (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_TRUE(moment.GetStatus().empty());

    // A missing force signal (no points at all) is the same finding.
    KxNeck208 noForce;
    EXPECT_FALSE(noForce.CondyleCorrection(moment, kx::CNSignal(), 0.5));
    EXPECT_EQ(noForce.GetMessages(), Messages{"CondyleCorrection - Inconsistent number of Data Points, 3 and 0"});
}

TEST(CondyleCorrection, HeaderCountBeyondTheSamplesIsRefused)
{
    kx::CNSignal moment = Moment();
    kx::CNSignal force = Force({1.0, 2.0});
    // Header claims three points while only two samples are held.
    force.SetNLP(2);
    force.UpdateNumberOfPoints();
    KxNeck208 neck;
    EXPECT_FALSE(neck.CondyleCorrection(moment, force, 0.5));
    EXPECT_EQ(neck.GetMessages(), Messages{"CondyleCorrection - Inconsistent number of Data Points, 3 and 2"});
    EXPECT_EQ(moment.GetY(), (std::vector<double>{1.0, 2.0, 3.0}));
}

} // namespace
