#include "Quillet/document/CQuilletDoc.h"

#include "platform/CSettings.h"
#include "signal/tests/UdsTestFile.h"
#include "support/QuilletTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

using namespace quillet;
using namespace quillettest;
namespace fs = std::filesystem;

namespace {

bool Contains(const std::vector<std::string> &list, const std::string &part)
{
    return std::any_of(list.begin(), list.end(),
                       [&part](const std::string &text) { return text.find(part) != std::string::npos; });
}

// The moment and force as the document filters them, read back through the library.
kx::CNSignal Filtered(const std::string &path, int channelClass)
{
    kx::CNSignal s;
    s.LoadUDSFile(path);
    s.Filter(channelClass);
    return s;
}

class DocTest : public ::testing::Test {
protected:
    DocTest()
        : doc(&ui, settings.Program())
    {
        QObject::connect(&doc, &CQuilletDoc::Updated, [this](UpdateHint hint) { hints.push_back(hint); });
    }

    std::string Uds(const std::string &name, const NeckSignal &s)
    {
        const std::string path = folder.File(name);
        WriteNeckUds(path, s);
        return path;
    }
    void Open(const std::string &path, CNeckOptions options = {}, int filterIndex = 1)
    {
        CNeckFileChoice choice;
        choice.options = options;
        choice.filterIndex = filterIndex;
        choice.path = path;
        ui.openChoices.push_back(choice);
        doc.OnFileOpen();
    }
    static NeckSignal Force()
    {
        NeckSignal f;
        f.axis = "X";
        f.yUnits = "NEWTONS";
        f.peak = 900.0;
        f.offset = 300.0;
        return f;
    }
    static NeckSignal Axial()
    {
        NeckSignal a;
        a.axis = "Z";
        a.yUnits = "NEWTONS";
        a.peak = 2000.0;
        return a;
    }

    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CQuilletDoc doc;
    std::vector<UpdateHint> hints;
};

} // namespace

// ---- moment with its force ------------------------------------------------------

TEST_F(DocTest, MomentIsCorrectedWithItsForceBySignOfTheCoordinateSystem)
{
    const std::string moment = Uds("neck_my.uds", NeckSignal{});
    const std::string force = Uds("neck_fx.uds", Force());
    const kx::CNSignal m = Filtered(moment, 600);
    const kx::CNSignal f = Filtered(force, 600);

    for (const bool sae : {true, false}) {
        SCOPED_TRACE(sae ? "SAE" : "not SAE");
        ui.forces.push_back({force, 0});
        CNeckOptions options;
        options.saeCoordinates = sae;
        Open(moment, options);

        ASSERT_TRUE(doc.IsResultReady());
        EXPECT_EQ(doc.GetMeasurement(), CQuilletDoc::Moment);
        const double c = sae ? -0.01778 : 0.01778;
        const std::vector<double> &y = doc.GetPlotY();
        ASSERT_EQ(y.size(), m.GetY().size());
        double maxDiff = 0.0;
        for (std::size_t i = 0; i < y.size(); ++i)
            maxDiff = std::max(maxDiff, std::fabs(y[i] - (m.GetY()[i] + c * f.GetY()[i])));
        EXPECT_LT(maxDiff, 1e-6);
        // The uncorrected twin is drawn beside it.
        EXPECT_EQ(doc.GetPlotYOriginal().size(), y.size());
        // Flexion first, extension second, both on the standard limits of a 50th male.
        EXPECT_NEAR(doc.GetFirstValue(), *std::max_element(y.begin(), y.end()), 1e-9);
        EXPECT_NEAR(doc.GetSecondValue(), -*std::min_element(y.begin(), y.end()), 1e-9);
        EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), 190.0);
        EXPECT_DOUBLE_EQ(doc.GetSecondCritical(), 57.0);
        EXPECT_EQ(doc.GetTitle(), "neck_my.uds - Neck Moment");
        EXPECT_EQ(doc.GetSubTitle().rfind("Flexion ", 0), 0u);
        EXPECT_TRUE(Contains(doc.GetMessages(), "Advanced Criteria do not apply for Extension/Flexion"));
    }
    EXPECT_EQ(ui.forceCalls, 2);
    EXPECT_EQ(hints, (std::vector<UpdateHint>{CQuilletDoc::HintResult, CQuilletDoc::HintResult}));
}

