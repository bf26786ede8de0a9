#include "rtl/FileUtils.h"

#include "rtl/Exception.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex ExeDirLock;
std::string ExeDirOverride;
std::atomic<unsigned> TempCounter{0};

std::string SystemMessage(int Error)
{
    return std::strerror(Error);
}

[[noreturn]] void RaiseFileError(const char* What, std::string_view FileName, int Error)
{
    throw EInOutError(std::string(What) + " \"" + std::string(FileName) + "\". " + SystemMessage(Error));
}

class TFd {
public:
    explicit TFd(int Fd) : FFd(Fd) {}
    ~TFd()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    // Closes now so that a failure can be reported; returns errno or 0.
    int Close()
    {
        const int R = ::close(FFd);
        FFd = -1;
        return R == 0 ? 0 : errno;
    }

private:
    int FFd;
};

// Writes all of Bytes; returns 0 or errno.
int WriteAll(int Fd, std::string_view Bytes)
{
    std::size_t Done = 0;
    while (Done < Bytes.size()) {
        const ssize_t N = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
        if (N < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (N == 0)
            return EIO;  // no progress and no reason: never loop on it
        Done += static_cast<std::size_t>(N);
    }
    return 0;
}

// Copies OldName to a new file NewName (refusing an existing one), then
// removes OldName. Used across file systems.
bool CopyAndDelete(const std::string& OldName, const std::string& NewName)
{
    std::string Bytes;
    try {
        Bytes = ReadFileBytes(OldName);
    } catch (const EInOutError&) {
        return false;
    }
    struct stat St {};
    const mode_t Mode = ::stat(OldName.c_str(), &St) == 0 ? (St.st_mode & 07777) : 0644;
    TFd Out(::open(NewName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, Mode));
    if (Out.Get() < 0)
        return false;
    if (WriteAll(Out.Get(), Bytes) != 0 || ::fsync(Out.Get()) != 0 || Out.Close() != 0) {
        ::unlink(NewName.c_str());
        return false;
    }
    return ::unlink(OldName.c_str()) == 0;
}

// The file that a save of Name really replaces: Name with its chain of
// symbolic links followed, so that a link stays a link and keeps pointing
// at the saved file. A name that does not exist (or cannot be looked at)
// is returned as it is: the save creates it, or reports why not.
std::string FollowLinks(const std::string& Name)
{
    // The kernel's own limit on links followed in one path.
    constexpr int MaxLinks = 40;
    std::string Path = Name;
    for (int Hops = 0; Hops < MaxLinks; ++Hops) {
        struct stat St {};
        if (::lstat(Path.c_str(), &St) != 0 || !S_ISLNK(St.st_mode))
            return Path;
        std::error_code Ec;
        const std::string Target = std::filesystem::read_symlink(Path, Ec).string();
        if (Ec)
            RaiseFileError("Cannot write file", Name, Ec.value());
        Path = !Target.empty() && Target[0] == '/' ? Target : ExtractFilePath(Path) + Target;
    }
    RaiseFileError("Cannot write file", Name, ELOOP);
}

// A reader that goes away in the middle of a write must fail the save, not
// end the program: SIGPIPE is held back for this thread while the guard
// lives, and one raised meanwhile is taken away again.
class TSigPipeGuard {
public:
    TSigPipeGuard()
    {
        sigemptyset(&FPipe);
        sigaddset(&FPipe, SIGPIPE);
        sigset_t Pending;
        sigpending(&Pending);
        FWasPending = sigismember(&Pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &FPipe, &FOld);
    }
    ~TSigPipeGuard()
    {
        sigset_t Pending;
        sigpending(&Pending);
        if (!FWasPending && sigismember(&Pending, SIGPIPE) == 1) {
            const timespec Now{};
            while (sigtimedwait(&FPipe, nullptr, &Now) < 0 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &FOld, nullptr);
    }
    TSigPipeGuard(const TSigPipeGuard&) = delete;
    TSigPipeGuard& operator=(const TSigPipeGuard&) = delete;

private:
    sigset_t FPipe;
    sigset_t FOld;
    bool FWasPending = false;
};

// Takes O_NONBLOCK off a descriptor opened with it, so that only the open
// did not wait and its reads and writes do; 0 or the error number.
int WaitFromNowOn(int Fd)
{
    const int Flags = ::fcntl(Fd, F_GETFL);
    return Flags < 0 || ::fcntl(Fd, F_SETFL, Flags & ~O_NONBLOCK) != 0 ? errno : 0;
}

// Devices and pipes are written into as they stand: a file renamed over
// one would break it for every program that uses it. The open does not
// wait, so a pipe that nobody reads fails at once (ENXIO) rather than
// hanging the save; the writes then wait for the reader as usual.
void WriteInPlace(const std::string& Name, const std::string& Target, std::string_view Bytes)
{
    TSigPipeGuard Guard;
    TFd Out(::open(Target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (Out.Get() < 0)
        RaiseFileError("Cannot write file", Name, errno);
    int Error = WaitFromNowOn(Out.Get());
    if (Error == 0)
        Error = WriteAll(Out.Get(), Bytes);
    const int CloseError = Out.Close();
    if (Error == 0)
        Error = CloseError;
    if (Error != 0)
        RaiseFileError("Cannot write file", Name, Error);
}

}  // namespace

std::string ExeDir()
{
    {
        std::lock_guard<std::mutex> Guard(ExeDirLock);
        if (!ExeDirOverride.empty())
            return ExeDirOverride;
    }
    std::error_code Ec;
    const std::filesystem::path Exe = std::filesystem::read_symlink("/proc/self/exe", Ec);
    if (Ec)
        return IncludeTrailingPathDelimiter(std::filesystem::current_path(Ec).string());
    return IncludeTrailingPathDelimiter(Exe.parent_path().string());
}

void SetExeDirForTesting(const std::string& Dir)
{
    std::lock_guard<std::mutex> Guard(ExeDirLock);
    ExeDirOverride = Dir.empty() ? std::string() : IncludeTrailingPathDelimiter(Dir);
}

std::string IncludeTrailingPathDelimiter(std::string_view Path)
{
    std::string R(Path);
    if (R.empty() || R.back() != '/')
        R += '/';
    return R;
}

std::string ExcludeTrailingPathDelimiter(std::string_view Path)
{
    std::string R(Path);
    if (R.size() > 1 && R.back() == '/')
        R.pop_back();
    return R;
}

std::string ExtractFilePath(std::string_view FileName)
{
    const std::size_t P = FileName.rfind('/');
    return P == std::string_view::npos ? std::string() : std::string(FileName.substr(0, P + 1));
}

std::string ExtractFileName(std::string_view FileName)
{
    const std::size_t P = FileName.rfind('/');
    return std::string(P == std::string_view::npos ? FileName : FileName.substr(P + 1));
}

std::string ExtractFileExt(std::string_view FileName)
{
    const std::size_t Dot = FileName.rfind('.');
    const std::size_t Slash = FileName.rfind('/');
    if (Dot == std::string_view::npos || (Slash != std::string_view::npos && Dot < Slash))
        return std::string();
    return std::string(FileName.substr(Dot));
}

std::string ChangeFileExt(std::string_view FileName, std::string_view Extension)
{
    const std::string Ext = ExtractFileExt(FileName);
    return std::string(FileName.substr(0, FileName.size() - Ext.size())) + std::string(Extension);
}

bool ForceDirectories(std::string_view Dir)
{
    const std::string Path = ExcludeTrailingPathDelimiter(Dir);
    if (Path.empty())
        return false;
    std::error_code Ec;
    std::filesystem::create_directories(Path, Ec);
    return DirectoryExists(Path);
}

bool FileExists(std::string_view FileName)
{
    struct stat St {};
    return ::stat(std::string(FileName).c_str(), &St) == 0 && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(std::string_view Dir)
{
    struct stat St {};
    return ::stat(std::string(Dir).c_str(), &St) == 0 && S_ISDIR(St.st_mode);
}

bool DeleteFile(std::string_view FileName)
{
    const std::string Name(FileName);
    if (DirectoryExists(Name))
        return false;
    return ::unlink(Name.c_str()) == 0;
}

bool RenameFile(std::string_view OldName, std::string_view NewName)
{
    const std::string From(OldName), To(NewName);
    if (::renameat2(AT_FDCWD, From.c_str(), AT_FDCWD, To.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) {
        // The file system cannot refuse a replace by itself: a hard link
        // cannot replace either, and leaves the old name to remove.
        if (::link(From.c_str(), To.c_str()) == 0)
            return ::unlink(From.c_str()) == 0;
        if (errno == EEXIST)
            return false;
    }
    if (errno == EXDEV)
        return CopyAndDelete(From, To);
    return false;
}

std::string ReadFileBytes(std::string_view FileName)
{
    const std::string Name(FileName);
    // The open does not wait for a pipe's writer: a pipe that nobody
    // writes to reads as empty instead of hanging the program.
    TFd In(::open(Name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (In.Get() < 0)
        RaiseFileError("Cannot open file", Name, errno);
    if (const int Error = WaitFromNowOn(In.Get()); Error != 0)
        RaiseFileError("Cannot read file", Name, Error);
    std::string Bytes;
    char Buf[65536];
    while (true) {
        const ssize_t N = ::read(In.Get(), Buf, sizeof(Buf));
        if (N < 0) {
            if (errno == EINTR)
                continue;
            RaiseFileError("Cannot read file", Name, errno);
        }
        if (N == 0)
            break;
        Bytes.append(Buf, static_cast<std::size_t>(N));
    }
    return Bytes;
}

void WriteFileAtomic(std::string_view FileName, std::string_view Bytes)
{
    const std::string Name(FileName);
    const std::string Target = FollowLinks(Name);
    struct stat St {};
    const bool Exists = ::stat(Target.c_str(), &St) == 0;
    if (Exists && !S_ISREG(St.st_mode) && !S_ISDIR(St.st_mode)) {
        WriteInPlace(Name, Target, Bytes);
        return;
    }
    // The temporary goes beside the file it replaces, so that the rename
    // stays within one file system. A new file gets 0666 less the umask
    // from the kernel; a replaced file keeps its permissions below.
    std::string Temp;
    int Fd = -1;
    for (int Attempt = 0; Fd < 0 && Attempt < 100; ++Attempt) {
        Temp = Target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(TempCounter++);
        Fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Fd < 0 && errno != EEXIST)
            break;
    }
    TFd Out(Fd);
    if (Out.Get() < 0)
        RaiseFileError("Cannot write file", Name, errno);
    int Error = 0;
    if (Exists && ::fchmod(Out.Get(), St.st_mode & 07777) != 0)
        Error = errno;
    if (Error == 0)
        Error = WriteAll(Out.Get(), Bytes);
    if (Error == 0 && ::fsync(Out.Get()) != 0)
        Error = errno;
    const int CloseError = Out.Close();
    if (Error == 0)
        Error = CloseError;
    if (Error == 0 && ::rename(Temp.c_str(), Target.c_str()) != 0)
        Error = errno;
    if (Error != 0) {
        ::unlink(Temp.c_str());
        RaiseFileError("Cannot write file", Name, Error);
    }
    // Make the rename itself durable.
    std::string Dir = ExtractFilePath(Target);
    TFd DirFd(::open(Dir.empty() ? "." : Dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (DirFd.Get() >= 0)
        ::fsync(DirFd.Get());
}

std::error_code AppendToFile(std::string_view FileName, std::string_view Bytes, bool CreateMissing)
{
    const std::string Name(FileName);
    TFd Out(::open(Name.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | (CreateMissing ? O_CREAT : 0), 0666));
    if (Out.Get() < 0)
        return {errno, std::system_category()};
    int Error = WriteAll(Out.Get(), Bytes);
    const int CloseError = Out.Close();
    if (Error == 0)
        Error = CloseError;
    return Error == 0 ? std::error_code() : std::error_code(Error, std::system_category());
}

std::error_code TruncateFile(std::string_view FileName, std::uint64_t Size)
{
    const std::string Name(FileName);
    int Result;
    do
        Result = ::truncate(Name.c_str(), static_cast<off_t>(Size));
    while (Result < 0 && errno == EINTR);
    return Result == 0 ? std::error_code() : std::error_code(errno, std::system_category());
}
