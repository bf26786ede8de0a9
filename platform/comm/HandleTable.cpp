#include "comm/HandleTable.h"

namespace comm {

HandleTable& HandleTable::Instance()
{
    // Never destroyed: an event thread whose port was freed from inside its
    // own handler ends by itself, and may still look a handle up while the
    // process exits and runs its static destructors.
    static HandleTable* const table = new HandleTable;
    return *table;
}

HANDLE HandleTable::Add(std::shared_ptr<HandleObject> Object)
{
    std::lock_guard lock(FMutex);
    HANDLE handle = FNext++;
    FObjects.emplace(handle, std::move(Object));
    return handle;
}

std::shared_ptr<HandleObject> HandleTable::Lookup(HANDLE Handle)
{
    std::lock_guard lock(FMutex);
    auto it = FObjects.find(Handle);
    return it == FObjects.end() ? nullptr : it->second;
}

std::shared_ptr<HandleObject> HandleTable::Remove(HANDLE Handle)
{
    std::shared_ptr<HandleObject> object;
    {
        std::lock_guard lock(FMutex);
        auto it = FObjects.find(Handle);
        if (it == FObjects.end())
            return nullptr;
        object = std::move(it->second);
        FObjects.erase(it);
    }
    return object;
}

}  // namespace comm
