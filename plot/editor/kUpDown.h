#pragma once
// Up and down arrows beside an edit that step its whole number, once per
// press and repeating while the button is held.
#include <cstdint>
#include <memory>

#include "ui/Control.h"
#include "ui/GraphicControl.h"

class TkComponentEditorEdit;
class TTimer;

class TkUpDown : public TGraphicControl {
public:
    explicit TkUpDown(TComponent* AOwner);
    ~TkUpDown() override;

    TkComponentEditorEdit* GetAssociate() const { return FAssociate; }
    // Places the arrows at the edit's right edge, at its height.
    void SetAssociate(TkComponentEditorEdit* Value);
    std::int16_t GetMin() const { return FMin; }
    void SetMin(std::int16_t Value) { FMin = Value; }
    // Min and Max both 0: no limit.
    std::int16_t GetMax() const { return FMax; }
    void SetMax(std::int16_t Value) { FMax = Value; }
    int GetIncrement() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }

    // One step up (Direction 1) or down (-1), committed into the edit.
    void Step(int Direction);
    // Disabling disables the edit too.
    void SetEnabled(bool Value) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Repeat();

    TkComponentEditorEdit* FAssociate = nullptr;
    std::int16_t FMin = 0;
    std::int16_t FMax = 100;
    int FIncrement = 1;
    int FPressed = 0;  // 1 upper half, -1 lower half, 0 none
    std::unique_ptr<TTimer> FTimer;
};
