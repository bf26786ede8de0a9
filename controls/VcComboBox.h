#pragma once
// List-only combo box of the dialogs.
#include "ui/ComboBox.h"

class TVcComboBox : public TComboBox {
public:
    explicit TVcComboBox(TComponent* AOwner) : TComboBox(AOwner) { SetStyle(csDropDownList); }
};
