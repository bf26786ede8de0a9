#pragma once
// State of one run of equal logic levels in the digital-channel drawing.
#include "rtl/Component.h"

class TDigitalSequenceData final : public TObject {
public:
    void Clear();

    bool RunOpen = false;
    double RunStartX = 0;
    bool RunHigh = false;
    bool RunExtended = false;
    double RunEndX = 0;
    bool EdgePending = false;
    double EdgeX = 0;
};
