#pragma once
// The colour dialog, answered through the dialog seam.
#include <vector>

#include "rtl/Component.h"
#include "ui/Color.h"

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* AOwner);

    bool Execute();
    TColor Color = clBlack;
    // The colours offered in the custom slots (at most 16).
    std::vector<TColor> CustomColors;
};
