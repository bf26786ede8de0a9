#pragma once
// A simulated instrument line on a pseudo-terminal (or a real serial
// device), answered by a ModbusSlave from a thread of its own.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "tools/modbussim/ModbusSlave.h"

namespace modbussim {

// With Pacing, answers leave at a real line's speed: each byte after its
// wire time, and every frame after 3.5 characters of silence.
struct LineTiming {
    bool Pacing = false;
    int BaudRate = 9600;
    int BitsPerChar = 10;  // 11 with a parity bit

    std::chrono::nanoseconds CharTime() const;
};

class Simulator {
public:
    // Opens a new pseudo-terminal; a master opens PortPath(). The tool keeps
    // that side open too, so the line never hangs up when the master
    // closes and reopens it.
    Simulator();
    // Serves a real serial device at a standard baud rate; Parity is 'N',
    // 'E' or 'O'.
    Simulator(const std::string& DevicePath, int BaudRate, char Parity);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    const std::string& PortPath() const { return FPortPath; }
    ModbusSlave& Slave() { return FSlave; }
    LineTiming Timing() const;
    void SetTiming(const LineTiming& Value);

    void Start();
    void Stop();

    std::uint64_t BytesReceived() const { return FReceived.load(); }
    std::uint64_t BytesSent() const { return FSent.load(); }

    // Whether a process has made the pseudo-terminal exclusive.
    bool Exclusive() const;
    // How often the line thread found the line exclusive and looked for
    // processes that still have it open.
    std::uint64_t ExclusiveChecks() const { return FExclusiveChecks.load(); }

private:
    struct Scheduled {
        Clock::time_point At;
        Bytes Data;
    };

    void Run();
    void Schedule(const std::vector<Transmission>& Plan, Clock::time_point Now);
    void SendDue();
    void Wake();
    void ReleaseAbandonedExclusive();

    ModbusSlave FSlave;
    std::string FPortPath;
    int FLine = -1;      // the side this tool reads and writes
    int FKeepOpen = -1;  // the master's side, held open against hang-ups
    int FWake[2] = {-1, -1};
    mutable std::mutex FTimingMutex;
    LineTiming FTiming;
    std::thread FThread;
    std::atomic<bool> FStop{false};
    std::atomic<std::uint64_t> FReceived{0};
    std::atomic<std::uint64_t> FSent{0};
    std::atomic<std::uint64_t> FExclusiveChecks{0};

    // Owned by the line thread.
    std::vector<Scheduled> FQueue;
    Clock::time_point FLastReceived{};
    Clock::time_point FLineFree{};
    Clock::time_point FNextExclusiveCheck{};
};

}  // namespace modbussim
