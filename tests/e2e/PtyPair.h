#pragma once
// A pseudo-terminal for tests: the program under test opens SlavePath()
// like a serial port, the test talks through MasterFd().
#include <string>

class TPtyPair {
public:
    TPtyPair();
    ~TPtyPair();
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;

    int MasterFd() const { return FMaster; }
    // Hangs the line up, as when a USB adapter is pulled.
    void CloseMaster();
    const std::string& SlavePath() const { return FSlavePath; }

private:
    int FMaster = -1;
    int FKeepOpen = -1;  // keeps the line up while the port under test is closed
    std::string FSlavePath;
};
