#include "plot/editor/kComponentEditorFontPicker.h"

#include "plot/editor/kCustomEditorForm.h"
#include "ui/FontDialog.h"

TkComponentEditorFontPicker::TkComponentEditorFontPicker(TComponent* AOwner)
    : TkComponentEditorButton(AOwner),
      FFont(std::make_unique<TFont>())
{
    SetText("Font");
    SetBounds(0, 0, 75, 25);
}

TkComponentEditorFontPicker::~TkComponentEditorFontPicker() = default;

void TkComponentEditorFontPicker::Click()
{
    TkComponentEditorButton::Click();
    TFontDialog dialog(nullptr);
    dialog.SetFont(FFont.get());
    if (!dialog.Execute())
        return;
    FFont->Assign(dialog.GetFont());
    NotifyEditorForm(this);
    if (OnChange)
        OnChange(this);
}
