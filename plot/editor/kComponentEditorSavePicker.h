#pragma once
// An editor button that asks the user for a file to save to, stores what
// was chosen, tells its editor form, then fires OnChange; a cancelled
// dialog changes nothing.
#include <string>

#include "plot/editor/kComponentEditorButton.h"

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
