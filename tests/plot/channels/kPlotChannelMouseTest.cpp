#include <gtest/gtest.h>

#include "ChannelTestSupport.h"

#include <algorithm>
#include <cmath>

namespace {

struct DataPointPlot : ChannelPlot {
    bool selectMode = true;
    std::vector<std::string> pointEvents;

    bool GetSelectMode() const override { return selectMode; }
    void DoMouseDownDataPoint(TkPlotObject*, int Index, TMouseButton, TShiftState, int, int) override
    {
        pointEvents.push_back("down " + std::to_string(Index));
    }
    void DoDataPointClick(TkPlotObject*, int Index) override
    {
        pointEvents.push_back("click " + std::to_string(Index));
    }
    void DoObjectClick(TkPlotObject* Object) override { pointEvents.push_back("clicked " + Object->GetName()); }
    void DoMouseMoveDataPoint(TkPlotObject*, int Index, TShiftState, int, int) override
    {
        pointEvents.push_back("move " + std::to_string(Index));
    }
    void DoDataPointCustomizeHint(TkPlotObject*, int Index, std::string& Text) override
    {
        if (customizeHint)
            Text += " #" + std::to_string(Index);
    }
    // Every hint text is 40 by 10 pixels; the data view is 100 by 100.
    TSize HintTextExtent(const std::string&) override { return TSize(40, 10); }
    TRect GetDataViewRect() const override { return TRect(0, 0, 100, 100); }
    bool customizeHint = false;
    void DoDataPointMoved(TkPlotObject*, int Index, double OldX, double OldY, double NewX, double NewY) override
    {
        pointEvents.push_back("moved " + std::to_string(Index) + " " + FloatToStr(OldX) + "," + FloatToStr(OldY) +
                              " to " + FloatToStr(NewX) + "," + FloatToStr(NewY));
    }
};

// Test axes: X 0 .. 10 over pixels 0 .. 100, Y 0 .. 10 over pixels 100 .. 0;
// markers of size 3 around each point.
class DataPointMouse : public ChannelTest {
protected:
    void SetUp() override
    {
        ChannelTest::SetUp();
        master = std::make_unique<TkPlotMasterManager>(&points);
        channel = AddChannel();
        channel->SetMarkersVisible(true);
        channel->SetUserCanMoveDataPoints(true);
    }
    void TearDown() override { master.reset(); }

    // Press on a pixel, drag to another, release there.
    void Press(TPoint At)
    {
        TkPlotMouseData mouse;
        mouse.Received = mouse.Point = At;
        ASSERT_TRUE(channel->HitTest(mouse));
        channel->MouseDown(mbLeft, 0, At, At, nullptr);
    }
    void Move(TPoint To) { channel->MouseMove(0, To); }
    void Release(TPoint At) { channel->MouseUp(mbLeft, 0, At, At, false, nullptr); }

