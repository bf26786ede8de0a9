#pragma once
// Objects that copy their settings from one another.
#include "rtl/Object.h"

class TFiler;

class TPersistent : public TObject {
public:
    // Copies the settings of Source; raises EConvertError when the classes
    // cannot be assigned to each other.
    virtual void Assign(const TPersistent* Source);
    // Declares the stream properties a class keeps beside its published
    // ones (TFiler::DefineProperty); the base declares none.
    virtual void DefineProperties(TFiler& Filer);

protected:
    // Lets a class that knows this one copy itself into Dest.
    virtual void AssignTo(TPersistent* Dest) const;
};
