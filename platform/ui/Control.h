#pragma once
// Controls: the visual component classes every form, frame and widget of
// the program derives from, over one Qt widget each.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Types.h"
#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/ControlTypes.h"
#include "ui/Font.h"
#include "ui/MessageTarget.h"
#include "ui/Messages.h"
#include "ui/MouseCapture.h"
#include "ui/Property.h"

class QWidget;
class TWinControl;
class TPopupMenu;
class TControlEventFilter;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : unsigned { akLeft = 1u, akTop = 2u, akRight = 4u, akBottom = 8u };
using TAnchors = unsigned;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, int X, int Y, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// A visual component: position, size, visibility, text, colours, font,
// hint, cursor, popup menu, mouse events. The Qt widget holds the state
// that Qt has; the object name of the widget is the component's Name.
class TControl : public TComponent {
public:
    ~TControl() override;

    void SetName(const std::string& Value) override;

    TWinControl* GetParent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    int GetLeft() const;
    int GetTop() const;
    int GetWidth() const;
    int GetHeight() const;
    void SetLeft(int Value);
    void SetTop(int Value);
    void SetWidth(int Value);
    void SetHeight(int Value);
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const;
    void SetBoundsRect(const TRect& R);

    virtual int GetClientWidth() const;
    virtual int GetClientHeight() const;
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    TRect GetClientRect() const;
    TPoint ClientToScreen(const TPoint& P) const;
    TPoint ScreenToClient(const TPoint& P) const;

    bool GetVisible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible and shown.
    bool Showing() const;

    bool GetEnabled() const;
    virtual void SetEnabled(bool Value);

    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);

    // Caption and Text are the same text of the control.
    virtual std::string GetText() const;
    virtual void SetText(const std::string& Value);
    // The width of Text in the font the control shows its text in.
    int GetTextWidth(const std::string& Text) const;

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);

    std::string GetHint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    // True when the hint of this control would be shown: its own ShowHint,
    // or, while ParentShowHint holds, the parent's.
    bool EffectiveShowHint() const;
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);

    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    // Asks for a paint; safe from any thread.
    void Invalidate();
    void Repaint();
    void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Mouse capture: every mouse event goes to this control until released.
    void SetMouseCapture(bool Value);
    bool GetMouseCapture() const;

    // Runs the click behaviour as a user click would (fires OnClick).
    virtual void Click();

    TProperty<TControl, TWinControl*, &TControl::GetParent, &TControl::SetParent> Parent{this};
    TProperty<TControl, int, &TControl::GetLeft, &TControl::SetLeft> Left{this};
    TProperty<TControl, int, &TControl::GetTop, &TControl::SetTop> Top{this};
    TProperty<TControl, int, &TControl::GetWidth, &TControl::SetWidth> Width{this};
    TProperty<TControl, int, &TControl::GetHeight, &TControl::SetHeight> Height{this};
    TProperty<TControl, int, &TControl::GetClientWidth, &TControl::SetClientWidth> ClientWidth{this};
    TProperty<TControl, int, &TControl::GetClientHeight, &TControl::SetClientHeight> ClientHeight{this};
    TProperty<TControl, bool, &TControl::GetVisible, &TControl::SetVisible> Visible{this};
    TProperty<TControl, bool, &TControl::GetEnabled, &TControl::SetEnabled> Enabled{this};
    TProperty<TControl, TAlign, &TControl::GetAlign, &TControl::SetAlign> Align{this};
    TProperty<TControl, TAnchors, &TControl::GetAnchors, &TControl::SetAnchors> Anchors{this};
    TProperty<TControl, std::string, &TControl::GetText, &TControl::SetText> Caption{this};
    TProperty<TControl, std::string, &TControl::GetText, &TControl::SetText> Text{this};
    TProperty<TControl, TColor, &TControl::GetColor, &TControl::SetColor> Color{this};
    TProperty<TControl, std::string, &TControl::GetHint, &TControl::SetHint> Hint{this};
    TProperty<TControl, bool, &TControl::GetShowHint, &TControl::SetShowHint> ShowHint{this};
    TProperty<TControl, bool, &TControl::GetParentShowHint, &TControl::SetParentShowHint> ParentShowHint{this};
    TProperty<TControl, TCursor, &TControl::GetCursor, &TControl::SetCursor> Cursor{this};
    TProperty<TControl, TPopupMenu*, &TControl::GetPopupMenu, &TControl::SetPopupMenu> PopupMenu{this};
    // The control's font; changing it changes the control.
    TFont* const Font;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    // Asked before every change of size; may adjust the size or refuse it.
    TCanResizeEvent OnCanResize;

    // The Qt widget behind the control (forward-declared here).
    QWidget* Widget() const { return FWidget; }
    // The control whose widget this is, or null.
    static TControl* FromWidget(const QWidget* W);

