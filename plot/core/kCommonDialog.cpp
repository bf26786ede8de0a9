#include "plot/core/kCommonDialog.h"

#include "ui/Control.h"

TWinControl* TkCommonDialog::OwnerWindow() const
{
    if (auto* window = dynamic_cast<TWinControl*>(GetOwner()))
        return window;
    if (auto* control = dynamic_cast<TControl*>(GetOwner()))
        return control->GetParent();
    return nullptr;
}
