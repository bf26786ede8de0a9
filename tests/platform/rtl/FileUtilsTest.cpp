#include "rtl/FileUtils.h"

#include "rtl/Exception.h"

#include "TempDirSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

TEST(FileUtils, NamePartsFollowTheLastDelimiterAndDot)
{
    EXPECT_EQ(ExtractFilePath("/opt/kalvo/Data/run.csv"), "/opt/kalvo/Data/");
    EXPECT_EQ(ExtractFilePath("run.csv"), "");
    EXPECT_EQ(ExtractFileName("/opt/kalvo/Data/run.csv"), "run.csv");
    EXPECT_EQ(ExtractFileExt("/opt/kalvo/Data/run.2024.csv"), ".csv");
    EXPECT_EQ(ExtractFileExt("/opt/kal.vo/Data/run"), "");
    EXPECT_EQ(ExtractFileExt("$$$RunningLogFile.$$$"), ".$$$");
    EXPECT_EQ(ChangeFileExt("/a/b.exe", ".xlf"), "/a/b.xlf");
    EXPECT_EQ(ChangeFileExt("/a.d/b", ".ini"), "/a.d/b.ini");
    EXPECT_EQ(ChangeFileExt("b.txt", ""), "b");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(FileUtils, ExeDirIsTheTestBinarysDirectoryUnlessOverridden)
{
    const std::string Dir = ExeDir();
    ASSERT_FALSE(Dir.empty());
    EXPECT_EQ(Dir.back(), '/');
    EXPECT_TRUE(FileExists(Dir + "test_rtl_FileUtilsTest"));
    SetExeDirForTesting("/tmp/somewhere");
    EXPECT_EQ(ExeDir(), "/tmp/somewhere/");
    SetExeDirForTesting("");
    EXPECT_EQ(ExeDir(), Dir);
}

TEST(FileUtils, DirectoriesAndExistence)
{
    TempDir T;
    const std::string Deep = T.File("Data/2024/日志");
    EXPECT_FALSE(DirectoryExists(Deep));
    EXPECT_TRUE(ForceDirectories(Deep + "/"));
    EXPECT_TRUE(DirectoryExists(Deep));
    EXPECT_FALSE(FileExists(Deep));
    EXPECT_TRUE(ForceDirectories(Deep));  // already there
    WriteRaw(T.File("f"), "x");
    EXPECT_TRUE(FileExists(T.File("f")));
    EXPECT_FALSE(ForceDirectories(T.File("f/sub")));  // a file is in the way
    EXPECT_FALSE(DeleteFile(Deep));
    EXPECT_TRUE(DeleteFile(T.File("f")));
    EXPECT_FALSE(FileExists(T.File("f")));
    EXPECT_FALSE(DeleteFile(T.File("f")));
}

TEST(FileUtils, RenameNeverOverwrites)
{
    TempDir T;
    WriteRaw(T.File("a"), "first");
    WriteRaw(T.File("b"), "second");
    EXPECT_FALSE(RenameFile(T.File("a"), T.File("b")));
    EXPECT_EQ(ReadRaw(T.File("b")), "second");
    EXPECT_EQ(ReadRaw(T.File("a")), "first");
    EXPECT_TRUE(RenameFile(T.File("a"), T.File("c.csv")));
    EXPECT_FALSE(FileExists(T.File("a")));
    EXPECT_EQ(ReadRaw(T.File("c.csv")), "first");
    EXPECT_FALSE(RenameFile(T.File("missing"), T.File("d")));
}

TEST(FileUtils, RenameAcrossFileSystemsCopies)
{
    // /dev/shm is a tmpfs on Linux; skip where it is the same device.
    TempDir T;
    struct stat A {
    }, B{};
    if (::stat("/dev/shm", &B) != 0 || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "/dev/shm is not available";
    ::stat(T.Path().c_str(), &A);
    if (A.st_dev == B.st_dev)
        GTEST_SKIP() << "temp directory and /dev/shm share a file system";
    const std::string Source = "/dev/shm/kalvo-rtl-move-" + std::to_string(::getpid());
    WriteRaw(Source, std::string(100000, 'z'));
    EXPECT_TRUE(RenameFile(Source, T.File("moved")));
    EXPECT_FALSE(FileExists(Source));
    EXPECT_EQ(ReadRaw(T.File("moved")), std::string(100000, 'z'));
    WriteRaw(Source, "again");
    EXPECT_FALSE(RenameFile(Source, T.File("moved")));
    EXPECT_TRUE(DeleteFile(Source));
}

TEST(FileUtils, AtomicWriteReplacesWholeFilesAndKeepsPermissions)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    WriteFileAtomic(F, "one\r\n");
    EXPECT_EQ(ReadFileBytes(F), "one\r\n");
    ::chmod(F.c_str(), 0640);
    WriteFileAtomic(F, std::string("two\0three", 9));
    EXPECT_EQ(ReadFileBytes(F), std::string("two\0three", 9));
    struct stat St {};
    ::stat(F.c_str(), &St);
    EXPECT_EQ(St.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    int Count = 0;
    for (const auto& E : std::filesystem::directory_iterator(T.Path()))
        Count += E.is_regular_file();
    EXPECT_EQ(Count, 1);
}

TEST(FileUtils, AtomicWriteThroughALinkReplacesTheFileItPointsTo)
{
    TempDir T;
    ForceDirectories(T.File("real"));
    const std::string Real = T.File("real/config.ini");
    WriteRaw(Real, "old\r\n");
    ::chmod(Real.c_str(), 0640);
    // A chain: a relative link to an absolute one.
    ::symlink(Real.c_str(), T.File("real/abs").c_str());
    ::symlink("real/abs", T.File("config.ini").c_str());
    WriteFileAtomic(T.File("config.ini"), "new\r\n");
    EXPECT_EQ(std::filesystem::read_symlink(T.File("config.ini")), "real/abs");
    EXPECT_EQ(std::filesystem::read_symlink(T.File("real/abs")), Real);
    EXPECT_EQ(ReadRaw(Real), "new\r\n");
    struct stat St {};
    ::stat(Real.c_str(), &St);
    EXPECT_EQ(St.st_mode & 0777, 0640u);
    // The temporary went beside the real file, and is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(T.Path()), {}), 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(T.File("real")), {}), 2);

    // A link to a file not yet there: the file is made, the link stays.
    ::symlink("real/Devices.db", T.File("Devices.db").c_str());
    WriteFileAtomic(T.File("Devices.db"), "[Device1]\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(T.File("Devices.db")));
    EXPECT_EQ(ReadRaw(T.File("real/Devices.db")), "[Device1]\r\n");

    // A loop of links is refused and left alone.
    ::symlink("loop2", T.File("loop1").c_str());
    ::symlink("loop1", T.File("loop2").c_str());
    EXPECT_THROW(WriteFileAtomic(T.File("loop1"), "x"), EInOutError);
    EXPECT_TRUE(std::filesystem::is_symlink(T.File("loop1")));
}

TEST(FileUtils, AtomicWriteIntoWhatIsNotAFileWritesIntoItDirectly)
{
    TempDir T;
    const std::string Fifo = T.File("plot.dat");
    ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
    {
        // Held open for reading (and writing, so it never blocks here).
        const int Reader = ::open(Fifo.c_str(), O_RDWR | O_NONBLOCK);
        ASSERT_GE(Reader, 0);
        WriteFileAtomic(Fifo, "1\t2\r\n");
        char Buf[16] = {};
        EXPECT_EQ(::read(Reader, Buf, sizeof(Buf)), 5);
        EXPECT_EQ(std::string(Buf), "1\t2\r\n");
        ::close(Reader);
    }
    // Nobody reads: the save fails at once instead of waiting for a reader.
    try {
        WriteFileAtomic(Fifo, "lost");
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_NE(E.Message.find("plot.dat"), std::string::npos) << E.Message;
    }
    struct stat St {};
    ASSERT_EQ(::lstat(Fifo.c_str(), &St), 0);
    EXPECT_TRUE(S_ISFIFO(St.st_mode));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(T.Path()), {}), 1);

    // Devices, reached through links of our own so that a faulty save can
    // only ever replace the link: a write into /dev/full fails and says so.
    struct stat Full {};
    if (::stat("/dev/full", &Full) != 0 || !S_ISCHR(Full.st_mode) || ::stat("/dev/null", &St) != 0)
        GTEST_SKIP() << "/dev/full or /dev/null is missing";
    ::symlink("/dev/null", T.File("null.ini").c_str());
    ::symlink("/dev/full", T.File("full.ini").c_str());
    WriteFileAtomic(T.File("null.ini"), "a=1\r\n");
    try {
        WriteFileAtomic(T.File("full.ini"), "a=1\r\n");
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_NE(E.Message.find("full.ini"), std::string::npos) << E.Message;
        EXPECT_NE(E.Message.find(std::strerror(ENOSPC)), std::string::npos) << E.Message;
    }
    EXPECT_EQ(std::filesystem::read_symlink(T.File("null.ini")), "/dev/null");
    EXPECT_EQ(std::filesystem::read_symlink(T.File("full.ini")), "/dev/full");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(T.Path()), {}), 3);
}

