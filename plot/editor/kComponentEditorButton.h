#pragma once
// The editors' button.
#include "ui/Button.h"

class TkComponentEditorButton : public TButton {
public:
    explicit TkComponentEditorButton(TComponent* AOwner) : TButton(AOwner) {}
};
