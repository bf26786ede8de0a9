#include "plot/editor/kComponentEditorValueConverterPicker.h"

#include <memory>

#include "plot/editor/kComponentEditorEdit.h"
#include "rtl/NumberFormat.h"

TkComponentEditorValueConverterPicker::TkComponentEditorValueConverterPicker(TComponent* AOwner)
    : TkComponentEditorButton(AOwner)
{
    SetText("...");
    SetBounds(0, 0, 21, 21);
    SetTabStop(true);
}

TkComponentEditorValueConverterPicker::~TkComponentEditorValueConverterPicker()
{
    SetAssociate(nullptr);
}

void TkComponentEditorValueConverterPicker::SetAssociate(TkComponentEditorEdit* Value)
{
    if (FAssociate)
        FAssociate->RemoveFreeNotification(this);
    FAssociate = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TkComponentEditorValueConverterPicker::Notification(TComponent* AComponent, TOperation Operation)
{
    TkComponentEditorButton::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FAssociate)
        FAssociate = nullptr;
}

void TkComponentEditorValueConverterPicker::Click()
{
    TkComponentEditorButton::Click();
    auto form = std::make_unique<TkValueConverterEditForm>(nullptr);
    form->ShowPage(DefaultPage);
    if (TranslationMethod)
        TranslationMethod(form.get());
    form->SetValue(FAssociate ? FAssociate->GetFloat() : DateTime);
    if (form->ShowModal() != mrOk)
        return;
    DateTime = form->GetValue();
    if (FAssociate)
        FAssociate->CommitText(FloatToStrExact(DateTime));
    if (OnChange)
        OnChange(this);
}
