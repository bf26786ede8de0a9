#include "ui/ColorDialog.h"

#include "ui/DialogRequest.h"

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
