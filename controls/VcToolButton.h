#pragma once
// A toolbar button: toggle, grouped or drop-down.
#include "ui/ToolBar.h"

class TVcToolButton : public TToolButton {
public:
    explicit TVcToolButton(TComponent* AOwner) : TToolButton(AOwner) {}
};