protected:
    // AWidget becomes the control's widget; the control owns it.
    TControl(TComponent* AOwner, QWidget* AWidget);

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y);
    virtual void DblClick();
    virtual void Resize();
    // Fires OnCanResize; false keeps the current size.
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Applies Color to the widget; controls whose colour role differs
    // (edits, lists) override it.
    virtual void ApplyColor();
    virtual void FontChanged();

    // Mouse events come from W too (the viewport of a scrolling widget),
    // in W's coordinates.
    void SetInputWidget(QWidget* W);

    // Mouse clicks that should fire OnClick; controls whose widget signals
    // clicks itself (buttons, check boxes) switch this off.
    bool FClickOnMouseUp = true;

private:
    friend class TControlEventFilter;
    friend class TWinControl;
    friend class TForm;
    void AnchorsChanged();
    void RememberAnchorDistances();

    QWidget* FWidget = nullptr;
    QWidget* FInputWidget = nullptr;
    std::unique_ptr<TControlEventFilter> FFilter;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    // The size the resize handling last ran for.
    int FHandledWidth = -1;
    int FHandledHeight = -1;
    void SizeChanged(int AWidth, int AHeight);
    // Distances to the parent's right and bottom edges kept by anchors.
    int FAnchorRight = 0;
    int FAnchorBottom = 0;
    TColor FColor = clBtnFace;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    bool FPressed = false;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
};

// A control that can hold other controls, take the keyboard focus and
// receive window messages through its handle.
class TWinControl : public TControl, public TMessageTarget {
public:
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const;

    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;
    bool GetTabStop() const;
    void SetTabStop(bool Value);

    // The live windowed control with that handle, or null.
    static TWinControl* FindControl(HWND Handle);

    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    // Receives posted and sent messages. The base answers WM_SYSCOMMAND
    // move and bottom-size commands by dragging with the mouse and ignores
    // the rest.
    virtual void WndProc(TMessage& Message);

    // Places aligned children (top, bottom, left, right, then client, each
    // in the order they were added) and anchored ones.
    void Realign() { AlignControls(nullptr); }
    // Between DisableAlign and the matching EnableAlign children are not
    // placed (nor a scroll box's range worked out); EnableAlign places them
    // once. For adding, moving or freeing many children in a row.
    void DisableAlign() { ++FAlignLock; }
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLock > 0; }

    TProperty<TWinControl, bool, &TWinControl::GetTabStop, &TWinControl::SetTabStop> TabStop{this};

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The widget that holds the children (the page of a scroll box, for
    // instance); the control's own widget by default.
    virtual QWidget* ClientWidget() const;

protected:
    TWinControl(TComponent* AOwner, QWidget* AWidget);

    virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
    virtual void DoEnter();
    virtual void DoExit();
    // Whether the control takes Tab as a key instead of moving the focus.
    virtual bool WantKey(std::uint16_t Key) const;
    // Whether Return and Escape pressed in a child reach this control's
    // KeyDown too (a form's default and cancel buttons); such a control
    // sees keys even when it does not take the focus itself.
    virtual bool PreviewsChildKeys() const { return false; }
    // Called after a child was added or removed.
    virtual void ControlsChanged() {}
    // Called after a child was moved, resized, shown or hidden.
    virtual void ControlPlaced() {}
    // Size of the area aligned children fill.
    virtual TRect AlignRect() const;
    // Called after every Realign.
    virtual void AlignDone() {}

private:
    friend class TControl;
    friend class TControlEventFilter;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    void ClientResized();
    // Realigns; Changed (whose bounds or alignment just changed) goes
    // first among its alignment's controls unless another lies strictly
    // before it.
    void AlignControls(TControl* Changed);
    // Moves (or sizes by the Edge, WMSZ_*) the control with the mouse
    // until the button is released.
    void BeginMouseTrack(bool Move, WPARAM Edge);

    std::vector<TControl*> FControls;
    int FAlignLock = 0;
    bool FAligning = false;
};

// Posts a message to a control (see Messages.h); convenience overload.
bool PostMessage(TWinControl* Control, UINT Msg, WPARAM wParam, LPARAM lParam);
