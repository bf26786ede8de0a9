#pragma once
#include <mutex>

#include "rtl/Component.h"

// Recursive lock: the owning thread may enter it again.
class TCriticalSection : public TObject {
public:
    void Acquire() { FMutex.lock(); }
    void Release() { FMutex.unlock(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    bool TryEnter() { return FMutex.try_lock(); }

private:
    std::recursive_mutex FMutex;
};
