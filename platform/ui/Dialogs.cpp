#include "ui/Dialogs.h"

#include "ui/Application.h"
#include "ui/Printer.h"

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

void ShowMessage(const std::string& Text)
{
    Application->MessageBox(Text, Application->GetTitle(), MB_OK);
}

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

TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner)
{
    FKind = TDialogKind::SaveFile;
}

TFontDialog::TFontDialog(TComponent* AOwner) : TComponent(AOwner), FFont(new TFont) {}
TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

bool TFontDialog::Execute()
{
    TDialogRequest R;
    R.Kind = TDialogKind::Font;
    R.Font = FFont.get();
    const TDialogAnswer A = RunDialog(R);
    if (A.Result != IDOK || !A.Font)
        return false;
    FFont->Assign(A.Font.get());
    return true;
}

TColorDialog::TColorDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TColorDialog::Execute()
{
    TDialogRequest R;
    R.Kind = TDialogKind::Color;
    R.Color = Color;
    R.CustomColors = CustomColors;
    const TDialogAnswer A = RunDialog(R);
    if (A.Result != IDOK)
        return false;
    Color = A.Color;
    return true;
}

TPrintDialog::TPrintDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TPrintDialog::Execute()
{
    TDialogRequest R;
    R.Kind = TDialogKind::Print;
    R.PrintDevice = Printer()->Device();
    const TDialogAnswer A = RunDialog(R);
    // Printing into a file, when the user chose it, is what the next
    // document does.
    if (A.Result == IDOK && A.PrintFileName)
        Printer()->OutputFileName = *A.PrintFileName;
    return A.Result == IDOK;
}
