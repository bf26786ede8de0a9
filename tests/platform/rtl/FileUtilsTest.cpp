#include "rtl/FileUtils.h"

#include "rtl/Exception.h"

#include "TempDirSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
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
