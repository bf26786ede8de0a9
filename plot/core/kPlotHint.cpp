#include "plot/core/kPlotHint.h"

#include "plot/core/kPlotButton.h"

void TkPlotHint::MouseMoved(TkPlotObject* Hit, const std::string& Text, const TRect& Rect, TPoint Point,
                            bool PressActive, const TkPlotHintSettings& Settings)
{
    FText = Text;
    FRect = Rect;
    if (PressActive || FText.empty()) {
        Hide();
        return;
    }
    // A button of a toolbar keeps the hint of its toolbar's row going.
    if (FObject && FObject != Hit && !dynamic_cast<TkPlotButton*>(FObject)) {
        Hide();
        FObject = nullptr;
        return;
    }
    if (FTimer.HintTimerRunning()) {
        if (!FVisible)
            FTimer.RestartHintTimer(Settings.Pause);
        else if (FObject && FObject->Kind().HintHidesOnMove)
            Hide();
        else
            FTimer.RestartHintTimer(Settings.HidePause);
        return;
    }
    if (!PtInRect(FBox, Point) && Hit != FObject) {
        FPoint = Point;
        FObject = Hit;
        FTimer.RestartHintTimer(Settings.Pause);
    }
}

void TkPlotHint::TimerFired(const TkPlotHintSettings& Settings)
{
    FTimer.StopHintTimer();
    if (FVisible) {
        FVisible = false;
    } else {
        FVisible = true;
        FBox = TRect(FPoint.X - 3, FPoint.Y - 3, FPoint.X + 4, FPoint.Y + 4);
        FTimer.RestartHintTimer(Settings.HidePause);
    }
    FTimer.HintChanged();
}

void TkPlotHint::Hide()
{
    FTimer.StopHintTimer();
    FVisible = false;
    if (FDrawn)
        FTimer.HintChanged();
}

void TkPlotHint::ObjectRemoved(const TkPlotObject* Object)
{
    if (FObject == Object) {
        Hide();
        FObject = nullptr;
    }
}
