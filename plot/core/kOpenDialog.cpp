#include "plot/core/kOpenDialog.h"

#include <filesystem>

#include "rtl/FileUtils.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkOpenDialog>("TkOpenDialog");
    return true;
}();

}  // namespace

TkOpenDialog::TkOpenDialog(TComponent* AOwner) : TkCommonDialog(AOwner)
{
    (void)Registered;
}

bool TkOpenDialog::Execute()
{
    if (!OwnerWindow())
        return false;
    TDialogRequest request;
    request.Kind = TDialogKind::OpenFile;
    request.FileName = FFileName;
    request.Filter = FFilter;
    request.DefaultExt = FDefaultExt;
    request.InitialDir = FDefaultDir;
    request.FileMustExist = FFileMustExist;
    request.MultiSelect = AllowMultiSelect;
    const TDialogAnswer answer = RunDialog(request);
    if (answer.Result != IDOK || answer.FileNames.empty())
        return false;
    // Names come back relative to the folder the dialog showed.
    const std::filesystem::path folder = FDefaultDir.empty() ? std::filesystem::current_path()
                                                             : std::filesystem::path(FDefaultDir);
    std::vector<std::string> files;
    for (const std::string& name : answer.FileNames) {
        const std::filesystem::path path(name);
        files.push_back(path.is_absolute() ? name : (folder / path).string());
        if (!FDefaultExt.empty() && ExtractFileExt(files.back()).empty())
            files.back() += FDefaultExt[0] == '.' ? FDefaultExt : "." + FDefaultExt;
    }
    if (!AllowMultiSelect)
        files.resize(1);
    FFiles = std::move(files);
    FFileName = FFiles.front();
    return true;
}
