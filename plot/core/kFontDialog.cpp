#include "plot/core/kFontDialog.h"

#include "rtl/StrUtils.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkFontDialog>("TkFontDialog");
    return true;
}();

}  // namespace

TkFontDialog::TkFontDialog(TComponent* AOwner) : TkCommonDialog(AOwner)
{
    (void)Registered;
}

bool TkFontDialog::Execute()
{
    if (!OwnerWindow())
        return false;
    TDialogRequest request;
    request.Kind = TDialogKind::Font;
    request.Font = FFont.get();
    request.Color = FFont->GetColor();
    const TDialogAnswer answer = RunDialog(request);
    if (answer.Result != IDOK || !answer.Font)
        return false;
    const TFont& chosen = *answer.Font;
    FFont->SetColor(chosen.GetColor());
    // The character set belongs to the face: kept while the face is.
    if (!SameText(chosen.GetName(), FFont->GetName()))
        FFont->SetCharset(chosen.GetCharset());
    FFont->SetName(chosen.GetName());
    FFont->SetHeight(chosen.GetHeight());
    FFont->SetStyle(chosen.GetStyle());
    return true;
}
