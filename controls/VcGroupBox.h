#pragma once
// The group box that forms place.
#include "ui/GroupBox.h"

class TVcGroupBox : public TGroupBox {
public:
    explicit TVcGroupBox(TComponent* AOwner) : TGroupBox(AOwner) {}
};
