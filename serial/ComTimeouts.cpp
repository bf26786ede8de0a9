#include "serial/ComTimeouts.h"

void TComTimeouts::Assign(const TPersistent* Source)
{
    auto* other = dynamic_cast<const TComTimeouts*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    FReadInterval = other->FReadInterval;
    FReadTotalM = other->FReadTotalM;
    FReadTotalC = other->FReadTotalC;
    FWriteTotalM = other->FWriteTotalM;
    FWriteTotalC = other->FWriteTotalC;
}

void TComTimeouts::Set(int& Field, int Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (FOwner)
        FOwner->ApplyTimeouts();
}
