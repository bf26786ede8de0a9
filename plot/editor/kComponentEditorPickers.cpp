#include "plot/editor/kComponentEditorPickers.h"

#include "plot/editor/kCustomEditorForm.h"
#include "ui/Dialogs.h"

namespace {

constexpr int ButtonSize = 21;

bool EndsWithDirectory(const std::string& Name)
{
    return !Name.empty() && (Name.back() == '/' || Name.back() == '\\');
}

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

TkComponentEditorOpenPicker::TkComponentEditorOpenPicker(TComponent* AOwner) : TkComponentEditorButton(AOwner)
{
    SetText("Open");
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TkComponentEditorOpenPicker::Click()
{
    TkComponentEditorButton::Click();
    TOpenDialog dialog(nullptr);
    dialog.Filter = Filter;
    dialog.DefaultExt = DefaultExt;
    dialog.InitialDir = DefaultDir;
    dialog.FileName = EndsWithDirectory(FileName) ? FileName + "Untitled" : FileName;
    dialog.Options = ofHideReadOnly | (FileMustExist ? ofFileMustExist : 0u) |
                     (AllowMultiSelect ? ofAllowMultiSelect : 0u);
    if (!dialog.Execute())
        return;
    FileName = dialog.FileName;
    Files = dialog.Files;
    NotifyEditorForm(this);
    if (OnChange)
        OnChange(this);
}

TkComponentEditorSavePicker::TkComponentEditorSavePicker(TComponent* AOwner) : TkComponentEditorButton(AOwner)
{
    SetText("Save");
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TkComponentEditorSavePicker::Click()
{
    TkComponentEditorButton::Click();
    TSaveDialog dialog(nullptr);
    dialog.Filter = Filter;
    dialog.FilterIndex = FilterIndex;
    dialog.DefaultExt = DefaultExt;
    if (!FOpened)
        dialog.InitialDir = DefaultDir;
    FOpened = true;
    dialog.FileName = EndsWithDirectory(FileName) ? FileName + "Untitled" : FileName;
    dialog.Options = ofHideReadOnly | ofOverwritePrompt;
    if (!dialog.Execute())
        return;
    FileName = dialog.FileName;
    FilterIndex = dialog.FilterIndex;
    NotifyEditorForm(this);
    if (OnChange)
        OnChange(this);
}
