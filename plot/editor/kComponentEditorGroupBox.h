#pragma once
// The editors' group box.
#include "ui/GroupBox.h"

class TkComponentEditorGroupBox : public TGroupBox {
public:
    explicit TkComponentEditorGroupBox(TComponent* AOwner) : TGroupBox(AOwner) {}
};
