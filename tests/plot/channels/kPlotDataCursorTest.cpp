#include <gtest/gtest.h>

#include "ChannelTestSupport.h"
#include "ui/Keys.h"

namespace {

// A data view 100 pixels wide and high: one pixel is one percent, and on
// the test axes (0 .. 10 over 100 pixels) a tenth of a unit.
class DataCursor : public ChannelTest {
protected:
    void SetUp() override
    {
        ChannelTest::SetUp();
        channel = AddChannel();
        master->AddDataView();
        view = master->DataViewManager()->GetItem(0);
        view->SetDrawRect(TRect(0, 0, 100, 100));
        cursor = master->DataCursorManager()->GetItem(master->AddDataCursor());
    }

    TkPlotChannel* channel = nullptr;
    TkPlotDataView* view = nullptr;
    TkPlotDataCursor* cursor = nullptr;
};

TEST_F(DataCursor, ANewCursorIsHiddenBoundToTheFirstChannelAndItsView)
{
    EXPECT_FALSE(cursor->GetVisible());
    EXPECT_EQ(cursor->GetChannelName(), channel->GetName());
    EXPECT_EQ(cursor->GetDataView(), view);
    EXPECT_EQ(cursor->GetChannel(), channel);
    EXPECT_EQ(cursor->GetColor(), clYellow);
    EXPECT_EQ(cursor->GetPointer2Position(), 60);
}

TEST_F(DataCursor, PointerPositionsAreClampedIntoTheView)
{
    cursor->SetPointer1Position(150);
    EXPECT_EQ(cursor->GetPointer1Position(), 100);
    cursor->SetPointer1Position(-3);
    EXPECT_EQ(cursor->GetPointer1Position(), 0);
}

TEST_F(DataCursor, TheLayoutFollowsTheStyleAndTheReversedAxes)
{
    EXPECT_TRUE(cursor->GetPointer1Shown());
    EXPECT_FALSE(cursor->GetPointer2Shown());
    EXPECT_FALSE(cursor->GetPointer1Horizontal());
    cursor->SetStyle(kpcsDeltaY);
    EXPECT_TRUE(cursor->GetPointer2Shown());
    EXPECT_TRUE(cursor->GetPointer1Horizontal());
    EXPECT_TRUE(cursor->GetHintSlidesHorizontally());
    cursor->SetXYAxesReverse(true);
    EXPECT_FALSE(cursor->GetPointer1Horizontal());
    EXPECT_FALSE(cursor->GetHintSlidesHorizontally());
    cursor->SetStyle(kpcsValueY);
    EXPECT_TRUE(cursor->GetPointer1Horizontal());
    EXPECT_FALSE(cursor->GetPointer2Shown());
}

TEST_F(DataCursor, ValueReadoutsAtThePointer)
{
    AddPoints(channel, {{0, 0}, {10, 10}});
    cursor->SetPointer1Position(30);
    cursor->UpdateValues();
    EXPECT_EQ(cursor->GetValueStatus(), 0);
    EXPECT_DOUBLE_EQ(cursor->GetValueX(), 3);
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 3);
    EXPECT_EQ(channel->GetCursorReadout(), "C3, C3");
    cursor->SetStyle(kpcsValueX);
    cursor->UpdateValues();
    EXPECT_EQ(channel->GetCursorReadout(), "C3");
    cursor->SetStyle(kpcsValueY);
    cursor->UpdateValues();
    EXPECT_EQ(channel->GetCursorReadout(), "C3");
    EXPECT_DOUBLE_EQ(cursor->GetValueX(), 3);  // Y is read at the pointer's X
}

TEST_F(DataCursor, ReadoutWordsForNullNoValueAndDigitalLevels)
{
    channel->AddXY(0, 0);
    channel->AddPointCore(5, 0, true, false);
    channel->AddXY(10, 1);
    channel->SetInterpolationStyle(kpistDifferential);
    cursor->SetPointer1Position(70);
    cursor->UpdateValues();
    EXPECT_EQ(cursor->GetValueStatus(), kpcvNull);
    EXPECT_EQ(channel->GetCursorReadout(), "C7, Null");
    channel->SetInterpolationStyle(kpistStraightLine);
    cursor->UpdateValues();
    EXPECT_EQ(cursor->GetValueStatus(), kpcvNoValue);
    EXPECT_EQ(channel->GetCursorReadout(), "C7, Empty");
    channel->SetDataNull(1, false);
    channel->SetDigitalEnabled(true);
    cursor->UpdateValues();
    EXPECT_EQ(channel->GetCursorReadout(), "C7, Low");
    cursor->SetPointer1Position(30);
    cursor->UpdateValues();
    EXPECT_EQ(channel->GetCursorReadout(), "C3, Low");
    channel->SetDataY(0, 4);
    cursor->UpdateValues();
    EXPECT_EQ(channel->GetCursorReadout(), "C3, High");
    plot.translations["High"] = "高";
    cursor->UpdateValues();
    EXPECT_EQ(channel->GetCursorReadout(), "C3, 高");
}