TEST_F(DocTest, ForceOnTheWrongAxisAsksForTheOffset)
{
    // A Z force cannot correct a Y moment: the user types the offset, starting from zero.
    const std::string moment = Uds("neck_my.uds", NeckSignal{});
    NeckSignal wrong = Force();
    wrong.axis = "Z";
    const std::string force = Uds("neck_fz.uds", wrong);
    const kx::CNSignal m = Filtered(moment, 600);
    const kx::CNSignal f = Filtered(force, 600);

    ui.forces.push_back({force, 0});
    ui.offsets.push_back(0.02);
    Open(moment);
    ASSERT_TRUE(doc.IsResultReady());
    EXPECT_EQ(ui.offsetOffered, (std::vector<double>{0.0}));
    EXPECT_TRUE(Contains(doc.GetMessages(), "Incorrect Axes for Moment/Force Combination"));
    const std::vector<double> &y = doc.GetPlotY();
    ASSERT_EQ(y.size(), m.GetY().size());
    for (std::size_t i = 0; i < y.size(); i += 23)
        EXPECT_NEAR(y[i], m.GetY()[i] + 0.02 * f.GetY()[i], 1e-6);

    // Cancel stops the run: no result.
    ui.forces.push_back({force, 0});
    Open(moment);
    EXPECT_FALSE(doc.IsResultReady());
    EXPECT_EQ(ui.offsetOffered.size(), 2u);
}

TEST_F(DocTest, BlankForceNameAfterAForceFileLeavesTheMomentUncorrected)
{
    const std::string moment = Uds("neck_my.uds", NeckSignal{});
    const std::string force = Uds("neck_fx.uds", Force());
    ui.forces.push_back({force, 0});
    Open(moment);
    ASSERT_TRUE(doc.IsResultReady());
    ASSERT_FALSE(doc.GetForce().GetY().empty());

    ui.forces.push_back({"   ", 0});
    Open(moment);
    ASSERT_TRUE(doc.IsResultReady());
    EXPECT_TRUE(doc.GetForce().GetY().empty());
    // The dialog offers the last force file again, but no force is used.
    EXPECT_EQ(ui.forceOffered.back(), force);
    EXPECT_TRUE(Contains(doc.GetMessages(), "Inconsistent number of Data Points"));
    const kx::CNSignal m = Filtered(moment, 600);
    ASSERT_EQ(doc.GetPlotY().size(), m.GetY().size());
    for (std::size_t i = 0; i < m.GetY().size(); i += 37)
        EXPECT_NEAR(doc.GetPlotY()[i], m.GetY()[i], 1e-9);
}

TEST_F(DocTest, ForceOnAnotherTimeAxisIsNotApplied)
{
    const std::string moment = Uds("neck_my.uds", NeckSignal{});
    NeckSignal shifted = Force();
    shifted.firstPoint = 0; // same count, later start
    NeckSignal slower = Force();
    slower.step = 2.0e-4; // same count, other step
    for (const NeckSignal &f : {shifted, slower}) {
        ui.forces.push_back({Uds("force.uds", f), 0});
        Open(moment);
        ASSERT_TRUE(doc.IsResultReady());
        EXPECT_TRUE(Contains(doc.GetMessages(), "Time step or first point of Moment and Force differ"));
        const kx::CNSignal m = Filtered(moment, 600);
        EXPECT_NEAR(doc.GetPlotY()[100], m.GetY()[100], 1e-9);
    }
}

TEST_F(DocTest, CancelledForceDialogGivesNoResult)
{
    Open(Uds("neck_my.uds", NeckSignal{}));
    EXPECT_FALSE(doc.IsResultReady());
    EXPECT_TRUE(doc.GetPlotY().empty());
    EXPECT_EQ(hints, (std::vector<UpdateHint>{CQuilletDoc::HintResult}));
}

// ---- deciding the measurement ----------------------------------------------------

TEST_F(DocTest, UnknownAxisAfterAGoodFileLeavesNothingOfTheGoodOne)
{
    NeckSignal shear = Axial();
    shear.axis = "X";
    Open(Uds("neck_fx.uds", shear));
    ASSERT_TRUE(doc.IsResultReady());
    EXPECT_EQ(doc.GetTitle(), "neck_fx.uds - Neck Shear");
    EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), 3100.0);

    NeckSignal odd = Axial();
    odd.axis = "RS";
    Open(Uds("neck_rs.uds", odd));
    EXPECT_FALSE(doc.IsResultReady());
    EXPECT_TRUE(doc.GetTitle().empty());
    EXPECT_TRUE(doc.GetSubTitle().empty());
    EXPECT_TRUE(doc.GetPlotX().empty());
    EXPECT_DOUBLE_EQ(doc.GetFirstValue(), 0.0);
    EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), 0.0);
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_TRUE(Contains(ui.errorLists[0], "Unknown Neck Measurement Axis RS"));
    EXPECT_FALSE(Contains(ui.errorLists[0], "Advanced Criteria do not apply for Shear"));
}

