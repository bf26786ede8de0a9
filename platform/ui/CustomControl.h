#pragma once
#include "ui/Canvas.h"
#include "ui/Control.h"
#include "ui/PaintedControl.h"

// A windowed control that draws itself in Paint on its Canvas, off-screen
// first so that it never flickers.
class TCustomControl : public TWinControl, public TPaintedControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    // The canvas Paint draws on; it draws on the widget during Paint only.
    TCanvas* const Canvas;
    TNotifyEvent OnPaint;

protected:
    virtual void Paint();

private:
    void PaintOn(QPainter* Painter) override;
};
