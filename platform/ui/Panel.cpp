#include "ui/Panel.h"

#include <QGroupBox>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"

// A panel face: bevels and the caption under the children.
class TPanelWidget : public QWidget {
public:
    void paintEvent(QPaintEvent*) override
    {
        auto* P = dynamic_cast<TPanel*>(TControl::FromWidget(this));
        if (!P)
            return;
        QPainter Painter(this);
        QRect R = rect();
        auto Bevel = [&](TBevelCut Cut) {
            if (Cut == bvNone)
                return;
            const QColor Light = ToQColor(clBtnHighlight), Dark = ToQColor(clBtnShadow);
            for (int I = 0; I < P->FBevelWidth; ++I) {
                if (Cut != bvSpace) {
                    const QColor& TopLeft = Cut == bvRaised ? Light : Dark;
                    const QColor& BottomRight = Cut == bvRaised ? Dark : Light;
                    Painter.setPen(TopLeft);
                    Painter.drawLine(R.left(), R.top(), R.right(), R.top());
                    Painter.drawLine(R.left(), R.top(), R.left(), R.bottom());
                    Painter.setPen(BottomRight);
                    Painter.drawLine(R.left(), R.bottom(), R.right(), R.bottom());
                    Painter.drawLine(R.right(), R.top(), R.right(), R.bottom());
                }
                R.adjust(1, 1, -1, -1);
            }
        };
        Bevel(P->FBevelOuter);
        Bevel(P->FBevelInner);
        if (!P->FCaption.empty()) {
            Painter.setPen(palette().color(QPalette::WindowText));
            Painter.setFont(font());
            Painter.drawText(R.adjusted(2, 0, -2, 0), QtAlignment(P->FAlignment) | Qt::AlignVCenter, QStr(P->FCaption));
        }
    }
};

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner, NewWidget<TPanelWidget>())
{
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetText(const std::string& Value)
{
    // Live values often repeat: an unchanged caption costs no repaint.
    if (Value == FCaption)
        return;
    FCaption = Value;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut Value)
{
    FBevelOuter = Value;
    Invalidate();
    Realign();
}

void TPanel::SetBevelInner(TBevelCut Value)
{
    FBevelInner = Value;
    Invalidate();
    Realign();
}

int TPanel::CaptionWidth(const std::string& Text) const
{
    return Widget()->fontMetrics().horizontalAdvance(QStr(Text));
}

void TPanel::SetBevelWidth(int Value)
{
    FBevelWidth = std::max(1, Value);
    Invalidate();
    Realign();
}

TRect TPanel::AlignRect() const
{
    TRect R = TWinControl::AlignRect();
    const int Inset = ((FBevelOuter != bvNone) + (FBevelInner != bvNone)) * FBevelWidth;
    InflateRect(R, -Inset, -Inset);
    return R;
}

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
