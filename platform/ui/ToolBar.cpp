#include "ui/ToolBar.h"

#include <QFontMetrics>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>
#include <algorithm>

#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"
#include "ui/ImageList.h"
#include "ui/PopupMenu.h"

namespace {
QToolButton* ToolOf(const TControl* C)
{
    return static_cast<QToolButton*>(C->Widget());
}
}  // namespace

TToolButton::TToolButton(TComponent* AOwner) : TControl(AOwner, NewWidget<QToolButton>())
{
    FClickOnMouseUp = false;
    QToolButton* B = ToolOf(this);
    B->setCheckable(true);
    B->setAutoRaise(true);
    B->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QObject::connect(B, &QToolButton::clicked, [this] {
        // The button decides its own down state, not Qt.
        ToolOf(this)->setChecked(FDown);
        if (FStyle == tbsSeparator || FStyle == tbsDivider)
            return;
        CallGuarded(this, [this] { Click(); });
    });
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton()
{
    if (FDropdownMenu)
        ToolOf(this)->setMenu(nullptr);
}

TToolBar* TToolButton::ToolBar() const
{
    return dynamic_cast<TToolBar*>(GetParent());
}

void TToolButton::SetParent(TWinControl* AParent)
{
    TControl::SetParent(AParent);
    if (TToolBar* Bar = ToolBar()) {
        ToolOf(this)->setToolButtonStyle(Bar->GetShowCaptions() ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
        ApplyImage();
        Bar->ArrangeButtons();
    }
}

void TToolButton::SetVisible(bool Value)
{
    TControl::SetVisible(Value);
    if (TToolBar* Bar = ToolBar())
        Bar->ArrangeButtons();
}

void TToolButton::SetStyle(TToolButtonStyle Value)
{
    FStyle = Value;
    QToolButton* B = ToolOf(this);
    const bool Separator = Value == tbsSeparator || Value == tbsDivider;
    B->setPopupMode(Value == tbsDropDown ? QToolButton::MenuButtonPopup
                    : FDropdownMenu      ? QToolButton::InstantPopup
                                         : QToolButton::DelayedPopup);
    B->setFocusPolicy(Qt::NoFocus);
    B->setAttribute(Qt::WA_TransparentForMouseEvents, Separator);
    if (Separator) {
        B->setText(QString());
        B->setIcon(QIcon());
        SetWidth(8);
    }
    if (TToolBar* Bar = ToolBar())
        Bar->ArrangeButtons();
}

bool TToolButton::GetDown() const
{
    return FDown;
}

void TToolButton::SetDown(bool Value)
{
    FDown = Value;
    ToolOf(this)->setChecked(Value);
    if (Value && FGroupIndex > 0)
        if (TToolBar* Bar = ToolBar())
            for (int I = 0; I < Bar->ButtonCount(); ++I) {
                TToolButton* Other = Bar->Buttons(I);
                if (Other != this && Other->FGroupIndex == FGroupIndex && Other->FDown)
                    Other->SetDown(false);
            }
}

void TToolButton::Click()
{
    if (Toggles()) {
        bool NewDown = !FDown;
        // In a group without AllowAllUp the down button stays down.
        if (!NewDown && FGroupIndex > 0 && !FAllowAllUp)
            NewDown = true;
        SetDown(NewDown);
    }
    TControl::Click();
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value)
{
    if (FDropdownMenu)
        FDropdownMenu->RemoveFreeNotification(this);
    FDropdownMenu = Value;
    if (Value)
        Value->FreeNotification(this);
    ToolOf(this)->setMenu(Value ? Value->Menu() : nullptr);
    SetStyle(FStyle);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FDropdownMenu) {
        FDropdownMenu = nullptr;
        ToolOf(this)->setMenu(nullptr);
    }
}

void TToolButton::SetImageIndex(int Value)
{
    FImageIndex = Value;
    ApplyImage();
}

void TToolButton::ApplyImage()
{
    TToolBar* Bar = ToolBar();
    TImageList* Images = Bar ? Bar->GetImages() : nullptr;
    if (!Images || FImageIndex < 0 || FImageIndex >= Images->GetCount() || FStyle == tbsSeparator ||
        FStyle == tbsDivider) {
        ToolOf(this)->setIcon(QIcon());
        return;
    }
    TBitmap Image;
    Images->GetBitmap(FImageIndex, &Image);
    ToolOf(this)->setIcon(QIcon(QPixmap::fromImage(BitmapImage(Image))));
    ToolOf(this)->setIconSize(QSize(Images->GetWidth(), Images->GetHeight()));
}

std::string TToolButton::GetText() const
{
    return FCaption;
}

void TToolButton::SetText(const std::string& Value)
{
    FCaption = Value;
    if (FStyle != tbsSeparator && FStyle != tbsDivider)
        ToolOf(this)->setText(QStr(Value));
    if (TToolBar* Bar = ToolBar())
        Bar->ArrangeButtons();
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QWidget>())
{
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

void TToolBar::SetButtonWidth(int Value)
{
    FButtonWidth = Value;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int Value)
{
    FButtonHeight = Value;
    ArrangeButtons();
}

void TToolBar::SetShowCaptions(bool Value)
{
    FShowCaptions = Value;
    for (int I = 0; I < ButtonCount(); ++I)
        ToolOf(Buttons(I))->setToolButtonStyle(Value ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    ArrangeButtons();
}

void TToolBar::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value)
        Value->FreeNotification(this);
    for (int I = 0; I < ButtonCount(); ++I)
        Buttons(I)->ApplyImage();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages) {
        FImages = nullptr;
        for (int I = 0; I < ButtonCount(); ++I)
            Buttons(I)->ApplyImage();
    }
}

void TToolBar::SetWrapable(bool Value)
{
    FWrapable = Value;
    ArrangeButtons();
}

int TToolBar::ButtonCount() const
{
    int N = 0;
    for (int I = 0; I < ControlCount(); ++I)
        N += dynamic_cast<TToolButton*>(Controls(I)) != nullptr;
    return N;
}

TToolButton* TToolBar::Buttons(int Index) const
{
    for (int I = 0; I < ControlCount(); ++I)
        if (auto* B = dynamic_cast<TToolButton*>(Controls(I)))
            if (Index-- == 0)
                return B;
    throw EListError("List index out of bounds");
}

void TToolBar::ArrangeButtons()
{
    if (IsDestroying())
        return;
    int X = 0, Y = 0;
    // With captions every button is as wide as the widest caption needs.
    int Width = FButtonWidth;
    if (FShowCaptions) {
        const QFontMetrics Metrics(Widget()->font());
        for (int I = 0; I < ButtonCount(); ++I)
            Width = std::max(Width, Metrics.horizontalAdvance(QStr(Buttons(I)->GetText())) + 8);
    }
    const int Height = FShowCaptions ? std::max(FButtonHeight, Widget()->fontMetrics().height() + 24) : FButtonHeight;
    for (int I = 0; I < ButtonCount(); ++I) {
        TToolButton* B = Buttons(I);
        if (!B->GetVisible())
            continue;
        const bool Separator = B->GetStyle() == tbsSeparator || B->GetStyle() == tbsDivider;
        const int W = Separator ? B->GetWidth() : Width;
        if (FWrapable && X > 0 && X + W > GetClientWidth()) {
            X = 0;
            Y += Height;
        }
        B->SetBounds(X, Y, W, Height);
        X += W;
    }
}

void TToolBar::Resize()
{
    TWinControl::Resize();
    ArrangeButtons();
}

void TToolBar::ControlsChanged()
{
    ArrangeButtons();
}