TEST_F(DataCursor, DifferenceReadoutsUseTheScalerOfTheAxisTheyAreReadOn)
{
    xAxis.Scaler = 2;
    yAxis.Scaler = 10;
    cursor->SetPointer1Position(20);
    cursor->SetPointer2Position(50);
    cursor->SetStyle(kpcsDeltaX);
    cursor->UpdateValues();
    EXPECT_DOUBLE_EQ(cursor->GetValueX(), 6);
    EXPECT_EQ(channel->GetCursorReadout(), "C6");
    cursor->SetStyle(kpcsDeltaY);  // horizontal pointers, read on the Y axis
    cursor->UpdateValues();
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 30);
    EXPECT_EQ(channel->GetCursorReadout(), "C30");
    cursor->SetStyle(kpcsInverseDeltaX);
    cursor->UpdateValues();
    EXPECT_DOUBLE_EQ(cursor->GetValueX(), 1 / 6.0);
    EXPECT_EQ(channel->GetCursorReadout(), "P" + FloatToStr(1 / 6.0));
    cursor->SetPointer2Position(20);
    cursor->UpdateValues();
    EXPECT_EQ(channel->GetCursorReadout(), "Infinite");
}

TEST_F(DataCursor, TheReadoutNeedsBothAxesAndAView)
{
    AddPoints(channel, {{0, 0}, {10, 10}});
    hasYAxis = false;
    cursor->UpdateValues();
    EXPECT_EQ(channel->GetCursorReadout(), "");
    EXPECT_TRUE(plot.cursorEvents.size() == 1 && plot.cursorEvents[0] == "before Cursor 1");
}

TEST_F(DataCursor, OnlyAChangedReadoutReachesThePlot)
{
    cursor->SetValues(0, 1, 2);
    cursor->SetValues(0, 1, 2);
    cursor->SetValues(1, 1, 2);
    EXPECT_EQ(plot.cursorEvents, (std::vector<std::string>{"change Cursor 1", "change Cursor 1"}));
}

TEST_F(DataCursor, BoundToAllChannelsEveryChannelReportsInTurn)
{
    TkPlotChannel* second = AddChannel();
    AddPoints(channel, {{0, 0}, {10, 10}});
    AddPoints(second, {{0, 0}, {10, 20}});
    cursor->SetChannelName("<All>");
    cursor->SetPointer1Position(50);
    plot.cursorEvents.clear();
    cursor->UpdateValues();
    EXPECT_EQ(plot.cursorEvents, (std::vector<std::string>{"before Cursor 1", "change Cursor 1", "change Cursor 1"}));
    EXPECT_EQ(channel->GetCursorReadout(), "C5, C5");
    EXPECT_EQ(second->GetCursorReadout(), "C5, C10");
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 10);
}

TEST_F(DataCursor, KeysStepByPixelsAndJumpToTheEnds)
{
    cursor->SetStyle(kpcsDeltaX);
    cursor->SetPointer1Position(50);
    cursor->KeyDown(VK_RIGHT, 0, nullptr);
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 51);
    cursor->KeyDown(VK_PRIOR, 0, nullptr);
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 56);
    cursor->KeyDown(VK_NEXT, 0, nullptr);
    cursor->KeyDown(VK_LEFT, 0, nullptr);
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 50);
    cursor->KeyDown(VK_UP, 0, nullptr);  // not along a vertical pointer: moves the hint
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 50);
    EXPECT_DOUBLE_EQ(cursor->GetHintPosition(), 51);
    cursor->KeyDown(VK_END, 0, nullptr);
    EXPECT_EQ(cursor->GetPointer1Position(), 100);
    cursor->KeyDown(VK_RIGHT, 0, nullptr);
    EXPECT_EQ(cursor->GetPointer1Position(), 100);
    cursor->KeyDown(VK_HOME, ssCtrl, nullptr);
    EXPECT_EQ(cursor->GetPointer2Position(), 0);
    EXPECT_EQ(cursor->GetPointer1Position(), 100);
    cursor->KeyDown(VK_HOME, 0, nullptr);
    EXPECT_EQ(cursor->GetPointer1Position(), 0);
    cursor->SetStyle(kpcsValueX);  // one pointer: Ctrl moves nothing
    cursor->KeyDown(VK_END, ssCtrl, nullptr);
    EXPECT_EQ(cursor->GetPointer1Position(), 0);
    EXPECT_EQ(cursor->GetPointer2Position(), 0);
}

