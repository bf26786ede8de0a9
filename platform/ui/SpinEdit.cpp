#include "ui/SpinEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <climits>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"

namespace {

// Opens the spin box's edit for the text as typed.
class TSpinEditWidget : public QSpinBox {
public:
    using QSpinBox::lineEdit;
};

TSpinEditWidget* SpinOf(const TControl* C)
{
    return static_cast<TSpinEditWidget*>(C->Widget());
}

}  // namespace

TSpinEdit::TSpinEdit(TComponent* AOwner) : TWinControl(AOwner, NewWidget<TSpinEditWidget>())
{
    ApplyRange();
    QObject::connect(SpinOf(this), &QSpinBox::textChanged, [this](const QString&) {
        CallGuarded(this, [this] {
            if (OnChange)
                OnChange(this);
        });
    });
    SetBounds(0, 0, 121, 22);
}

int TSpinEdit::GetValue() const
{
    return SpinOf(this)->value();
}
void TSpinEdit::SetValue(int Value)
{
    SpinOf(this)->setValue(Value);
}

void TSpinEdit::SetMinValue(int Value)
{
    FMinValue = Value;
    ApplyRange();
}

void TSpinEdit::SetMaxValue(int Value)
{
    FMaxValue = Value;
    ApplyRange();
}

void TSpinEdit::ApplyRange()
{
    if (FMinValue == 0 && FMaxValue == 0)
        SpinOf(this)->setRange(INT_MIN, INT_MAX);
    else
        SpinOf(this)->setRange(FMinValue, std::max(FMinValue, FMaxValue));
}

int TSpinEdit::GetIncrement() const
{
    return SpinOf(this)->singleStep();
}
void TSpinEdit::SetIncrement(int Value)
{
    SpinOf(this)->setSingleStep(Value);
}
std::string TSpinEdit::GetText() const
{
    return StdStr(SpinOf(this)->lineEdit()->text());
}
void TSpinEdit::SetText(const std::string& Value)
{
    SpinOf(this)->lineEdit()->setText(QStr(Value));
}

void TSpinEdit::ApplyColor()
{
    QPalette Pal = Widget()->palette();
    Pal.setColor(QPalette::Base, ToQColor(GetColor() == clBtnFace ? clWindow : GetColor()));
    Widget()->setPalette(Pal);
}
