#pragma once
// The font dialog of the charting components: shows Font and takes over
// the colour, face, height and style the user chose.
#include <memory>

#include "plot/core/kCommonDialog.h"
#include "rtl/PublishedList.h"
#include "ui/Font.h"

class TkFontDialog : public TkCommonDialog {
    PUBLISHED_CLASS(TkFontDialog);

public:
    explicit TkFontDialog(TComponent* AOwner);

    // True when the user confirmed; false on cancel or without an owner
    // window, leaving Font as it was.
    bool Execute();

    PUBLISHED_OBJECT(TFont, Font, std::make_unique<TFont>());
    // Copies Value.
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
};
