#pragma once
// The serial library's error numbers, messages and exception.
#include <string>

#include "rtl/Exception.h"
#include "serial/ComTypes.h"

// The table message of an error number 1-24 (empty for others).
std::string ComErrorMessage(int Number);

class EComPort : public Exception {
public:
    // Message "<table message> (Error: <WinCode>)".
    EComPort(int ACode, int AWinCode);
    // The table message alone; WinCode is -1.
    explicit EComPort(int ACode);

    // The library error number.
    int Code() const { return FCode; }
    // The system error number, -1 when the error carries none.
    int WinCode() const { return FWinCode; }

private:
    int FCode;
    int FWinCode;
};
