#include "plot/editor/kCustomEditorForm.h"

TkCustomEditorForm::TkCustomEditorForm(TComponent* AOwner) : TForm(AOwner) {}

void NotifyEditorForm(const TComponent* Control)
{
    for (TComponent* owner = Control->GetOwner(); owner; owner = owner->GetOwner())
        if (auto* form = dynamic_cast<TkCustomEditorForm*>(owner)) {
            form->ControlChanged();
            return;
        }
}
