#pragma once
// A group box of radio buttons, one per item.
#include "rtl/Strings.h"
#include "ui/Control.h"

class TRadioGroup : public TWinControl {
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;

    std::string GetText() const override;
    void SetText(const std::string& Value) override;

    // -1 when no button is checked. Setting it from code fires OnClick, as
    // a user's choice does.
    int GetItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int GetColumns() const { return FColumns; }
    void SetColumns(int Value);

    TStrings* const Items;
    TProperty<TRadioGroup, int, &TRadioGroup::GetItemIndex, &TRadioGroup::SetItemIndex> ItemIndex{this};
    TProperty<TRadioGroup, int, &TRadioGroup::GetColumns, &TRadioGroup::SetColumns> Columns{this};

    // Rebuilds the buttons from Items (called by the item list).
    void ItemsChanged();

protected:
    void Resize() override;
    void FontChanged() override;

private:
    void ArrangeButtons();
    int FItemIndex = -1;
    int FColumns = 1;
};
