#pragma once
// The editors' combo box: code sets it silently, and it tells its editor form
// when the user changes it.
#include <string>

#include "ui/ComboBox.h"

class TkComponentEditorComboBox : public TComboBox {
public:
    explicit TkComponentEditorComboBox(TComponent* AOwner) : TComboBox(AOwner) {}

    // Both fire nothing and tell no one.
    void SetItemIndexSilently(int Value);
    void SetTextSilently(const std::string& Value);
    // Disabling selects nothing and clears the text; the colour follows.
    void SetEnabled(bool Value) override;
    // A user's choice from the list.
    void Click() override;
};
