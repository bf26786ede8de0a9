#pragma once
// Integer entry with up and down arrows.
#include "ui/Control.h"

class TSpinEdit : public TWinControl {
public:
    explicit TSpinEdit(TComponent* AOwner);

    // MinValue = MaxValue = 0 means no limits.
    int GetValue() const;
    void SetValue(int Value);
    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int GetIncrement() const;
    void SetIncrement(int Value);
    // The text as typed.
    std::string GetText() const override;
    void SetText(const std::string& Value) override;

    TProperty<TSpinEdit, int, &TSpinEdit::GetValue, &TSpinEdit::SetValue> Value{this};
    TProperty<TSpinEdit, int, &TSpinEdit::GetMinValue, &TSpinEdit::SetMinValue> MinValue{this};
    TProperty<TSpinEdit, int, &TSpinEdit::GetMaxValue, &TSpinEdit::SetMaxValue> MaxValue{this};
    TProperty<TSpinEdit, int, &TSpinEdit::GetIncrement, &TSpinEdit::SetIncrement> Increment{this};

    // The value or the text changed.
    TNotifyEvent OnChange;

protected:
    void ApplyColor() override;

private:
    void ApplyRange();
    int FMinValue = 0;
    int FMaxValue = 0;
};
