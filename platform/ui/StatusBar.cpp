#include "ui/StatusBar.h"

#include <QLabel>
#include <algorithm>

#include "rtl/Exception.h"
#include "ui/ControlQt.h"

void TStatusPanel::SetText(const std::string& Value)
{
    FText = Value;
    FLabel->setText(QStr(Value));
}

void TStatusPanel::SetWidth(int Value)
{
    FWidth = std::max(0, Value);
    FBar->ArrangePanels();
}

void TStatusPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FLabel->setAlignment(Qt::Alignment(QtAlignment(Value) | Qt::AlignVCenter));
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner, NewWidget<QWidget>()),
      FSimpleLabel(new QLabel(Widget()))
{
    Widget()->setFocusPolicy(Qt::NoFocus);
    FSimpleLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FSimpleLabel->setTextFormat(Qt::PlainText);
    FSimpleLabel->hide();
    SetBounds(0, 0, 185, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

TStatusPanel* TStatusBar::Panels(int Index) const
{
    if (Index < 0 || Index >= PanelCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FPanels[size_t(Index)].get();
}

TStatusPanel* TStatusBar::AddPanel()
{
    auto* P = new TStatusPanel(this);
    P->FLabel = new QLabel(Widget());
    P->FLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    P->FLabel->setTextFormat(Qt::PlainText);
    P->FLabel->setFont(Widget()->font());
    P->SetAlignment(taLeftJustify);
    FPanels.emplace_back(P);
    ArrangePanels();
    return P;
}

void TStatusBar::ClearPanels()
{
    for (auto& P : FPanels)
        delete P->FLabel;
    FPanels.clear();
}

void TStatusBar::SetSimplePanel(bool Value)
{
    FSimplePanel = Value;
    ArrangePanels();
}

void TStatusBar::SetSimpleText(const std::string& Value)
{
    FSimpleText = Value;
    FSimpleLabel->setText(QStr(Value));
}

void TStatusBar::Resize()
{
    TWinControl::Resize();
    ArrangePanels();
}

void TStatusBar::FontChanged()
{
    TWinControl::FontChanged();
    FSimpleLabel->setFont(Widget()->font());
    for (auto& P : FPanels)
        P->FLabel->setFont(Widget()->font());
}

void TStatusBar::ArrangePanels()
{
    const int H = GetHeight();
    FSimpleLabel->setVisible(FSimplePanel);
    FSimpleLabel->setGeometry(0, 1, GetWidth(), std::max(0, H - 1));
    int X = 0;
    for (size_t I = 0; I < FPanels.size(); ++I) {
        TStatusPanel* P = FPanels[I].get();
        const bool Last = I + 1 == FPanels.size();
        const int W = Last ? std::max(P->FWidth, GetWidth() - X) : P->FWidth;
        P->FLabel->setGeometry(X, 1, std::max(0, W - 2), std::max(0, H - 1));
        P->FLabel->setVisible(!FSimplePanel);
        X += W;
    }
}
