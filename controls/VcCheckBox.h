#pragma once
#include "ui/CheckBox.h"

class TVcCheckBox : public TCheckBox {
public:
    explicit TVcCheckBox(TComponent* AOwner) : TCheckBox(AOwner) {}
};
