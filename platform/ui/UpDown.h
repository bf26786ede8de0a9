#pragma once
// The up-down control: arrows that step a position (and the text of an
// associated control).
#include <functional>

#include "ui/Control.h"

enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;

class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);

    int GetMin() const { return FMin; }
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    int GetIncrement() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }
    // At the ends the position wraps to the other end.
    bool GetWrap() const { return FWrap; }
    void SetWrap(bool Value) { FWrap = Value; }
    // The control whose text shows the position.
    TControl* GetAssociate() const { return FAssociate; }
    void SetAssociate(TControl* Value);

    TProperty<TUpDown, int, &TUpDown::GetMin, &TUpDown::SetMin> Min{this};
    TProperty<TUpDown, int, &TUpDown::GetMax, &TUpDown::SetMax> Max{this};
    TProperty<TUpDown, int, &TUpDown::GetPosition, &TUpDown::SetPosition> Position{this};
    TProperty<TUpDown, int, &TUpDown::GetIncrement, &TUpDown::SetIncrement> Increment{this};
    TProperty<TUpDown, bool, &TUpDown::GetWrap, &TUpDown::SetWrap> Wrap{this};
    TProperty<TUpDown, TControl*, &TUpDown::GetAssociate, &TUpDown::SetAssociate> Associate{this};

    // Steps as a click on the arrow does.
    void StepBy(TUDBtnType Button);

    TUDClickEvent OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void UpdateAssociate();
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    bool FWrap = false;
    TControl* FAssociate = nullptr;
};