TEST_F(DocTest, AxialLoadTakesCompressionFirstAndTensionSecond)
{
    Open(Uds("neck_fz.uds", Axial()));
    ASSERT_TRUE(doc.IsResultReady());
    EXPECT_EQ(doc.GetMeasurement(), CQuilletDoc::Axial);
    EXPECT_EQ(doc.GetTitle(), "neck_fz.uds - Neck Axial Load");
    EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), 4000.0);  // compression, advanced
    EXPECT_DOUBLE_EQ(doc.GetSecondCritical(), 4170.0); // tension, advanced
    EXPECT_NEAR(doc.GetFirstValue(), 2000.0, 20.0);
    EXPECT_NEAR(doc.GetSecondValue(), 2000.0, 20.0);
    EXPECT_EQ(doc.GetSubTitle().rfind("Compression ", 0), 0u);
}

// A value computed from samples stored as NaN (read as 0) comes with a warning per file.
TEST_F(DocTest, SamplesStoredAsNaNAreReportedWithTheResult)
{
    // The tension peak of the axial load is at sample 100.
    const std::string axial = Uds("neck_fz.uds", Axial());
    kx::test::StoreNaNSamples(axial, {99, 100, 101});
    Open(axial);
    ASSERT_TRUE(doc.IsResultReady());
    EXPECT_NEAR(doc.GetSecondValue(), 2000.0, 20.0);
    EXPECT_EQ(ui.errorLists,
              (std::vector<std::vector<std::string>>{{axial + ": 3 samples stored as NaN were read as 0"}}));

    // The moment and the force that corrects it are each reported.
    const std::string moment = Uds("neck_my.uds", NeckSignal{});
    const std::string force = Uds("neck_fx.uds", Force());
    kx::test::StoreNaNSamples(moment, {5});
    kx::test::StoreNaNSamples(force, {6, 7});
    ui.errorLists.clear();
    ui.forces.push_back({force, 0});
    Open(moment);
    ASSERT_TRUE(doc.IsResultReady());
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_TRUE(Contains(ui.errorLists[0], moment + ": 1 sample stored as NaN was read as 0"));
    EXPECT_TRUE(Contains(ui.errorLists[0], force + ": 2 samples stored as NaN were read as 0"));

    // A clean file shows no list with its result.
    ui.errorLists.clear();
    Open(Uds("clean.uds", Axial()));
    ASSERT_TRUE(doc.IsResultReady());
    EXPECT_TRUE(ui.errorLists.empty());
}

// An "X-Y" file's own times decide its step; without one, or out of order, it is refused
// with its name and the cause. Infinite samples are reported with the file.
TEST_F(DocTest, XYFileComputesOnItsOwnTimesOrIsRefusedNamingIt)
{
    NeckSignal unfilteredY = Axial();
    unfilteredY.preFilter = 0.0;
    const std::string reference = Uds("neck_fz.uds", unfilteredY);
    Open(reference);
    ASSERT_TRUE(doc.IsResultReady());
    const double first = doc.GetFirstValue();
    const double second = doc.GetSecondValue();

    std::vector<double> even, uneven;
    double ms = -2.0;
    for (int i = 0; i < 400; ++i) {
        even.push_back(static_cast<float>((i - 20) * 1e-4));
        uneven.push_back(static_cast<float>(ms / 1000.0));
        ms += i % 2 == 0 ? 0.1 : 0.3;
    }
    std::vector<double> backwards = even;
    std::swap(backwards[100], backwards[101]);
    // Unfiltered (PREFIL 0), each is filtered by the load cases, which needs a step.
    struct Case {
        const char *what;
        std::vector<double> x;
        double step;
        std::string refusal; // empty: computes as the "Y" file does
    } cases[] = {
        {"0.1 ms apart, DEL 0", even, 0.0, ""},
        {"0.1 and 0.3 ms apart, DEL 0.1 ms", uneven, 1e-4,
         ": Nonpositive time step - no constant time step: its times are not evenly spaced"},
        {"a time that goes backwards", backwards, 1e-4, ": X axis data is not monotonically increasing"},
    };
    NeckSignal unfiltered = Axial();
    unfiltered.preFilter = 0.0;
    int k = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        NeckSignal axial = unfiltered;
        axial.x = c.x;
        axial.step = c.step;
        axial.firstPoint = 0;
        const std::string path = Uds("xy" + std::to_string(k++) + "_fz.uds", axial);
        ui.errorLists.clear();
        Open(path);
        if (c.refusal.empty()) {
            ASSERT_TRUE(doc.IsResultReady());
            EXPECT_NEAR(doc.GetFirstValue(), first, 1e-6 * std::fabs(first));
            EXPECT_NEAR(doc.GetSecondValue(), second, 1e-6 * std::fabs(second));
            continue;
        }
        EXPECT_FALSE(doc.IsResultReady());
        ASSERT_EQ(ui.errorLists.size(), 1u);
        EXPECT_TRUE(Contains(ui.errorLists[0], path + c.refusal)) << ::testing::PrintToString(ui.errorLists[0]);
    }

    const std::string infinite = Uds("inf_fz.uds", Axial());
    kx::test::StoreInfiniteSamples(infinite, {3});
    ui.errorLists.clear();
    Open(infinite);
    ASSERT_FALSE(ui.errorLists.empty());
    EXPECT_TRUE(Contains(ui.errorLists[0], infinite + ": 1 sample is infinite"));
}

