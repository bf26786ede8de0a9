#pragma once
// The editors' page control.
#include "ui/PageControl.h"

class TkComponentEditorPageControl : public TPageControl {
public:
    explicit TkComponentEditorPageControl(TComponent* AOwner) : TPageControl(AOwner) {}
};
