#include "plot/editor/kComponentEditorColorPicker.h"

#include "plot/editor/kCustomEditorForm.h"
#include "ui/ColorDialog.h"

namespace {

constexpr int ButtonSize = 21;

}  // namespace

TkComponentEditorColorPicker::TkComponentEditorColorPicker(TComponent* AOwner)
    : TCustomControl(AOwner),
      FButton(new TkComponentEditorButton(this))
{
    FButton->SetParent(this);
    FButton->SetText("...");
    FButton->Font->SetStyle(TFontStyles{fsBold});
    FButton->OnClick = [this](TObject*) { Choose(); };
    SetBounds(0, 0, 47, 21);
    Resize();
}

void TkComponentEditorColorPicker::SetColorValue(TColor Value)
{
    if (Value == FColorValue)
        return;
    FColorValue = Value;
    Invalidate();
}

void TkComponentEditorColorPicker::Choose()
{
    TColorDialog dialog(nullptr);
    dialog.Color = FColorValue;
    if (!dialog.Execute())
        return;
    FColorValue = dialog.Color;
    NotifyEditorForm(this);
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TkComponentEditorColorPicker::SetEnabled(bool Value)
{
    TCustomControl::SetEnabled(Value);
    FButton->SetEnabled(Value);
    Invalidate();
}

void TkComponentEditorColorPicker::Resize()
{
    TCustomControl::Resize();
    FButton->SetBounds(GetWidth() - ButtonSize, 0, ButtonSize, ButtonSize);
}

void TkComponentEditorColorPicker::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && GetEnabled())
        Choose();
}

void TkComponentEditorColorPicker::Paint()
{
    const TRect area(0, 0, GetWidth() - ButtonSize, GetHeight());
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(GetEnabled() ? FColorValue : clBtnFace);
    Canvas->Pen->SetColor(clBlack);
    Canvas->Rectangle(area);
}
