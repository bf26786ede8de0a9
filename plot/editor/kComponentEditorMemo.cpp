#include "plot/editor/kComponentEditorMemo.h"

#include "plot/editor/kCustomEditorForm.h"
#include "ui/Keys.h"

void TkComponentEditorMemo::SetText(const std::string& Value)
{
    TMemo::SetText(Value);
    // As the memo gives it back (its line ends), so that leaving an
    // untouched memo commits nothing.
    FLastCommitted = GetText();
}

void TkComponentEditorMemo::Commit()
{
    const std::string text = GetText();
    if (text == FLastCommitted)
        return;
    FLastCommitted = text;
    if (OnUpdate)
        OnUpdate(this);
    NotifyEditorForm(this);
}

void TkComponentEditorMemo::SetEnabled(bool Value)
{
    if (!Value)
        SetText("");
    TMemo::SetEnabled(Value);
    SetColor(Value ? clWindow : clBtnFace);
}

void TkComponentEditorMemo::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    TMemo::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE) {
        Key = 0;
        TMemo::SetText(FLastCommitted);
    }
}

void TkComponentEditorMemo::DoExit()
{
    Commit();
    TMemo::DoExit();
}
