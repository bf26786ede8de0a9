#include "ui/PrintDialog.h"

#include "ui/DialogRequest.h"
#include "ui/Printer.h"

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
