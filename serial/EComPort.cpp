#include "serial/EComPort.h"

#include <array>

namespace {

const std::array<const char*, 24> Messages = {
    "Unable to open com port",
    "WriteFile function failed",
    "ReadFile function failed",
    "Invalid Async parameter",
    "PurgeComm function failed",
    "Unable to get async status",
    "SetCommState function failed",
    "SetCommTimeouts failed",
    "SetupComm function failed",
    "ClearCommError function failed",
    "GetCommModemStatus function failed",
    "EscapeCommFunction function failed",
    "TransmitCommChar function failed",
    "Cannot set property while connected",
    "EnumPorts function failed",
    "Failed to store settings",
    "Failed to load settings",
    "Link (un)registration failed",
    "Cannot change led state if ComPort is selected",
    "Cannot wait for event if event thread is created",
    "WaitForEvent method failed",
    "A component is linked to OnRxBuf event",
    "Registry error",
    "Port Not Open",
};

}  // namespace

std::string ComErrorMessage(int Number)
{
    if (Number < 1 || Number > static_cast<int>(Messages.size()))
        return {};
    return Messages[static_cast<size_t>(Number - 1)];
}

EComPort::EComPort(int ACode, int AWinCode)
    : Exception(ComErrorMessage(ACode) + " (Error: " + std::to_string(AWinCode) + ")"),
      FCode(ACode),
      FWinCode(AWinCode)
{
}

EComPort::EComPort(int ACode) : Exception(ComErrorMessage(ACode)), FCode(ACode), FWinCode(-1) {}
