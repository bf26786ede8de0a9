#pragma once
// A radio button. As in the original library, checking it from code fires
// OnClick like a user click does.
#include "ui/Control.h"

class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    std::string GetText() const override;
    void SetText(const std::string& Value) override;

    bool GetChecked() const;
    void SetChecked(bool Value);
    TProperty<TRadioButton, bool, &TRadioButton::GetChecked, &TRadioButton::SetChecked> Checked{this};
};
