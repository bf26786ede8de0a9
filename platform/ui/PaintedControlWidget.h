#pragma once
// Private to platform/ui.
#include <QWidget>

// The widget of a control that draws itself: paints through the control's
// PaintOn.
class TPaintedControlWidget : public QWidget {
public:
    TPaintedControlWidget() { setAttribute(Qt::WA_OpaquePaintEvent); }
    void paintEvent(QPaintEvent*) override;
};
