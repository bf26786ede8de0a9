#include "ui/Panel.h"

#include <QPainter>
#include <QWidget>
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
