#pragma once
#include "ui/Control.h"

// Disables a control's alignment for its own lifetime.
class TAlignPause {
public:
    explicit TAlignPause(TWinControl* Control) : FControl(Control)
    {
        if (FControl)
            FControl->DisableAlign();
    }
    ~TAlignPause()
    {
        if (FControl)
            FControl->EnableAlign();
    }
    TAlignPause(const TAlignPause&) = delete;
    TAlignPause& operator=(const TAlignPause&) = delete;

private:
    TWinControl* FControl;
};
