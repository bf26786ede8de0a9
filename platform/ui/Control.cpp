#include "ui/Control.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QStyleHints>
#include <QThread>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"
#include "ui/Keys.h"
#include "ui/MouseCapture.h"
#include "ui/PopupMenu.h"

namespace {

const char* const ControlProperty = "kalvoControl";

// Where the last press of any control went. Qt judges a double click by the
// time since that press and only forgets it when the mouse is seen moving,
// so a quick press elsewhere can come as a double click; like the window
// system this stands in for, a double click here is two presses on one
// control within the double-click distance. A press a child leaves to its
// parent reaches the parent's control as the same press.
struct TLastPress {
    QPointer<QWidget> Target;
    QPoint At;
    QEvent::Type Type = QEvent::None;
    bool Double = false;

    // Whether the press of Type at Global that Watched sees is a double
    // click; remembers it unless it is the one a child passed on.
    bool Judge(QWidget* Watched, QEvent::Type AType, QPoint Global)
    {
        if (Target && AType == Type && Global == At && Watched->isAncestorOf(Target))
            return Double;
        const int Distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
        const bool Near = std::abs(Global.x() - At.x()) <= Distance && std::abs(Global.y() - At.y()) <= Distance;
        Double = AType == QEvent::MouseButtonDblClick && (!Target || (Target == Watched && Near));
        Target = Watched;
        At = Global;
        Type = AType;
        return Double;
    }
};
TLastPress LastPress;

}  // namespace

// Turns the widget's Qt events into the control's calls, guarding each.
class TControlEventFilter : public QObject {
public:
    explicit TControlEventFilter(TControl* AControl) : FControl(AControl) {}

    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Returns whether the key was consumed (also when the control was freed).
    bool KeyEvent(TWinControl* Win, QKeyEvent* Event, bool Down, const QPointer<QObject>& Alive);
    TControl* FControl;
};