TEST_F(DataCursor, SnappingMovesThePointerOntoTheNearestPoint)
{
    AddPoints(channel, {{1, 0}, {2, 0}, {4, 0}, {8, 0}});
    cursor->SetSnapToDataPoint(true);
    cursor->SetPointer1Position(27);  // X 2.7: nearest 2
    cursor->SnapPointer(1);
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 20);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 1);
    cursor->SetPointer1Position(35);  // X 3.5: nearest 4, the index search's own answer
    cursor->SnapPointer(1);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 2);
    cursor->SetPointer1Position(65);  // X 6.5: the last point is the search's answer
    cursor->SnapPointer(1);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 3);
    cursor->SetPointer1Position(0);
    cursor->SnapPointer(1);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 0);
    cursor->SetPointer1Position(100);
    cursor->SnapPointer(1);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 3);
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 80);
}

TEST_F(DataCursor, SnappingAtTheEndsOfDescendingAndUnsortedPoints)
{
    AddPoints(channel, {{9, 0}, {6, 0}, {3, 0}});
    cursor->SetSnapToDataPoint(true);
    cursor->SetPointer1Position(100);  // X 10, beyond the first point
    cursor->SnapPointer(1);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 0);
    cursor->SetPointer1Position(0);  // X 0, beyond the last point
    cursor->SnapPointer(1);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 2);
    cursor->SetPointer1Position(55);
    cursor->SnapPointer(1);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 1);

    channel->Clear();
    AddPoints(channel, {{1, 0}, {9, 0}, {2, 0}, {7, 0}});
    for (double p = 0; p <= 100; p += 5) {
        cursor->SetPointer1Position(p);
        cursor->SnapPointer(1);
        EXPECT_GE(cursor->GetSnappedPointIndex(), 0);
        EXPECT_LT(cursor->GetSnappedPointIndex(), channel->GetCount());
    }
}

TEST_F(DataCursor, SnappedKeysStepThroughThePointsAndStopAtTheEnds)
{
    for (int x = 0; x <= 10; ++x)
        channel->AddXY(x, x);
    cursor->SetSnapToDataPoint(true);
    cursor->SetPointer1Position(42);
    cursor->KeyDown(VK_RIGHT, 0, nullptr);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 5);
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 50);
    cursor->KeyDown(VK_PRIOR, 0, nullptr);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 10);
    cursor->KeyDown(VK_RIGHT, 0, nullptr);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 10);
    cursor->KeyDown(VK_HOME, 0, nullptr);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 0);
    cursor->KeyDown(VK_LEFT, 0, nullptr);
    EXPECT_EQ(cursor->GetSnappedPointIndex(), 0);
    EXPECT_EQ(cursor->GetPointer1Position(), 0);
    cursor->KeyDown(VK_END, 0, nullptr);
    EXPECT_EQ(cursor->GetPointer1Position(), 100);
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 10);  // the readout followed
}

TEST_F(DataCursor, FollowsTheRenameOfItsChannelAndForgetsAViewThatGoes)
{
    channel->SetName("Pressure");
    EXPECT_EQ(cursor->GetChannelName(), "Pressure");
    TkPlotObject::Free(view);
    EXPECT_EQ(cursor->GetDataView(), nullptr);
    cursor->UpdateValues();  // nothing to read without a view
    EXPECT_EQ(channel->GetCursorReadout(), "");
}

}  // namespace

namespace {

TEST_F(DataCursor, APointerIsDraggedAcrossTheViewAndSnapsOnRelease)
{
    AddPoints(channel, {{0, 0}, {3, 3}, {10, 10}});
    cursor->SetSnapToDataPoint(true);
    cursor->SetPointer1Position(50);
    TkPlotMouseData mouse;
    mouse.Received = TPoint(52, 10);
    EXPECT_TRUE(cursor->HitTest(mouse));
    mouse.Received = TPoint(55, 10);
    EXPECT_FALSE(cursor->HitTest(mouse));
    cursor->MouseDown(mbLeft, 0, TPoint(52, 10), TPoint(52, 10), nullptr);
    ASSERT_TRUE(cursor->GetDraggingPointer(1));
    cursor->MouseMove(0, TPoint(40, 10));
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 40);
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 4);
    cursor->MouseMove(0, TPoint(-30, 10));
    EXPECT_EQ(cursor->GetPointer1Position(), 0);
    cursor->MouseMove(0, TPoint(28, 10));
    cursor->MouseUp(mbLeft, 0, TPoint(28, 10), TPoint(28, 10), false, nullptr);
    EXPECT_FALSE(cursor->GetDraggingPointer(1));
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 30);  // on the point at X 3
    EXPECT_DOUBLE_EQ(cursor->GetValueY(), 3);
}

