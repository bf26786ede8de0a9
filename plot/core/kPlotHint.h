#pragma once
// The plot's hint: which object's text shows, where, and when. The delay
// before a hint shows counts from the last mouse move over the object; a
// shown hint goes when it has stayed its time without a move, when the
// mouse moves onto another object, on a press, or when the mouse leaves
// the plot. The plot runs the one timer this asks for.
#include <string>

#include "plot/core/kPlotHintTimer.h"
#include "rtl/Types.h"

class TkPlotObject;

struct TkPlotHintSettings {
    int Pause = 500;       // milliseconds before a hint shows
    int HidePause = 2500;  // milliseconds a hint stays
};

class TkPlotHint {
public:
    explicit TkPlotHint(TkPlotHintTimer& Timer) : FTimer(Timer) {}

    // The mouse moved to Point over Hit (none), which offers Text in Rect.
    void MouseMoved(TkPlotObject* Hit, const std::string& Text, const TRect& Rect, TPoint Point, bool PressActive,
                    const TkPlotHintSettings& Settings);
    // The timer fired.
    void TimerFired(const TkPlotHintSettings& Settings);
    // Hides a shown hint (repainting only when one was drawn) and stops
    // its timer, so a hidden hint cannot come back by itself.
    void Hide();
    // Forgets an object that goes away.
    void ObjectRemoved(const TkPlotObject* Object);

    bool Visible() const { return FVisible; }
    const std::string& Text() const { return FText; }
    const TRect& Rect() const { return FRect; }
    TkPlotObject* HintObject() const { return FObject; }
    // The paint tells whether it drew the hint.
    void SetDrawn(bool Value) { FDrawn = Value; }
    bool Drawn() const { return FDrawn; }

private:
    TkPlotHintTimer& FTimer;
    std::string FText;
    TRect FRect;
    bool FVisible = false;
    bool FDrawn = false;
    TRect FBox;  // 7 by 7 pixels around where the hint appeared
    TPoint FPoint;
    TkPlotObject* FObject = nullptr;
};
