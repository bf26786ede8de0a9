#include "ui/OpenDialog.h"

namespace {

// The extension of the file part of Path, with its dot; empty when none.
std::string ExtensionOf(const std::string& Path)
{
    const size_t Slash = Path.find_last_of("/\\");
    const size_t Dot = Path.rfind('.');
    if (Dot == std::string::npos || (Slash != std::string::npos && Dot < Slash))
        return {};
    return Path.substr(Dot);
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TOpenDialog::Execute()
{
    TDialogRequest R;
    R.Kind = FKind;
    R.Caption = Title;
    R.FileName = FileName;
    R.Filter = Filter;
    R.FilterIndex = FilterIndex;
    R.DefaultExt = DefaultExt;
    R.InitialDir = InitialDir;
    R.MultiSelect = Options & ofAllowMultiSelect;
    R.FileMustExist = Options & ofFileMustExist;
    const TDialogAnswer A = RunDialog(R);
    if (A.Result != IDOK || A.FileNames.empty())
        return false;
    Files = A.FileNames;
    if (!DefaultExt.empty()) {
        const std::string Ext = DefaultExt[0] == '.' ? DefaultExt : "." + DefaultExt;
        for (std::string& F : Files)
            if (ExtensionOf(F).empty())
                F += Ext;
    }
    FileName = Files.front();
    if (A.FilterIndex > 0)
        FilterIndex = A.FilterIndex;
    return true;
}
