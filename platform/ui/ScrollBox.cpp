#include "ui/ScrollBox.h"

#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"

// A scroll area that realigns its page whenever the viewport changes size.
class TScrollBoxWidget : public QScrollArea {
public:
    void resizeEvent(QResizeEvent* Event) override
    {
        QScrollArea::resizeEvent(Event);
        if (auto* Box = dynamic_cast<TScrollBox*>(TControl::FromWidget(this)))
            CallGuarded(Box, [Box] { Box->Realign(); });
    }
};

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner, NewWidget<TScrollBoxWidget>()), FPage(new QWidget)
{
    auto* Area = static_cast<QScrollArea*>(Widget());
    Area->setWidgetResizable(false);
    Area->setWidget(FPage);
    Area->setFocusPolicy(Qt::NoFocus);
    FPage->setAutoFillBackground(false);
    SetInputWidget(FPage);
    SetBounds(0, 0, 185, 41);
}

QWidget* TScrollBox::ClientWidget() const
{
    return FPage;
}

int TScrollBox::GetClientWidth() const
{
    return static_cast<QScrollArea*>(Widget())->viewport()->width();
}
int TScrollBox::GetClientHeight() const
{
    return static_cast<QScrollArea*>(Widget())->viewport()->height();
}

TRect TScrollBox::AlignRect() const
{
    return Rect(0, 0, GetClientWidth(), GetClientHeight());
}

void TScrollBox::ControlsChanged()
{
    // With alignment disabled the range follows once, when it is enabled.
    if (!AlignDisabled())
        UpdateRange();
}
void TScrollBox::AlignDone()
{
    UpdateRange();
}

void TScrollBox::UpdateRange()
{
    int Right = GetClientWidth(), Bottom = GetClientHeight();
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (!C->GetVisible())
            continue;
        Right = std::max(Right, C->GetLeft() + C->GetWidth());
        Bottom = std::max(Bottom, C->GetTop() + C->GetHeight());
    }
    if (FPage->size() != QSize(Right, Bottom))
        FPage->resize(Right, Bottom);
}

int TScrollBox::GetHorzPosition() const
{
    return static_cast<QScrollArea*>(Widget())->horizontalScrollBar()->value();
}
int TScrollBox::GetVertPosition() const
{
    return static_cast<QScrollArea*>(Widget())->verticalScrollBar()->value();
}
void TScrollBox::SetHorzPosition(int Value)
{
    static_cast<QScrollArea*>(Widget())->horizontalScrollBar()->setValue(Value);
}
void TScrollBox::SetVertPosition(int Value)
{
    static_cast<QScrollArea*>(Widget())->verticalScrollBar()->setValue(Value);
}

void TScrollBox::ScrollInView(TControl* AControl)
{
    if (AControl && AControl->GetParent() == this)
        static_cast<QScrollArea*>(Widget())->ensureWidgetVisible(AControl->Widget(), 0, 0);
}

void TScrollBox::ApplyColor()
{
    QPalette Pal = FPage->palette();
    Pal.setColor(QPalette::Window, ToQColor(GetColor()));
    FPage->setPalette(Pal);
    FPage->setAutoFillBackground(GetColor() != clBtnFace);
    auto* Viewport = static_cast<QScrollArea*>(Widget())->viewport();
    Viewport->setPalette(Pal);
    Viewport->setAutoFillBackground(GetColor() != clBtnFace);
}
