#pragma once
// Group boxes: a framed container with a title.
#include "ui/Control.h"

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* AOwner);

    std::string GetText() const override;
    void SetText(const std::string& Value) override;

protected:
    TRect AlignRect() const override;
};
