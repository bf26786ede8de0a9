#include "controls/VcRegIniFile.h"
#include "rtl/DateTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

class VcRegIniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string Pattern = (std::filesystem::temp_directory_path() / "kalvo-ctl-XXXXXX").string();
        ASSERT_NE(mkdtemp(Pattern.data()), nullptr);
        Dir = Pattern + "/";
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }
    std::string Read(const std::string& Name)
    {
        std::ifstream In(Dir + Name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(In), {});
    }
    void Write(const std::string& Name, const std::string& Bytes)
    {
        std::ofstream(Dir + Name, std::ios::binary) << Bytes;
    }
    std::string Dir;
};

TEST_F(VcRegIniFileTest, ReadersGiveDefaultsForMissingAndInvalidText)
{
    Write("a.ini",
          "[S]\r\nI=12\r\nH=0x1F\r\nBad=zz\r\nF=2,5\r\nB=0\r\nB2=3\r\nD=2024-02-29\r\nT=\xD5\xC5\r\nN=NAN\r\nInf="
          "INF\r\n");
    TVcRegIniFile Ini;
    Ini.SetPath(Dir + "a.ini");
    EXPECT_EQ(Ini.ReadInteger("S", "I", 0), 12);
    EXPECT_EQ(Ini.ReadInteger("s", "h", 0), 31);
    EXPECT_EQ(Ini.ReadInteger("S", "Bad", 7), 7);
    EXPECT_EQ(Ini.ReadInteger("S", "None", -3), -3);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "F", 0), 2.5);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "Bad", 1.25), 1.25);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "N", 1.25), 1.25);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "Inf", 1.25), 1.25);
    EXPECT_FALSE(Ini.ReadBool("S", "B", true));
    EXPECT_TRUE(Ini.ReadBool("S", "B2", false));
    EXPECT_TRUE(Ini.ReadBool("S", "Bad", true));
    EXPECT_DOUBLE_EQ(Ini.ReadDate("S", "D", 0), EncodeDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(Ini.ReadDate("S", "Bad", 5.75), 5.0);
    EXPECT_EQ(Ini.ReadString("S", "T", ""), "张");
    EXPECT_EQ(Ini.ReadStringBytes("S", "T", ""), "\xD5\xC5");
}

TEST_F(VcRegIniFileTest, WritersWriteAtOnceInTheFileFormat)
{
    TVcRegIniFile Ini;
    Ini.SetPath(Dir + "b.ini");
    Ini.WriteInteger("S", "I", -4);
    Ini.WriteFloat("S", "F", 0.1);
    Ini.WriteBool("S", "B", true);
    Ini.WriteString("S", "T", "张");
    Ini.WriteDate("S", "D", EncodeDate(2026, 12, 7) + 0.5);
    EXPECT_EQ(Read("b.ini"), "[S]\r\nI=-4\r\nF=0.1\r\nB=1\r\nT=\xD5\xC5\r\nD=2026-12-07\r\n");
}

TEST_F(VcRegIniFileTest, ChangingThePathSwitchesFiles)
{
    Write("one.ini", "[S]\r\nK=1\r\n");
    Write("two.ini", "[S]\r\nK=2\r\n");
    TVcRegIniFile Ini;
    Ini.SetPath(Dir + "one.ini");
    EXPECT_EQ(Ini.ReadInteger("S", "K", 0), 1);
    Ini.SetPath(Dir + "two.ini");
    EXPECT_EQ(Ini.ReadInteger("S", "K", 0), 2);
    Ini.WriteInteger("S", "K", 3);
    EXPECT_EQ(Read("one.ini"), "[S]\r\nK=1\r\n");
    EXPECT_EQ(Read("two.ini"), "[S]\r\nK=3\r\n");
}

TEST_F(VcRegIniFileTest, FailedWriteIsHandedToOnWriteError)
{
    TVcRegIniFile Ini;
    std::string Failed;
    int Done = 0;
    Ini.OnWriteError = [&](const std::string& FileName) { Failed = FileName; };
    Ini.OnWriteDone = [&](const std::string&) { ++Done; };
    Ini.SetPath(Dir + "missing/c.ini");
    EXPECT_NO_THROW(Ini.WriteString("S", "K", "v"));
    EXPECT_EQ(Failed, Dir + "missing/c.ini");
    EXPECT_EQ(Done, 0);
    Ini.SetPath(Dir + "c.ini");
    Ini.WriteString("S", "K", "v");
    EXPECT_EQ(Done, 1);
}

}  // namespace
