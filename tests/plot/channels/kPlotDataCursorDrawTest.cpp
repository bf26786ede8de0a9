// What a data cursor draws: its pointer lines in each style, the hint box
// with the bound channel's readout beside or between the pointers, the
// looks of a held pointer and of the focus, and what the mouse can grab.
#include <gtest/gtest.h>

#include "ChannelTestSupport.h"
#include "plot/core/kGPFunctions.h"
#include "ui/Font.h"
#include "ui/RecordingCanvas.h"

namespace {

std::vector<int> Args(const TRect& R)
{
    return {R.Left, R.Top, R.Right, R.Bottom};
}

// A data view from (20, 10) to (220, 110): 200 pixels wide, 100 high. The
// X axis shows 0 .. 10 across it, the Y axis 0 .. 10 up it.
class DataCursorDraw : public ChannelTest {
protected:
    void SetUp() override
    {
        ChannelTest::SetUp();
        xAxis.Pixel0 = 20;
        xAxis.Pixel1 = 220;
        yAxis.Pixel0 = 110;
        yAxis.Pixel1 = 10;
        channel = AddChannel();
        AddPoints(channel, {{0, 0}, {10, 10}});
        master->AddDataView();
        master->DataViewManager()->GetItem(0)->SetDrawRect(view);
        cursor = master->DataCursorManager()->GetItem(master->AddDataCursor());
        cursor->SetVisible(true);
        cursor->SetPointer1Position(25);  // pixel 70, X = 2.5
    }

    void Paint()
    {
        canvas.Records.clear();
        cursor->Draw(&canvas, clBlack);
    }
    std::vector<const TCanvasRecord*> Lines()
    {
        std::vector<const TCanvasRecord*> found;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::LineTo)
                found.push_back(&r);
        return found;
    }
    // The lines drawn, as start and end points.
    std::vector<std::vector<int>> LineEnds()
    {
        std::vector<std::vector<int>> ends;
        for (const TCanvasRecord* r : Lines())
            ends.push_back({r->Points[0].X, r->Points[0].Y, r->Args[0], r->Args[1]});
        return ends;
    }
    const TCanvasRecord* Filled()
    {
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::FillRect)
                return &r;
        return nullptr;
    }
    std::string TextDrawn()
    {
        std::string text;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::TextOut || r.Op == TCanvasOp::TextRect)
                text += r.Text;
        return text;
    }
    // The hint box's size for Text in the cursor's font.
    TSize HintSize(const std::string& Text)
    {
        TRecordingCanvas measure;
        measure.Font->Assign(cursor->GetFont());
        return TSize(MultiLineTextWidth(&measure, Text) + 8, MultiLineTextHeight(&measure, Text) + 8);
    }
    void Press(TPoint P) { cursor->MouseDown(mbLeft, ssLeft, P, P, nullptr); }
    void Drag(TPoint P) { cursor->MouseMove(ssLeft, P); }
    void Release(TPoint P) { cursor->MouseUp(mbLeft, 0, P, P, false, nullptr); }

    const TRect view = TRect(20, 10, 220, 110);
    TkPlotChannel* channel = nullptr;
    TkPlotDataCursor* cursor = nullptr;
    TRecordingCanvas canvas;
};

TEST_F(DataCursorDraw, AValueCursorIsOneVerticalLineInTheChannelColourWithItsReadoutBesideIt)
{
    Paint();
    EXPECT_EQ(LineEnds(), (std::vector<std::vector<int>>{{70, 10, 70, 110}}));
    EXPECT_EQ(Lines()[0]->Pen.Color, channel->GetColor());
    EXPECT_EQ(Lines()[0]->Pen.Width, 1);

    const TSize size = HintSize("C2.5, C2.5");
    const int top = 60 - size.cy / 2;  // HintPosition 50: halfway up the view
    const TRect box(73, top, 73 + size.cx, top + size.cy);
    ASSERT_NE(Filled(), nullptr);
    EXPECT_EQ(Filled()->Args, Args(box));
    EXPECT_EQ(Filled()->Brush.Color, channel->GetColor());
    EXPECT_EQ(TextDrawn(), "C2.5, C2.5");
    EXPECT_EQ(cursor->GetHintRect(), box);
}

