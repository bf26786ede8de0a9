#include "ui/SpinEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
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

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QWidget>())
{
    auto* Layout = new QVBoxLayout(Widget());
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    auto* Up = new QToolButton;
    auto* Down = new QToolButton;
    Up->setArrowType(Qt::UpArrow);
    Down->setArrowType(Qt::DownArrow);
    Up->setAutoRepeat(true);
    Down->setAutoRepeat(true);
    for (QToolButton* B : {Up, Down}) {
        B->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        Layout->addWidget(B);
    }
    QObject::connect(Up, &QToolButton::clicked, [this] { CallGuarded(this, [this] { StepBy(btNext); }); });
    QObject::connect(Down, &QToolButton::clicked, [this] { CallGuarded(this, [this] { StepBy(btPrev); }); });
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 17, 21);
}

void TUpDown::SetMin(int Value)
{
    FMin = Value;
    SetPosition(FPosition);
}

void TUpDown::SetMax(int Value)
{
    FMax = Value;
    SetPosition(FPosition);
}

void TUpDown::SetPosition(int Value)
{
    FPosition = std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
    UpdateAssociate();
}

void TUpDown::StepBy(TUDBtnType Button)
{
    const int Low = std::min(FMin, FMax), High = std::max(FMin, FMax);
    long long Next = (long long)FPosition + (Button == btNext ? FIncrement : -FIncrement);
    if (Next > High)
        Next = FWrap ? Low : High;
    else if (Next < Low)
        Next = FWrap ? High : Low;
    SetPosition(int(Next));
    if (OnClick)
        OnClick(this, Button);
}

void TUpDown::SetAssociate(TControl* Value)
{
    if (FAssociate)
        FAssociate->RemoveFreeNotification(this);
    FAssociate = Value;
    if (Value)
        Value->FreeNotification(this);
    UpdateAssociate();
}

void TUpDown::UpdateAssociate()
{
    if (FAssociate)
        FAssociate->SetText(std::to_string(FPosition));
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FAssociate)
        FAssociate = nullptr;
}
