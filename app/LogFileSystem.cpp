#include "app/LogFileSystem.h"

#include "rtl/FileUtils.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

std::error_code LastError()
{
    return {errno, std::system_category()};
}

}  // namespace

TLogFileSystem::~TLogFileSystem()
{
    for (const auto& [name, fd] : FHeld)
        ::close(fd);
}

// The lock is taken at once, while the file is still empty: an instance
// that looks at it in that moment finds no records in it and leaves it.
std::error_code TLogFileSystem::CreateNew(const std::string& FileName)
{
    const int fd = ::open(FileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return LastError();
    ::flock(fd, LOCK_EX | LOCK_NB);
    if (const auto held = FHeld.find(FileName); held != FHeld.end())
        ::close(held->second);
    FHeld[FileName] = fd;
    return {};
}

std::error_code TLogFileSystem::Hold(const std::string& FileName)
{
    if (FHeld.count(FileName))
        return {};
    const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return LastError();
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const std::error_code error = LastError();
        ::close(fd);
        return error;
    }
    FHeld[FileName] = fd;
    return {};
}

std::error_code TLogFileSystem::Append(const std::string& FileName, const std::string& Bytes)
{
    // The file is never made here: the writer made it, and hears it if the
    // file went missing.
    return AppendToFile(FileName, Bytes, false);
}

std::error_code TLogFileSystem::Truncate(const std::string& FileName, std::uint64_t Size)
{
    return TruncateFile(FileName, Size);
}

std::error_code TLogFileSystem::Rename(const std::string& From, const std::string& To)
{
    errno = 0;
    if (RenameFile(From, To)) {
        if (const auto held = FHeld.find(From); held != FHeld.end()) {
            ::close(held->second);
            FHeld.erase(held);
        }
        return {};
    }
    // The last failed call's reason; one that left none is an I/O error.
    return errno != 0 ? LastError() : std::make_error_code(std::errc::io_error);
}

std::error_code TLogFileSystem::ProbeFolder(const std::string& Dir)
{
    std::string name = IncludeTrailingPathDelimiter(Dir) + ".kalvo-probe-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return LastError();
    ::close(fd);
    // One line's worth: on a full disk even that finds no room.
    const std::error_code error = AppendToFile(name, "probe\r\n", false);
    ::unlink(name.c_str());
    return error;
}
