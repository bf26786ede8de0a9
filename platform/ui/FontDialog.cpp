#include "ui/FontDialog.h"

#include "ui/DialogRequest.h"

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
