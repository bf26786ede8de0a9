#pragma once
// What the charting components' own dialog wrappers share: each is a
// non-visual component whose dialog belongs to the window of the control
// that owns it, and that shows nothing without one.
#include "rtl/Component.h"

class TWinControl;

class TkCommonDialog : public TComponent {
public:
    explicit TkCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

protected:
    // The window the dialog belongs to: the owner when it is windowed, else
    // the owner control's parent; none when the owner is no control.
    TWinControl* OwnerWindow() const;
};