    DataPointPlot points;
    TkPlotChannel* channel = nullptr;
};

TEST_F(DataPointMouse, AMarkerIsHitOnlyInSelectMode)
{
    AddPoints(channel, {{2, 2}, {5, 5}});
    TkPlotMouseData mouse;
    mouse.Received = TPoint(51, 49);
    EXPECT_TRUE(channel->HitTest(mouse));
    EXPECT_EQ(channel->GetHitPointIndex(), 1);
    mouse.Received = TPoint(60, 49);
    EXPECT_FALSE(channel->HitTest(mouse));
    EXPECT_EQ(channel->GetHitPointIndex(), -1);
    points.selectMode = false;
    mouse.Received = TPoint(51, 49);
    EXPECT_FALSE(channel->HitTest(mouse));
    channel->SetLegendRect(TRect(150, 0, 170, 10));
    mouse.Received = TPoint(155, 5);
    EXPECT_TRUE(channel->HitTest(mouse));
    EXPECT_EQ(channel->GetMouseCursor(TPoint(155, 5)), crHandPoint);
}

TEST_F(DataPointMouse, DraggingAPointMovesItAndTellsThePlot)
{
    AddPoints(channel, {{2, 2}, {5, 5}});
    Press(TPoint(50, 50));
    EXPECT_TRUE(channel->GetDragging());
    Move(TPoint(70, 30));
    EXPECT_DOUBLE_EQ(channel->GetDataX(1), 7);
    EXPECT_DOUBLE_EQ(channel->GetDataY(1), 7);
    Release(TPoint(70, 30));
    EXPECT_FALSE(channel->GetDragging());
    EXPECT_EQ(points.pointEvents, (std::vector<std::string>{"down 1", "move 1", "moved 1 5,5 to 7,7"}));
    channel->SetUserCanMoveDataPointsStyle(kpcdpmsYOnly);
    Press(TPoint(70, 30));
    Move(TPoint(90, 40));
    Release(TPoint(71, 31));
    EXPECT_DOUBLE_EQ(channel->GetDataX(1), 7);
    EXPECT_DOUBLE_EQ(channel->GetDataY(1), 6);
    EXPECT_EQ(points.pointEvents.back(), "moved 1 7,7 to 7,6");
    Press(TPoint(70, 40));
    Release(TPoint(70, 40));
    EXPECT_EQ(points.pointEvents.back(), "click 1");
}

TEST_F(DataPointMouse, ADragEndsWhenTheRingShiftsThePointsUnderIt)
{
    channel->SetRingBufferSize(3);
    AddPoints(channel, {{2, 2}, {4, 4}, {6, 6}});
    Press(TPoint(20, 80));
    channel->AddXY(8, 8);  // point 0 is now the one at X 4
    Move(TPoint(30, 70));
    EXPECT_FALSE(channel->GetDragging());
    EXPECT_EQ(channel->GetDataX(0), 4);
    EXPECT_EQ(channel->GetDataY(0), 4);
    Release(TPoint(30, 70));
    EXPECT_EQ(points.pointEvents, (std::vector<std::string>{"down 0"}));
}

TEST_F(DataPointMouse, ADragEndsWhenThePointsGo)
{
    AddPoints(channel, {{2, 2}, {4, 4}});
    Press(TPoint(40, 60));
    channel->Clear();
    EXPECT_NO_THROW(Move(TPoint(30, 70)));
    EXPECT_NO_THROW(Release(TPoint(30, 70)));
    AddPoints(channel, {{2, 2}, {4, 4}});
    Press(TPoint(40, 60));
    channel->SetDataStyle(kpdsCompact);
    EXPECT_NO_THROW(Move(TPoint(30, 70)));
    EXPECT_FALSE(channel->GetDragging());
}

}  // namespace

namespace {

TEST_F(DataPointMouse, TheTraceItselfIsHitWithinTenPixels)
{
    channel->SetMarkersVisible(false);
    AddPoints(channel, {{0, 0}, {10, 10}});
    TkPlotMouseData mouse;
    mouse.Received = mouse.Point = TPoint(50, 40);  // the trace passes (50, 50)
    EXPECT_TRUE(channel->HitTest(mouse));
    mouse.Received = mouse.Point = TPoint(50, 39);
    EXPECT_FALSE(channel->HitTest(mouse));
    mouse.Received = mouse.Point = TPoint(50, 59);
    EXPECT_TRUE(channel->HitTest(mouse));
    mouse.Received = mouse.Point = TPoint(50, 60);
    EXPECT_FALSE(channel->HitTest(mouse));
}

TEST_F(DataPointMouse, ThePopupMenuOffersEditWhenTheUserMayEdit)
{
    TPopupMenu menu(nullptr);
    menu.Items->Add(NewMenuItem(&menu, "stale", nullptr));
    channel->BuildPopupMenu(&menu);
    ASSERT_EQ(menu.Items->Count(), 1);
    EXPECT_EQ(menu.Items->Items(0)->GetCaption(), "Edit...");
    channel->SetUserCanEdit(false);
    channel->BuildPopupMenu(&menu);
    EXPECT_EQ(menu.Items->Count(), 0);
}

TEST_F(DataPointMouse, AChannelKeepsItsFocusOnlyBesideItsOwnCursorOrALegend)
{
    TkPlotChannel* other = AddChannel();
    master->AddDataView();
    auto* cursor = master->DataCursorManager()->GetItem(master->AddDataCursor());
    ASSERT_EQ(cursor->GetChannelName(), channel->GetName());
    channel->SetFocused(true);
    cursor->SetFocused(true);  // bound to the channel: both keep it
    EXPECT_TRUE(channel->GetFocused());
    EXPECT_TRUE(cursor->GetFocused());
    other->SetFocused(true);  // the focused cursor moves to the other channel
    EXPECT_FALSE(channel->GetFocused());
    EXPECT_TRUE(cursor->GetFocused());
    EXPECT_EQ(cursor->GetChannelName(), other->GetName());
    master->AddLegend();
    master->LegendManager()->GetObject(0)->SetFocused(true);
    EXPECT_TRUE(other->GetFocused());
    EXPECT_FALSE(cursor->GetFocused());
}

TEST_F(DataPointMouse, AFocusedCursorTakesItsChannelAlong)
{
    master->AddDataView();
    auto* cursor = master->DataCursorManager()->GetItem(master->AddDataCursor());
    cursor->SetFocused(true);
    EXPECT_TRUE(channel->GetFocused());
}

}  // namespace

