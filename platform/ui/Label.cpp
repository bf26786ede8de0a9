#include "ui/Label.h"

#include <QLabel>

#include "ui/ControlQt.h"

namespace {
QLabel* LabelOf(const TControl* C)
{
    return static_cast<QLabel*>(C->Widget());
}
}  // namespace

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner, NewWidget<QLabel>())
{
    LabelOf(this)->setTextFormat(Qt::PlainText);
    ApplyAlignment();
    SetBounds(0, 0, 65, 17);
    ApplyColor();
}

std::string TLabel::GetText() const
{
    return StdStr(LabelOf(this)->text());
}

void TLabel::SetText(const std::string& Value)
{
    LabelOf(this)->setText(QStr(Value));
    AdjustSize();
}

void TLabel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    ApplyAlignment();
}

void TLabel::SetLayout(TTextLayout Value)
{
    FLayout = Value;
    ApplyAlignment();
}

void TLabel::ApplyAlignment()
{
    const int V = FLayout == tlCenter ? Qt::AlignVCenter : FLayout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
    LabelOf(this)->setAlignment(Qt::Alignment(QtAlignment(FAlignment) | V));
}

bool TLabel::GetWordWrap() const
{
    return LabelOf(this)->wordWrap();
}
void TLabel::SetWordWrap(bool Value)
{
    LabelOf(this)->setWordWrap(Value);
    AdjustSize();
}

void TLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    AdjustSize();
}

void TLabel::SetTransparent(bool Value)
{
    FTransparent = Value;
    ApplyColor();
}

void TLabel::ApplyColor()
{
    if (FTransparent)
        Widget()->setAutoFillBackground(false);
    else
        TControl::ApplyColor();
}

void TLabel::FontChanged()
{
    TControl::FontChanged();
    AdjustSize();
}

void TLabel::AdjustSize()
{
    if (!FAutoSize || GetWordWrap())
        return;
    const QSize S = LabelOf(this)->sizeHint();
    // A right-aligned label keeps its right edge.
    const int Left = FAlignment == taRightJustify ? GetLeft() + GetWidth() - S.width() : GetLeft();
    SetBounds(Left, GetTop(), S.width(), S.height());
}
