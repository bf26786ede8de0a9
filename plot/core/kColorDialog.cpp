#include "plot/core/kColorDialog.h"

#include "ui/Application.h"
#include "ui/DialogRequest.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkColorDialog>("TkColorDialog");
    return true;
}();

constexpr int CustomColorCount = 16;

}  // namespace

TkColorDialog::TkColorDialog(TComponent* AOwner) : TkCommonDialog(AOwner)
{
    (void)Registered;
}

bool TkColorDialog::Execute()
{
    if (!OwnerWindow())
        return false;
    TDialogRequest request;
    request.Kind = TDialogKind::Color;
    // A system colour is shown as what it stands for now.
    request.Color = ColorToRGB(FColor);
    request.CustomColors.assign(CustomColorCount, clWhite);
    const TDialogAnswer answer = RunDialog(request);
    if (answer.Result != IDOK)
        return false;
    FColor = answer.Color;
    return true;
}
