#pragma once
// The test thread stands in for the user-interface thread: it serves the
// hand-overs of the sampling and serial event threads, and its timers,
// while it waits.
#include <functional>

// Serves hand-overs until Done returns true or TimeoutMs passed; returns Done().
bool ServeUntil(const std::function<bool()>& Done, int TimeoutMs = 30000);
// Serves hand-overs for about Ms milliseconds.
void ServeFor(int Ms);
