#pragma once
// Lets an editor control change itself from code without firing the
// handlers that would report the change as the user's.
#include <utility>

// Runs Fn with the handler detached, restoring it even when Fn raises.
template <class E, class F> void Detached(E& Handler, F&& Fn)
{
    E saved = std::exchange(Handler, nullptr);
    try {
        Fn();
    } catch (...) {
        Handler = std::move(saved);
        throw;
    }
    Handler = std::move(saved);
}
