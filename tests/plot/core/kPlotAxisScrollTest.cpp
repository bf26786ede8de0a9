// Scrolling and zooming an axis: the steps themselves on linear and log
// scales, and the drags, wheel notches and keys that make them, with the
// events that report the end of a gesture.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotTrackingSupport.h"
#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/Keys.h"
#include "ui/PopupMenu.h"

namespace {

class AxisScrollTest : public ::testing::Test {
protected:
    TrackingPlot plot;
    AxisCallbacks callbacks;
    TRecordingCanvas canvas;
    AxisPtr<TkPlotYAxis> y = MakeYAxis(plot, callbacks);
    AxisPtr<TkPlotXAxis> x = MakeXAxis(plot, callbacks);

    void SetUp() override
    {
        y->SetName("Y-Axis 1");
        x->SetName("X-Axis 1");
        y->SetDrawRect(TRect(0, 0, 50, 400));
        x->SetDrawRect(TRect(50, 400, 450, 440));
        Rescale();
        plot.events.clear();
    }
    void Rescale()
    {
        y->CalcScaleRect(&canvas);
        x->CalcScaleRect(&canvas);
    }
    static void Expect(const TkPlotAxis& Axis, double Min, double Span)
    {
        EXPECT_NEAR(Axis.GetMin(), Min, 1e-9 * std::max(1.0, std::fabs(Min)));
        EXPECT_NEAR(Axis.GetSpan(), Span, 1e-9 * std::max(1.0, Span));
    }
    void Drag(TkPlotAxis& Axis, TPoint From, TPoint To, TShiftState Shift = 0)
    {
        Axis.MouseDown(mbLeft, Shift, From, From, nullptr);
        Axis.MouseMove(Shift, To);
        Axis.MouseUp(mbLeft, Shift, To, To, false, nullptr);
    }
};

TEST_F(AxisScrollTest, LinearScrollMovesByAFractionOfTheSpanWithinTheScrollLimits)
{
    y->ScrollBy(0.25);
    Expect(*y, 25, 100);
    y->ScrollBy(-0.25);
    Expect(*y, 0, 100);

    y->SetScrollMinMaxEnabled(true);
    y->SetMinSpan(0, 20);
    y->ScrollBy(-0.5);  // would go below ScrollMin 0
    Expect(*y, 0, 20);
    y->ScrollBy(10);  // would go above ScrollMax 100
    Expect(*y, 80, 20);
}

TEST_F(AxisScrollTest, LogScrollMovesBothEndsByTheSameDecadesAndBackAgain)
{
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1, 99);  // two decades
    y->ScrollBy(0.5);
    Expect(*y, 10, 990);
    y->ScrollBy(-0.5);
    Expect(*y, 1, 99);
    y->ScrollBy(-0.25);
    EXPECT_NEAR(std::log10(y->GetMax()) - std::log10(y->GetMin()), 2, 1e-12);
}

TEST_F(AxisScrollTest, LogScrollStopsAtTheScrollLimitsKeepingItsDecades)
{
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1, 99);
    y->SetScrollMinMaxEnabled(true);
    y->SetScrollMin(1);
    y->SetScrollMax(1000);
    y->ScrollBy(1.0);  // 100..10000 passes the top
    Expect(*y, 10, 990);
    y->ScrollBy(-3.0);
    Expect(*y, 1, 99);
}

TEST_F(AxisScrollTest, ZoomingKeepsTheCentreAndRefusesAFactorAtOrBelowZero)
{
    y->SetMinSpan(0, 100);
    y->Zoom(0.5);
    Expect(*y, 25, 50);
    for (double factor : {0.0, -2.0, std::nan("")}) {
        plot.events.clear();
        try {
            y->Zoom(factor);
            ADD_FAILURE() << factor;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "Linear Scale Zoom Factor must be Greater than Zero");
        }
        Expect(*y, 25, 50);
        EXPECT_TRUE(plot.events.empty());
    }
    y->ZoomBy10(1);
    Expect(*y, 47.5, 5);
    y->ZoomBy10(-1);
    Expect(*y, 25, 50);

    // On a log scale the factor counts decades, and out undoes in.
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1, 999);
    y->Zoom(-1);
    Expect(*y, 10, 99.9);
    y->Zoom(1);
    Expect(*y, 1, 999);
}

