#pragma once
// The declared base of the plot, the check box, the radio group and the
// layout viewer; it adds nothing to TkWinComponent.
#include "plot/core/kWinComponent.h"

class TkCustomComponent : public TkWinComponent {
public:
    explicit TkCustomComponent(TComponent* AOwner);
};
