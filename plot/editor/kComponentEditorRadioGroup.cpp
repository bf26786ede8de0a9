#include "plot/editor/kComponentEditorRadioGroup.h"

#include "plot/editor/kCustomEditorForm.h"
#include "plot/editor/kDetached.h"

void TkComponentEditorRadioGroup::SetItemIndexSilently(int Value)
{
    Detached(OnClick, [&] { Detached(OnChange, [&] { Detached(OnChangeUser, [&] { SetItemIndex(Value); }); }); });
}

void TkComponentEditorRadioGroup::SetEnabled(bool Value)
{
    if (!Value)
        SetItemIndexSilently(-1);
    TkRadioGroup::SetEnabled(Value);
}

void TkComponentEditorRadioGroup::UserChanged()
{
    NotifyEditorForm(this);
}
