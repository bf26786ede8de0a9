#pragma once
// The label that forms place.
#include "ui/Label.h"

class TVcLabel : public TLabel {
public:
    explicit TVcLabel(TComponent* AOwner) : TLabel(AOwner) {}
};