bool TControlEventFilter::eventFilter(QObject* Watched, QEvent* Event)
{
    TControl* C = FControl;
    if ((Watched != C->FWidget && Watched != C->FInputWidget) || C->IsDestroying())
        return false;
    // Size, focus and keys come from the control's own widget only.
    const bool Own = Watched == C->FWidget;
    bool Consumed = false;
    const bool Positional = Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonRelease ||
                            Event->type() == QEvent::MouseButtonDblClick || Event->type() == QEvent::MouseMove ||
                            Event->type() == QEvent::Wheel || Event->type() == QEvent::ContextMenu;
    if (!Own && !Positional)
        return false;
    // A handler may free the control (and this filter with it): then the
    // event ends here, and nothing of either is touched again.
    QPointer<QObject> Alive(Watched);
    auto Guarded = [&](const std::function<void()>& Fn) {
        CallGuarded(C, Fn);
        return !Alive.isNull();
    };
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* M = static_cast<QMouseEvent*>(Event);
        TMouseButton Button = M->button() == Qt::RightButton    ? mbRight
                              : M->button() == Qt::MiddleButton ? mbMiddle
                                                                : mbLeft;
        Qt::MouseButtons Buttons = M->buttons();
        const QPoint P = M->position().toPoint();
        if (Event->type() == QEvent::MouseButtonRelease)
            Buttons |= M->button();  // the shift state still names the released button
        TShiftState Shift = ShiftStateOf(M->modifiers(), Buttons);
        const bool Double = Event->type() != QEvent::MouseButtonRelease &&
                            LastPress.Judge(static_cast<QWidget*>(Watched), Event->type(),
                                            M->globalPosition().toPoint());
        if (Double) {
            if (!Guarded([&] { C->DblClick(); }))
                return true;
            if (!Guarded([&] { C->MouseDown(Button, Shift | ssDouble, P.x(), P.y()); }))
                return true;
        } else if (Event->type() != QEvent::MouseButtonRelease) {
            if (Button == mbLeft)
                C->FPressed = true;
            if (!Guarded([&] { C->MouseDown(Button, Shift, P.x(), P.y()); }))
                return true;
        } else {
            const bool Clicked = Button == mbLeft && C->FPressed && C->FClickOnMouseUp &&
                                 static_cast<QWidget*>(Watched)->rect().contains(P);
            if (Button == mbLeft)
                C->FPressed = false;
            if (!Guarded([&] { C->MouseUp(Button, Shift, P.x(), P.y()); }))
                return true;
            if (Clicked && !Guarded([&] { C->Click(); }))
                return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* M = static_cast<QMouseEvent*>(Event);
        const QPoint P = M->position().toPoint();
        TShiftState Shift = ShiftStateOf(M->modifiers(), M->buttons());
        if (!Guarded([&] { C->MouseMove(Shift, P.x(), P.y()); }))
            return true;
        break;
    }
    case QEvent::Wheel: {
        auto* W = static_cast<QWheelEvent*>(Event);
        const QPoint P = W->position().toPoint();
        bool Handled = false;
        TShiftState Shift = ShiftStateOf(W->modifiers(), W->buttons());
        if (!Guarded([&] { Handled = C->DoMouseWheel(Shift, W->angleDelta().y(), P.x(), P.y()); }))
            return true;
        Consumed = Handled;
        break;
    }
    case QEvent::Resize: {
        const QSize S = static_cast<QResizeEvent*>(Event)->size();
        if (!Guarded([&] { C->SizeChanged(S.width(), S.height()); }))
            return true;
        break;
    }
    case QEvent::Enter:
        if (!Guarded([&] { C->MouseEnter(); }))
            return true;
        break;
    case QEvent::Leave:
        if (!Guarded([&] { C->MouseLeave(); }))
            return true;
        break;
    case QEvent::ToolTip: Consumed = C->FHint.empty() || !C->EffectiveShowHint(); break;
    case QEvent::ContextMenu:
        if (C->FPopupMenu && C->FPopupMenu->AutoPopup) {
            const QPoint G = static_cast<QContextMenuEvent*>(Event)->globalPos();
            C->FPopupMenu->PopupComponent = C;
            TPopupMenu* Menu = C->FPopupMenu;
            if (!Guarded([&] { Menu->Popup(G.x(), G.y()); }))
                return true;
            Consumed = true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (auto* Win = dynamic_cast<TWinControl*>(C))
            Consumed = KeyEvent(Win, static_cast<QKeyEvent*>(Event), Event->type() == QEvent::KeyPress, Alive);
        break;
    case QEvent::FocusIn:
        if (auto* Win = dynamic_cast<TWinControl*>(C))
            if (!Guarded([&] { Win->DoEnter(); }))
                return true;
        break;
    case QEvent::FocusOut:
        if (auto* Win = dynamic_cast<TWinControl*>(C))
            if (!Guarded([&] { Win->DoExit(); }))
                return true;
        break;
    default: break;
    }
    return Consumed;
}

bool TControlEventFilter::KeyEvent(TWinControl* Win, QKeyEvent* Event, bool Down, const QPointer<QObject>& Alive)
{
    // Only controls that take the focus see keys; a key a child ignored and
    // Qt passes on to its container is left to the container's widget.
    const bool Previews = Win->PreviewsChildKeys();
    if (Win->FWidget->focusPolicy() == Qt::NoFocus && !Previews)
        return false;
    if (Previews && Win->FWidget->focusWidget() && Win->FWidget->focusWidget() != Win->FWidget) {
        // Propagated from a child: the form only sees it through KeyDown
        // (default and cancel buttons), not through its own events.
        if (!Down)
            return false;
        std::uint16_t Key = QtKeyToVirtualKey(Event->key(), Event->modifiers());
        if (Key != VK_RETURN && Key != VK_ESCAPE)
            return false;
    }
    std::uint16_t Key = QtKeyToVirtualKey(Event->key(), Event->modifiers());
    // Tab moves the focus unless the control wants it.
    if (Key == VK_TAB && !Win->WantKey(VK_TAB))
        return false;
    const TShiftState Shift = ShiftStateOf(Event->modifiers(), Qt::NoButton);
    if (Key != 0) {
        CallGuarded(Win, [&] {
            if (Down)
                Win->KeyDown(Key, Shift);
            else
                Win->KeyUp(Key, Shift);
        });
        if (!Alive || Key == 0)
            return true;
    }
    const QString Text = Event->text();
    if (!Down || Text.size() != 1 || Text[0].unicode() >= 0x80 || Text[0].unicode() == 0)
        return false;
    char Ch = char(Text[0].unicode());
    CallGuarded(Win, [&] { Win->KeyPress(Ch); });
    return !Alive || Ch == 0;
}

