#pragma once
// A page of a page control; it may hide its tab.
#include "ui/PageControl.h"

class TVcTabSheet : public TTabSheet {
public:
    explicit TVcTabSheet(TComponent* AOwner) : TTabSheet(AOwner) {}
};
