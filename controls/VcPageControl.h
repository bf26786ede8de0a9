#pragma once
// Page control whose pages may hide their tabs; the active page may be none.
#include "ui/PageControl.h"

class TVcTabSheet : public TTabSheet {
public:
    explicit TVcTabSheet(TComponent* AOwner) : TTabSheet(AOwner) {}
};

class TVcPageControl : public TPageControl {
public:
    explicit TVcPageControl(TComponent* AOwner) : TPageControl(AOwner) {}
};
