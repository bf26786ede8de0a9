#include "plot/editor/kComponentEditorComboBox.h"

#include "plot/editor/kCustomEditorForm.h"
#include "plot/editor/kDetached.h"

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
