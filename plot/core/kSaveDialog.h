#pragma once
// The save dialog of the charting components: a file name, a filter of
// descriptions and patterns ("Config (*.cfg)|*.cfg|All Files (*.*)|*.*"),
// and the extension of the chosen pattern, which a confirmed name ends in.
#include <string>
#include <vector>

#include "plot/core/kCommonDialog.h"
#include "rtl/PublishedList.h"

class TkSaveDialog : public TkCommonDialog {
    PUBLISHED_CLASS(TkSaveDialog);

public:
    explicit TkSaveDialog(TComponent* AOwner);

    // True when the user confirmed a name: FileName is then the name to
    // write, with the chosen pattern's extension added unless it has it,
    // and the user has agreed to replace it when it exists. False on
    // cancel or without an owner window, changing nothing.
    bool Execute();

    PUBLISHED(std::string, FileName, "", );
    PUBLISHED(std::string, Filter, "", );
    PUBLISHED(int, FilterIndex, 1, );
    // Added by the dialog to a name typed without an extension.
    PUBLISHED(std::string, DefaultExt, "", );
    // The extension of the pattern chosen last (".cfg"); empty when the
    // filter has no pattern at that index.
    const std::string& GetReturnExt() const { return FReturnExt; }
    PUBLISHED_READONLY(std::string, ReturnExt);
    PUBLISHED(std::string, DefaultDir, "", );

    // Extensions (".png") that a chosen name may end in, in any case, and
    // keep, whatever pattern is chosen: for callers that write several
    // kinds of file and tell them by their extension.
    std::vector<std::string> KeptExtensions;

private:
    // The patterns of Filter, in order.
    std::vector<std::string> Patterns() const;
    // Name as it will be written when the pattern at Index was chosen.
    std::string CompletedName(const std::string& Name, const std::string& Pattern) const;

    std::string FReturnExt;
};
