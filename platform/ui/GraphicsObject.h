#pragma once
// Base of the drawing tools (font, pen, brush): reports every change.
#include "rtl/Component.h"

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
};
