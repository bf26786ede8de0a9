#pragma once
// The save file dialog, answered through the dialog seam.
#include "ui/OpenDialog.h"

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner);
};
