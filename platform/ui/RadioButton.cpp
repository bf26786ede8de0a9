#include "ui/RadioButton.h"

#include <QRadioButton>

#include "ui/Application.h"
#include "ui/ControlQt.h"

namespace {
QRadioButton* RadioOf(const TControl* C)
{
    return static_cast<QRadioButton*>(C->Widget());
}
}  // namespace

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QRadioButton>())
{
    FClickOnMouseUp = false;
    QObject::connect(RadioOf(this), &QRadioButton::toggled, [this](bool On) {
        if (On)
            CallGuarded(this, [this] { Click(); });
    });
    SetBounds(0, 0, 113, 17);
}

std::string TRadioButton::GetText() const
{
    return StdStr(RadioOf(this)->text());
}
void TRadioButton::SetText(const std::string& Value)
{
    RadioOf(this)->setText(QStr(Value));
}
bool TRadioButton::GetChecked() const
{
    return RadioOf(this)->isChecked();
}
void TRadioButton::SetChecked(bool Value)
{
    RadioOf(this)->setChecked(Value);
}
