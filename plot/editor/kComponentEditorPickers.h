#pragma once
// Editor controls that ask the user through a common dialog: a colour, a
// font, a file to open, a file to save. Each stores what the user chose,
// tells its editor form, then fires OnChange; a cancelled dialog changes
// nothing.
#include <memory>
#include <string>
#include <vector>

#include "plot/editor/kComponentEditorControls.h"

class TkComponentEditorColorPicker : public TCustomControl {
public:
    explicit TkComponentEditorColorPicker(TComponent* AOwner);

    TColor GetColorValue() const { return FColorValue; }
    // Silent; repaints when different.
    void SetColorValue(TColor Value);
    // Opens the colour dialog on the current colour (a click on the picker
    // or on its button does).
    void Choose();
    // Disabling disables the button too.
    void SetEnabled(bool Value) override;

    TkComponentEditorButton* Button() const { return FButton; }
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void Resize() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TkComponentEditorButton* FButton;
    TColor FColorValue = clRed;
};

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

class TkComponentEditorOpenPicker : public TkComponentEditorButton {
public:
    explicit TkComponentEditorOpenPicker(TComponent* AOwner);

    // Opens the open dialog.
    void Click() override;

    std::string FileName;
    std::string Filter;
    std::string DefaultExt;
    std::string DefaultDir;
    bool FileMustExist = false;
    bool AllowMultiSelect = false;
    // Every file chosen last, FileName first.
    std::vector<std::string> Files;
    TNotifyEvent OnChange;
};

class TkComponentEditorSavePicker : public TkComponentEditorButton {
public:
    explicit TkComponentEditorSavePicker(TComponent* AOwner);

    // Opens the save dialog: in DefaultDir the first time, later where
    // FileName is.
    void Click() override;

    std::string FileName;
    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string DefaultDir;
    TNotifyEvent OnChange;

private:
    bool FOpened = false;
};
