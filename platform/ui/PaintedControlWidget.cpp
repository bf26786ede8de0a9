#include "ui/PaintedControlWidget.h"

#include <QPainter>

#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/PaintedControl.h"

void TPaintedControlWidget::paintEvent(QPaintEvent*)
{
    TControl* C = TControl::FromWidget(this);
    if (!C || C->IsDestroying())
        return;
    QPainter Painter(this);
    if (auto* Painted = dynamic_cast<TPaintedControl*>(C))
        CallGuarded(C, [&] { Painted->PaintOn(&Painter); });
}
