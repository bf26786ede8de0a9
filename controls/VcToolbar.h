#pragma once
// A toolbar of buttons and spacers.
#include "ui/ToolBar.h"

class TVcToolbar : public TToolBar {
public:
    explicit TVcToolbar(TComponent* AOwner) : TToolBar(AOwner) {}
};
