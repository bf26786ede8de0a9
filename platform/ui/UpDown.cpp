#include "ui/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/Application.h"
#include "ui/ControlQt.h"

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
