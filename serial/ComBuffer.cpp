#include "serial/ComBuffer.h"

void TComBuffer::Assign(const TPersistent* Source)
{
    auto* other = dynamic_cast<const TComBuffer*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    FInputSize = other->FInputSize;
    FOutputSize = other->FOutputSize;
}

void TComBuffer::Set(int& Field, int Value)
{
    if (Value > 0 && Value % 2 != 0)
        --Value;
    if (Field == Value)
        return;
    Field = Value;
    if (FOwner)
        FOwner->ApplyBuffer();
}
