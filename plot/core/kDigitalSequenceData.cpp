#include "plot/core/kDigitalSequenceData.h"

void TDigitalSequenceData::Clear()
{
    RunOpen = false;
    RunExtended = false;
    EdgePending = false;
}
