// The criteria base: initial state, dummy texts, reset and the time window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "criteria/KxInjuryCriteria.h"
#include "signal/CNSignal.h"

namespace {

// A 10 kHz signal from time zero.
kx::CNSignal MakeSignal(const std::vector<double> &y)
{
    kx::CNSignal s;
    s.SetDel(0.0001);
    s.SetNFP(0);
    s.SetNLP(static_cast<int>(y.size()) - 1);
    s.SetYData(y);
    return s;
}

TEST(InjuryCriteria, FreshAndResetState)
{
    KxInjuryCriteria criteria;
    EXPECT_EQ(criteria.GetValue(), 0.0);
    EXPECT_EQ(criteria.GetCriticalValue(), 1.0);
    EXPECT_FALSE(criteria.SetCriticalValues());
    EXPECT_FALSE(criteria.IsOutOfPosition());

    criteria.SetOutOfPosition(true);
    criteria.SetStartTime(0.01);
    criteria.SetStopTime(0.02);
    criteria.AddMessage("text");
    criteria.SetDummyType("H3");
    criteria.Reset();
    EXPECT_FALSE(criteria.IsStartSet());
    EXPECT_FALSE(criteria.IsStopSet());
    EXPECT_EQ(criteria.GetStartTime(), 0.0);
    EXPECT_TRUE(criteria.GetMessages().empty());
    EXPECT_TRUE(criteria.GetDummyType().empty());
    EXPECT_TRUE(criteria.IsOutOfPosition()); // Reset keeps the flag
}

TEST(InjuryCriteria, SetDummyStoresTheTextsEvenWhenItFails)
{
    KxInjuryCriteria criteria;
    EXPECT_FALSE(criteria.SetDummy("H3M50", "50"));
    EXPECT_EQ(criteria.GetDummyType(), "H3M50");
    EXPECT_EQ(criteria.GetDummySize(), "50");
}

TEST(InjuryCriteria, OutOfPositionTitle)
{
    EXPECT_TRUE(KxInjuryCriteria::TitleMarksOutOfPosition("SLED 12 OOP DRIVER"));
    EXPECT_TRUE(KxInjuryCriteria::TitleMarksOutOfPosition("OOP "));
    EXPECT_FALSE(KxInjuryCriteria::TitleMarksOutOfPosition("SLED 12 OOP"));
    EXPECT_FALSE(KxInjuryCriteria::TitleMarksOutOfPosition("LOOP-TEST"));
    EXPECT_FALSE(KxInjuryCriteria::TitleMarksOutOfPosition("oop driver"));
}

TEST(InjuryCriteria, MessagesMoveToTheOwner)
{
    KxInjuryCriteria criteria;
    criteria.AddMessage("first");
    criteria.AddMessage("second");
    std::vector<std::string> owner{"earlier"};
    criteria.MoveMessagesTo(owner);
    EXPECT_EQ(owner, (std::vector<std::string>{"earlier", "first", "second"}));
    EXPECT_TRUE(criteria.GetMessages().empty());
}

TEST(InjuryCriteria, TimeWindow)
{
    std::vector<double> y(100);
    for (std::size_t i = 0; i < y.size(); ++i)
        y[i] = static_cast<double>(i);

    // No window: the signal stays whole.
    KxInjuryCriteria none;
    kx::CNSignal whole = MakeSignal(y);
    none.ApplyTimeWindow(whole);
    EXPECT_EQ(whole.GetY().size(), 100u);

    // Only the stop: from the first sample up to (not including) 5 ms.
    KxInjuryCriteria stopOnly;
    stopOnly.SetStopTime(0.00495);
    kx::CNSignal cut = MakeSignal(y);
    stopOnly.ApplyTimeWindow(cut);
    ASSERT_EQ(cut.GetY().size(), 50u);
    EXPECT_EQ(cut.GetY().front(), 0.0);
    EXPECT_EQ(cut.GetNFP(), 0);
    EXPECT_EQ(cut.GetNLP(), 49);

    // Both ends.
    KxInjuryCriteria both;
    both.SetStartTime(0.00195);
    both.SetStopTime(0.00395);
    kx::CNSignal mid = MakeSignal(y);
    both.ApplyTimeWindow(mid);
    ASSERT_EQ(mid.GetY().size(), 20u);
    EXPECT_EQ(mid.GetY().front(), 20.0);

    // Copies carry start, stop and their flags.
    KxInjuryCriteria copy;
    both.CopyTimeWindowTo(copy);
    EXPECT_TRUE(copy.IsStartSet());
    EXPECT_EQ(copy.GetStopTime(), 0.00395);
}

} // namespace
