#pragma once
// Drop-down lists with a TStrings item list.
#include "rtl/Strings.h"
#include "ui/Control.h"

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

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
    // The width at which the widest item shows whole in the box.
    int GetItemsWidth() const;
    int GetDropDownCount() const;
    void SetDropDownCount(int Value);

    TStrings* const Items;
    TProperty<TComboBox, int, &TComboBox::GetItemIndex, &TComboBox::SetItemIndex> ItemIndex{this};
    TProperty<TComboBox, TComboBoxStyle, &TComboBox::GetStyle, &TComboBox::SetStyle> Style{this};
    TProperty<TComboBox, int, &TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount> DropDownCount{this};

    // A user's choice or edit.
    TNotifyEvent OnChange;
    // A user's choice from the list.
    TNotifyEvent OnSelect;

protected:
    void ApplyColor() override;

private:
    TComboBoxStyle FStyle = csDropDown;
};
