#include "UiLoop.h"

#include "rtl/Thread.h"
#include "ui/Application.h"

#include <chrono>

bool ServeUntil(const std::function<bool()>& Done, int TimeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (!Done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return Done();
        CheckSynchronize(10);
        // Timers too: a run's poll delays are timers of this thread.
        Application->ProcessMessages();
    }
    return true;
}

void ServeFor(int Ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    while (std::chrono::steady_clock::now() < deadline) {
        CheckSynchronize(10);
        Application->ProcessMessages();
    }
}
