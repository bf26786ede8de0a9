#pragma once
// An opaque area that its owner paints in OnPaint.
#include "ui/Control.h"
#include "ui/CustomControl.h"

class TkPaintBox : public TCustomControl {
public:
    explicit TkPaintBox(TComponent* AOwner) : TCustomControl(AOwner) {}
};
