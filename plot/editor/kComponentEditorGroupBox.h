#pragma once
// The editors' group box.
#include "ui/Panel.h"

class TkComponentEditorGroupBox : public TGroupBox {
public:
    explicit TkComponentEditorGroupBox(TComponent* AOwner) : TGroupBox(AOwner) {}
};
