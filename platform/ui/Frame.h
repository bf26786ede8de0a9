#pragma once
#include "ui/Control.h"

// A group of controls built in code that is placed inside a form.
class TFrame : public TWinControl {
public:
    explicit TFrame(TComponent* AOwner);
};
