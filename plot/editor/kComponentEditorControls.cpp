#include "plot/editor/kComponentEditorControls.h"

#include <utility>

#include "plot/editor/kCustomEditorForm.h"

namespace {

// Runs Fn with the handler detached, restoring it even when Fn raises.
template <class E, class F> void Detached(E& Handler, F&& Fn)
{
    E saved = std::exchange(Handler, nullptr);
    try {
        Fn();
    } catch (...) {
        Handler = std::move(saved);
        throw;
    }
    Handler = std::move(saved);
}

}  // namespace

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

void TkComponentEditorComboBox::SetItemIndexSilently(int Value)
{
    Detached(OnChange, [&] { SetItemIndex(Value); });
}

void TkComponentEditorComboBox::SetTextSilently(const std::string& Value)
{
    Detached(OnChange, [&] { SetText(Value); });
}

void TkComponentEditorComboBox::SetEnabled(bool Value)
{
    if (!Value) {
        SetItemIndexSilently(-1);
        SetTextSilently("");
    }
    TComboBox::SetEnabled(Value);
    SetColor(Value ? clWindow : clBtnFace);
}

void TkComponentEditorComboBox::Click()
{
    TComboBox::Click();
    NotifyEditorForm(this);
}
