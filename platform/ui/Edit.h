#pragma once
// A one-line text edit.
#include "ui/Control.h"

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);

    std::string GetText() const override;
    // Fires OnChange when the text changes.
    void SetText(const std::string& Value) override;
    bool GetReadOnly() const;
    void SetReadOnly(bool Value);
    int GetMaxLength() const;
    void SetMaxLength(int Value);  // 0 = no limit
    void SelectAll();
    // The cursor's position, in characters from the start; the edit scrolls
    // to keep the cursor in view.
    int GetSelStart() const;
    void SetSelStart(int Value);

    TProperty<TEdit, bool, &TEdit::GetReadOnly, &TEdit::SetReadOnly> ReadOnly{this};
    TProperty<TEdit, int, &TEdit::GetMaxLength, &TEdit::SetMaxLength> MaxLength{this};
    TProperty<TEdit, int, &TEdit::GetSelStart, &TEdit::SetSelStart> SelStart{this};

    TNotifyEvent OnChange;

protected:
    void ApplyColor() override;
};
