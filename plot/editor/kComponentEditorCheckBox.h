#pragma once
// The editors' check box: code sets it silently, and it tells its editor form
// when the user changes it.
#include "plot/core/kCheckBox.h"

class TkComponentEditorCheckBox : public TkCheckBox {
public:
    explicit TkComponentEditorCheckBox(TComponent* AOwner) : TkCheckBox(AOwner) {}

    // Fires nothing and tells no one.
    void SetCheckedSilently(bool Value);
    // Disabling unchecks.
    void SetEnabled(bool Value) override;

protected:
    void UserChanged() override;
};
