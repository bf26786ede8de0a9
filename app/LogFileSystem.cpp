#include "app/LogFileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool TLogFileSystem::CreateNew(const std::string& FileName)
{
    const int fd = ::open(FileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    return ::close(fd) == 0;
}

bool TLogFileSystem::Append(const std::string& FileName, const std::string& Bytes)
{
    const int fd = ::open(FileName.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < Bytes.size()) {
        const ssize_t n = ::write(fd, Bytes.data() + done, Bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const bool closed = ::close(fd) == 0;
    return closed && done == Bytes.size();
}

bool TLogFileSystem::Truncate(const std::string& FileName, std::uint64_t Size)
{
    int result;
    do
        result = ::truncate(FileName.c_str(), static_cast<off_t>(Size));
    while (result < 0 && errno == EINTR);
    return result == 0;
}
