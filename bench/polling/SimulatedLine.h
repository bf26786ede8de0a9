#pragma once
// The simulated instrument line of the polling benchmark: a modbussim
// process, one station answering 10 registers at a real line's pace, for
// as long as this object lives. It runs apart so that no process measured
// here pays for the line, and it is the witness of how many polls it saw.
#include <sys/types.h>

#include <cstdint>
#include <string>

class TSimulatedLine {
public:
    static constexpr int Registers = 10;

    explicit TSimulatedLine(int Baud);
    ~TSimulatedLine();
    TSimulatedLine(const TSimulatedLine&) = delete;
    TSimulatedLine& operator=(const TSimulatedLine&) = delete;

    const std::string& Path() const { return FPath; }
    // The requests the station has seen so far, asked of the process.
    std::uint64_t Requests();

private:
    void Close();

    pid_t FPid = -1;
    int FCounters = -1;  // the process's standard error, where it reports
    std::string FPath;
};
