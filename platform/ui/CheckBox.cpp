#include "ui/CheckBox.h"

#include <QCheckBox>

#include "ui/Application.h"
#include "ui/ControlQt.h"

namespace {
QCheckBox* BoxOf(const TControl* C)
{
    return static_cast<QCheckBox*>(C->Widget());
}
}  // namespace

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QCheckBox>())
{
    FClickOnMouseUp = false;
    QObject::connect(BoxOf(this), &QCheckBox::stateChanged, [this](int) { CallGuarded(this, [this] { Click(); }); });
    SetBounds(0, 0, 97, 17);
}

std::string TCheckBox::GetText() const
{
    return StdStr(BoxOf(this)->text());
}
void TCheckBox::SetText(const std::string& Value)
{
    BoxOf(this)->setText(QStr(Value));
}
bool TCheckBox::GetChecked() const
{
    return BoxOf(this)->checkState() == Qt::Checked;
}
void TCheckBox::SetChecked(bool Value)
{
    BoxOf(this)->setCheckState(Value ? Qt::Checked : Qt::Unchecked);
}

TCheckBoxState TCheckBox::GetState() const
{
    switch (BoxOf(this)->checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    default: return cbUnchecked;
    }
}

void TCheckBox::SetState(TCheckBoxState Value)
{
    BoxOf(this)->setCheckState(Value == cbChecked  ? Qt::Checked
                               : Value == cbGrayed ? Qt::PartiallyChecked
                                                   : Qt::Unchecked);
}

bool TCheckBox::GetAllowGrayed() const
{
    return BoxOf(this)->isTristate();
}
void TCheckBox::SetAllowGrayed(bool Value)
{
    BoxOf(this)->setTristate(Value);
}
