#pragma once
// One named OPC group of a manager: the library's handle for it and the
// settings it was made with.
#include <cstdint>
#include <string>

#include "rtl/Persistent.h"

class TkOPCManager;

class TkOPCGroupObject : public TPersistent {
public:
    TkOPCGroupObject(std::string Name, std::string ComputerName, std::string OPCServerName, int UpdateRate);
    const std::string& GetName() const { return FName; }
    const std::string& GetComputerName() const { return FComputerName; }
    const std::string& GetOPCServerName() const { return FOPCServerName; }
    int GetUpdateRate() const { return FUpdateRate; }
    // A new rate reaches the library's group too.
    void SetUpdateRate(int Value);
    std::int32_t GetHandle() const { return FHandle; }

private:
    friend class TkOPCManager;
    std::string FName, FComputerName, FOPCServerName;
    int FUpdateRate;
    std::int32_t FHandle = 0;
};
