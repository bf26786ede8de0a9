#pragma once
// Drop-down lists and list boxes with TStrings item lists.
#include <memory>

#include "rtl/StringList.h"
#include "ui/Control.h"

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    // -1 when nothing is selected. Setting it from code fires nothing.
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // The edit text (csDropDown) or the selected item's text.
    std::string GetText() const override;
    // Selects the item with this text (case-insensitive) in csDropDownList
    // (none when absent); sets the edit text in csDropDown.
    void SetText(const std::string& Value) override;
    int GetDropDownCount() const;
    void SetDropDownCount(int Value);

    // A user's choice or edit.
    TNotifyEvent OnChange;
    // A user's choice from the list.
    TNotifyEvent OnSelect;

protected:
    void ApplyColor() override;

private:
    std::unique_ptr<TStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
};

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;

    TStrings* Items() const { return FItems.get(); }
    int GetItemIndex() const;
    void SetItemIndex(int Value);

protected:
    void ApplyColor() override;

private:
    std::unique_ptr<TStrings> FItems;
};