TEST_F(DocTest, LoadCasesAreFreshForEveryFile)
{
    NeckSignal crabi = Axial();
    crabi.occupantType = "CR";
    crabi.occupantSize = "06";
    CQuilletDoc fresh(&ui, settings.Program());
    CNeckFileChoice choice;
    choice.path = Uds("crabi.uds", crabi);
    ui.openChoices.push_back(choice);
    fresh.OnFileOpen();

    Open(Uds("adult.uds", Axial()));
    ASSERT_DOUBLE_EQ(doc.GetSecondCritical(), 4170.0);
    Open(choice.path);
    EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), fresh.GetFirstCritical());
    EXPECT_DOUBLE_EQ(doc.GetSecondCritical(), fresh.GetSecondCritical());
    EXPECT_NE(doc.GetSecondCritical(), 4170.0);
}

TEST_F(DocTest, OutOfPositionTitleOrOptionPicksTheOutOfPositionLimits)
{
    // A 5th female in tension: 2620 normally (advanced), 3880 out of position.
    NeckSignal female = Axial();
    female.occupantSize = "05";
    const std::string normal = Uds("normal.uds", female);
    female.title = "OOP TEST";
    const std::string marked = Uds("marked.uds", female);
    CNeckOptions oop;
    oop.outOfPosition = true;
    struct Case {
        std::string path;
        CNeckOptions options;
        double tension;
    };
    for (const Case &c : {Case{normal, {}, 2620.0}, Case{marked, {}, 3880.0}, Case{normal, oop, 3880.0}}) {
        Open(c.path, c.options);
        ASSERT_TRUE(doc.IsResultReady());
        EXPECT_DOUBLE_EQ(doc.GetSecondCritical(), c.tension) << c.path;
    }
}

// ---- the header not trusted: a dummy chosen by hand -----------------------------

TEST_F(DocTest, AsciiFileWithAChosenDummyIsPutOnItsStepAndComputed)
{
    // Uneven times starting off the grid; one tension peak of 1500 N.
    std::string text;
    for (int i = 0; i < 300; ++i) {
        const double t = 0.00013 + i * 1.0e-4 + ((i % 3) - 1) * 2.0e-6;
        const double y = 1500.0 * std::sin(3.14159265358979 * i / 299.0);
        text += std::to_string(t) + " " + std::to_string(y) + "\n";
    }
    const std::string ascii = folder.File("neck_fz.txt");
    WriteText(ascii, text);
    CNeckOptions manual;
    manual.checkUds = false;

    struct Case {
        int dummy;
        std::string type, size;
        double typed1, typed2;
        double critical1, critical2;
    };
    const Case cases[] = {
        {4, "HY", "50", 0.0, 0.0, 4000.0, 4170.0},
        {3, "HY", "05", 0.0, 0.0, 2520.0, 2620.0},
        {CQuilletDoc::OtherDummy, "OT", "OT", 1234.0, 2345.0, 1234.0, 2345.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.dummy);
        ui.dummies.push_back({CQuilletDoc::Axial, c.dummy, c.type, c.size, c.typed1, c.typed2});
        Open(ascii, manual, 4);
        ASSERT_TRUE(doc.IsResultReady()) << (doc.GetMessages().empty() ? "" : doc.GetMessages().front());
        EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), c.critical1);
        EXPECT_DOUBLE_EQ(doc.GetSecondCritical(), c.critical2);
        EXPECT_NEAR(doc.GetSecondValue(), 1500.0, 30.0);
        if (c.dummy != CQuilletDoc::OtherDummy) {
            EXPECT_EQ(ui.shownLimits.back(), std::make_pair(c.critical1, c.critical2));
        }
        const kx::CNSignal &s = doc.GetSignal();
        EXPECT_NEAR(s.GetDel(), 1.0e-4, 1e-7);
        // On the grid: every X is a multiple of the step.
        for (double x : doc.GetPlotX())
            ASSERT_NEAR(x / s.GetDel(), std::round(x / s.GetDel()), 1e-6);
        EXPECT_EQ(doc.GetSignal().GetOccupant1Type(), "");
    }
    EXPECT_EQ(ui.dummyCalls, 3);
    // Every file decides anew: the dialog starts on shear, never on the last file's axial.
    EXPECT_EQ(ui.dummyMeasurementOffered, (std::vector<int>{0, 0, 0}));
}