TEST_F(AxisScrollTest, AZoomBoxTakesTheValuesAtItsEdges)
{
    x->ZoomToRect(TRect(150, 100, 250, 300));
    Expect(*x, 25, 25);
    y->ZoomToRect(TRect(150, 100, 250, 300));
    Expect(*y, 25, 50);

    y->SetMinSpan(0, 100);
    y->SetReverseScale(true);
    Rescale();
    y->ZoomToRect(TRect(150, 100, 250, 300));
    Expect(*y, 25, 50);

    // A scale squeezed to nothing has no range to zoom to.
    y->SetDrawRect(TRect(0, 10, 50, 10));
    Rescale();
    plot.events.clear();
    y->ZoomToRect(TRect(0, 0, 10, 10));
    Expect(*y, 25, 50);
    EXPECT_TRUE(plot.events.empty());
}

TEST_F(AxisScrollTest, DraggingScrollsTheScaleWithTheMouseOnAnAxisOverABandOfTheView)
{
    // The lower half of a 400-pixel view.
    y->SetDrawRect(TRect(0, 200, 50, 400));
    Rescale();
    const double under = y->PixelToValue(300);
    Drag(*y, {20, 300}, {20, 260});
    EXPECT_NEAR(y->PixelToValue(260), under, 1e-9);
    Expect(*y, -20, 100);
    EXPECT_FALSE(y->GetTrackingEnabled());
    EXPECT_EQ(plot.events.back(), "finished 0 100 -20 100");

    // The same on a log scale and on a reversed horizontal axis.
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1, 999);
    const double logUnder = y->PixelToValue(300);
    Drag(*y, {20, 300}, {20, 250});
    EXPECT_NEAR(y->PixelToValue(250), logUnder, 1e-9 * logUnder);

    x->SetReverseScale(true);
    Rescale();
    const double xUnder = x->PixelToValue(200);
    Drag(*x, {200, 420}, {240, 420});
    EXPECT_NEAR(x->PixelToValue(240), xUnder, 1e-9);
}

TEST_F(AxisScrollTest, DraggingZoomsInZoomModeOrWithCtrlInScrollMode)
{
    Drag(*y, {20, 200}, {20, 100}, ssCtrl);  // a quarter of the scale upward
    Expect(*y, 50 - 50 / std::pow(10, 1.0 / 16), 100 / std::pow(10, 1.0 / 16));

    y->SetMinSpan(0, 100);
    y->SetZoomMode(true);
    Drag(*y, {20, 200}, {20, 300});  // a quarter downward: zoom out
    Expect(*y, 50 - 50 * std::pow(10, 1.0 / 16), 100 * std::pow(10, 1.0 / 16));
    y->SetMinSpan(0, 100);
    Drag(*y, {20, 200}, {20, 300}, ssCtrl);  // Ctrl inverts back to scrolling
    Expect(*y, 25, 100);
}

TEST_F(AxisScrollTest, ADragWaitsWhileADoubleClickIsPendingAndAReleaseOnTheAxisClicks)
{
    y->SetDrawRect(TRect(0, 0, 50, 400));
    Rescale();
    plot.doubleClick = true;
    Drag(*y, {20, 200}, {20, 100});
    Expect(*y, 0, 100);
    EXPECT_TRUE(y->GetTrackingEnabled());
    EXPECT_EQ(plot.Count("finished"), 0);
    EXPECT_EQ(plot.Count("click Y-Axis 1"), 1);

    plot.doubleClick = false;
    Drag(*y, {20, 200}, {20, 500});  // released off the axis
    EXPECT_EQ(plot.Count("click"), 1);
    EXPECT_EQ(plot.Count("finished"), 1);
}

TEST_F(AxisScrollTest, DraggingAScaleWithNoLengthChangesNothing)
{
    y->SetDrawRect(TRect(0, 100, 50, 100));
    Rescale();
    Drag(*y, {20, 100}, {20, 50});
    Expect(*y, 0, 100);
    EXPECT_EQ(plot.Count("minspan"), 0);
}

TEST_F(AxisScrollTest, WheelNotchesScrollOrZoomByFixedSteps)
{
    EXPECT_TRUE(y->MouseWheel(0, 0, {20, 20}));
    EXPECT_TRUE(y->GetTrackingEnabled());
    Expect(*y, 0, 100);

    EXPECT_TRUE(y->MouseWheel(120, 0, {20, 20}));
    EXPECT_FALSE(y->GetTrackingEnabled());
    Expect(*y, 5, 100);
    y->MouseWheel(-240, 0, {20, 20});
    Expect(*y, 0, 100);

    y->SetZoomMode(true);
    y->MouseWheel(120, 0, {20, 20});
    const double in = 100 / std::pow(10, 0.025);
    Expect(*y, 50 - in / 2, in);
    y->SetMinSpan(0, 100);
    y->MouseWheel(-120, 0, {20, 20});
    const double out = 100 * std::pow(10, 0.025);
    Expect(*y, 50 - out / 2, out);
    y->SetMinSpan(0, 100);
    y->MouseWheel(120, ssCtrl, {20, 20});  // Ctrl: scroll after all
    Expect(*y, 5, 100);

    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1, 99);
    y->MouseWheel(120, 0, {20, 20});
    Expect(*y, std::pow(10, 0.05), 99 / std::pow(10, 0.05));
}

