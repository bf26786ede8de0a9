#include "serial/ComParity.h"

void TComParity::Assign(const TPersistent* Source)
{
    auto* other = dynamic_cast<const TComParity*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    FBits = other->FBits;
    FCheck = other->FCheck;
    FReplace = other->FReplace;
    FReplaceChar = other->FReplaceChar;
}

void TComParity::Changed()
{
    if (FOwner)
        FOwner->ApplyDCB();
}
