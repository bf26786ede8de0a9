#include "ui/Frame.h"

#include <QWidget>

#include "ui/ControlQt.h"

TFrame::TFrame(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QWidget>())
{
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 320, 240);
}
