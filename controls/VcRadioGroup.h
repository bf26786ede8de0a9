#pragma once
#include "ui/RadioGroup.h"

class TVcRadioGroup : public TRadioGroup {
public:
    explicit TVcRadioGroup(TComponent* AOwner) : TRadioGroup(AOwner) {}
};
