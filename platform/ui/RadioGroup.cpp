#include "ui/RadioGroup.h"

#include <QGroupBox>
#include <QRadioButton>
#include <algorithm>

#include "rtl/StringList.h"
#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"

namespace {

QGroupBox* BoxOf(const TControl* C)
{
    return static_cast<QGroupBox*>(C->Widget());
}

QList<QRadioButton*> ButtonsOf(const TControl* C)
{
    return BoxOf(C)->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

TRadioGroup::TRadioGroup(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QGroupBox>()), Items(new TStringList)
{
    static_cast<TStringList*>(Items)->OnChange = [this](TObject*) { ItemsChanged(); };
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 185, 105);
}

TRadioGroup::~TRadioGroup()
{
    static_cast<TStringList*>(Items)->OnChange = nullptr;
    delete Items;
}

std::string TRadioGroup::GetText() const
{
    return StdStr(BoxOf(this)->title());
}
void TRadioGroup::SetText(const std::string& Value)
{
    BoxOf(this)->setTitle(QStr(Value));
}

void TRadioGroup::ItemsChanged()
{
    for (QRadioButton* B : ButtonsOf(this))
        delete B;
    for (int I = 0; I < Items->Count(); ++I) {
        auto* B = new QRadioButton(QStr(Items->Get(I)), BoxOf(this));
        B->setFont(Widget()->font());
        B->setChecked(I == FItemIndex);
        QObject::connect(B, &QRadioButton::toggled, [this, I](bool On) {
            if (On && I != FItemIndex) {
                FItemIndex = I;
                CallGuarded(this, [this] { Click(); });
            }
        });
        B->show();
    }
    if (FItemIndex >= Items->Count())
        FItemIndex = -1;
    ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= Items->Count())
        Value = -1;
    if (Value == FItemIndex)
        return;
    const QList<QRadioButton*> Buttons = ButtonsOf(this);
    if (Value < 0) {
        FItemIndex = -1;
        for (QRadioButton* B : Buttons) {
            B->setAutoExclusive(false);
            B->setChecked(false);
            B->setAutoExclusive(true);
        }
        return;
    }
    // The button's toggle stores the index and fires OnClick.
    Buttons[Value]->setChecked(true);
}

void TRadioGroup::SetColumns(int Value)
{
    FColumns = std::clamp(Value, 1, 16);
    ArrangeButtons();
}

void TRadioGroup::Resize()
{
    TWinControl::Resize();
    ArrangeButtons();
}

void TRadioGroup::FontChanged()
{
    TWinControl::FontChanged();
    for (QRadioButton* B : ButtonsOf(this))
        B->setFont(Widget()->font());
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons()
{
    const QList<QRadioButton*> Buttons = ButtonsOf(this);
    if (Buttons.isEmpty())
        return;
    const int Rows = (int(Buttons.size()) + FColumns - 1) / FColumns;
    const int Top = Widget()->fontMetrics().height() + 2;
    const int Width = (GetWidth() - 10) / FColumns;
    const int RowHeight = std::max(1, (GetHeight() - Top - 4) / Rows);
    for (int I = 0; I < Buttons.size(); ++I) {
        const int Col = I / Rows, Row = I % Rows;
        Buttons[I]->setGeometry(8 + Col * Width, Top + Row * RowHeight, Width, RowHeight);
    }
}
