#pragma once
// An editor control that asks the user for a colour through the colour
// dialog, stores it, tells its editor form, then fires OnChange; a
// cancelled dialog changes nothing.
#include "plot/editor/kComponentEditorButton.h"
#include "ui/Control.h"
#include "ui/CustomControl.h"

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
