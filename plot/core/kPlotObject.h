#pragma once
// The class every plot object derives from. An object never talks to its
// plot or to other objects directly: it calls the callbacks it was given at
// creation, which the master manager answers, and fires the plot's events
// through its owner.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "plot/core/kPlotKind.h"
#include "plot/core/kPlotObjectOwner.h"
#include "rtl/Persistent.h"
#include "rtl/PublishedList.h"
#include "rtl/Types.h"
#include "ui/Color.h"
#include "ui/Control.h"
#include "ui/PopupMenu.h"

class TCanvas;
class TkPlotObject;

// Object and manager callbacks; an empty one is unassigned and skipped.
using TkPlotCallback = std::function<void(TObject* Item)>;

// Calls Callback with Item unless it is unassigned.
inline void CallPlotCallback(const TkPlotCallback& Callback, TObject* Item)
{
    if (Callback)
        Callback(Item);
}

// The four callbacks every manager object must be created with.
struct TkPlotObjectCallbacks {
    TkPlotCallback OnChange;
    TkPlotCallback OnInsert;
    TkPlotCallback OnRemove;
    TkPlotCallback OnRename;
};

// Raises the first of the creation messages that applies: the owner's
// (whose wording differs between objects and managers), then one per
// missing callback.
const TkPlotObjectCallbacks& CheckPlotCallbacks(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks,
                                                const char* NoOwnerMessage);

// What an object under the mouse offers as its hint: the text and where it
// shows, in client pixels. An empty text shows no hint.
struct TkPlotHintData {
    std::string Text;
    TRect Rect;
};

// A mouse event as an object receives it: the point as the plot gave it
// and the point in the object's own frame (X and Y exchanged when the axes
// are reversed).
struct TkPlotMouseData {
    TPoint Received;
    TPoint Point;
    TPoint Screen;
    TMouseButton Button = mbLeft;
    TShiftState Shift = 0;
    bool Flag = false;               // on release: a double click is pending
    TkPlotHintData* Hint = nullptr;  // on a move: filled by DoMouseHover
};

class TkPlotObject : public TPersistent {
    PUBLISHED_CLASS(TkPlotObject);

public:
    TkPlotObject(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks,
                 const TkPlotKind& AKind = TkPlotObjectKind::Other);

    // Frees an object in two phases: it unregisters through OnRemove while
    // still whole, then it is deleted. The only way to free a plot object:
    // every class of the tree keeps its destructor protected, so a plain
    // delete (which would unregister a half-destroyed object) does not
    // compile.
    static void Free(TkPlotObject* Object);
    // The first phase of Free: OnRemove, then a layout change. Runs once.
    virtual void BeforeDestruction();
    // Lasts until the object's freeing begins (see TkPlotObjectRef).
    std::weak_ptr<const void> Life() const { return FLife; }

    const TkPlotKind& Kind() const { return FKind; }
    virtual bool IsLayoutObject() const { return false; }
    // An X or a Y axis.
    virtual bool IsAxis() const { return false; }

    TkPlotObjectOwner* GetOwner() const { return FOwner; }
    const std::string& GetName() const { return FName; }
    void SetName(const std::string& Value);
    PUBLISHED_ACCESSORS(std::string, Name);
    const std::string& GetOldName() const { return FOldName; }

    bool GetVisible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    PUBLISHED_ACCESSORS(bool, Visible, true);
    bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    PUBLISHED_ACCESSORS(bool, Enabled, true);
    PUBLISHED(int, Layer, 100, DoChange());
    PUBLISHED(bool, PopupEnabled, true, DoChange());
    PUBLISHED(bool, CanFocus, true, DoChange());
    bool GetFocused() const { return FFocused; }
    void SetFocused(bool Value);
    bool GetUserCanEdit() const { return FUserCanEdit; }
    void SetUserCanEdit(bool Value) { FUserCanEdit = Value; }
    bool GetXYAxesReverse() const { return FXYAxesReverse; }
    virtual void SetXYAxesReverse(bool Value) { FXYAxesReverse = Value; }
    TShiftState GetShiftState() const { return FShiftState; }
    void SetShiftState(TShiftState Value) { FShiftState = Value; }
    bool GetPressed() const { return FPressed; }
    bool GetPrepared() const { return FPrepared; }

