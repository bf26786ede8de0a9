#include "plot/core/kOPCGroupObject.h"

#include <utility>

#include "plot/core/kOPCDLLLoader.h"

TkOPCGroupObject::TkOPCGroupObject(std::string Name, std::string ComputerName, std::string OPCServerName,
                                   int UpdateRate)
    : FName(std::move(Name)),
      FComputerName(std::move(ComputerName)),
      FOPCServerName(std::move(OPCServerName)),
      FUpdateRate(UpdateRate)
{
}

void TkOPCGroupObject::SetUpdateRate(int Value)
{
    if (Value == FUpdateRate)
        return;
    FUpdateRate = Value;
    if (FHandle != 0)
        TkOPCDLL::Instance().GroupSetUpdateRate(FHandle, Value);
}
