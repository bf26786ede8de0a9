// Input of the plot component: the object under the mouse, how presses,
// drags, releases, wheel turns and keys reach the objects, and the hint.
#include <gtest/gtest.h>

#include <algorithm>

#include "PlotComponentSupport.h"
#include "rtl/Exception.h"
#include "ui/Keys.h"
#include "ui/RecordingCanvas.h"

namespace {

// Two Y axes side by side on the left, an X axis below, a legend on the
// right, a toolbar on top and the data view, laid out on a 500 by 200 plot.
class Input : public ::testing::Test {
protected:
    void SetUp() override
    {
        plot.AddToolBar();
        plot.AddLegend();
        plot.AddXAxis();
        plot.AddYAxis();
        plot.AddYAxis();
        plot.AddDataView();
        plot.Bar(0)->SetHorizontal(true);
        plot.Bar(0)->SetZOrder(5);
        plot.Bar(0)->Required = 20;
        plot.Legend(0)->SetZOrder(5);
        plot.Legend(0)->Required = 50;
        plot.X(0)->Required = 30;
        plot.Y(0)->Required = 30;
        plot.Y(1)->Required = 30;
        TRecordingCanvas canvas(TSize(500, 200));
        plot.CalcLayout(&canvas);
        plot.log.lines.clear();
    }
    static TPoint Centre(const TRect& R) { return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
    TPoint At(TkPlotLayoutObject* Object, int Down = 0)
    {
        const TPoint c = Centre(Object->GetDrawRect());
        return TPoint(c.X, c.Y + Down);
    }
    void Press(TMouseButton Button, TPoint P, TShiftState Shift = 0)
    {
        plot.HandleMouseDown(Button, Shift | (Button == mbLeft ? ssLeft : ssRight), P.X, P.Y);
    }
    void Release(TMouseButton Button, TPoint P, TShiftState Shift = 0) { plot.HandleMouseUp(Button, Shift, P.X, P.Y); }
    void Move(TPoint P, TShiftState Shift = 0) { plot.HandleMouseMove(Shift, P.X, P.Y); }
    std::vector<std::string>& Log() { return plot.log.lines; }

    TestPlot plot;
};

TEST_F(Input, SelectedObjectsAreHitFirstThenAnyThenDataViewsAndLegends)
{
    EXPECT_EQ(plot.ObjectAt(At(plot.Y(1))), plot.Y(1));
    EXPECT_EQ(plot.ObjectAt(At(plot.View(0))), plot.View(0));
    EXPECT_EQ(plot.ObjectAt(At(plot.Legend(0))), plot.Legend(0));
    EXPECT_EQ(plot.ObjectAt(TPoint(0, 199)), nullptr);

    // A legend spread over the Y axes comes after them, selected or not.
    plot.Legend(0)->SetDrawRect(TRect(0, 0, 500, 200));
    plot.Legend(0)->SetFocused(true);
    EXPECT_EQ(plot.ObjectAt(At(plot.Y(0))), plot.Y(0));
    // Of two overlapping axes the selected one wins.
    plot.Y(1)->SetDrawRect(plot.Y(0)->GetDrawRect());
    TRecordingCanvas canvas(TSize(500, 200));
    plot.Y(1)->CalcScaleRect(&canvas);
    EXPECT_EQ(plot.ObjectAt(At(plot.Y(0))), plot.Y(0));
    plot.Y(1)->SetFocused(true);
    EXPECT_EQ(plot.ObjectAt(At(plot.Y(0))), plot.Y(1));
    // Disabled and invisible objects are never hit.
    plot.Y(1)->SetEnabled(false);
    plot.Y(0)->SetVisible(false);
    EXPECT_EQ(plot.ObjectAt(At(plot.Y(0))), plot.Legend(0));
}

TEST_F(Input, ARightClickOnAnUnselectedAxisSelectsItAloneAndPressesItAlone)
{
    plot.X(0)->SetFocused(true);
    plot.Y(0)->SetFocused(true);
    std::vector<int> downs;
    plot.OnMouseDownYAxis = [&](int i, TMouseButton b, TShiftState, int, int) {
        EXPECT_EQ(b, mbRight);
        downs.push_back(i);
    };
    // The axis's own popup menu is not what this is about.
    std::vector<int> popups;
    plot.OnPopupMenuYAxis = [&](int i, bool& Cancel, int, int) {
        popups.push_back(i);
        Cancel = true;
    };
    Press(mbRight, At(plot.Y(1)));
    EXPECT_FALSE(plot.X(0)->GetFocused());
    EXPECT_FALSE(plot.Y(0)->GetFocused());
    EXPECT_TRUE(plot.Y(1)->GetFocused());
    EXPECT_EQ(Log(), std::vector<std::string>{"Y-Axis 2 right down"});
    EXPECT_EQ(downs, std::vector<int>{1});
    Release(mbRight, At(plot.Y(1)));
    EXPECT_EQ(popups, std::vector<int>{1});
}

TEST_F(Input, ALeftDragOnOneOfSeveralSelectedObjectsMovesThemAll)
{
    plot.Y(0)->SetFocused(true);
    Press(mbLeft, At(plot.Y(1)), ssShift);  // Shift adds to the selection
    EXPECT_TRUE(plot.Y(0)->GetFocused());
    EXPECT_TRUE(plot.Y(1)->GetFocused());
    EXPECT_EQ(Log(), (std::vector<std::string>{"Y-Axis 1 down", "Y-Axis 2 down"}));
    Log().clear();
    // Shift on an axis holds moves back until the release.
    Release(mbLeft, At(plot.Y(1)));
    Log().clear();

    Press(mbLeft, At(plot.Y(1)));
    Log().clear();
    Move(At(plot.View(0)), ssLeft);
    EXPECT_EQ(Log(), (std::vector<std::string>{"Y-Axis 1 drag", "Y-Axis 2 drag"}));
    Log().clear();
    Release(mbLeft, At(plot.View(0)));
    EXPECT_EQ(Log(), (std::vector<std::string>{"Y-Axis 2 up", "Y-Axis 1 up", "Y-Axis 2 up"}));
    EXPECT_FALSE(plot.GetMouseIsDown());
}

TEST_F(Input, CtrlTogglesTheSelection)
{
    plot.Y(0)->SetFocused(true);
    Press(mbLeft, At(plot.Y(0)), ssCtrl);
    EXPECT_FALSE(plot.Y(0)->GetFocused());
    Release(mbLeft, At(plot.Y(0)));
}

TEST_F(Input, APressOnAnEmptyAreaDeselectsEveryObject)
{
    plot.Y(0)->SetFocused(true);
    plot.X(0)->SetFocused(true);
    Press(mbLeft, TPoint(0, 199));
    EXPECT_FALSE(plot.Y(0)->GetFocused());
    EXPECT_FALSE(plot.X(0)->GetFocused());
    EXPECT_TRUE(Log().empty());
    Release(mbLeft, TPoint(0, 199));
}

TEST_F(Input, WheelAndKeysGoToTheSelectedObjects)
{
    plot.Y(1)->SetFocused(true);
    EXPECT_TRUE(plot.HandleMouseWheel(0, 120, 10, 10));
    EXPECT_EQ(Log(), std::vector<std::string>{"Y-Axis 2 wheel 120"});
    bool want = false;
    plot.HandleWantKeys(VK_LEFT, want);
    EXPECT_TRUE(want);
    plot.Y(1)->SetFocused(false);
    Log().clear();
    EXPECT_TRUE(plot.HandleMouseWheel(0, 120, 10, 10));  // handled, though nobody took it
    EXPECT_TRUE(Log().empty());
}

TEST_F(Input, MovesWithoutAButtonFindTheHoveredObjectAndItsCursor)
{
    std::vector<int> asked;
    plot.OnGetMouseCursorYAxis = [&](int i, TCursor& Cursor) {
        asked.push_back(i);
        Cursor = crCross;
    };
    Move(At(plot.Y(1)));
    EXPECT_EQ(asked, std::vector<int>{1});
    EXPECT_EQ(plot.GetCursor(), crCross);
    Move(At(plot.View(0)));
    EXPECT_EQ(Log(), std::vector<std::string>{"Y-Axis 2 leave"});
    EXPECT_EQ(plot.GetCursor(), crDefault);
}

// An exception from an object's handler is not swallowed: it reaches the
// application's exception path, and the press is over all the same.
TEST_F(Input, AnExceptionFromAHandlerReachesTheApplicationAndEndsThePress)
{
    plot.OnMouseUpYAxis = [](int, TMouseButton, TShiftState, int, int) { throw Exception("handler failed"); };
    std::vector<std::string> clicks;
    plot.OnClickYAxis = [&](int) { clicks.push_back("click"); };
    plot.OnDblClickYAxis = [&](int) { clicks.push_back("double"); };
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, Exception& E) { reported.push_back(E.Message); };
    Press(mbLeft, At(plot.Y(0)));
    plot.HandleDblClick();
    CallGuarded(&plot, [&] { Release(mbLeft, At(plot.Y(0))); });
    Application->OnException = nullptr;
    EXPECT_EQ(reported, std::vector<std::string>{"handler failed"});
    EXPECT_FALSE(plot.GetMouseIsDown());
    // The double click went with the failed release: the next click is one.
    plot.DoObjectClick(plot.Y(0));
    EXPECT_EQ(clicks, std::vector<std::string>{"click"});
    // And a move is no longer part of the old press: it finds the object
    // under the mouse.
    std::vector<int> asked;
    plot.OnGetMouseCursorYAxis = [&](int i, TCursor&) { asked.push_back(i); };
    Move(At(plot.Y(1)), ssLeft);
    EXPECT_EQ(asked, std::vector<int>{1});
}

TEST_F(Input, AnObjectRemovedWhilePressedIsForgotten)
{
    Press(mbLeft, At(plot.Y(1)));
    plot.DeleteYAxis(1);
    Move(At(plot.View(0)), ssLeft);
    Release(mbLeft, At(plot.View(0)));
    EXPECT_EQ(plot.GetYAxisCount(), 1);
}

// ---------------------------------------------------------------- hints

class Hints : public Input {
protected:
    void SetUp() override
    {
        Input::SetUp();
        plot.Y(0)->HintText = "Y one";
        plot.Y(1)->HintText = "Y two";
    }
};

TEST_F(Hints, AHintShowsThePauseAfterTheLastMoveAndGoesAfterItsStay)
{
    Move(At(plot.Y(0)));
    plot.Advance(300);
    Move(At(plot.Y(0), 1));  // the delay counts from here
    plot.Advance(499);
    EXPECT_FALSE(plot.GetHint().Visible());
    plot.Advance(1);
    EXPECT_TRUE(plot.GetHint().Visible());
    EXPECT_EQ(plot.GetHint().Text(), "Y one");

    TRecordingCanvas canvas(TSize(500, 200));
    plot.AddToolBar();  // painting needs a toolbar, a legend and a data view
    plot.PaintToCanvas(&canvas);
    bool drawn = false;
    for (const TCanvasRecord& r : canvas.Records)
        drawn = drawn || ((r.Op == TCanvasOp::TextRect || r.Op == TCanvasOp::TextOut) && r.Text == "Y one");
    EXPECT_TRUE(drawn);

    plot.Advance(2499);
    EXPECT_TRUE(plot.GetHint().Visible());
    plot.Advance(1);
    EXPECT_FALSE(plot.GetHint().Visible());
}

TEST_F(Hints, MovingOntoAnotherObjectOrPressingHidesTheHint)
{
    Move(At(plot.Y(0)));
    plot.Advance(500);
    ASSERT_TRUE(plot.GetHint().Visible());
    Move(At(plot.Y(1)));
    EXPECT_FALSE(plot.GetHint().Visible());

    Move(At(plot.Y(1), 1));
    plot.Advance(500);
    ASSERT_TRUE(plot.GetHint().Visible());
    Press(mbLeft, At(plot.Y(1)));
    EXPECT_FALSE(plot.GetHint().Visible());
    for (int t = 0; t < 10000; t += 100) {  // a hidden hint does not come back by itself
        plot.Advance(100);
        ASSERT_FALSE(plot.GetHint().Visible()) << t;
    }
    Release(mbLeft, At(plot.Y(1)));
}

TEST_F(Hints, LosingTheFocusHidesTheHintAndLeavesTheHoveredObject)
{
    Move(At(plot.Y(0)));
    plot.Advance(500);
    ASSERT_TRUE(plot.GetHint().Visible());
    plot.HandleLostFocus();
    EXPECT_FALSE(plot.GetHint().Visible());
    EXPECT_EQ(Log().back(), "Y-Axis 1 leave");
}

TEST_F(Hints, NoHintWhenHintsAreOff)
{
    plot.SetHintsShow(false);
    Move(At(plot.Y(0)));
    plot.Advance(10000);
    EXPECT_FALSE(plot.GetHint().Visible());
}

TEST_F(Hints, TheDelaysFollowTheProperties)
{
    plot.SetHintsPause(100);
    plot.SetHintsHidePause(200);
    Move(At(plot.Y(0)));
    plot.Advance(100);
    EXPECT_TRUE(plot.GetHint().Visible());
    plot.Advance(200);
    EXPECT_FALSE(plot.GetHint().Visible());
}

// A shown hint holds no mouse grab (which would keep the mouse from every
// other window); the mouse leaving the plot hides it instead.
TEST_F(Hints, AShownHintGrabsNoMouseAndLeavingThePlotHidesIt)
{
    plot.Show();
    Move(At(plot.Y(0)));
    plot.Advance(500);
    ASSERT_TRUE(plot.GetHint().Visible());
    EXPECT_FALSE(plot.GetMouseCapture());
    plot.MouseLeave();
    EXPECT_FALSE(plot.GetHint().Visible());
    EXPECT_EQ(Log().back(), "Y-Axis 1 leave");
}

}  // namespace
