#pragma once
#include "ui/BitBtn.h"

class TVcBitBtn : public TBitBtn {
public:
    explicit TVcBitBtn(TComponent* AOwner) : TBitBtn(AOwner) {}
};