// --- TControl ---------------------------------------------------------------

TControl::TControl(TComponent* AOwner, QWidget* AWidget)
    : TComponent(AOwner),
      Font(new TFont),
      FWidget(AWidget),
      FFilter(new TControlEventFilter(this))
{
    FWidget->setProperty(ControlProperty, QVariant::fromValue<void*>(this));
    FWidget->setMouseTracking(true);
    FWidget->installEventFilter(FFilter.get());
    FWidget->hide();
    Font->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    Destroying();
    if (MouseCaptureWidget() == FWidget)
        ReleaseCapture();
    if (FParent)
        FParent->RemoveControl(this);
    FParent = nullptr;
    if (FInputWidget)
        FInputWidget->removeEventFilter(FFilter.get());
    if (FWidget) {
        FWidget->removeEventFilter(FFilter.get());
        FWidget->setProperty(ControlProperty, QVariant());
        delete FWidget;
    }
    FWidget = nullptr;
    delete Font;
}

void TControl::SetInputWidget(QWidget* W)
{
    FInputWidget = W;
    W->setMouseTracking(true);
    W->installEventFilter(FFilter.get());
}

TControl* TControl::FromWidget(const QWidget* W)
{
    if (!W)
        return nullptr;
    return static_cast<TControl*>(W->property(ControlProperty).value<void*>());
}

