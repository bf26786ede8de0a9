#pragma once
#include "rtl/CriticalSection.h"

// Holds a critical section for the lifetime of the guard.
class TCriticalSectionLock {
public:
    explicit TCriticalSectionLock(TCriticalSection& Section) : FSection(Section) { FSection.Enter(); }
    ~TCriticalSectionLock() { FSection.Leave(); }
    TCriticalSectionLock(const TCriticalSectionLock&) = delete;
    TCriticalSectionLock& operator=(const TCriticalSectionLock&) = delete;

private:
    TCriticalSection& FSection;
};
