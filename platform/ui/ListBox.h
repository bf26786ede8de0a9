#pragma once
// A list box with a TStrings item list.
#include "rtl/Strings.h"
#include "ui/Control.h"

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;

    int GetItemIndex() const;
    void SetItemIndex(int Value);

    TStrings* const Items;
    TProperty<TListBox, int, &TListBox::GetItemIndex, &TListBox::SetItemIndex> ItemIndex{this};

protected:
    void ApplyColor() override;
};
