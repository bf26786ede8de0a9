#pragma once
#include "ui/Control.h"

// Holds controls in an area larger than itself and scrolls over it; the
// scroll range follows the children.
class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);

    QWidget* ClientWidget() const override;
    int GetClientWidth() const override;
    int GetClientHeight() const override;
    int GetHorzPosition() const;
    int GetVertPosition() const;
    void SetVertPosition(int Value);
    void SetHorzPosition(int Value);
    void ScrollInView(TControl* AControl);

protected:
    void ApplyColor() override;
    TRect AlignRect() const override;
    void ControlsChanged() override;
    void AlignDone() override;

private:
    friend class TScrollBoxWidget;
    void UpdateRange();
    QWidget* FPage;
};
