#pragma once
#include "plot/core/kPlotObject.h"
#include "rtl/Types.h"

class TTimer;

// A clickable part of a legend, toolbar or table.
class TkPlotButton : public TkPlotObject {
public:
    TkPlotButton(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    void BeforeDestruction() override;

    void SetEnabled(bool Value) override;

    const TRect& GetDrawRect() const { return FDrawRect; }
    void SetDrawRect(const TRect& Value) { FDrawRect = Value; }
    int GetWidth() const { return FDrawRect.Width(); }
    int GetHeight() const { return FDrawRect.Height(); }
    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    bool AutoRepeat = false;
    int GroupIndex = 0;

    TkPlotCallback OnClick;
    TkPlotCallback OnGroupClick;
    TkPlotCallback OnButtonChange;
    TkPlotCallback OnDownChange;

    // One tick of the auto-repeat timer.
    void RepeatTick();
    // Interval of the repeat timer in milliseconds; 0 when none runs.
    unsigned RepeatInterval() const;

protected:
    ~TkPlotButton() override = default;
    void DoMouseLeftDown(const TkPlotMouseData& Mouse) override;
    void DoMouseDrag(const TkPlotMouseData&) override {}
    void DoMouseUp(const TkPlotMouseData& Mouse) override;

private:
    void FreeRepeatTimer();

    TRect FDrawRect;
    bool FDown = false;
    TTimer* FRepeatTimer = nullptr;
    bool FFirstRepeat = false;
    bool FInRepeatTick = false;
    bool FFreeTimerAfterTick = false;
};
