#include "plot/editor/kComponentEditorSavePicker.h"

#include "plot/editor/kCustomEditorForm.h"
#include "plot/editor/kEditorFileName.h"
#include "ui/Dialogs.h"

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
