#include "rtl/Persistent.h"

#include <string>
#include <typeinfo>

#include "rtl/Exception.h"

void TPersistent::Assign(const TPersistent* Source)
{
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + std::string(typeid(*this).name()));
}

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::AssignTo(TPersistent* Dest) const
{
    throw EConvertError("Cannot assign a " + std::string(typeid(*this).name()) + " to a " +
                        std::string(typeid(*Dest).name()));
}
