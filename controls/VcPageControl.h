#pragma once
// Page control whose pages may hide their tabs; the active page may be none.
#include "ui/PageControl.h"

class TVcPageControl : public TPageControl {
public:
    explicit TVcPageControl(TComponent* AOwner) : TPageControl(AOwner) {}
};
