#include "ui/Button.h"

#include <QPushButton>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/Form.h"
#include "ui/Keys.h"

namespace {
QPushButton* ButtonOf(const TControl* C)
{
    return static_cast<QPushButton*>(C->Widget());
}
}  // namespace

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QPushButton>())
{
    FClickOnMouseUp = false;
    QObject::connect(ButtonOf(this), &QPushButton::clicked, [this] { CallGuarded(this, [this] { Click(); }); });
    SetBounds(0, 0, 75, 25);
}

std::string TButton::GetText() const
{
    return StdStr(ButtonOf(this)->text());
}
void TButton::SetText(const std::string& Value)
{
    ButtonOf(this)->setText(QStr(Value));
}

void TButton::SetDefault(bool Value)
{
    FDefault = Value;
    ButtonOf(this)->setDefault(Value);
}

bool TButton::TakesDialogKey(std::uint16_t Key) const
{
    return (Key == VK_RETURN ? FDefault : FCancel) && GetVisible() && GetEnabled();
}

void TButton::Click()
{
    if (FModalResult != 0)
        if (TForm* Form = GetParentForm(this))
            Form->SetModalResult(FModalResult);
    TWinControl::Click();
}
