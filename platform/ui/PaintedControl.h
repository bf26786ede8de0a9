#pragma once
// What the widget of a control that draws itself needs of it, so that one
// widget class serves every such control.
class QPainter;

class TPaintedControl {
public:
    // Draws the control with Painter, which paints on its widget.
    virtual void PaintOn(QPainter* Painter) = 0;

protected:
    ~TPaintedControl() = default;
};
