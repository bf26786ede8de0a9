#include "app/LogFileSystem.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The probe a run makes of its folders before it starts: real refusals of
// the system, with its reasons, and nothing left behind.
TEST(LogFileSystemTest, TheFolderProbeLeavesNothingAndGivesTheSystemsReason)
{
    TScratchDir Dir;
    TLogFileSystem Files;
    EXPECT_FALSE(Files.ProbeFolder(Dir.Path()));
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path()));

    EXPECT_EQ(std::errc::no_such_file_or_directory, Files.ProbeFolder(Dir / "missing"));
    TScratchDir::Write(Dir / "file", "x");
    EXPECT_EQ(std::errc::not_a_directory, Files.ProbeFolder(Dir / "file"));
}

TEST(LogFileSystemTest, AFullDiskIsReportedAsSuch)
{
    TLogFileSystem Files;
    EXPECT_EQ(std::errc::no_space_on_device, Files.Append("/dev/full", "1,2\r\n"));
}

}  // namespace
