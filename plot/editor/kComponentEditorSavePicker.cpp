#include "plot/editor/kComponentEditorSavePicker.h"

#include "plot/core/kSaveDialog.h"
#include "plot/editor/kCustomEditorForm.h"
#include "plot/editor/kEditorFileName.h"

TkComponentEditorSavePicker::TkComponentEditorSavePicker(TComponent* AOwner) : TkComponentEditorButton(AOwner)
{
    SetText("Save");
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TkComponentEditorSavePicker::Click()
{
    TkComponentEditorButton::Click();
    // The charting components' save dialog: the chosen pattern's extension
    // is added before the user is asked about replacing the file.
    TkSaveDialog dialog(this);
    dialog.SetFilter(Filter);
    dialog.SetFilterIndex(FilterIndex);
    dialog.SetDefaultExt(DefaultExt);
    if (!FOpened)
        dialog.SetDefaultDir(DefaultDir);
    FOpened = true;
    dialog.SetFileName(EndsWithDirectory(FileName) ? FileName + "Untitled" : FileName);
    if (!dialog.Execute())
        return;
    FileName = dialog.GetFileName();
    FilterIndex = dialog.GetFilterIndex();
    NotifyEditorForm(this);
    if (OnChange)
        OnChange(this);
}
