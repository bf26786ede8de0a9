#pragma once
// An editor button that asks the user for a font through the font dialog,
// stores it, tells its editor form, then fires OnChange; a cancelled
// dialog changes nothing.
#include <memory>

#include "plot/editor/kComponentEditorButton.h"
#include "ui/Font.h"

class TkComponentEditorFontPicker : public TkComponentEditorButton {
public:
    explicit TkComponentEditorFontPicker(TComponent* AOwner);
    ~TkComponentEditorFontPicker() override;

    // The font edited: assigned from and to the edited object's font.
    TFont* GetFont() const { return FFont.get(); }
    // Opens the font dialog on the picker's font.
    void Click() override;

    TNotifyEvent OnChange;

private:
    std::unique_ptr<TFont> FFont;
};
