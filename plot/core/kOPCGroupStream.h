#pragma once
// One OPC group as a manager stores it.
#include <string>

#include "rtl/Persistent.h"
#include "rtl/PublishedList.h"

class TkOPCGroupStream : public TPersistent {
    PUBLISHED_CLASS(TkOPCGroupStream);

public:
    PUBLISHED_NODEFAULT(std::string, Name, "", );
    PUBLISHED_NODEFAULT(std::string, ComputerName, "", );
    PUBLISHED_NODEFAULT(std::string, OPCServerName, "", );
    PUBLISHED_NODEFAULT(int, UpdateRate, 0, );
};