TEST_F(DataCursor, HorizontalPointersAreDraggedUpAndDown)
{
    cursor->SetStyle(kpcsDeltaY);
    cursor->SetPointer2Position(60);
    EXPECT_EQ(cursor->PointerRect(2), TRect(0, 37, 100, 44));
    cursor->MouseDown(mbLeft, 0, TPoint(10, 41), TPoint(10, 41), nullptr);
    ASSERT_TRUE(cursor->GetDraggingPointer(2));
    cursor->MouseMove(0, TPoint(10, 75));
    EXPECT_DOUBLE_EQ(cursor->GetPointer2Position(), 25);
}

}  // namespace

namespace {

std::vector<std::string> Captions(const TMenuItem* Parent)
{
    std::vector<std::string> captions;
    for (int i = 0; i < Parent->Count(); ++i)
        captions.push_back(Parent->Items(i)->GetCaption());
    return captions;
}

TEST_F(DataCursor, ThePopupMenuChoosesChannelStyleAndOptions)
{
    TkPlotChannel* second = AddChannel();
    second->SetTitleText("Temperature");
    TkPlotChannel* hidden = AddChannel();
    hidden->SetVisible(false);
    AddPoints(second, {{1, 1}, {3, 3}});
    plot.translations["Style"] = "样式";
    TPopupMenu menu(nullptr);
    cursor->BuildPopupMenu(&menu);
    EXPECT_EQ(Captions(menu.Items),
              (std::vector<std::string>{"Channel", "样式", "Options", "Snap to Data-Point", "Edit..."}));
    TMenuItem* channels = menu.Items->Items(0);
    EXPECT_EQ(Captions(channels), (std::vector<std::string>{"<All>", "Channel 1", "Temperature"}));
    EXPECT_TRUE(channels->Items(1)->GetChecked());
    TMenuItem* styles = menu.Items->Items(1);
    EXPECT_EQ(Captions(styles),
              (std::vector<std::string>{"Value X-Y", "Value X", "Value Y", "Period", "Peak-Peak", "Frequency"}));
    EXPECT_TRUE(styles->Items(0)->GetChecked());

    cursor->SetSnapToDataPoint(true);
    cursor->SetPointer1Position(27);
    channels->Items(2)->Click();
    EXPECT_EQ(cursor->GetChannelName(), second->GetName());
    EXPECT_TRUE(second->GetFocused());
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 30);  // snapped to X 3
    channels->Items(0)->Click();
    EXPECT_EQ(cursor->GetChannelName(), "<All>");
    EXPECT_FALSE(second->GetFocused());
    styles->Items(4)->Click();
    EXPECT_EQ(cursor->GetStyle(), kpcsDeltaY);
}

TEST_F(DataCursor, OptionTogglesAndTheirLimits)
{
    cursor->MenuItemVisibleDeltaY = false;
    TPopupMenu menu(nullptr);
    cursor->BuildPopupMenu(&menu);
    EXPECT_FALSE(menu.Items->Items(1)->Items(4)->GetVisible());
    TMenuItem* options = menu.Items->Items(2);
    EXPECT_EQ(Captions(options),
              (std::vector<std::string>{"Use Channel Color", "Hide Hint On Release", "Flip Alignment"}));
    EXPECT_TRUE(options->Items(2)->GetEnabled());
    options->Items(0)->Click();
    EXPECT_FALSE(cursor->GetUseChannelColor());
    options->Items(2)->Click();
    EXPECT_EQ(cursor->GetHintOrientationSide(), kosTopLeft);
    cursor->SetStyle(kpcsDeltaX);  // two pointers: nothing to flip
    cursor->BuildPopupMenu(&menu);
    EXPECT_FALSE(menu.Items->Items(2)->Items(2)->GetEnabled());
    cursor->MenuUserCanChangeOptions = false;
    cursor->BuildPopupMenu(&menu);
    EXPECT_EQ(Captions(menu.Items), (std::vector<std::string>{"Channel", "Style", "Snap to Data-Point", "Edit..."}));
    cursor->SetChannelAllowAll(false);
    cursor->BuildPopupMenu(&menu);
    EXPECT_EQ(Captions(menu.Items->Items(0)), (std::vector<std::string>{"Channel 1"}));
}

}  // namespace
