#pragma once
// The editors' radio group: code sets it silently, and it tells its editor form
// when the user changes it.
#include "plot/core/kRadioGroup.h"

class TkComponentEditorRadioGroup : public TkRadioGroup {
public:
    explicit TkComponentEditorRadioGroup(TComponent* AOwner) : TkRadioGroup(AOwner) {}

    // Fires nothing and tells no one.
    void SetItemIndexSilently(int Value);
    // Disabling selects nothing.
    void SetEnabled(bool Value) override;

protected:
    void UserChanged() override;
};
