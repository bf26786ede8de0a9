#pragma once
// The spin edit of the dialogs.
#include "ui/SpinEdit.h"

class TVcSpinEdit : public TSpinEdit {
public:
    explicit TVcSpinEdit(TComponent* AOwner) : TSpinEdit(AOwner) {}
};
