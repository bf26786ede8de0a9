#pragma once
// The open file dialog, answered through the dialog seam.
#include <string>
#include <vector>

#include "rtl/Component.h"
#include "ui/DialogRequest.h"

enum TOpenOption : unsigned {
    ofOverwritePrompt = 1u << 0,
    ofHideReadOnly = 1u << 1,
    ofPathMustExist = 1u << 2,
    ofFileMustExist = 1u << 3,
    ofAllowMultiSelect = 1u << 4,
};
using TOpenOptions = unsigned;

// Open and save file dialogs. DefaultExt may be given with or without the
// leading dot; it is appended to a chosen name that has no extension.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);

    virtual bool Execute();

    std::string FileName;
    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string InitialDir;
    std::string Title;
    TOpenOptions Options = ofHideReadOnly;
    // Every chosen file, FileName being the first.
    std::vector<std::string> Files;

protected:
    TDialogKind FKind = TDialogKind::OpenFile;
};
