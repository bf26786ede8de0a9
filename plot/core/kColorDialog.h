#pragma once
// The colour dialog of the charting components.
#include "plot/core/kCommonDialog.h"
#include "rtl/PublishedList.h"
#include "ui/Color.h"

class TkColorDialog : public TkCommonDialog {
    PUBLISHED_CLASS(TkColorDialog);

public:
    explicit TkColorDialog(TComponent* AOwner);

    // True when the user confirmed a colour, now in Color; false on cancel
    // or without an owner window, leaving Color as it was. The custom
    // colour slots start white every time.
    bool Execute();

    PUBLISHED(TColor, Color, clBlack, );
};
