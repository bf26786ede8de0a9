#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "rtl/Component.h"

// Waits without a time limit.
constexpr std::uint32_t INFINITE = 0xFFFFFFFFu;

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// An event that threads wait for. A manual-reset event stays signalled
// until ResetEvent and releases every waiter; an auto-reset event releases
// one waiter and clears itself.
class TEvent : public TObject {
public:
    explicit TEvent(bool ManualReset = true, bool InitialState = false);
    // Form that mirrors the system call. The name is kept for diagnostics
    // only: events are private to the process and are not shared by name.
    TEvent(void* EventAttributes, bool ManualReset, bool InitialState, const std::string& Name);

    void SetEvent();
    void ResetEvent();
    // Timeout in milliseconds, or INFINITE.
    TWaitResult WaitFor(std::uint32_t Timeout = INFINITE);

    bool ManualReset() const { return FManualReset; }
    const std::string& Name() const { return FName; }

private:
    std::mutex FMutex;
    std::condition_variable FCond;
    bool FManualReset;
    bool FSignaled;
    std::string FName;
};
