// How an axis follows new data in each tracking style, and the one range
// change event it gives per value; pausing and resuming; fitting to the
// channels' data and aligning to tick increments.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotTrackingSupport.h"

namespace {

class AxisTrackingTest : public ::testing::Test {
protected:
    TrackingPlot plot;
    AxisCallbacks callbacks;
    TRecordingCanvas canvas;
    AxisPtr<TkPlotYAxis> y = MakeYAxis(plot, callbacks);

    void SetUp() override
    {
        y->SetDrawRect(TRect(0, 0, 50, 400));
        y->CalcScaleRect(&canvas);
        plot.events.clear();
    }
    // A range to start from, with the first value already seen.
    void Start(TkPlotTrackingStyle Style, double Min, double Span)
    {
        y->SetTrackingStyle(Style);
        y->SetMinSpan(Min, Span);
        y->TrackNewValue(Min);
        plot.events.clear();
    }
    void Expect(double Min, double Span)
    {
        EXPECT_DOUBLE_EQ(y->GetMin(), Min);
        EXPECT_DOUBLE_EQ(y->GetSpan(), Span);
    }
};

TEST_F(AxisTrackingTest, SetMinSpanFiresEachChangeOnceAndNothingForTheSameRange)
{
    y->SetMinSpan(0, 100);
    EXPECT_TRUE(plot.events.empty());

    y->SetMinSpan(5, 100);
    EXPECT_EQ(plot.events, (std::vector<std::string>{"min 0 5", "minspan 0 100 5 100"}));

    plot.events.clear();
    y->SetMinSpan(5, 50);
    EXPECT_EQ(plot.events, (std::vector<std::string>{"span 100 50", "minspan 5 100 5 50"}));

    plot.events.clear();
    y->SetMinSpan(-1, 2);
    EXPECT_EQ(plot.events, (std::vector<std::string>{"min 5 -1", "span 50 2", "minspan 5 50 -1 2"}));

    // On a log scale a start or span at or below zero becomes 1.
    plot.events.clear();
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(-3, 0);
    Expect(1, 1);
}

TEST_F(AxisTrackingTest, TheFirstValueOnlyPlacesTheScaleByTheAlignFirstStyle)
{
    y->SetTrackingStyle(kptsScaleMinMax);
    y->SetTrackingAlignFirstStyle(kpafsNone);
    y->TrackNewValue(500);
    Expect(0, 100);  // nothing, not even the style, for the first value
    y->TrackNewValue(150);
    Expect(0, 150);

    y->ResetTracking();
    y->SetTrackingAlignFirstStyle(kpafsMin);
    y->TrackNewValue(40);
    Expect(40, 150);

    y->ResetTracking();
    y->SetTrackingAlignFirstStyle(kpafsMax);
    y->TrackNewValue(40);
    Expect(-110, 150);

    y->ResetTracking();
    y->SetTrackingAlignFirstStyle(kpafsAuto);
    y->TrackNewValue(0);  // on the scale: stays
    Expect(-110, 150);
    y->ResetTracking();
    y->TrackNewValue(1000);
    Expect(1000, 150);
}

TEST_F(AxisTrackingTest, ScaleStylesStretchTowardTheNewValue)
{
    Start(kptsScaleMinMax, 0, 10);
    y->TrackNewValue(15);
    Expect(0, 15);
    y->TrackNewValue(-5);  // Min moves and the span stays: the top comes down
    Expect(-5, 15);
    y->TrackNewValue(3);
    Expect(-5, 15);

    Start(kptsScaleMax, 0, 10);
    y->TrackNewValue(-5);
    Expect(0, 10);
    y->TrackNewValue(15);
    Expect(0, 15);

    Start(kptsScaleMin, 0, 10);
    y->TrackNewValue(15);
    Expect(0, 10);
    y->TrackNewValue(-5);
    Expect(-5, 15);

    Start(kptsExpandMinMax, 0, 10);
    y->TrackNewValue(15);
    Expect(0, 15);
    y->TrackNewValue(-5);
    Expect(-5, 20);
}

TEST_F(AxisTrackingTest, SmoothScrollingKeepsTheNewestValueAtTheTop)
{
    Start(kptsScrollSmooth, 0, 10);
    for (int v = 0; v <= 100; ++v)
        y->TrackNewValue(v);
    Expect(90, 10);
    y->TrackNewValue(50);  // below Min: the scale comes down to it
    Expect(50, 10);
}

TEST_F(AxisTrackingTest, SmoothScrollingGrowsTheSpanOnlyUpToTheCompressionLimit)
{
    Start(kptsScrollSmooth, 0, 10);
    y->SetTrackingScrollCompressMax(50);
    for (int v = 0; v <= 100; ++v) {
        y->TrackNewValue(v);
        EXPECT_LE(y->GetSpan(), 50) << v;
        EXPECT_DOUBLE_EQ(y->GetMax(), std::max(v, 10)) << v;
        if (v == 30)
            Expect(0, 30);
    }
    Expect(50, 50);
}

TEST_F(AxisTrackingTest, PageScrollingTurnsOnePageWhateverHowFarTheValueLies)
{
    Start(kptsScrollPage, 0, 10);
    y->TrackNewValue(12);
    Expect(10, 10);
    y->TrackNewValue(1000);
    Expect(20, 10);
    y->TrackNewValue(-1000);
    Expect(10, 10);
}

TEST_F(AxisTrackingTest, ExpandCollapseFitsTheChannelsDataNowOrEver)
{
    Start(kptsExpandCollapse, 0, 10);
    plot.lowest = 2;
    plot.highest = 8;
    plot.runningLowest = -4;
    plot.runningHighest = 20;
    y->TrackNewValue(8);
    Expect(2, 6);

    Start(kptsExpandCollapseFast, 0, 10);
    y->TrackNewValue(8);
    Expect(-4, 24);

    // No data, or data of one value, leaves the range alone.
    plot.lowest = plot.highest = 3;
    Start(kptsExpandCollapse, 0, 10);
    y->TrackNewValue(3);
    Expect(0, 10);
    EXPECT_TRUE(plot.events.empty());
}

TEST_F(AxisTrackingTest, ZoomToFitHonoursTheMarginsAndSpanMinimum)
{
    plot.lowest = 10;
    plot.highest = 12;
    y->SetTrackingMinMargin(1);
    y->SetTrackingMaxMargin(3);
    y->ZoomToFit();
    Expect(9, 6);
    y->SetTrackingSpanMinimum(10);
    y->ZoomToFit();
    Expect(9, 14);
    // The running fit leaves the span minimum out.
    plot.runningLowest = 10;
    plot.runningHighest = 12;
    y->FitToRunningMinMax();
    Expect(9, 6);
}

TEST_F(AxisTrackingTest, SpanMinimumAndMarginsFollowEveryStyleAndFireOneChange)
{
    Start(kptsScaleMinMax, 0, 10);
    y->SetTrackingSpanMinimum(40);
    y->SetTrackingMaxMargin(5);
    y->TrackNewValue(12);
    // 0..12, widened about its middle to 40 (-14..26), then kept 5 above
    // the value: already so.
    Expect(-14, 40);
    EXPECT_EQ(plot.Count("minspan"), 1);

    plot.events.clear();
    y->TrackNewValue(24);  // 2 short of the margin above: the span grows by 3
    Expect(-14, 43);
    EXPECT_EQ(plot.Count("minspan"), 1);

    y->SetTrackingMinMargin(2);
    y->TrackNewValue(-13);  // within 2 of Min: Min moves down to keep the margin
    Expect(-15, 43);
}

TEST_F(AxisTrackingTest, NothingIsTrackedWhilePausedOrForValuesThatAreNoNumber)
{
    Start(kptsScaleMinMax, 0, 10);
    y->SetTrackingEnabled(false);
    y->TrackNewValue(50);
    y->SetTrackingEnabled(true);
    y->TrackNewValue(std::nan(""));
    y->TrackNewValue(INFINITY);
    Expect(0, 10);
    EXPECT_EQ(plot.Count("minspan"), 0);
}

TEST_F(AxisTrackingTest, PausingKeepsTheRangeThatResumingReturnsTo)
{
    y->SetMinSpan(0, 10);
    y->SetLabelsMinLength(7);
    y->SetTrackingEnabled(false);
    EXPECT_EQ(y->GetResumeMin(), 0);
    EXPECT_EQ(y->GetResumeSpan(), 10);
    y->SetMinSpan(30, 5);
    y->SetLabelsMinLength(9);
    y->SetTrackingEnabled(true);
    Expect(0, 10);
    EXPECT_EQ(y->GetLabelsMinLength(), 7);

    // Without RestoreValuesOnResume the range stays where the user left it.
    y->SetRestoreValuesOnResume(false);
    y->SetTrackingEnabled(false);
    y->SetMinSpan(30, 5);
    y->SetTrackingEnabled(true);
    Expect(30, 5);
}

TEST_F(AxisTrackingTest, AlignmentWaitsForATickIncrementThenWidensOutward)
{
    y->SetTrackingIncrementStyle(kptisMajor);
    y->SetMinSpan(3, 44);
    y->AlignToIncrement();  // no tick generation yet: no increment to align to
    Expect(3, 44);
    EXPECT_EQ(plot.Count("minspan"), 1);

    y->GetLabelsFont()->SetHeight(-10);
    y->CalcTicks(&canvas);
    ASSERT_EQ(y->GetMajorIncrement(), 5);
    y->AlignToIncrement();
    Expect(0, 50);
    y->SetMinSpan(-7, 4);  // -7..-3 on a negative range
    y->AlignToIncrement();
    Expect(-10, 10);

    y->SetTrackingIncrementStyle(kptisMinor);
    y->SetMinSpan(1, 2);
    y->AlignToIncrement();
    EXPECT_DOUBLE_EQ(y->GetMin(), 0);
    EXPECT_DOUBLE_EQ(y->GetMax(), y->GetMinorIncrement() * std::ceil(3 / y->GetMinorIncrement()));
}

}  // namespace
