#pragma once
// The plain edit of the dialogs.
#include "ui/Edit.h"

class TVcEdit : public TEdit {
public:
    explicit TVcEdit(TComponent* AOwner) : TEdit(AOwner) {}
};
