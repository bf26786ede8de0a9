#pragma once
// A check box. As in the original library, changing Checked from code fires
// OnClick like a user click does.
#include "ui/Control.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);

    std::string GetText() const override;
    void SetText(const std::string& Value) override;

    bool GetChecked() const;
    void SetChecked(bool Value);
    TCheckBoxState GetState() const;
    void SetState(TCheckBoxState Value);
    bool GetAllowGrayed() const;
    void SetAllowGrayed(bool Value);

    TProperty<TCheckBox, bool, &TCheckBox::GetChecked, &TCheckBox::SetChecked> Checked{this};
    TProperty<TCheckBox, TCheckBoxState, &TCheckBox::GetState, &TCheckBox::SetState> State{this};
    TProperty<TCheckBox, bool, &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed> AllowGrayed{this};
};
