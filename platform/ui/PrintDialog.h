#pragma once
// The print dialog, answered through the dialog seam.
#include "rtl/Component.h"

// Lets the user choose the printer and its settings (applied to Printer()).
class TPrintDialog : public TComponent {
public:
    explicit TPrintDialog(TComponent* AOwner);

    bool Execute();
};
