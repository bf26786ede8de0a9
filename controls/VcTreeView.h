#pragma once
// The tree view that forms place.
#include "controls/VcCustomTreeView.h"

class TVcTreeView : public TVcCustomTreeView {
public:
    explicit TVcTreeView(TComponent* AOwner) : TVcCustomTreeView(AOwner) {}
};