namespace {

// The hint of a point at (X, Y) with the mouse on the point.
TkPlotHintData HoverHint(TkPlotChannel* Channel, double X, double Y)
{
    Channel->Clear();
    Channel->AddXY(X, Y);
    const TPoint at(int(std::nearbyint(X * 10)), int(std::nearbyint(100 - Y * 10)));
    TkPlotMouseData mouse;
    mouse.Received = mouse.Point = at;
    Channel->HitTest(mouse);
    TkPlotHintData hint;
    Channel->MouseMove(0, at, &hint);
    return hint;
}

TEST_F(DataPointMouse, APointsHintShowsItsValuesAboveItInsideTheView)
{
    channel->SetShowDataPointHints(true);  // markers of size 3: M is 1; the box is 44 by 14
    TkPlotHintData hint = HoverHint(channel, 5, 5);
    EXPECT_EQ(hint.Text, "L5, L5");
    EXPECT_EQ(hint.Rect, TRect(28, 31, 72, 45));
    EXPECT_EQ(points.pointEvents.back(), "move 0");
    EXPECT_EQ(HoverHint(channel, 5, 9.5).Rect, TRect(28, 24, 72, 38));     // no room above: below
    EXPECT_EQ(HoverHint(channel, 9.5, 5).Rect, TRect(46, 43, 90, 57));     // no room right: left of it
    EXPECT_EQ(HoverHint(channel, 0.5, 5).Rect, TRect(14, 43, 58, 57));     // no room left: right of it
    EXPECT_EQ(HoverHint(channel, 0.5, 0.5).Rect, TRect(14, 86, 58, 100));  // kept above the bottom
    points.customizeHint = true;
    EXPECT_EQ(HoverHint(channel, 5, 5).Text, "L5, L5 #0");
    channel->SetShowDataPointHints(false);
    EXPECT_EQ(HoverHint(channel, 5, 5).Text, "");
}

}  // namespace

namespace {

TEST_F(DataPointMouse, APressAndReleaseOnTheLegendEntryClicksTheChannel)
{
    points.selectMode = false;
    channel->SetLegendRect(TRect(150, 0, 170, 10));
    channel->MouseDown(mbLeft, 0, TPoint(155, 5), TPoint(155, 5), nullptr);
    channel->MouseUp(mbLeft, 0, TPoint(156, 6), TPoint(156, 6), false, nullptr);
    EXPECT_EQ(points.pointEvents.back(), "clicked " + channel->GetName());
    const std::size_t events = points.pointEvents.size();
    channel->MouseUp(mbLeft, 0, TPoint(156, 6), TPoint(156, 6), false, nullptr);  // no press: no click
    channel->MouseDown(mbLeft, 0, TPoint(155, 5), TPoint(155, 5), nullptr);
    channel->MouseUp(mbLeft, 0, TPoint(190, 6), TPoint(190, 6), false, nullptr);  // released elsewhere
    EXPECT_EQ(
        std::count(points.pointEvents.begin() + events, points.pointEvents.end(), "clicked " + channel->GetName()), 0);
}

}  // namespace
