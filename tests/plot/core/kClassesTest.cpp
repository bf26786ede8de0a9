#include "plot/core/kDigitalSequenceData.h"
#include "plot/core/kLimitDataList.h"
#include "plot/core/kPlotMinMaxPoint.h"
#include "plot/core/kUpdateClient.h"
#include "plot/core/kUpdateObject.h"

#include <gtest/gtest.h>

#include "rtl/Exception.h"

namespace {

struct TFakeClient : IkUpdateClient {
    bool Skip = false;
    bool Pending = false;
    int Rate = 60;
    double Last = 0;
    int Updates = 0;
    std::function<void()> OnUpdate;

    bool UpdateSkip() const override { return Skip; }
    bool UpdatePending() const override { return Pending; }
    int GetUpdateFrameRate() const override { return Rate; }
    double LastUpdateTime() const override { return Last; }
    void PerformUpdate() override
    {
        ++Updates;
        Pending = false;
        Last = TkUpdateObject::Now();
        if (OnUpdate)
            OnUpdate();
    }
};

class kClassesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TkUpdateObject::SetClock([this] { return Clock; });
    }
    void TearDown() override { TkUpdateObject::SetClock(nullptr); }
    double Clock = 100.0;
};

TEST_F(kClassesTest, FrameDueFollowsTheFrameRate)
{
    EXPECT_FALSE(TkUpdateObject::FrameDue(10.0, 60, 10.01));
    EXPECT_TRUE(TkUpdateObject::FrameDue(10.0, 60, 10.02));
    EXPECT_FALSE(TkUpdateObject::FrameDue(10.0, 1, 10.9));
    EXPECT_TRUE(TkUpdateObject::FrameDue(10.0, 1, 11.1));
    // no limit at all with a rate of 0 (or below): never a division by zero
    EXPECT_TRUE(TkUpdateObject::FrameDue(10.0, 0, 10.0));
    EXPECT_TRUE(TkUpdateObject::FrameDue(10.0, -5, 10.0));
    // a clock behind the last paint never holds repaints back
    EXPECT_TRUE(TkUpdateObject::FrameDue(10.0, 60, 3.0));
}

TEST_F(kClassesTest, ClockIsInjectableAndRestoredToAMonotonicOne)
{
    EXPECT_EQ(TkUpdateObject::Now(), 100.0);
    TkUpdateObject::SetClock(nullptr);
    const double a = TkUpdateObject::Now();
    const double b = TkUpdateObject::Now();
    EXPECT_LE(a, b);
    EXPECT_NE(a, 100.0);
}

TEST_F(kClassesTest, TimerRunsOnlyWhileARepaintIsPending)
{
    TkUpdateObject service(false);
    TFakeClient a, b;
    service.RepaintPending();  // nobody registered: nothing to tick for
    EXPECT_FALSE(service.TimerEnabled());
    service.Register(&a);
    service.Register(&b);
    EXPECT_FALSE(service.TimerEnabled()) << "an idle window is not woken";
    a.Last = b.Last = Clock;
    a.Pending = b.Pending = true;
    service.RepaintPending();
    EXPECT_TRUE(service.TimerEnabled());
    Clock += 0.010;  // within the frame: both still pending
    service.Tick();
    EXPECT_TRUE(service.TimerEnabled());
    b.Skip = true;  // holding its updates, its repaint still pending
    Clock += 0.010;
    service.Tick();
    EXPECT_EQ(a.Updates, 1);
    EXPECT_TRUE(service.TimerEnabled());
    b.Pending = false;
    service.Tick();
    EXPECT_FALSE(service.TimerEnabled());
    service.Unregister(&a);
    service.Unregister(&a);  // not there any more: nothing happens
    EXPECT_EQ(service.Count(), 1);
    b.Pending = true;
    service.RepaintPending();
    service.Unregister(&b);
    EXPECT_FALSE(service.TimerEnabled());
}

