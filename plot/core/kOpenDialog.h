#pragma once
// The open dialog of the charting components: one file, or several when
// multi-select is on, each returned with its full path.
#include <string>
#include <vector>

#include "plot/core/kCommonDialog.h"
#include "rtl/PublishedList.h"

class TkOpenDialog : public TkCommonDialog {
    PUBLISHED_CLASS(TkOpenDialog);

public:
    explicit TkOpenDialog(TComponent* AOwner);

    // True when the user confirmed: Files holds every chosen file with its
    // full path and FileName the first. False on cancel or without an
    // owner window, changing nothing.
    bool Execute();

    PUBLISHED(std::string, FileName, "", );
    PUBLISHED(std::string, Filter, "", );
    PUBLISHED(std::string, DefaultExt, "", );
    PUBLISHED(std::string, DefaultDir, "", );
    PUBLISHED(bool, FileMustExist, false, );

    bool AllowMultiSelect = false;
    const std::vector<std::string>& Files() const { return FFiles; }

private:
    std::vector<std::string> FFiles;
};
