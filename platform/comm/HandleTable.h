#pragma once
// The objects behind comm handles. Handles count up and are never reused.
#include <map>
#include <memory>
#include <mutex>

#include "comm/CommError.h"

namespace comm {

class HandleObject {
public:
    virtual ~HandleObject() = default;
    // Called once when the handle is closed, before the table lets go.
    virtual void Close() {}
};

class HandleTable {
public:
    static HandleTable& Instance();

    HANDLE Add(std::shared_ptr<HandleObject> Object);
    // Null (and ERROR_INVALID_HANDLE as last error) when the handle is not
    // open or holds another kind of object.
    template <class T> std::shared_ptr<T> Find(HANDLE Handle)
    {
        auto object = std::dynamic_pointer_cast<T>(Lookup(Handle));
        if (!object)
            SetLastError(ERROR_INVALID_HANDLE);
        return object;
    }
    std::shared_ptr<HandleObject> Remove(HANDLE Handle);

private:
    std::shared_ptr<HandleObject> Lookup(HANDLE Handle);

    std::mutex FMutex;
    std::map<HANDLE, std::shared_ptr<HandleObject>> FObjects;
    HANDLE FNext = 1;
};

}  // namespace comm