TEST_F(AxisScrollTest, PageAndArrowKeysStepByTheSpanOrAHundredthOfIt)
{
    struct Case {
        std::uint16_t key;
        double min;
    };
    for (Case c : {Case{VK_PRIOR, 100}, Case{VK_END, 100}, Case{VK_NEXT, -100}, Case{VK_HOME, -100}, Case{VK_UP, 1},
                   Case{VK_RIGHT, 1}, Case{VK_DOWN, -1}, Case{VK_LEFT, -1}}) {
        y->SetMinSpan(0, 100);
        plot.events.clear();
        y->KeyDown(c.key, 0, nullptr);
        Expect(*y, c.min, 100);
        EXPECT_EQ(plot.Count("minspan"), 1) << c.key;
        EXPECT_EQ(plot.events.back(), "finished 0 100 " + AxisPlot::Num(c.min) + " 100") << c.key;
    }
    // Other keys change nothing but still pause tracking.
    y->SetMinSpan(0, 100);
    y->SetTrackingEnabled(true);
    plot.events.clear();
    y->KeyDown('A', 0, nullptr);
    EXPECT_FALSE(y->GetTrackingEnabled());
    Expect(*y, 0, 100);
    EXPECT_EQ(plot.Count("finished"), 0);

    // Zoom mode: Page Up zooms in tenfold. Ctrl does not invert keys.
    y->SetZoomMode(true);
    y->KeyDown(VK_PRIOR, ssCtrl, nullptr);
    Expect(*y, 45, 10);
}

TEST_F(AxisScrollTest, AMasterAxisReplaysItsGesturesOnTheOtherAxesOfItsKindOnce)
{
    AxisPtr<TkPlotYAxis> second = MakeYAxis(plot, callbacks);
    second->SetDrawRect(TRect(0, 0, 50, 400));
    second->CalcScaleRect(&canvas);
    plot.yAxes = {y.get(), second.get()};
    plot.xAxes = {x.get()};
    y->SetMasterUIInput(true);
    second->SetMasterUIInput(true);  // both masters: still one step each

    y->MouseWheel(120, 0, {20, 20});
    Expect(*y, 5, 100);
    Expect(*second, 5, 100);
    Expect(*x, 0, 100);

    y->KeyDown(VK_UP, 0, nullptr);
    Expect(*y, 6, 100);
    Expect(*second, 6, 100);

    Drag(*y, {20, 200}, {20, 160});
    Expect(*y, -4, 100);
    Expect(*second, -4, 100);
    EXPECT_FALSE(second->GetTrackingEnabled());
}

TEST_F(AxisScrollTest, CursorAndPopupMenuFollowTheModeAndTrackingState)
{
    EXPECT_EQ(y->GetMouseCursor({0, 0}), crHandPoint);
    y->SetZoomMode(true);
    x->SetZoomMode(true);
    EXPECT_EQ(y->GetMouseCursor({0, 0}), crSizeNS);
    EXPECT_EQ(x->GetMouseCursor({0, 0}), crSizeWE);

    Application->Initialize();
    TPopupMenu menu(nullptr);
    y->BuildPopupMenu(&menu);
    ASSERT_EQ(menu.Items->Count(), 4);
    EXPECT_EQ(menu.Items->Items(0)->GetCaption(), "Tracking Enabled");
    EXPECT_TRUE(menu.Items->Items(0)->GetChecked());
    EXPECT_EQ(menu.Items->Items(1)->GetCaption(), "Update Resume Values");
    EXPECT_FALSE(menu.Items->Items(1)->GetEnabled());
    EXPECT_EQ(menu.Items->Items(2)->GetCaption(), "Zoom to Fit");
    EXPECT_EQ(menu.Items->Items(3)->GetCaption(), "Edit...");

    menu.Items->Items(0)->Click();  // pause
    EXPECT_FALSE(y->GetTrackingEnabled());
    y->SetMinSpan(10, 20);
    y->BuildPopupMenu(&menu);
    EXPECT_FALSE(menu.Items->Items(0)->GetChecked());
    ASSERT_TRUE(menu.Items->Items(1)->GetEnabled());
    menu.Items->Items(1)->Click();
    EXPECT_EQ(y->GetResumeMin(), 10);
    EXPECT_EQ(y->GetResumeSpan(), 20);

    plot.lowest = 3;
    plot.highest = 4;
    y->BuildPopupMenu(&menu);
    menu.Items->Items(2)->Click();
    Expect(*y, 3, 1);
}

}  // namespace