    // Callbacks set by the master manager when it registers the object.
    TkPlotCallback OnLayoutChange;
    TkPlotCallback OnFocus;
    TkPlotCallback OnEdit;
    TkPlotCallback OnInvalidate;
    // The four creation callbacks, readable so that the master manager and
    // the plot can detach them.
    TkPlotObjectCallbacks Callbacks;

    virtual void DoChange();
    virtual void DoLayoutChange();
    // Whether the change being announced for Item (the item a change
    // callback was given) left every property as it was (points added, a
    // range moved): such a change reaches the layout only through what the
    // objects measure.
    static bool InContentChange(const TObject* Item);
    // Hooks: another object went away, was renamed, or took the focus.
    virtual void ObjectRemoved(TkPlotObject*) {}
    virtual void ObjectRenamed(TkPlotObject*) {}
    virtual void ObjectFocused(TkPlotObject*) {}

    virtual void PreDraw(TCanvas* Canvas);
    virtual void Draw(TCanvas* Canvas, TColor BackColor);

    // Input entry points, called by the plot on the selected objects.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen, TPopupMenu* Menu);
    // Hint, when given, receives what the object offers as its hint.
    virtual void MouseMove(TShiftState Shift, TPoint Client, TkPlotHintData* Hint = nullptr);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen, bool DoubleClickPending,
                         TPopupMenu* Menu);
    virtual bool MouseWheel(int WheelDelta, TShiftState Shift, TPoint Client);
    virtual void KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu);
    virtual bool HitTest(const TkPlotMouseData& Mouse);

    // The mouse left the object.
    void MouseLeave() { DoMouseLeave(); }
    // The mouse event an object's hit test reads, for a point of the plot.
    TkPlotMouseData MakeMouseData(TPoint Client) const;

    virtual TkPlotObject* GetObjectAt(TPoint P);
    virtual TCursor GetMouseCursor(TPoint P);
    TkPlotObject* GetHitObject() const { return FHitObject; }

    // Asks the master manager to register the object.
    virtual void DoInsert();
    void InvalidateNow();
    // The caption passed through the plot's translation table.
    std::string TranslateText(const std::string& Text) const;
    void AddEditMenuItem(TPopupMenu* Menu);
    virtual void BuildPopupMenu(TPopupMenu* Menu);

    // Sort key of the paint order: the layer as at least six digits.
    std::string GetLayerSortKey() const;

protected:
    ~TkPlotObject() override = default;

    // Value as a sort key of at least Digits digits, zeros in front.
    static std::string SortKey(int Value, std::size_t Digits);

    virtual void DoMouseHover(const TkPlotMouseData&) {}
    virtual void DoMouseLeftDown(const TkPlotMouseData&) {}
    virtual void DoMouseRightDown(const TkPlotMouseData&) {}
    virtual void DoMouseDrag(const TkPlotMouseData&) {}
    virtual void DoMouseUp(const TkPlotMouseData&) {}
    virtual bool DoMouseWheel(int, TShiftState, TPoint) { return false; }
    virtual void DoGotFocus();
    virtual void DoLostFocus();
    virtual void DoMouseLeave() {}
    // Where a popup opened by the keyboard is shown, in client pixels;
    // false when the object has no place of its own.
    virtual bool PopupCentre(TPoint&) const { return false; }
    void DoRename();
    // A change of what the object shows, not of how it is set up.
    void DoContentChange();

    // Store a differing value and call the change handler.
    template <class T> void SetProperty(T Value, T& Field, void (TkPlotObject::*Changed)())
    {
        if (Value == Field)
            return;
        Field = Value;
        (this->*Changed)();
    }

    void SetPressed(bool Value) { FPressed = Value; }

private:
    // A manager replaces the duplicate name of an object it is registering:
    // no one knows the object yet, and objects bound to the name it had
    // mean the other object, so no rename is announced.
    friend class TkPlotKindManager;
    void ReplaceNameUnannounced(const std::string& Value) { FName = Value; }

    TkPlotObjectOwner* FOwner;
    const TkPlotKind& FKind;
    bool FDestroying = false;
    std::shared_ptr<const void> FLife = std::make_shared<char>();
    std::string FName;
    std::string FOldName;
    TShiftState FShiftState = 0;
    bool FVisible = true;
    bool FEnabled = true;
    bool FFocused = false;
    bool FUserCanEdit = true;
    bool FXYAxesReverse = false;
    bool FPrepared = false;
    TkPlotObject* FHitObject = nullptr;
    bool FPressed = false;
    bool FPopupArmed = false;
};
