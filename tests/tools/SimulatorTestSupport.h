#pragma once
// A minimal serial master over the simulator's pseudo-terminal.
#include <chrono>
#include <string>

#include "tools/modbussim/ModbusFrame.h"

class PtyMaster {
public:
    explicit PtyMaster(const std::string& Path);
    ~PtyMaster();
    PtyMaster(const PtyMaster&) = delete;
    PtyMaster& operator=(const PtyMaster&) = delete;

    void Write(const modbussim::Bytes& Data);
    // Reads until Count bytes arrived or Timeout passed; also counts the
    // separate reads it took.
    modbussim::Bytes Read(std::size_t Count, std::chrono::milliseconds Timeout, int* Reads = nullptr);

private:
    int FFd = -1;
};