TEST_F(DocTest, DummyDialogShowsTheOutOfPositionLimitsTheRunUses)
{
    // Advanced tension of the child and small adult dummies differs out of position;
    // compression does not.
    NeckSignal plain = Axial();
    const std::string normal = Uds("normal.uds", plain);
    plain.title = "OOP TEST";
    const std::string marked = Uds("marked.uds", plain);
    struct Case {
        int dummy;
        std::string size;
        bool option;
        std::string path;
        double compression, tension;
    };
    const Case cases[] = {
        {1, "3C", true, normal, 1380.0, 1130.0},  {1, "3C", false, marked, 1380.0, 1130.0},
        {1, "3C", false, normal, 1380.0, 1380.0}, {2, "6C", true, normal, 1820.0, 1490.0},
        {3, "05", true, normal, 2520.0, 2070.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.size + (c.option ? " option" : "") + " " + c.path);
        CNeckOptions manual;
        manual.checkUds = false;
        manual.outOfPosition = c.option;
        ui.dummies.push_back({CQuilletDoc::Axial, c.dummy, "HY", c.size, 0.0, 0.0});
        Open(c.path, manual);
        ASSERT_TRUE(doc.IsResultReady());
        EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), c.compression);
        EXPECT_DOUBLE_EQ(doc.GetSecondCritical(), c.tension);
        ASSERT_FALSE(ui.shownLimits.empty());
        EXPECT_EQ(ui.shownLimits.back(), std::make_pair(c.compression, c.tension));
    }
}

TEST_F(DocTest, ChosenDummyMomentUsesTheDummyOffsetAndAsciiForce)
{
    // A moment from UDS and its force as an ASCII file on the same time axis.
    const NeckSignal m;
    const std::string moment = Uds("neck_my.uds", m);
    NeckSignal f = Force();
    std::string text;
    const std::vector<double> fy = NeckValues(f);
    for (int i = 0; i < f.points; ++i)
        text += std::to_string((f.firstPoint + i) * f.step) + "\t" + std::to_string(fy[std::size_t(i)]) + "\n";
    const std::string force = folder.File("neck_fx.txt");
    WriteText(force, text);

    CNeckOptions manual;
    manual.checkUds = false;
    manual.saeFilters = false;
    ui.dummies.push_back({CQuilletDoc::Moment, 4, "HY", "50", 0.0, 0.0});
    ui.forces.push_back({force, 1});
    Open(moment, manual);
    ASSERT_TRUE(doc.IsResultReady());
    const std::vector<double> my = NeckValues(m);
    EXPECT_NEAR(doc.GetPlotY()[50], my[50] - 0.01778 * fy[50], 1e-3);
    EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), 190.0);
    // The dialog showed the limits the run used.
    ASSERT_EQ(ui.shownLimits.size(), 1u);
    EXPECT_DOUBLE_EQ(ui.shownLimits[0].first, 190.0);
    EXPECT_DOUBLE_EQ(ui.shownLimits[0].second, 57.0);

    // "Other": the offset the user types.
    ui.dummies.push_back({CQuilletDoc::Moment, CQuilletDoc::OtherDummy, "OT", "OT", 100.0, 50.0});
    ui.forces.push_back({force, 1});
    ui.offsets.push_back(0.5);
    Open(moment, manual);
    ASSERT_TRUE(doc.IsResultReady());
    EXPECT_NEAR(doc.GetPlotY()[50], my[50] + 0.5 * fy[50], 1e-3);
    EXPECT_DOUBLE_EQ(doc.GetFirstCritical(), 100.0);
    EXPECT_DOUBLE_EQ(doc.GetSecondCritical(), 50.0);
}

