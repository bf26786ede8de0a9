#include "SharedCount.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <utility>

static_assert(std::atomic_ref<std::int64_t>::is_always_lock_free, "a lock-free load only reads the mapping");

TSharedCount::TSharedCount(std::string Path) : FPath(std::move(Path))
{
    const int fd = ::open(FPath.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        throw std::runtime_error("cannot make " + FPath);
    void* map = ::ftruncate(fd, sizeof(std::int64_t)) == 0
                    ? ::mmap(nullptr, sizeof(std::int64_t), PROT_READ, MAP_SHARED, fd, 0)
                    : MAP_FAILED;
    ::close(fd);
    if (map == MAP_FAILED)
        throw std::runtime_error("cannot map " + FPath);
    FValue = static_cast<std::int64_t*>(map);
}

TSharedCount::~TSharedCount()
{
    ::munmap(FValue, sizeof(std::int64_t));
}

// The page is read-only here; a lock-free atomic load of 8 aligned bytes
// only reads it.
std::int64_t TSharedCount::Value() const
{
    return std::atomic_ref<std::int64_t>(*FValue).load(std::memory_order_relaxed);
}
