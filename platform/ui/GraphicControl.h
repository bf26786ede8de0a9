#pragma once
#include "ui/Canvas.h"
#include "ui/Control.h"
#include "ui/PaintedControl.h"

// A control without a window of its own that draws in Paint.
class TGraphicControl : public TControl, public TPaintedControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* const Canvas;
    TNotifyEvent OnPaint;

protected:
    virtual void Paint();

private:
    void PaintOn(QPainter* Painter) override;
};
