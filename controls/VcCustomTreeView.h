#pragma once
// Tree view whose selection can be read and set, none clearing it.
#include "ui/TreeView.h"

class TVcCustomTreeView : public TTreeView {
public:
    explicit TVcCustomTreeView(TComponent* AOwner) : TTreeView(AOwner) {}
};
