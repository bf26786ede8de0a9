#include "serial/EnumComPorts.h"

#include "comm/SerialPortList.h"
#include "rtl/StringList.h"

void EnumComPorts(TStrings* Ports)
{
    auto names = comm::ListSerialPorts();
    if (!names)
        return;
    TStringList sorted;
    for (const std::string& name : *names)
        sorted.Add(name);
    sorted.Sort();
    Ports->Assign(&sorted);
}
