#pragma once
#include "ui/Button.h"

class TVcBitBtn : public TBitBtn {
public:
    explicit TVcBitBtn(TComponent* AOwner) : TBitBtn(AOwner) {}
};
