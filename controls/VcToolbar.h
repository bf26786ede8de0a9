#pragma once
// Toolbars, their buttons (toggle, grouped, drop-down) and spacers.
#include "ui/ToolBar.h"

class TVcToolButton : public TToolButton {
public:
    explicit TVcToolButton(TComponent* AOwner) : TToolButton(AOwner) {}
};

class TVcToolbar : public TToolBar {
public:
    explicit TVcToolbar(TComponent* AOwner) : TToolBar(AOwner) {}
};

// Empty room between toolbar buttons.
class TVcSpacer : public TToolButton {
public:
    explicit TVcSpacer(TComponent* AOwner) : TToolButton(AOwner) { SetStyle(tbsSeparator); }
};