TEST_F(DocTest, DummyOffsetsByIndex)
{
    const double expected[6] = {-0.0058, 0.0, -0.01778, -0.01778, -0.01778, -0.01778};
    for (int i = 0; i < 6; ++i)
        EXPECT_DOUBLE_EQ(doc.DummyCondyleOffset(i), expected[i]) << i;
    EXPECT_DOUBLE_EQ(doc.DummyCondyleOffset(6), 0.0); // Cancel
    ui.offsets.push_back(0.02);
    EXPECT_DOUBLE_EQ(doc.DummyCondyleOffset(6), 0.02);
}

TEST_F(DocTest, CancelledDummyDialogGivesNoResult)
{
    CNeckOptions manual;
    manual.checkUds = false;
    Open(Uds("neck_fz.uds", Axial()), manual);
    EXPECT_FALSE(doc.IsResultReady());
    EXPECT_EQ(ui.dummyCalls, 1);
}

// The window's title names a file only while it is loaded: an open that is refused or
// cancelled, by File Open or from the command line, leaves the program's name alone.
TEST_F(DocTest, TitleNamesOnlyALoadedFile)
{
    NeckSignal shear = Axial();
    shear.axis = "X";
    const std::string good = Uds("neck_fx.uds", shear);
    CNeckOptions manual;
    manual.checkUds = false;
    NeckSignal odd = Axial();
    odd.axis = "RS";
    const std::string garbage = folder.File("neck_bad.uds");
    WriteText(garbage, "not a signal\n");
    struct Case {
        const char *name;
        std::function<void()> open;
    };
    const std::vector<Case> cases = {
        {"dummy dialog cancelled", [&] { Open(Uds("neck_fz.uds", Axial()), manual); }},
        {"force dialog cancelled", [&] { Open(Uds("neck_my.uds", NeckSignal{})); }},
        {"unknown axis", [&] { Open(Uds("neck_rs.uds", odd)); }},
        {"unreadable file", [&] { Open(garbage); }},
        {"command line, conditions kept, dummy cancelled",
         [&] {
             ui.conditions = manual;
             doc.OpenFileList({Uds("neck_cl.uds", Axial())});
         }},
    };
    for (const Case &c : cases) {
        ui.conditions.reset();
        Open(good);
        ASSERT_TRUE(doc.IsResultReady()) << c.name;
        ASSERT_EQ(ui.windowTexts.back(), "neck_fx - Quillet") << c.name;
        c.open();
        EXPECT_FALSE(doc.IsResultReady()) << c.name;
        EXPECT_EQ(ui.windowTexts.back(), "Quillet") << c.name;
    }
}

// ---- File Open and the command line ---------------------------------------------

TEST_F(DocTest, FileOpenKeepsOptionsAndFilterAndCancelChangesNothing)
{
    doc.OnFileOpen(); // Cancel
    EXPECT_TRUE(hints.empty());
    EXPECT_EQ(doc.GetOptions(), CNeckOptions{});

    CNeckOptions options;
    options.removeBias = true;
    options.advanced = false;
    Open(Uds("neck_fz.uds", Axial()), options, 2);
    EXPECT_EQ(doc.GetOptions(), options);
    kxplatform::CSettings stored(settings.Program());
    EXPECT_EQ(stored.GetInt("NeckDataType"), 2);
    EXPECT_EQ(stored.GetString("InputDir"), folder.Str() + "/");
    EXPECT_EQ(ui.windowTexts.back(), "neck_fz - Quillet");
    EXPECT_DOUBLE_EQ(doc.GetSecondCritical(), 3300.0); // tension, standard
}

TEST_F(DocTest, CommandLineShowsTheFailuresOfNamedFilesAndOpensTheGoodOne)
{
    const std::string missing = folder.File("missing.uds");
    const std::string good = Uds("neck_fz.uds", Axial());
    CNeckOptions options;
    options.advanced = false;
    ui.conditions = options;
    // Named as a shell would from another folder: the next File Open starts in its real folder.
    const std::string relative = std::filesystem::relative(good).string();
    ASSERT_FALSE(std::filesystem::path(relative).is_absolute());
    doc.OpenFileList({missing, relative});
    EXPECT_EQ(doc.Settings().GetString("InputDir", ""),
              std::filesystem::path(good).lexically_normal().parent_path().string() + "/");

    EXPECT_EQ(ui.conditionCalls, 1);
    EXPECT_EQ(doc.GetOptions(), options);
    ASSERT_TRUE(doc.IsResultReady());
    EXPECT_EQ(doc.GetTitle(), "neck_fz.uds - Neck Axial Load");
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_TRUE(Contains(ui.errorLists[0], missing));
    EXPECT_EQ(hints, (std::vector<UpdateHint>{CQuilletDoc::HintResult}));
}

