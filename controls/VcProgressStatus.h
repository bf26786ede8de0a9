#pragma once
#include "ui/Control.h"
#include "ui/CustomControl.h"

// Shows PartsComplete of TotalParts as a row of blocks.
class TVcProgressStatus : public TCustomControl {
public:
    explicit TVcProgressStatus(TComponent* AOwner);

    int GetPartsComplete() const { return FPartsComplete; }
    void SetPartsComplete(int Value);
    int GetTotalParts() const { return FTotalParts; }
    void SetTotalParts(int Value);
    TProperty<TVcProgressStatus, int, &TVcProgressStatus::GetPartsComplete, &TVcProgressStatus::SetPartsComplete>
        PartsComplete{this};
    TProperty<TVcProgressStatus, int, &TVcProgressStatus::GetTotalParts, &TVcProgressStatus::SetTotalParts> TotalParts{
        this};

protected:
    void Paint() override;

private:
    int FPartsComplete = 0;
    int FTotalParts = 10;
};
