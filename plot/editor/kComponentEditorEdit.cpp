#include "plot/editor/kComponentEditorEdit.h"

#include "plot/editor/kCustomEditorForm.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "ui/Keys.h"

TkComponentEditorEdit::TkComponentEditorEdit(TComponent* AOwner) : TEdit(AOwner)
{
    SetHeight(21);
    SetTabStop(true);
}

void TkComponentEditorEdit::SetText(const std::string& Value)
{
    TEdit::SetText(Value);
    // A value longer than the edit is wide shows its start, where its
    // magnitude is read, not its last digits.
    SetSelStart(0);
    FLastCommitted = Value;
}

void TkComponentEditorEdit::SetInteger(std::int64_t Value)
{
    FValueKind = keevInteger;
    SetText(IntToStr(Value));
}

void TkComponentEditorEdit::SetFloat(double Value)
{
    FValueKind = keevFloat;
    // As many digits as it takes to read back the same number: an edit
    // left alone never changes the value it shows.
    SetText(FloatToStrExact(Value));
}

std::int64_t TkComponentEditorEdit::GetInteger() const
{
    std::int64_t value = 0;
    return TryStrToInt64(Trim(GetText()), value) ? value : 0;
}

double TkComponentEditorEdit::GetFloat() const
{
    double value = 0;
    return TryStrToFloat(Trim(GetText()), value) ? value : 0.0;
}

bool TkComponentEditorEdit::IsValueText(const std::string& Text) const
{
    const std::string trimmed = Trim(Text);
    std::int64_t i = 0;
    double f = 0;
    switch (FValueKind) {
    case keevInteger: return TryStrToInt64(trimmed, i);
    case keevFloat: return TryStrToFloat(trimmed, f);
    default: return true;
    }
}

void TkComponentEditorEdit::Commit()
{
    const std::string text = GetText();
    if (!IsValueText(text)) {
        // A number edit never commits text that reads as no number: the
        // value it stood for would silently become 0.
        TEdit::SetText(FLastCommitted);
        SelectAll();
        return;
    }
    if (text == FLastCommitted)
        return;
    FLastCommitted = text;
    if (OnUpdate)
        OnUpdate(this);
    if (!FLoading)
        NotifyEditorForm(this);
}

void TkComponentEditorEdit::CommitText(const std::string& Text)
{
    TEdit::SetText(Text);
    Commit();
}

void TkComponentEditorEdit::SetEnabled(bool Value)
{
    if (!Value)
        SetText("");
    TEdit::SetEnabled(Value);
    SetColor(Value ? clWindow : clBtnFace);
}

void TkComponentEditorEdit::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    TEdit::KeyDown(Key, Shift);
    if (Key == VK_RETURN) {
        Key = 0;
        Commit();
        SelectAll();
    } else if (Key == VK_ESCAPE) {
        Key = 0;
        TEdit::SetText(FLastCommitted);
        SelectAll();
    }
}

void TkComponentEditorEdit::KeyPress(char& Key)
{
    TEdit::KeyPress(Key);
    if (Key == '\n')
        Key = 0;
}

void TkComponentEditorEdit::DoExit()
{
    Commit();
    TEdit::DoExit();
}