TEST_F(DocTest, CommandLineWithOnlyMissingFilesShowsWhyAndAsksNothing)
{
    doc.OpenFileList({folder.File("a.uds"), folder.File("b.uds")});
    EXPECT_EQ(ui.conditionCalls, 0);
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0].size(), 2u);
    EXPECT_FALSE(doc.IsResultReady());
}

TEST_F(DocTest, BadAsciiNeckFilesAreReportedByNameAndGiveNoResult)
{
    const std::string good = Uds("neck_fz.uds", Axial());
    CNeckOptions manual;
    manual.checkUds = false;
    struct Case {
        const char *name;
        std::string text;
    };
    const Case cases[] = {
        {"empty.txt", ""},
        {"one_point.txt", "0.0 12.5\n"},
        {"words.txt", "0.0 1.0\n0.0001 abc\n0.0002 3.0\n"},
        {"backwards.txt", "0.0003 1.0\n0.0002 2.0\n0.0001 3.0\n"},
        {"same_time.txt", "0.001 1.0\n0.001 2.0\n0.001 3.0\n"},
        {"not_finite.txt", "0.0 1.0\nnan 2.0\n0.0002 3.0\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Open(good);
        ASSERT_TRUE(doc.IsResultReady());
        const std::string path = folder.File(c.name);
        WriteText(path, c.text);
        ui.errorLists.clear();
        ui.dummies.push_back({CQuilletDoc::Axial, 4, "HY", "50", 0.0, 0.0});
        Open(path, manual, 4);
        EXPECT_FALSE(doc.IsResultReady());
        EXPECT_TRUE(doc.GetPlotX().empty());
        ASSERT_EQ(ui.errorLists.size(), 1u);
        EXPECT_TRUE(Contains(ui.errorLists[0], c.name));
        ui.dummies.clear();
    }
}

TEST_F(DocTest, TruncatedFileIsReportedAndGivesNoResult)
{
    const std::string good = Uds("neck_fz.uds", Axial());
    std::string bytes = ReadText(good);
    const std::string cut = folder.File("cut.uds");
    WriteText(cut, bytes.substr(0, bytes.size() / 2));
    Open(good);
    ASSERT_TRUE(doc.IsResultReady());
    Open(cut);
    EXPECT_FALSE(doc.IsResultReady());
    EXPECT_FALSE(doc.HasKeptSignals());
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_TRUE(Contains(ui.errorLists[0], cut + ": "));
}

// ---- outputs --------------------------------------------------------------------

TEST_F(DocTest, SavesWriteTheKeptSignalAndReadBack)
{
    Open(Uds("neck.fz.uds", Axial()));
    ASSERT_TRUE(doc.IsResultReady());
    TempFolder out;
    ui.folders = {out.Str(), out.Str()};
    doc.SaveUds();
    doc.SaveAscii();
    EXPECT_TRUE(ui.errorLists.empty());
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(ui.folderTitles, (std::vector<std::string>{"Select a Folder: To Save UDS Data",
                                                         "Select a Folder: To Save ASCII Data: X-Y Format"}));
    EXPECT_EQ(ui.progressTitles,
              (std::vector<std::string>{"Save Current UDS Files", "Saving Current ASCII Signal Data"}));

    kx::CNSignal back;
    back.LoadUDSFile(out.File("neck.fz.uds"));
    ASSERT_EQ(back.GetY().size(), doc.GetPlotY().size());
    for (std::size_t i = 0; i < back.GetY().size(); i += 50)
        EXPECT_NEAR(back.GetY()[i], doc.GetPlotY()[i], 1e-3 * std::max(1.0, std::fabs(doc.GetPlotY()[i])));

    kx::CNSignal ascii;
    ascii.ReadPointsFile(out.Str() + "/", "neck_fz.txt");
    ASSERT_EQ(ascii.GetY(), doc.GetPlotY());
    EXPECT_EQ(ascii.GetX(), doc.GetPlotX());

    const std::string copy = doc.CopyDataText();
    EXPECT_EQ(copy.rfind("Curve Number: 7\t\r\n", 0), 0u);
    EXPECT_EQ(std::count(copy.begin(), copy.end(), '\n'), long(doc.GetPlotY().size()) + 1);
    doc.CopyData();
    ASSERT_EQ(ui.clipboard.size(), 1u);
    ui.clipboardWorks = false;
    doc.CopyData();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Cannot open clipboard."}));
}

TEST_F(DocTest, SavesAskOnceBeforeReplacingAFileAndNoKeepsIt)
{
    // The corrected moment saved into the folder it was read from.
    const std::string moment = Uds("neck_my.uds", NeckSignal{});
    const std::string force = Uds("neck_fx.uds", Force());
    const std::string ascii = folder.File("neck_my.txt");
    WriteText(ascii, "0 1\n");
    struct Case {
        bool ascii;
        bool yes;
    };
    for (const Case &c : {Case{false, false}, Case{false, true}, Case{true, false}, Case{true, true}}) {
        SCOPED_TRACE(std::string(c.ascii ? "ASCII" : "UDS") + (c.yes ? " yes" : " no"));
        ui.forces.push_back({force, 0});
        Open(moment);
        ASSERT_TRUE(doc.IsMomentCorrected());
        const std::string target = c.ascii ? ascii : moment;
        const std::string before = ReadText(target);
        ui.questions.clear();
        ui.folders.push_back(folder.Str());
        ui.yesNo.push_back(c.yes);
        const std::size_t steps = ui.progressTexts.size();
        c.ascii ? doc.SaveAscii() : doc.SaveUds();
        // A file kept steps the progress as a written one does.
        EXPECT_EQ(ui.progressTexts.size() - steps, doc.GetKeptSignals().size());
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_EQ(ui.questions[0], "This file already exists:\n" + target + "\nReplace them?");
        EXPECT_TRUE(ui.errorLists.empty());
        if (!c.yes) {
            EXPECT_EQ(ReadText(target), before);
        } else if (c.ascii) {
            EXPECT_NE(ReadText(target), before);
        } else {
            kx::CNSignal back;
            back.LoadUDSFile(target);
            EXPECT_EQ(back.GetStatus(), "CORRECTED FOR CONDYL");
            ASSERT_EQ(back.GetY().size(), doc.GetPlotY().size());
            EXPECT_NEAR(back.GetY()[100], doc.GetPlotY()[100], 1e-3);
            WriteNeckUds(moment, NeckSignal{});
        }
    }
}

TEST_F(DocTest, FailedSaveIsReportedWhenTheSaveEnds)
{
    Open(Uds("neck_fz.uds", Axial()));
    ui.folders = {folder.File("no/such/folder"), folder.File("no/such/folder")};
    doc.SaveUds();
    doc.SaveAscii();
    ASSERT_EQ(ui.errorLists.size(), 2u);
    EXPECT_EQ(ui.errorLists[0][0].rfind("Invalid Path:\n", 0), 0u);
    EXPECT_EQ(ui.errorLists[1][0].rfind("Failure to open: ", 0), 0u);
    // A cancelled folder writes and reports nothing.
    doc.SaveUds();
    EXPECT_EQ(ui.errorLists.size(), 2u);
}

TEST_F(DocTest, WaitCursorAndProgressAreClosedBeforeTheErrorList)
{
    Open(Uds("neck_fz.uds", Axial()));
    EXPECT_GT(ui.waitCursors, 0);
    EXPECT_EQ(ui.openWaitCursors, 0);
    struct Case {
        const char *name;
        void (CQuilletDoc::*save)();
    };
    for (const Case &c : {Case{"UDS", &CQuilletDoc::SaveUds}, Case{"ASCII", &CQuilletDoc::SaveAscii}}) {
        SCOPED_TRACE(c.name);
        const int begun = ui.progressBegun;
        const int cursors = ui.waitCursors;
        int openProgress = -1;
        int openCursors = -1;
        ui.onErrorList = [&] {
            openProgress = ui.progressBegun - ui.progressEnded;
            openCursors = ui.openWaitCursors;
        };
        ui.folders = {folder.File("no/such/folder")};
        (doc.*c.save)();
        EXPECT_EQ(ui.progressBegun, begun + 1);
        EXPECT_GT(ui.waitCursors, cursors);
        EXPECT_EQ(openProgress, 0);
        EXPECT_EQ(openCursors, 0);
    }
}

TEST(QuilletDocNames, AsciiFileNames)
{
    const std::pair<std::string, std::string> cases[] = {
        {"neck.uds", "neck.txt"}, {"a.b.c.uds", "a_b_c.txt"}, {"plain", "plain.txt"}, {"x.UDS", "x_UDS.txt"}};
    for (const auto &[in, out] : cases)
        EXPECT_EQ(CQuilletDoc::AsciiFileName(in), out) << in;
}

TEST_F(DocTest, HeaderViewerNeedsAKeptSignal)
{
    doc.ShowUDSSpecification();
    EXPECT_EQ(ui.headerViews, 0);
    Open(Uds("neck_fz.uds", Axial()));
    doc.ShowUDSSpecification();
    EXPECT_EQ(ui.headerViews, 1);
}
