#pragma once
// Push buttons.
#include "ui/Control.h"
#include "ui/DialogKeyTarget.h"

class TButton : public TWinControl, public TDialogKeyTarget {
public:
    explicit TButton(TComponent* AOwner);

    // A ModalResult other than mrNone is given to the parent form when the
    // button is clicked (which ends its modal loop).
    int GetModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    // Enter activates the default button, Escape the cancel button, of the
    // form.
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }

    bool TakesDialogKey(std::uint16_t Key) const override;
    void Click() override;
    std::string GetText() const override;
    void SetText(const std::string& Value) override;

    TProperty<TButton, int, &TButton::GetModalResult, &TButton::SetModalResult> ModalResult{this};
    TProperty<TButton, bool, &TButton::GetDefault, &TButton::SetDefault> Default{this};
    TProperty<TButton, bool, &TButton::GetCancel, &TButton::SetCancel> Cancel{this};

private:
    int FModalResult = 0;
    bool FDefault = false;
    bool FCancel = false;
};
