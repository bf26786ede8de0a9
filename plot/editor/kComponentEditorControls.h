#pragma once
// The editors' plain controls. Each can be set from code silently, and
// tells its editor form when the user changes it.
#include <string>

#include "plot/core/kCheckBox.h"
#include "plot/core/kRadioGroup.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"

class TkComponentEditorPageControl : public TPageControl {
public:
    explicit TkComponentEditorPageControl(TComponent* AOwner) : TPageControl(AOwner) {}
};

class TkComponentEditorButton : public TButton {
public:
    explicit TkComponentEditorButton(TComponent* AOwner) : TButton(AOwner) {}
};

class TkComponentEditorGroupBox : public TGroupBox {
public:
    explicit TkComponentEditorGroupBox(TComponent* AOwner) : TGroupBox(AOwner) {}
};

class TkComponentEditorCheckBox : public TkCheckBox {
public:
    explicit TkComponentEditorCheckBox(TComponent* AOwner) : TkCheckBox(AOwner) {}

    // Fires nothing and tells no one.
    void SetCheckedSilently(bool Value);
    // Disabling unchecks.
    void SetEnabled(bool Value) override;

protected:
    void UserChanged() override;
};

class TkComponentEditorRadioGroup : public TkRadioGroup {
public:
    explicit TkComponentEditorRadioGroup(TComponent* AOwner) : TkRadioGroup(AOwner) {}

    // Fires nothing and tells no one.
    void SetItemIndexSilently(int Value);
    // Disabling selects nothing.
    void SetEnabled(bool Value) override;

protected:
    void UserChanged() override;
};

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

// An opaque area that its owner paints in OnPaint.
class TkPaintBox : public TCustomControl {
public:
    explicit TkPaintBox(TComponent* AOwner) : TCustomControl(AOwner) {}
};
