#pragma once
// An owner-drawn group of radio items in columns, drawn on the component's
// own canvas, that tells program changes of its item index from user ones.
#include <memory>
#include <string>

#include "plot/core/kCustomComponent.h"
#include "plot/core/kRadioGroupLayout.h"
#include "rtl/PublishedList.h"
#include "rtl/StringList.h"

class TkRadioGroup : public TkCustomComponent {
    PUBLISHED_CLASS(TkRadioGroup);

public:
    explicit TkRadioGroup(TComponent* AOwner);
    ~TkRadioGroup() override;

    // The caption is the control's text.
    std::string GetText() const override { return FCaption; }
    void SetText(const std::string& Value) override;
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value) { SetText(Value); }
    TStrings* GetItems() const { return FItems.get(); }
    int GetItemIndex() const { return FItemIndex; }
    // Limited to -1 .. Count - 1; a different index repaints and notifies.
    void SetItemIndex(int Value);
    int GetColumns() const { return FColumns; }
    // Values below 1 are ignored.
    void SetColumns(int Value);

    PUBLISHED_ACCESSORS(std::string, Caption);
    PUBLISHED_WITH(Object("Font", "TFont", [](const TkRadioGroup& c) { return c.Font; }));
    PUBLISHED_WITH(Object("Items", "TStrings", &TkRadioGroup::GetItems));
    PUBLISHED_ACCESSORS(int, ItemIndex, -1);
    PUBLISHED_ACCESSORS(int, Columns, 1);
    PUBLISHED_ACCESSORS(TColor, BackGroundColor, clBtnFace);
    // Every change of the item index, from code or from the user.
    TNotifyEvent OnChange;
    PUBLISHED_EVENT(TNotifyEvent, OnChange);
    // Only the changes the user made with the mouse or the arrow keys.
    TNotifyEvent OnChangeUser;
    PUBLISHED_EVENT(TNotifyEvent, OnChangeUser);

    // Where the last paint placed the items.
    const TkRadioGroupLayout& GetLayout() const { return FLayout; }
    // The item under a point of the last paint, or -1.
    int ItemAtPos(int X, int Y) const;

    void PaintToCanvas(TCanvas* ACanvas) override;

protected:
    // After a user's change has been told to OnChangeUser.
    virtual void UserChanged() {}
    void HandleKeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void HandleKeyUp(std::uint16_t& Key, TShiftState Shift) override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleLostFocus() override;

private:
    void ItemsChanged();
    void SetItemIndexByUser(int Value);
    void DoChange();
    void SetHotItem(int Value);

    std::string FCaption = "Radio Group";
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FPressed = false;
    bool FKeyPressed = false;
    bool FUserChange = false;
    int FHotItem = -1;
    TkRadioGroupLayout FLayout;
};
