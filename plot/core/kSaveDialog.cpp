#include "plot/core/kSaveDialog.h"

#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkSaveDialog>("TkSaveDialog");
    return true;
}();

// "*.cfg;*.ini" -> "*.cfg", "*.ini".
std::vector<std::string> Alternatives(const std::string& Pattern)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t semicolon; (semicolon = Pattern.find(';', start)) != std::string::npos; start = semicolon + 1)
        result.push_back(Trim(Pattern.substr(start, semicolon - start)));
    result.push_back(Trim(Pattern.substr(start)));
    return result;
}

bool ReplaceConfirmed(const std::string& FileName)
{
    return Application->MessageBox(FileName + " already exists.\nDo you want to replace it?", "Confirm Save As",
                                   MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace

TkSaveDialog::TkSaveDialog(TComponent* AOwner) : TkCommonDialog(AOwner)
{
    (void)Registered;
}

std::vector<std::string> TkSaveDialog::Patterns() const
{
    std::vector<std::string> result;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = FFilter.find('|', start);
        const std::string piece = FFilter.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (!piece.empty() && piece[0] == '*')
            result.push_back(piece);
        if (bar == std::string::npos)
            return result;
        start = bar + 1;
    }
}

std::string TkSaveDialog::CompletedName(const std::string& Name, const std::string& Pattern) const
{
    const std::vector<std::string> alternatives = Alternatives(Pattern);
    // Of "*.cfg;*.ini" a name without an extension gets the first.
    const std::string added = alternatives.front().substr(1);
    if (added.empty() || added == ".*")
        return Name;
    const std::string extension = ExtractFileExt(Name);
    if (!extension.empty()) {
        for (const std::string& alternative : alternatives)
            if (SameText(alternative, "*" + extension))
                return Name;
        for (const std::string& kept : KeptExtensions)
            if (SameText(kept, extension))
                return Name;
    }
    return Name + added;
}

bool TkSaveDialog::Execute()
{
    if (!OwnerWindow())
        return false;
    const std::vector<std::string> patterns = Patterns();
    std::string proposed = FFileName;
    for (;;) {
        TDialogRequest request;
        request.Kind = TDialogKind::SaveFile;
        request.FileName = proposed;
        request.Filter = FFilter;
        request.FilterIndex = FFilterIndex;
        request.DefaultExt = FDefaultExt;
        request.InitialDir = FDefaultDir;
        // Asked below, about the name that is really written.
        request.OverwritePrompt = false;
        const TDialogAnswer answer = RunDialog(request);
        if (answer.Result != IDOK || answer.FileNames.empty())
            return false;
        const int index = answer.FilterIndex > 0 ? answer.FilterIndex : FFilterIndex;
        std::string name = answer.FileNames.front();
        if (!FDefaultExt.empty() && ExtractFileExt(name).empty())
            name += FDefaultExt[0] == '.' ? FDefaultExt : "." + FDefaultExt;
        std::string pattern;
        if (index >= 1 && index <= static_cast<int>(patterns.size()))
            pattern = patterns[static_cast<std::size_t>(index - 1)];
        if (!pattern.empty())
            name = CompletedName(name, pattern);
        if (FileExists(name) && !ReplaceConfirmed(name)) {
            // Back to the dialog, as a refused replacement does there.
            proposed = name;
            continue;
        }
        FFileName = name;
        FFilterIndex = index;
        FReturnExt = pattern.empty() ? std::string() : Alternatives(pattern).front().substr(1);
        return true;
    }
}
