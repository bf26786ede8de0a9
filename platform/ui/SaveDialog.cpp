#include "ui/SaveDialog.h"

TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner)
{
    FKind = TDialogKind::SaveFile;
}
