#include "plot/editor/kComponentEditorOpenPicker.h"

#include "plot/editor/kCustomEditorForm.h"
#include "plot/editor/kEditorFileName.h"
#include "ui/OpenDialog.h"

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
