// Sum, average and resultant of signals.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "OpsSignals.h"
#include "signal/CNSignal.h"

namespace {

using kx::CNSignal;
using kx::CNSignalPtr;
using kx::test::ErrorText;
using kx::test::Snapshot;
using kx::test::StepSignal;

CNSignalPtr Make(const std::vector<double> &y, const std::string &name = "T12.uds")
{
    auto s = std::make_shared<CNSignal>(StepSignal(0.001, -1, y));
    s->SetFileName(name);
    s->SetTitle("TEST " + name);
    return s;
}

TEST(Sum, AddsSampleBySampleWithTheFirstHeader)
{
    const auto a = Make({1.0, 2.0, 3.0}, "A.uds");
    a->AddMessage("from a");
    const auto b = Make({3.0, 4.0, 5.0}, "B.uds");
    const auto c = Make({10.0, 20.0, 30.0}, "C.uds");
    CNSignal sum;
    sum.Sum({a, b, c});
    EXPECT_EQ(sum.GetY(), (std::vector<double>{14.0, 26.0, 38.0}));
    EXPECT_EQ(sum.GetX(), a->GetX());
    EXPECT_EQ(sum.GetFileName(), "A.uds");
    EXPECT_EQ(sum.GetTitle(), a->GetTitle());
    EXPECT_EQ(sum.GetMessages(), std::vector<std::string>{"from a"});
    EXPECT_EQ(sum.GetStatus(), "SUM");
    EXPECT_EQ(sum.GetYMax(), 38.0);
    EXPECT_TRUE(sum.IsModified());

    CNSignal one;
    one.Sum({a});
    EXPECT_EQ(one.GetY(), a->GetY());
    EXPECT_EQ(one.GetStatus(), "SUM");
}

TEST(Average, MeanSampleBySampleAndItsName)
{
    CNSignal avg;
    avg.Average({Make({1.0, 2.0, 3.0}), Make({3.0, 4.0, 5.0})});
    EXPECT_EQ(avg.GetY(), (std::vector<double>{2.0, 3.0, 4.0}));
    EXPECT_EQ(avg.GetStatus(), "AVERAGE");
    EXPECT_EQ(avg.GetFileName(), "AVG.uds");
    EXPECT_EQ(avg.GetYMin(), 2.0);
    EXPECT_TRUE(avg.IsModified());

    avg.Average({Make({1.0, 2.0}, "NOEXT"), Make({3.0, 4.0}, "X.uds")});
    EXPECT_EQ(avg.GetFileName(), "NOEXT");
}

TEST(Resultant, MagnitudeOfTheComponents)
{
    CNSignal a = *Make({3.0, 0.0, -1.0});
    a.SetAxis("XG");
    a.AddMessage("kept");
    const CNSignal b = *Make({4.0, 0.0, 2.0});
    const CNSignal c = *Make({0.0, 0.0, 2.0});
    CNSignal r;
    ASSERT_TRUE(r.Resultant(a, b, c));
    EXPECT_EQ(r.GetY(), (std::vector<double>{5.0, 0.0, 3.0}));
    EXPECT_EQ(r.GetAxis(), "RS");
    EXPECT_EQ(r.GetStatus(), "COMPUTED");
    EXPECT_EQ(r.GetMessages(), std::vector<std::string>{"kept"});
    EXPECT_EQ(r.GetYMax(), 5.0);
    EXPECT_TRUE(r.IsModified());

    CNSignal r2;
    ASSERT_TRUE(r2.Resultant2(a, b));
    EXPECT_DOUBLE_EQ(r2.GetY()[2], std::sqrt(5.0));
    EXPECT_EQ(r2.GetAxis(), "RS");
    EXPECT_EQ(r2.GetStatus(), "COMPUTED");
}

// The result may be one of the inputs: the answer must not change.
TEST(Combine, ResultThatIsAlsoAnInputGivesTheSameAnswer)
{
    using Op = std::function<void(CNSignal & target, const std::vector<CNSignalPtr> &in)>;
    const std::pair<const char *, Op> ops[] = {
        {"sum", [](CNSignal &t, const std::vector<CNSignalPtr> &in) { t.Sum(in); }},
        {"average", [](CNSignal &t, const std::vector<CNSignalPtr> &in) { t.Average(in); }},
        {"resultant", [](CNSignal &t, const std::vector<CNSignalPtr> &in) { t.Resultant(*in[0], *in[1], *in[2]); }},
        {"resultant2", [](CNSignal &t, const std::vector<CNSignalPtr> &in) { t.Resultant2(*in[0], *in[1]); }},
    };
    auto inputs = [] {
        return std::vector<CNSignalPtr>{Make({1.0, -2.0, 3.0}, "A.uds"), Make({4.0, 5.0, -6.0}, "B.uds"),
                                        Make({-7.0, 8.0, 9.0}, "C.uds")};
    };
    for (const auto &[name, op] : ops) {
        auto separateIn = inputs();
        CNSignal expected;
        op(expected, separateIn);
        for (std::size_t k = 0; k < 3; ++k) {
            SCOPED_TRACE(std::string(name) + " into input " + std::to_string(k));
            auto in = inputs();
            op(*in[k], in);
            EXPECT_EQ(Snapshot(*in[k]), Snapshot(expected));
        }
    }
}

TEST(Combine, RefusalsLeaveTheTargetAsItWas)
{
    struct Case {
        const char *what;
        std::function<void(CNSignal &)> op;
        std::string message;
    };
    const auto three = Make({1.0, 2.0, 3.0});
    const auto two = Make({1.0, 2.0});
    // Same point numbers as `three`, but only two samples.
    auto shortY = std::make_shared<CNSignal>(*two);
    shortY->SetNLP(1);
    shortY->UpdateNumberOfPoints();
    ASSERT_EQ(shortY->GetNumberOfPoints(), three->GetNumberOfPoints());

    const Case cases[] = {
        {"empty sum", [](CNSignal &t) { t.Sum({}); }, "Empty Container of Signals."},
        {"empty average", [](CNSignal &t) { t.Average({}); }, "Empty Container of Signals."},
        {"null entry",
         [&](CNSignal &t) {
             t.Sum({three, nullptr});
         },
         "Empty Container of Signals."},
        {"sum of unequal lengths",
         [&](CNSignal &t) {
             t.Sum({three, two});
         },
         "Signal lengths not the same.  Resample/Tuncate."},
        {"average of unequal lengths",
         [&](CNSignal &t) {
             t.Average({two, three});
         },
         "Signal lengths not the same.  Resample/Tuncate."},
        {"resultant of unequal counts", [&](CNSignal &t) { t.Resultant(*three, *three, *two); },
         "Inconsistent Number of Data Points"},
        {"resultant2 of unequal counts", [&](CNSignal &t) { t.Resultant2(*two, *three); },
         "Inconsistent Number of Data Points"},
        {"resultant with a short Y", [&](CNSignal &t) { t.Resultant(*three, *shortY, *three); },
         "Inconsistent Number of Data Points"},
        {"resultant2 with a short Y", [&](CNSignal &t) { t.Resultant2(*three, *shortY); },
         "Inconsistent Number of Data Points"},
    };
    for (const auto &c : cases) {
        CNSignal target = *Make({9.0, 9.0, 9.0, 9.0}, "KEEP.uds");
        target.AddMessage("mine");
        const Snapshot before(target);
        EXPECT_EQ(ErrorText([&] { c.op(target); }), c.message) << c.what;
        EXPECT_EQ(Snapshot(target), before) << c.what;
        EXPECT_EQ(target.GetMessages(), std::vector<std::string>{"mine"}) << c.what;
    }
}

// Records of equal length that start at other points or run at other steps would be
// combined at different times: refused, naming both.
TEST(Combine, RecordsAtOtherTimesAreRefused)
{
    const auto at = [](std::int32_t nfp, double del, const std::string &name) {
        auto s = std::make_shared<CNSignal>(StepSignal(del, nfp, std::vector<double>(201, 1.0)));
        s->SetFileName(name);
        return s;
    };
    const auto early = at(-50, 0.0001, "EARLY.uds");
    const auto zero = at(0, 0.0001, "ZERO.uds");
    const auto late = at(50, 0.0001, "LATE.uds");
    const auto slow = at(0, 0.0002, "SLOW.uds");
    const std::string early0 = "EARLY.uds (first point -50, time step 0.0001)";
    const std::string zero0 = "ZERO.uds (first point 0, time step 0.0001)";
    const std::string late0 = "LATE.uds (first point 50, time step 0.0001)";
    const std::string slow0 = "SLOW.uds (first point 0, time step 0.0002)";
    const auto text = [](const std::string &a, const std::string &b) {
        return "Signals do not share first point and time step: " + a + " and " + b + ".  Resample/Truncate.";
    };
    const std::pair<std::function<void(CNSignal &)>, std::string> cases[] = {
        {[&](CNSignal &t) {
             t.Sum({early, zero, late});
         },
         text(early0, zero0)},
        {[&](CNSignal &t) {
             t.Sum({zero, zero, late});
         },
         text(zero0, late0)},
        {[&](CNSignal &t) {
             t.Average({zero, slow});
         },
         text(zero0, slow0)},
        {[&](CNSignal &t) { t.Resultant(*zero, *zero, *late); }, text(zero0, late0)},
        {[&](CNSignal &t) { t.Resultant2(*slow, *zero); }, text(slow0, zero0)},
    };
    for (const auto &[op, message] : cases) {
        CNSignal target = *Make({9.0, 9.0}, "KEEP.uds");
        const Snapshot before(target);
        EXPECT_EQ(ErrorText([&] { op(target); }), message);
        EXPECT_EQ(Snapshot(target), before);
    }

    // A step that differs only by float rounding (as read from a file) is the same step.
    const auto fromFile = at(0, static_cast<float>(0.0001), "FILE.uds");
    CNSignal sum;
    ASSERT_NO_THROW(sum.Sum({zero, fromFile}));
    EXPECT_EQ(sum.GetY(), std::vector<double>(201, 2.0));
}

} // namespace
