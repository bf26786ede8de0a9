#pragma once
// A text edit of several lines. Its text holds the lines joined by CR LF;
// Tab moves the focus instead of entering a tab.
#include "ui/Control.h"

class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* AOwner);

    std::string GetText() const override;
    // A line may end with CR, LF or CR LF. The text shows from its start.
    void SetText(const std::string& Value) override;

protected:
    void ApplyColor() override;
};