TEST(FileUtils, AReaderThatLeavesAPipeFailsTheSaveWithoutEndingTheProgram)
{
    TempDir T;
    const std::string Fifo = T.File("pipe");
    ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
    const int Reader = ::open(Fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(Reader, 0);
    std::string Message;
    // More than a pipe holds, so the save still writes when the reader goes.
    std::thread Saver([&] {
        try {
            WriteFileAtomic(Fifo, std::string(1 << 20, 'x'));
        } catch (const EInOutError& E) {
            Message = E.Message;
        }
    });
    pollfd Ready{Reader, POLLIN, 0};
    EXPECT_EQ(::poll(&Ready, 1, -1), 1);
    ::close(Reader);
    Saver.join();
    EXPECT_NE(Message.find(std::strerror(EPIPE)), std::string::npos) << Message;
}

TEST(FileUtils, FailuresNameTheFile)
{
    TempDir T;
    try {
        ReadFileBytes(T.File("nope.db"));
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_NE(E.Message.find("nope.db"), std::string::npos) << E.Message;
    }
    try {
        WriteFileAtomic(T.File("no/such/dir/x.ini"), "a");
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_NE(E.Message.find("x.ini"), std::string::npos) << E.Message;
    }
    // A directory where the file should go: the rename fails, nothing is left.
    ForceDirectories(T.File("adir"));
    EXPECT_THROW(WriteFileAtomic(T.File("adir"), "a"), EInOutError);
    EXPECT_TRUE(DirectoryExists(T.File("adir")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(T.Path()), {}), 1);
    if (::geteuid() != 0) {
        ::chmod(T.Path().c_str(), 0500);
        EXPECT_THROW(WriteFileAtomic(T.File("ro.ini"), "a"), EInOutError);
        ::chmod(T.Path().c_str(), 0700);
    }
}