TEST_F(kClassesTest, TickRepaintsPendingClientsAtMostOncePerFrame)
{
    TkUpdateObject service(false);
    TFakeClient c;
    c.Last = Clock;
    service.Register(&c);
    service.Tick();
    EXPECT_EQ(c.Updates, 0);  // nothing pending
    c.Pending = true;
    Clock += 0.010;  // within the 1/60 s frame
    service.Tick();
    EXPECT_EQ(c.Updates, 0);
    Clock += 0.010;
    service.Tick();
    EXPECT_EQ(c.Updates, 1);
    c.Pending = true;
    service.Tick();  // same instant: the frame has just begun
    EXPECT_EQ(c.Updates, 1);
    Clock += 0.020;
    c.Skip = true;  // holding updates
    service.Tick();
    EXPECT_EQ(c.Updates, 1);
    c.Skip = false;
    service.Tick();
    EXPECT_EQ(c.Updates, 2);
    service.Unregister(&c);
}

TEST_F(kClassesTest, TickSurvivesClientsLeavingDuringIt)
{
    TkUpdateObject service(false);
    TFakeClient a, b;
    a.Pending = b.Pending = true;
    a.Rate = b.Rate = 0;
    a.OnUpdate = [&] { service.Unregister(&b); };
    service.Register(&a);
    service.Register(&b);
    service.Tick();
    EXPECT_EQ(a.Updates, 1);
    EXPECT_EQ(b.Updates, 0);
    EXPECT_EQ(service.Count(), 1);
    service.Unregister(&a);
}

TEST(kClassesDataTest, MinMaxPoint)
{
    TkPlotMinMaxPoint p;
    EXPECT_TRUE(p.Empty);
    EXPECT_EQ(p.Max, -1e301);
    EXPECT_EQ(p.Min, 1e301);
    p.Add(3, 1.5, 5);
    EXPECT_FALSE(p.Empty);
    EXPECT_EQ(p.Max, 5);
    EXPECT_EQ(p.Min, 5);
    EXPECT_EQ(p.FirstValue, 5);
    EXPECT_EQ(p.LastValue, 5);
    p.Add(4, 1.6, -2);
    p.Add(5, 1.7, 9);
    p.Add(6, 1.8, 1);
    EXPECT_EQ(p.FirstIndex, 3);
    EXPECT_EQ(p.FirstX, 1.5);
    EXPECT_EQ(p.Max, 9);
    EXPECT_EQ(p.Min, -2);
    EXPECT_EQ(p.FirstValue, 5);
    EXPECT_EQ(p.LastValue, 1);
    TkPlotMinMaxPoint q;
    q.CopyFrom(p);
    EXPECT_EQ(q.Max, 9);
    EXPECT_EQ(q.FirstIndex, 3);
    p.Reset();
    EXPECT_TRUE(p.Empty);
    p.Add(9, 2.0, 7);
    EXPECT_EQ(p.Max, 7);
    EXPECT_EQ(p.Min, 7);
    EXPECT_EQ(p.FirstIndex, 9);
}

TEST(kClassesDataTest, DigitalSequenceClear)
{
    TDigitalSequenceData d;
    d.RunOpen = d.RunExtended = d.EdgePending = d.RunHigh = true;
    d.RunStartX = 4;
    d.Clear();
    EXPECT_FALSE(d.RunOpen);
    EXPECT_FALSE(d.RunExtended);
    EXPECT_FALSE(d.EdgePending);
    EXPECT_TRUE(d.RunHigh);  // not part of a clear
    EXPECT_EQ(d.RunStartX, 4);
}

TEST(kClassesDataTest, LimitDataList)
{
    TkLimitDataList list;
    list.Add(1, 10, 20);
    list.Add(2, 11, 21);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetPosition(1), 2);
    EXPECT_EQ(list.GetLine1(1), 11);
    EXPECT_EQ(list.GetLine2(0), 20);
    try {
        list.GetItem(2);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Index out of Bounds");
    }
    EXPECT_THROW(list.GetLine1(-1), Exception);
    list.Clear();
    EXPECT_THROW(list.GetPosition(0), Exception);
}

}  // namespace
