#pragma once
// The plot component as its objects see it: the per-kind events that
// objects fire and the few services they ask of their plot. The plot
// component implements it; tests give a fake.
#include <string>

#include "rtl/Types.h"
#include "ui/Control.h"

class TkPlotObject;

class TkPlotObjectOwner {
public:
    virtual ~TkPlotObjectOwner() = default;

    virtual void DoObjectMouseDown(TkPlotObject*, TMouseButton, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoObjectMouseMove(TkPlotObject*, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoObjectMouseUp(TkPlotObject*, TMouseButton, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoObjectMouseWheel(TkPlotObject*, int /*WheelDelta*/, TShiftState, int /*X*/, int /*Y*/) {}
    virtual void DoObjectPopupMenu(TkPlotObject*, bool& /*Cancel*/, int /*ScreenX*/, int /*ScreenY*/) {}
    virtual void DoObjectGotFocus(TkPlotObject*) {}
    virtual void DoObjectLostFocus(TkPlotObject*) {}

    // A fixed caption passed through the plot's translation table.
    virtual std::string TranslateText(const std::string& Text) { return Text; }
    // Client pixel of the plot to screen coordinates (popup menus).
    virtual TPoint ClientToScreen(const TPoint& P) { return P; }
};
