#pragma once
// Empty room between toolbar buttons.
#include "ui/ToolBar.h"

class TVcSpacer : public TToolButton {
public:
    explicit TVcSpacer(TComponent* AOwner) : TToolButton(AOwner) { SetStyle(tbsSeparator); }
};
