#pragma once
// The editors' list of objects: drawn by the list itself, each entry's
// text and colour asked of OnGetData; the user's selection fires OnClick,
// one from code fires nothing; entries can be dragged to a new place.
#include <functional>
#include <memory>
#include <string>

#include "rtl/StringList.h"
#include "ui/Control.h"
#include "ui/CustomControl.h"

using TkListBoxGetDataEvent =
    std::function<void(TObject* Sender, int Index, bool& ShowColor, std::string& Text, TColor& Color)>;

class TkComponentEditorListBox : public TCustomControl {
public:
    explicit TkComponentEditorListBox(TComponent* AOwner);
    ~TkComponentEditorListBox() override;

    // The entries, each with the object it stands for; the list frees an
    // entry's object when it removes the selected entry.
    TStringList* GetItems() const { return FItems.get(); }
    int GetItemIndex() const { return FItemIndex; }
    // From code: fires nothing. Out of range selects nothing.
    void SetItemIndex(int Value);
    int GetItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    int GetTopIndex() const { return FTopIndex; }
    // Whether the user may drag entries to another place.
    bool GetDragEnabled() const { return FDragEnabled; }
    void SetDragEnabled(bool Value) { FDragEnabled = Value; }

    void SelectLast();
    // Deletes the selected entry and frees its object; the same index, or
    // the new last one, is selected then.
    void DeleteSelected();
    // Deletes the entry of Object (not freeing it), keeping the selection
    // index or moving it to the new last entry.
    void RemoveObject(TObject* Object);
    // The entry at a point of the list, or -1.
    int ItemAtPos(int X, int Y) const;

    TkListBoxGetDataEvent OnGetData;
    TNotifyEvent OnItemMove;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;

private:
    void SelectByUser(int Index);
    void KeepSelectionInView();
    void ItemsChanged();

    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FItemHeight = 16;
    int FTopIndex = 0;
    bool FDragEnabled = false;
    int FDragFrom = -1;
};