TEST_F(DataCursorDraw, TheCursorsOwnColourAndPenWidthWhenAsked)
{
    cursor->SetUseChannelColor(false);
    cursor->SetPointerPenWidth(3);
    Paint();
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0]->Pen.Color, clYellow);
    EXPECT_EQ(Lines()[0]->Pen.Width, 3);
    EXPECT_EQ(Filled()->Brush.Color, clYellow);
}

TEST_F(DataCursorDraw, TheHintTakesTheOtherSideWhenItsOwnHasNoRoomAndStaysInTheView)
{
    const TSize size = HintSize("C9.5, C9.5");
    cursor->SetPointer1Position(95);  // pixel 210: no room on the right
    Paint();
    EXPECT_EQ(cursor->GetHintRect().Right, 207);

    cursor->SetHintOrientationSide(kosTopLeft);
    Paint();
    EXPECT_EQ(cursor->GetHintRect().Right, 207);
    cursor->SetPointer1Position(5);  // pixel 30: no room on the left
    Paint();
    EXPECT_EQ(cursor->GetHintRect().Left, 33);

    cursor->SetHintPosition(100);  // centred on the view's top edge: pushed in
    Paint();
    EXPECT_EQ(cursor->GetHintRect().Top, 10);
    cursor->SetHintPosition(0);
    Paint();
    EXPECT_EQ(cursor->GetHintRect().Bottom, 110);
    EXPECT_EQ(cursor->GetHintRect().Height(), size.cy);
}

TEST_F(DataCursorDraw, APeriodCursorHasTwoPointersJoinedThroughTheHintBetweenThem)
{
    cursor->SetStyle(kpcsDeltaX);
    cursor->SetPointer1Position(50);  // pixel 120
    cursor->SetPointer2Position(60);  // pixel 140
    Paint();
    const TSize size = HintSize("C1");
    const int left = 130 - size.cx / 2, top = 60 - size.cy / 2;
    EXPECT_EQ(cursor->GetHintRect(), TRect(left, top, left + size.cx, top + size.cy));
    const int middle = top + size.cy / 2;
    EXPECT_EQ(LineEnds(),
              (std::vector<std::vector<int>>{{120, 10, 120, 110}, {140, 10, 140, 110}, {120, middle, 140, middle}}));
    EXPECT_EQ(TextDrawn(), "C1");
}

TEST_F(DataCursorDraw, APeakToPeakCursorHasTwoHorizontalPointersAndTheHintSlidesAlongThem)
{
    cursor->SetStyle(kpcsDeltaY);
    cursor->SetPointer1Position(50);  // 50 pixels up from the bottom: 60
    cursor->SetPointer2Position(70);  // 40
    cursor->SetHintPosition(25);      // a quarter across: 70
    Paint();
    const TSize size = HintSize("C2");
    const int left = 70 - size.cx / 2, top = 50 - size.cy / 2;
    EXPECT_EQ(cursor->GetHintRect(), TRect(left, top, left + size.cx, top + size.cy));
    const int centre = left + size.cx / 2;
    EXPECT_EQ(LineEnds(),
              (std::vector<std::vector<int>>{{20, 60, 220, 60}, {20, 40, 220, 40}, {centre, 60, centre, 40}}));
    EXPECT_EQ(TextDrawn(), "C2");
}

TEST_F(DataCursorDraw, WithReversedAxesAValueCursorIsAHorizontalLineWithTheHintBelowIt)
{
    cursor->SetXYAxesReverse(true);
    cursor->SetPointer1Position(50);  // 50 pixels up: 60
    Paint();
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(LineEnds()[0], (std::vector<int>{20, 60, 220, 60}));
    EXPECT_EQ(cursor->GetHintRect().Top, 63);
}

