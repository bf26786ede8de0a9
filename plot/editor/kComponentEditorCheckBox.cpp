#include "plot/editor/kComponentEditorCheckBox.h"

#include <utility>

#include "plot/editor/kCustomEditorForm.h"
#include "plot/editor/kDetached.h"

void TkComponentEditorCheckBox::SetCheckedSilently(bool Value)
{
    Detached(OnClick, [&] {
        const bool loading = std::exchange(FLoading, true);
        try {
            SetChecked(Value);
        } catch (...) {
            FLoading = loading;
            throw;
        }
        FLoading = loading;
    });
}

void TkComponentEditorCheckBox::SetEnabled(bool Value)
{
    if (!Value)
        SetCheckedSilently(false);
    TkCheckBox::SetEnabled(Value);
}

void TkComponentEditorCheckBox::UserChanged()
{
    NotifyEditorForm(this);
}
