#pragma once
// An editor button that asks the user for a file to open, stores what
// was chosen, tells its editor form, then fires OnChange; a cancelled
// dialog changes nothing.
#include <string>
#include <vector>

#include "plot/editor/kComponentEditorButton.h"

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