TEST_F(DataCursorDraw, NoHintForAllChannelsNorWhenHiddenNorForAHiddenCursor)
{
    cursor->SetChannelName(TkPlotDataCursor::AllChannels);
    Paint();
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0]->Pen.Color, clYellow);
    EXPECT_EQ(Filled(), nullptr);
    EXPECT_EQ(cursor->GetHintRect(), TRect());

    cursor->SetChannelName(channel->GetName());
    cursor->SetHintShow(false);
    Paint();
    EXPECT_EQ(Filled(), nullptr);

    cursor->SetHintShow(true);
    cursor->SetVisible(false);
    Paint();
    EXPECT_TRUE(canvas.Records.empty());
}

TEST_F(DataCursorDraw, AnUnknownChannelShowsNoChannelAndTheApplicationMayChangeTheText)
{
    plot.translations["No Channel"] = "无通道";
    cursor->SetChannelName("Nothing");
    Paint();
    EXPECT_EQ(TextDrawn(), "无通道");
    plot.hintSuffix = " !";
    cursor->SetChannelName(channel->GetName());
    Paint();
    EXPECT_EQ(TextDrawn(), "C2.5, C2.5 !");
}

TEST_F(DataCursorDraw, AHeldPointerIsDrawnWiderAndHidesItsHintOnRelease)
{
    cursor->SetHintHideOnRelease(true);
    Paint();
    EXPECT_EQ(Filled(), nullptr);
    Press(TPoint(71, 50));
    Paint();
    EXPECT_EQ(Lines()[0]->Pen.Width, 3);
    EXPECT_NE(Filled(), nullptr);
    Release(TPoint(71, 50));
    Paint();
    EXPECT_EQ(Lines()[0]->Pen.Width, 1);
    EXPECT_EQ(Filled(), nullptr);
}

TEST_F(DataCursorDraw, AFocusedCursorFramesItsHint)
{
    Paint();
    for (const TCanvasRecord& r : canvas.Records)
        EXPECT_NE(r.Op, TCanvasOp::Rectangle);
    cursor->SetFocused(true);
    Paint();
    const TCanvasRecord* frame = nullptr;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::Rectangle)
            frame = &r;
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Args, Args(cursor->GetHintRect()));
    EXPECT_EQ(frame->Pen.Style, psDot);
}

TEST_F(DataCursorDraw, TheHintBoxIsGrabbedAndDraggedAlongThePointer)
{
    const TRect box = TRect(73, 60 - HintSize("C2.5, C2.5").cy / 2, 0, 0);
    TkPlotMouseData m;
    m.Received = TPoint(100, 60);
    EXPECT_FALSE(cursor->HitTest(m));  // nothing drawn yet
    Paint();
    EXPECT_TRUE(cursor->HitTest(m));
    Press(TPoint(100, 60));
    EXPECT_TRUE(cursor->GetDraggingHint());
    EXPECT_FALSE(cursor->GetDraggingPointer(1));
    Drag(TPoint(130, 40));  // 20 pixels up
    EXPECT_DOUBLE_EQ(cursor->GetHintPosition(), 70);
    EXPECT_DOUBLE_EQ(cursor->GetPointer1Position(), 25);
    Release(TPoint(130, 40));
    EXPECT_FALSE(cursor->GetDraggingHint());
    Paint();
    EXPECT_EQ(cursor->GetHintRect().Top, box.Top - 20);
}

TEST_F(DataCursorDraw, APressAndReleaseOnTheCursorIsAClick)
{
    Paint();
    Press(TPoint(70, 30));
    Release(TPoint(70, 30));
    EXPECT_EQ(plot.clicks, (std::vector<std::string>{cursor->GetName()}));
    Press(TPoint(70, 30));
    Release(TPoint(200, 30));  // released away from it
    EXPECT_EQ(plot.clicks.size(), 1u);
}

}  // namespace