void TControl::SetName(const std::string& Value)
{
    TComponent::SetName(Value);
    FWidget->setObjectName(QStr(Value));
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    if (AParent == this)
        throw Exception("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    FParent = AParent;
    if (AParent) {
        FWidget->setParent(AParent->ClientWidget());
        FWidget->setVisible(FVisible);
        AParent->InsertControl(this);
        RememberAnchorDistances();
    } else {
        FWidget->setParent(nullptr);
        FWidget->hide();
    }
}

int TControl::GetLeft() const
{
    return FWidget->geometry().x();
}
int TControl::GetTop() const
{
    return FWidget->geometry().y();
}
int TControl::GetWidth() const
{
    return FWidget->geometry().width();
}
int TControl::GetHeight() const
{
    return FWidget->geometry().height();
}
void TControl::SetLeft(int Value)
{
    SetBounds(Value, GetTop(), GetWidth(), GetHeight());
}
void TControl::SetTop(int Value)
{
    SetBounds(GetLeft(), Value, GetWidth(), GetHeight());
}
void TControl::SetWidth(int Value)
{
    SetBounds(GetLeft(), GetTop(), Value, GetHeight());
}
void TControl::SetHeight(int Value)
{
    SetBounds(GetLeft(), GetTop(), GetWidth(), Value);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // A stored form may say anything; a widget goes no farther than
    // QWIDGETSIZE_MAX either way, and within that its edges add up.
    ALeft = std::clamp(ALeft, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    ATop = std::clamp(ATop, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    AWidth = std::clamp(AWidth, 0, QWIDGETSIZE_MAX);
    AHeight = std::clamp(AHeight, 0, QWIDGETSIZE_MAX);
    if ((AWidth != GetWidth() || AHeight != GetHeight()) && !CanResize(AWidth, AHeight)) {
        AWidth = GetWidth();
        AHeight = GetHeight();
    }
    const QRect R(ALeft, ATop, AWidth, AHeight);
    const bool Moved = FWidget->geometry() != R;
    if (Moved)
        FWidget->setGeometry(R);
    // Qt holds back resize events of hidden widgets; the layout must not
    // wait for the first show.
    SizeChanged(R.width(), R.height());
    if (FParent && !FParent->FAligning) {
        RememberAnchorDistances();
        if (FAlign != alNone)
            FParent->AlignControls(this);
    }
    if (Moved && FParent)
        FParent->ControlPlaced();
}

bool TControl::CanResize(int& NewWidth, int& NewHeight)
{
    bool Resize = true;
    if (OnCanResize)
        OnCanResize(this, NewWidth, NewHeight, Resize);
    return Resize;
}

void TControl::SizeChanged(int AWidth, int AHeight)
{
    if (AWidth == FHandledWidth && AHeight == FHandledHeight)
        return;
    FHandledWidth = AWidth;
    FHandledHeight = AHeight;
    Resize();
    if (auto* Win = dynamic_cast<TWinControl*>(this))
        Win->ClientResized();
}

TRect TControl::GetBoundsRect() const
{
    return Bounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}
void TControl::SetBoundsRect(const TRect& R)
{
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

int TControl::GetClientWidth() const
{
    return FWidget->width();
}
int TControl::GetClientHeight() const
{
    return FWidget->height();
}
void TControl::SetClientWidth(int Value)
{
    SetWidth(GetWidth() - GetClientWidth() + Value);
}
void TControl::SetClientHeight(int Value)
{
    SetHeight(GetHeight() - GetClientHeight() + Value);
}
TRect TControl::GetClientRect() const
{
    return Rect(0, 0, GetClientWidth(), GetClientHeight());
}

TPoint TControl::ClientToScreen(const TPoint& P) const
{
    const QPoint G = FWidget->mapToGlobal(QPoint(P.X, P.Y));
    return Point(G.x(), G.y());
}

TPoint TControl::ScreenToClient(const TPoint& P) const
{
    const QPoint L = FWidget->mapFromGlobal(QPoint(P.X, P.Y));
    return Point(L.x(), L.y());
}

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    if (FParent)
        FWidget->setVisible(Value);
    if (FParent && FAlign != alNone)
        FParent->AlignControls(this);
    if (FParent)
        FParent->ControlPlaced();
}

bool TControl::Showing() const
{
    return FWidget->isVisible();
}

bool TControl::GetEnabled() const
{
    return !FWidget->testAttribute(Qt::WA_ForceDisabled);
}
void TControl::SetEnabled(bool Value)
{
    // The widget's own flag, not the effective one, is the property.
    FWidget->setEnabled(Value);
}

void TControl::SetAlign(TAlign Value)
{
    if (FAlign == Value)
        return;
    FAlign = Value;
    if (FParent)
        FParent->AlignControls(this);
}

void TControl::SetAnchors(TAnchors Value)
{
    FAnchors = Value;
    RememberAnchorDistances();
}

void TControl::RememberAnchorDistances()
{
    if (!FParent)
        return;
    const TRect Area = FParent->AlignRect();
    FAnchorRight = Area.Right - (GetLeft() + GetWidth());
    FAnchorBottom = Area.Bottom - (GetTop() + GetHeight());
}

void TControl::AnchorsChanged()
{
    if (!FParent || FAlign != alNone)
        return;
    const TRect Area = FParent->AlignRect();
    int L = GetLeft(), T = GetTop(), W = GetWidth(), H = GetHeight();
    if (FAnchors & akRight) {
        if (FAnchors & akLeft)
            W = Area.Right - FAnchorRight - L;
        else
            L = Area.Right - FAnchorRight - W;
    }
    if (FAnchors & akBottom) {
        if (FAnchors & akTop)
            H = Area.Bottom - FAnchorBottom - T;
        else
            T = Area.Bottom - FAnchorBottom - H;
    }
    FWidget->setGeometry(L, T, std::max(0, W), std::max(0, H));
}

std::string TControl::GetText() const
{
    return StdStr(FWidget->windowTitle());
}

int TControl::GetTextWidth(const std::string& Text) const
{
    return FWidget->fontMetrics().horizontalAdvance(QStr(Text));
}
void TControl::SetText(const std::string& Value)
{
    FWidget->setWindowTitle(QStr(Value));
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    ApplyColor();
}

void TControl::ApplyColor()
{
    QPalette Pal = FWidget->palette();
    Pal.setColor(QPalette::Window, ToQColor(FColor));
    FWidget->setPalette(Pal);
    FWidget->setAutoFillBackground(FColor != clBtnFace);
}

void TControl::FontChanged()
{
    FWidget->setFont(ToQFont(*Font));
    QPalette Pal = FWidget->palette();
    Pal.setColor(QPalette::WindowText, ToQColor(Font->GetColor()));
    Pal.setColor(QPalette::Text, ToQColor(Font->GetColor()));
    Pal.setColor(QPalette::ButtonText, ToQColor(Font->GetColor()));
    FWidget->setPalette(Pal);
}

void TControl::SetHint(const std::string& Value)
{
    FHint = Value;
    FWidget->setToolTip(QStr(Value));
}

void TControl::SetShowHint(bool Value)
{
    FShowHint = Value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value)
{
    FParentShowHint = Value;
}

bool TControl::EffectiveShowHint() const
{
    if (!Application->GetShowHint())
        return false;
    if (FParentShowHint && FParent)
        return FParent->EffectiveShowHint();
    return FShowHint;
}

void TControl::SetCursor(TCursor Value)
{
    FCursor = Value;
    if (Value == crDefault)
        FWidget->unsetCursor();
    else
        FWidget->setCursor(QtCursorShape(Value));
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    if (FPopupMenu)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TControl::Invalidate()
{
    // Code that changes drawn data from another thread may ask for a paint;
    // the request then travels to the widget's thread (and is dropped if
    // the widget is gone by then).
    if (QThread::currentThread() != FWidget->thread())
        QMetaObject::invokeMethod(FWidget, "update", Qt::QueuedConnection);
    else
        FWidget->update();
}
void TControl::Repaint()
{
    FWidget->repaint();
}
void TControl::Update()
{
    FWidget->repaint();
}

void TControl::BringToFront()
{
    FWidget->raise();
    if (FParent) {
        auto& List = FParent->FControls;
        List.erase(std::find(List.begin(), List.end(), this));
        List.push_back(this);
    }
}

void TControl::SendToBack()
{
    FWidget->lower();
    if (FParent) {
        auto& List = FParent->FControls;
        List.erase(std::find(List.begin(), List.end(), this));
        List.insert(List.begin(), this);
    }
}

void TControl::SetMouseCapture(bool Value)
{
    if (Value)
        CaptureMouse(FWidget);
    else if (MouseCaptureWidget() == FWidget)
        ReleaseCapture();
}

bool TControl::GetMouseCapture() const
{
    return MouseCaptureWidget() == FWidget;
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    bool Handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, X, Y, Handled);
    return Handled;
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// --- TWinControl --------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner, QWidget* AWidget) : TControl(AOwner, AWidget) {}

TWinControl::~TWinControl()
{
    Destroying();
    Withdraw();
    // Children go first, while this control's widget still holds theirs.
    while (!FControls.empty())
        delete FControls.back();
}

TWinControl* TWinControl::FindControl(HWND Handle)
{
    return dynamic_cast<TWinControl*>(TMessageTarget::Find(Handle));
}

bool PostMessage(TWinControl* Control, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return Control && PostMessage(Control->Handle(), Msg, wParam, lParam);
}

TControl* TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FControls[size_t(Index)];
}

QWidget* TWinControl::ClientWidget() const
{
    return Widget();
}

void TWinControl::InsertControl(TControl* AControl)
{
    FControls.push_back(AControl);
    ControlsChanged();
    if (AControl->GetAlign() != alNone)
        Realign();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    auto It = std::find(FControls.begin(), FControls.end(), AControl);
    if (It == FControls.end())
        return;
    FControls.erase(It);
    if (IsDestroying())
        return;
    ControlsChanged();
    if (AControl->GetAlign() != alNone)
        Realign();
}

void TWinControl::SetFocus()
{
    // A hidden control takes the focus when its window shows.
    Widget()->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const
{
    return Widget()->hasFocus();
}

bool TWinControl::CanFocus() const
{
    for (const TControl* C = this; C; C = C->GetParent())
        if (!C->GetVisible() || !C->GetEnabled())
            return false;
    return true;
}

bool TWinControl::GetTabStop() const
{
    return Widget()->focusPolicy() & Qt::TabFocus;
}
void TWinControl::SetTabStop(bool Value)
{
    Widget()->setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
}

LRESULT TWinControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage M{Msg, WParam, LParam, 0};
    WndProc(M);
    return M.Result;
}

void TWinControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_SYSCOMMAND) {
        const WPARAM Command = Message.WParam & 0xFFF0;
        const WPARAM Detail = Message.WParam & 0x000F;
        if (Command == SC_MOVE && Detail != 0)
            BeginMouseTrack(true, 0);
        else if (Command == SC_SIZE && Detail != 0)
            BeginMouseTrack(false, Detail);
    }
}

void TWinControl::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::KeyUp(std::uint16_t& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

bool TWinControl::WantKey(std::uint16_t) const
{
    return false;
}

TRect TWinControl::AlignRect() const
{
    const QWidget* W = ClientWidget();
    return Rect(0, 0, W->width(), W->height());
}

void TWinControl::EnableAlign()
{
    if (FAlignLock > 0 && --FAlignLock == 0)
        Realign();
}

void TWinControl::ClientResized()
{
    Realign();
    for (TControl* C : FControls)
        if (C->GetAlign() == alNone && (C->GetAnchors() & (akRight | akBottom)))
            C->AnchorsChanged();
}

void TWinControl::AlignControls(TControl* Changed)
{
    if (FAlignLock > 0 || FAligning || IsDestroying())
        return;
    FAligning = true;
    TRect R = AlignRect();
    auto Place = [&](TAlign Which) {
        // Within one alignment the current positions decide the order.
        auto Key = [Which](const TControl* C) {
            switch (Which) {
            case alTop: return C->GetTop();
            case alBottom: return -(C->GetTop() + C->GetHeight());
            case alLeft: return C->GetLeft();
            case alRight: return -(C->GetLeft() + C->GetWidth());
            default: return 0;
            }
        };
        // The changed control first, then the others in the order they
        // were added; a stable sort keeps that order among equal positions.
        std::vector<std::pair<int, TControl*>> Sorted;
        if (Changed && Changed->GetAlign() == Which && Changed->GetVisible())
            Sorted.emplace_back(Key(Changed), Changed);
        for (TControl* C : FControls)
            if (C != Changed && C->GetAlign() == Which && C->GetVisible())
                Sorted.emplace_back(Key(C), C);
        std::stable_sort(Sorted.begin(), Sorted.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
        for (const auto& Entry : Sorted) {
            TControl* C = Entry.second;
            const int W = C->GetWidth(), H = C->GetHeight();
            switch (Which) {
            case alTop:
                C->SetBounds(R.Left, R.Top, R.Width(), H);
                R.Top += H;
                break;
            case alBottom:
                C->SetBounds(R.Left, R.Bottom - H, R.Width(), H);
                R.Bottom -= H;
                break;
            case alLeft:
                C->SetBounds(R.Left, R.Top, W, R.Height());
                R.Left += W;
                break;
            case alRight:
                C->SetBounds(R.Right - W, R.Top, W, R.Height());
                R.Right -= W;
                break;
            case alClient: C->SetBounds(R.Left, R.Top, R.Width(), R.Height()); break;
            default: break;
            }
        }
    };
    for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient})
        Place(A);
    FAligning = false;
    AlignDone();
}

// --- mouse tracking for the move and size system commands -------------------

// Moves or sizes a control with the mouse until the button is released.
class TMouseTracker : public QObject {
public:
    TMouseTracker(TWinControl* AControl, bool AMove, WPARAM AEdge)
        : FControl(AControl),
          FWidget(AControl->Widget()),
          FMove(AMove),
          FEdge(AEdge)
    {
        FStart = QCursor::pos();
        FStartRect = FWidget->geometry();
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (!FWidget) {
            deleteLater();
            return false;
        }
        if (Event->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(Event)->buttons() == Qt::NoButton) {
            // The button went up before the command arrived: nothing to drag.
            qApp->removeEventFilter(this);
            deleteLater();
            return false;
        }
        if (Event->type() == QEvent::MouseMove) {
            const QPoint D = static_cast<QMouseEvent*>(Event)->globalPosition().toPoint() - FStart;
            QRect R = FStartRect;
            if (FMove)
                R.moveTo(FStartRect.topLeft() + D);
            else if (FEdge == WMSZ_BOTTOM)
                R.setHeight(std::max(0, FStartRect.height() + D.y()));
            CallGuarded(FControl, [&] { FControl->SetBounds(R.x(), R.y(), R.width(), R.height()); });
            return true;
        }
        if (Event->type() == QEvent::MouseButtonRelease) {
            qApp->removeEventFilter(this);
            deleteLater();
            return true;
        }
        return false;
    }

private:
    TWinControl* FControl;
    QPointer<QWidget> FWidget;
    bool FMove;
    WPARAM FEdge;
    QPoint FStart;
    QRect FStartRect;
};

void TWinControl::BeginMouseTrack(bool Move, WPARAM Edge)
{
    new TMouseTracker(this, Move, Edge);
}
