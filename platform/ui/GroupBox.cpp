#include "ui/GroupBox.h"

#include <QGroupBox>
#include <algorithm>

#include "ui/ControlQt.h"

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QGroupBox>())
{
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 185, 105);
}

std::string TGroupBox::GetText() const
{
    return StdStr(static_cast<QGroupBox*>(Widget())->title());
}
void TGroupBox::SetText(const std::string& Value)
{
    static_cast<QGroupBox*>(Widget())->setTitle(QStr(Value));
}

TRect TGroupBox::AlignRect() const
{
    const QRect C = Widget()->contentsRect();
    const int Top = std::max(C.top(), Widget()->fontMetrics().height());
    return Rect(C.left() + 2, Top + 2, C.right() - 1, C.bottom() - 1);
}
