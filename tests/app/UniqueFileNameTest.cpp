#include "app/UniqueFileName.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void Touch(const std::string& Name)
{
    std::ofstream(Name) << "x";
}

TEST(UniqueFileNameTest, RemoveFileExtDropsOnlyTheLastExtension)
{
    EXPECT_EQ("/data/run.2026", RemoveFileExt("/data/run.2026.csv"));
    EXPECT_EQ("/data/run", RemoveFileExt("/data/run"));
    EXPECT_EQ("/a.b/run", RemoveFileExt("/a.b/run"));
}

TEST(UniqueFileNameTest, AFreeNameIsKept)
{
    TScratchDir dir;
    EXPECT_EQ(dir / "x.csv", UniqueFileName(dir / "x.csv"));
}

TEST(UniqueFileNameTest, NumbersUpward)
{
    TScratchDir dir;
    Touch(dir / "x.csv");
    EXPECT_EQ(dir / "x(2).csv", UniqueFileName(dir / "x.csv"));
    Touch(dir / "x(2).csv");
    EXPECT_EQ(dir / "x(3).csv", UniqueFileName(dir / "x.csv"));
}

TEST(UniqueFileNameTest, ANumberedNameRestartsFromItsStem)
{
    TScratchDir dir;
    Touch(dir / "x(7).csv");
    EXPECT_EQ(dir / "x.csv", UniqueFileName(dir / "x(7).csv"));
    Touch(dir / "x.csv");
    EXPECT_EQ(dir / "x(8).csv", UniqueFileName(dir / "x(7).csv"));
}

TEST(UniqueFileNameTest, ParenthesesThatAreNotANumberAreKept)
{
    TScratchDir dir;
    Touch(dir / "(5).csv");
    EXPECT_EQ(dir / "(5)(2).csv", UniqueFileName(dir / "(5).csv"));
    Touch(dir / "a(b).csv");
    EXPECT_EQ(dir / "a(b)(2).csv", UniqueFileName(dir / "a(b).csv"));
    Touch(dir / "a().csv");
    EXPECT_EQ(dir / "a()(2).csv", UniqueFileName(dir / "a().csv"));
}

TEST(UniqueFileNameTest, TheRunningLogFileName)
{
    TScratchDir dir;
    Touch(dir / "$$$RunningLogFile.$$$");
    EXPECT_EQ(dir / "$$$RunningLogFile(2).$$$", UniqueFileName(dir / "$$$RunningLogFile.$$$"));
}

}  // namespace
