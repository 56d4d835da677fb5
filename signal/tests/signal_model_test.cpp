// The signal's data model: header doubles, samples, derived values, status texts,
// channel classes, copying and the refusals of the sample setters.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "MessageOf.h"
#include "signal/CNSignal.h"
#include "signal/DataStatus.h"
#include "signal/FilterClass.h"
#include "signal/Units.h"

namespace {

using kx::CData;
using kx::CNSignal;
using Vec = std::vector<double>;

// Everything a sample setter may touch.
struct State {
    Vec x, y, z;
    double xMax, xMin, yMax, yMin, zMax, zMin, start, end;
    int count;
    bool operator==(const State &) const = default;
};

State StateOf(const CData &s)
{
    return {s.GetX(),    s.GetY(),    s.GetZ(),    s.GetXMax(),      s.GetXMin(),    s.GetYMax(),
            s.GetYMin(), s.GetZMax(), s.GetZMin(), s.GetStartTime(), s.GetEndTime(), s.GetNumberOfPoints()};
}

using kx::test::MessageOf;

// A constant-step signal of 5 samples holding X, Y and Z.
CNSignal FilledSignal()
{
    CNSignal s;
    s.SetDel(0.5);
    s.SetNFP(1);
    s.SetNLP(5);
    s.SetXYZData({0.5, 1.0, 1.5, 2.0, 2.5}, {3.0, -1.0, 4.0, -1.0, 5.0}, {9.0, 8.0, 7.0, 6.0, 5.0});
    return s;
}

TEST(SignalDefaults, NewSignalIsEmptyComputedHeaderOfUnknownClass)
{
    const CNSignal s;
    EXPECT_EQ(s.GetFileVer(), "UDS-1992");
    EXPECT_EQ(s.GetNChan(), 1);
    EXPECT_EQ(s.GetXType(), "TIME");
    EXPECT_DOUBLE_EQ(s.GetPreFil(), 1650.0);
    EXPECT_DOUBLE_EQ(s.GetSclFac(), 1.0);
    EXPECT_DOUBLE_EQ(s.GetDel(), 0.0);
    EXPECT_EQ(s.GetStatus(), "");
    EXPECT_EQ(s.GetFilterClass(), kx::filter_class::Unknown);
    EXPECT_FALSE(s.IsModified());
    EXPECT_FALSE(s.GetWriteBigEndian());
    EXPECT_EQ(s.GetNumberOfPoints(), 0);
    EXPECT_TRUE(s.GetX().empty());
    EXPECT_TRUE(s.GetMessages().empty());
}

TEST(SignalFields, RealFieldsKeepDoublePrecisionAndTheFloatCopyFollows)
{
    CNSignal s;
    s.SetDel(0.0001);
    s.SetRD5(1.0 / 3.0);
    s.SetChestClip(42.125);
    s.SetStatus("am");
    EXPECT_EQ(s.GetDel(), 0.0001);
    EXPECT_EQ(s.GetRD5(), 1.0 / 3.0);
    const kx::CUDSFields &base = s;
    EXPECT_EQ(base.GetDel(), 0.0001F);
    EXPECT_EQ(base.GetRD5(), static_cast<float>(1.0 / 3.0));
    EXPECT_EQ(base.GetCLIP3M(), 42.125F);
    EXPECT_EQ(base.GetStatus(), "AS MEASURED");
}

TEST(SignalPointCount, FollowsTheHeaderIndicesNotTheSamples)
{
    struct Case {
        int nfp, nlp, expected;
    };
    const Case cases[] = {
        {0, 0, 0}, {10, 5, 0}, {0, 9, 10}, {-10, 9, 20}, {5, 5, 1}, {-3, -1, 3}, {INT_MIN, INT_MAX, INT_MAX}};
    for (const Case &c : cases) {
        EXPECT_EQ(CData::CountPoints(c.nfp, c.nlp), c.expected) << c.nfp << ".." << c.nlp;
        CData s;
        s.SetNFP(c.nfp);
        s.SetNLP(c.nlp);
        s.UpdateNumberOfPoints();
        EXPECT_EQ(s.GetNumberOfPoints(), c.expected);
    }

    CData s;
    s.SetXYData({1, 2, 3}, {4, 5, 6});
    EXPECT_EQ(s.GetYCount(), 3U);
    EXPECT_EQ(s.GetNumberOfPoints(), 0) << "NFP = NLP = 0 gives no points whatever the samples";
}

TEST(SignalSampleSetters, YDataBuildsTheTimeAxisFromTheHeader)
{
    CNSignal s;
    s.SetDel(0.001);
    s.SetNFP(-10);
    s.SetNLP(9);
    Vec y(20);
    for (int i = 0; i < 20; ++i)
        y[static_cast<std::size_t>(i)] = i * i;
    s.SetYData(y);

    ASSERT_EQ(s.GetX().size(), 20U);
    EXPECT_DOUBLE_EQ(s.GetX().front(), -0.010);
    EXPECT_DOUBLE_EQ(s.GetX()[10], 0.0);
    EXPECT_DOUBLE_EQ(s.GetX().back(), 0.009);
    EXPECT_EQ(s.GetZ(), Vec(20, 0.0));
    EXPECT_EQ(s.GetNumberOfPoints(), 20);
    double start = 0, end = 0;
    s.GetTimeRange(start, end);
    EXPECT_DOUBLE_EQ(start, -0.010);
    EXPECT_DOUBLE_EQ(end, 0.009);
    EXPECT_DOUBLE_EQ(s.GetXMin(), -0.010);
    EXPECT_DOUBLE_EQ(s.GetXMax(), 0.009);
    EXPECT_DOUBLE_EQ(s.GetYMin(), 0.0);
    EXPECT_DOUBLE_EQ(s.GetYMax(), 361.0);
}

TEST(SignalSampleSetters, ExistingXAndMatchingZAreKept)
{
    CNSignal s = FilledSignal();
    s.SetYData({1, 2, 3, 4, 5});
    EXPECT_EQ(s.GetX(), (Vec{0.5, 1.0, 1.5, 2.0, 2.5}));
    EXPECT_EQ(s.GetZ(), (Vec{9, 8, 7, 6, 5})) << "Z of the size of Y stays";
    EXPECT_DOUBLE_EQ(s.GetYMax(), 5.0);

    s.SetXYData({1, 2, 3}, {7, 8, 9});
    EXPECT_EQ(s.GetZ(), Vec(3, 0.0)) << "Z of another size becomes zeros";
    EXPECT_DOUBLE_EQ(s.GetZMax(), 0.0);
}

TEST(SignalSampleSetters, EmptyYKeepsTheCurrentY)
{
    CNSignal s = FilledSignal();
    s.SetXYData({10, 20, 30, 40, 50}, {});
    EXPECT_EQ(s.GetX(), (Vec{10, 20, 30, 40, 50}));
    EXPECT_EQ(s.GetY(), (Vec{3, -1, 4, -1, 5}));
}

TEST(SignalSampleSetters, ArgumentsMayBeTheSignalsOwnVectors)
{
    CNSignal s = FilledSignal();
    s.SetXYZData(s.GetY(), s.GetX(), s.GetZ());
    EXPECT_EQ(s.GetX(), (Vec{3, -1, 4, -1, 5}));
    EXPECT_EQ(s.GetY(), (Vec{0.5, 1.0, 1.5, 2.0, 2.5}));
}

// Every refusal of the sample setters, its text, and that it changes nothing.
TEST(SignalSampleSetters, RefusalsThrowTheirTextAndLeaveTheSignalAsItWas)
{
    struct Case {
        const char *name;
        std::function<void(CNSignal &)> setup;
        std::function<void(CNSignal &)> call;
        std::string message;
    };
    const auto none = [](CNSignal &) {};
    const Case cases[] = {
        {"nothing given", none, [](CNSignal &s) { s.SetXYZData({}, {}, {}); }, "No X, Y or Z Siganl Data."},
        {"no X and DEL zero",
         [](CNSignal &s) {
             s = CNSignal();
             s.SetNFP(0);
             s.SetNLP(2);
         },
         [](CNSignal &s) {
             s.SetYData({1, 2, 3});
         },
         "No x signal data and delt is zero."},
        {"no X and no indices",
         [](CNSignal &s) {
             s = CNSignal();
             s.SetDel(0.001);
         },
         [](CNSignal &s) {
             s.SetYData({1, 2, 3});
         },
         "No x signal data, NFP and NLP are zero.\nSet x signal data or set NFP and NLP"},
        {"time axis of other length",
         [](CNSignal &s) {
             s = CNSignal();
             s.SetDel(0.001);
             s.SetNFP(0);
             s.SetNLP(9);
         },
         [](CNSignal &s) {
             s.SetYData({1, 2, 3});
         },
         "X and Y Counts are different"},
        {"indices claiming billions of points",
         [](CNSignal &s) {
             s = CNSignal();
             s.SetDel(0.001);
             s.SetNFP(-2000000000);
             s.SetNLP(2000000000);
         },
         [](CNSignal &s) {
             s.SetYData({1, 2, 3});
         },
         "X and Y Counts are different"},
        {"no Y at all", [](CNSignal &s) { s = CNSignal(); },
         [](CNSignal &s) {
             s.SetXYZData({1, 2}, {}, {});
         },
         "No Y Signal Data"},
        {"empty Y", none, [](CNSignal &s) { s.SetYData({}); }, "No Y Signal Data"},
        {"empty X and Y", none, [](CNSignal &s) { s.SetXYData({}, {}); }, "No X or Y Signal Data"},
        {"X and Y differ", none,
         [](CNSignal &s) {
             s.SetXYData({1, 2, 3}, {1, 2, 3, 4});
         },
         "x != y signal data"},
        {"Z differs", none,
         [](CNSignal &s) {
             s.SetXYZData({1, 2, 3}, {1, 2, 3}, {1, 2});
         },
         "x != y != z signal data"},
        {"kept Z but X differs", none,
         [](CNSignal &s) {
             s.SetXYData({1, 2, 3}, {});
         },
         "x != y != z signal data"},
        {"no points", none, [](CNSignal &s) { s.SetPoints({}); }, "No Information."},
        {"null point", none,
         [](CNSignal &s) {
             s.SetPoints({std::make_shared<kx::CPoint<double>>(1.0, 2.0), nullptr});
         },
         "No Information."},
        {"index past the end", none, [](CNSignal &s) { s.SetPointAt(1.0, 2.0, 5); }, " Index Out of Bounds..."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CNSignal s = FilledSignal();
        c.setup(s);
        const State before = StateOf(s);
        EXPECT_EQ(MessageOf([&] { c.call(s); }), c.message);
        EXPECT_TRUE(StateOf(s) == before);
    }
}

TEST(SignalSampleSetters, SetPointAtChangesOnePointOnly)
{
    CNSignal s = FilledSignal();
    s.SetPointAt(0.75, 100.0, 4);
    EXPECT_EQ(s.GetX(), (Vec{0.5, 1.0, 1.5, 2.0, 0.75}));
    EXPECT_EQ(s.GetY(), (Vec{3, -1, 4, -1, 100}));
    EXPECT_DOUBLE_EQ(s.GetYMax(), 5.0) << "no recomputation";
}

TEST(SignalPoints, MakePointsAndSetPointsRoundTrip)
{
    CNSignal s = FilledSignal();
    const CData::PointList points = s.MakePoints();
    ASSERT_EQ(points.size(), 5U);
    EXPECT_EQ(*points[2], kx::CPoint<double>(1.5, 4.0, 7.0));

    CNSignal t;
    t.SetNFP(1);
    t.SetNLP(5);
    t.SetDel(0.5);
    t.SetPoints(points);
    EXPECT_EQ(t.GetX(), s.GetX());
    EXPECT_EQ(t.GetY(), s.GetY());
    EXPECT_EQ(t.GetZ(), s.GetZ());
    EXPECT_EQ(StateOf(t), StateOf(s));
}

TEST(SignalDerivedValues, ExtremesTakeTheFirstOccurrenceAndEmptyVectorsGiveZero)
{
    CNSignal s = FilledSignal();
    EXPECT_DOUBLE_EQ(s.GetYMax(), 5.0);
    EXPECT_DOUBLE_EQ(s.GetYMin(), -1.0);
    EXPECT_DOUBLE_EQ(s.GetZMax(), 9.0);
    EXPECT_DOUBLE_EQ(s.GetZMin(), 5.0);
    EXPECT_DOUBLE_EQ(s.GetStartTime(), 0.5);
    EXPECT_DOUBLE_EQ(s.GetEndTime(), 2.5);

    CNSignal empty;
    empty.SetXMax(7.0);
    empty.UpdateMinMax();
    EXPECT_EQ(empty.GetXMax(), 0.0);
    EXPECT_EQ(empty.GetYMin(), 0.0);
}

TEST(SignalDerivedValues, MakeTimeAxisUsesNfpAndDel)
{
    CNSignal s;
    s.SetDel(0.25);
    s.SetNFP(-2);
    s.SetNLP(1);
    s.MakeTimeAxis();
    EXPECT_EQ(s.GetX(), (Vec{-0.5, -0.25, 0.0, 0.25}));
    EXPECT_EQ(s.GetNumberOfPoints(), 4);
}

TEST(SignalStatus, TextsAreUpperCasedAndMapped)
{
    const std::pair<const char *, const char *> cases[] = {
        {"AM", "AS MEASURED"},
        {"as measured", "AS MEASURED"},
        {"cm", "COMPUTED"},
        {"COMPUTED", "COMPUTED"},
        {"dft", "DFT"},
        {"CF", "CHANNEL FAILED"},
        {"Channel Failed", "CHANNEL FAILED"},
        {"SF", "SYSTEM FAILED"},
        {"system failed", "SYSTEM FAILED"},
        {"Filtered", "FILTERED"},
        {"aligend", "ALIGEND"},
        {"modified", "MODIFIED"},
        {"MN", "MEANINGLESS"},
        {"meaningless", "MEANINGLESS"},
        {"no", "NO DATA"},
        {"No Data", "NO DATA"},
        {"qd", "QUESTIONABLE DATA"},
        {"questionable data", "QUESTIONABLE DATA"},
        {"subsampled", "SUBSAMPLED"},
        {"SC", "SCALING FACTOR"},
        {"scaled", "SCALING FACTOR"},
        {"Scaling Factor", "SCALING FACTOR"},
        {"Truncated", "TRUNCATED"},
        {"un", "NOT KNOW"},
        {"not know", "NOT KNOW"},
        {"FIR100 filtered", "FIR100 FILTERED"},
        {"xyz", "XYZ"},
        {"sum", "SUM"},
        {" am", " AM"},
        {"", ""},
    };
    for (const auto &[given, stored] : cases) {
        CNSignal s;
        s.SetStatus("something");
        s.SetStatus(given);
        EXPECT_EQ(s.GetStatus(), stored) << "given " << given;
    }
}

TEST(SignalChannelClass, FrequencyBandsAreExclusive)
{
    struct Case {
        double prefilter, cutoff;
        int expected;
    };
    const Case cases[] = {
        {1650, 0, 1000},   {1650, 300, 180}, {1650, 110, 1001}, {1650, 90, 1001},    {1650, 100, 60},
        {0, 100, 60},      {100, 0, 60},     {0, 0, 1001},      {0, 280, 1001},      {0, 319.9, 180},
        {0, 320, 1001},    {0, 980, 1001},   {0, 1000, 600},    {0, 1020, 1001},     {0, 1630, 1001},
        {0, 1630.5, 1000}, {0, 1700, 1001},  {1650, -5, 1001},  {300, 1e-300, 1001},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kx::ChannelClassFromFrequencies(c.prefilter, c.cutoff), c.expected)
            << c.prefilter << ", " << c.cutoff;
}

TEST(SignalUnits, WholeTextCaseSensitive)
{
    EXPECT_TRUE(kx::IsEnglishUnits("ENGLISH"));
    EXPECT_TRUE(kx::IsEnglishUnits("ENG"));
    EXPECT_FALSE(kx::IsEnglishUnits("eng"));
    EXPECT_FALSE(kx::IsEnglishUnits("MET"));
    EXPECT_FALSE(kx::IsEnglishUnits("ENG "));
    EXPECT_TRUE(kx::IsKilometersPerHour("KILOMETERS/HOUR"));
    EXPECT_TRUE(kx::IsKilometersPerHour("KPH"));
    EXPECT_FALSE(kx::IsKilometersPerHour("MPH"));
    EXPECT_TRUE(kx::IsSeconds("SECONDS"));
    EXPECT_TRUE(kx::IsSeconds("SECOND"));
    EXPECT_TRUE(kx::IsSeconds("SEC"));
    EXPECT_FALSE(kx::IsSeconds("MSEC"));
    EXPECT_FALSE(kx::IsSeconds("Seconds"));
}

CNSignal RichSignal()
{
    CNSignal s = FilledSignal();
    s.SetTitle("SLED TEST");
    s.SetFileName("a.uds");
    s.SetDirectory("/data/");
    s.SetPathName("/data/a.uds");
    s.SetFileText("third");
    s.SetChestClip(55.5);
    s.SetStatus("tRuNcAtEd");
    s.SetDirection("X");
    s.SetSensorType("ACCELERATION");
    s.SetModified(true);
    s.SetWriteBigEndian(true);
    s.SetFilterClass(180);
    s.SetExtraText3("extra");
    s.AddMessage("first warning");
    return s;
}

void ExpectSameSignal(const CNSignal &a, const CNSignal &b)
{
    EXPECT_TRUE(a.SameFields(b));
    EXPECT_EQ(a.GetDel(), b.GetDel());
    EXPECT_TRUE(StateOf(a) == StateOf(b));
    EXPECT_EQ(a.GetFileName(), b.GetFileName());
    EXPECT_EQ(a.GetDirectory(), b.GetDirectory());
    EXPECT_EQ(a.GetPathName(), b.GetPathName());
    EXPECT_EQ(a.GetFileText(), b.GetFileText());
    EXPECT_EQ(a.GetChestClip(), b.GetChestClip());
    EXPECT_EQ(a.GetStatus(), b.GetStatus());
    EXPECT_EQ(a.GetDirection(), b.GetDirection());
    EXPECT_EQ(a.GetSensorType(), b.GetSensorType());
    EXPECT_EQ(a.IsModified(), b.IsModified());
    EXPECT_EQ(a.GetWriteBigEndian(), b.GetWriteBigEndian());
    EXPECT_EQ(a.GetFilterClass(), b.GetFilterClass());
    EXPECT_EQ(a.GetMessages(), b.GetMessages());
}

TEST(SignalCopying, CopiesEveryMemberButStartsWithoutPoints)
{
    CNSignal source = RichSignal();
    source.MakePoints();
    const CNSignal copy(source);
    ExpectSameSignal(copy, source);
    EXPECT_TRUE(copy.GetPoints().empty());

    const CNSignal fromPointer(std::make_shared<CNSignal>(source));
    ExpectSameSignal(fromPointer, source);
}

TEST(SignalCopying, AssignmentKeepsTheTargetsPointList)
{
    CNSignal target;
    target.SetXYData({1}, {2});
    target.MakePoints();
    const CData::PointList points = target.GetPoints();

    const CNSignal source = RichSignal();
    target = source;
    ExpectSameSignal(target, source);
    EXPECT_EQ(target.GetPoints(), points);

    CNSignal &alias = target;
    target = alias;
    ExpectSameSignal(target, source);

    CNSignal viaAssign;
    viaAssign.Assign(std::make_shared<CNSignal>(source));
    ExpectSameSignal(viaAssign, source);
    EXPECT_THROW(viaAssign.Assign(nullptr), std::logic_error);
    ExpectSameSignal(viaAssign, source);
}

TEST(SignalMessages, MoveAppendsAndEmptiesTheSource)
{
    CNSignal s;
    s.AddMessage("one");
    s.AddMessage("two");
    std::vector<std::string> list{"zero"};
    s.MoveMessagesTo(list);
    EXPECT_EQ(list, (std::vector<std::string>{"zero", "one", "two"}));
    EXPECT_TRUE(s.GetMessages().empty());
}

} // namespace
