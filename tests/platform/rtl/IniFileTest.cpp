#include "rtl/IniFile.h"

#include "rtl/Exception.h"
#include "rtl/FileUtils.h"
#include "rtl/StringList.h"

#include "LocaleSupport.h"
#include "TempDirSupport.h"

#include <gtest/gtest.h>

#include <vector>

#include <limits>

#include <cmath>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::vector<std::string> Items(const TStrings& L)
{
    std::vector<std::string> R;
    for (int I = 0; I < L.Count(); ++I)
        R.push_back(L[I]);
    return R;
}

using V = std::vector<std::string>;

struct FileStamp {
    std::int64_t MTimeNs;
    ino_t Inode;
    bool operator==(const FileStamp&) const = default;
};

FileStamp Stamp(const std::string& F)
{
    struct stat St {};
    ::stat(F.c_str(), &St);
    return {std::int64_t(St.st_mtim.tv_sec) * 1000000000 + St.st_mtim.tv_nsec, St.st_ino};
}

// Backdates the file so that any rewrite shows in its time stamp.
void Backdate(const std::string& F)
{
    const timespec Times[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, F.c_str(), Times, 0);
}

}  // namespace

TEST(IniFile, WritesGbkWithCrlfExactly)
{
    TempDir T;
    const std::string F = T.File("Devices.db");
    TIniFile Ini(F);
    Ini.WriteString("Device1", "DeviceName", "数字显示控制仪");
    Ini.WriteInteger("Device1", "ChannelCount", 2);
    Ini.WriteString("设备", "名称", "值");
    EXPECT_EQ(ReadRaw(F),
              "[Device1]\r\n"
              "DeviceName=\xCA\xFD\xD7\xD6\xCF\xD4\xCA\xBE\xBF\xD8\xD6\xC6\xD2\xC7\r\n"
              "ChannelCount=2\r\n"
              "[\xC9\xE8\xB1\xB8]\r\n"
              "\xC3\xFB\xB3\xC6=\xD6\xB5\r\n");
    TIniFile Other(F);
    EXPECT_EQ(Other.ReadString("设备", "名称", ""), "值");
    EXPECT_EQ(Other.ReadString("DEVICE1", "devicename", ""), "数字显示控制仪");
}

TEST(IniFile, MissingOrInvalidValuesGiveTheDefault)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    WriteRaw(F,
             "[S]\r\n"
             "Int=12x\r\n"
             "Empty=\r\n"
             "Float=1.2.3\r\n"
             "Bool=yes\r\n"
             "Date=2024-02-30\r\n"
             "Big=99999999999\r\n");
    TIniFile Ini(F);
    EXPECT_EQ(Ini.ReadInteger("S", "Int", 7), 7);
    EXPECT_EQ(Ini.ReadInteger("S", "Empty", 7), 7);
    EXPECT_EQ(Ini.ReadInteger("S", "Big", 7), 7);
    EXPECT_EQ(Ini.ReadInteger("S", "Missing", -1), -1);
    EXPECT_EQ(Ini.ReadInteger("Nope", "Int", 3), 3);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "Float", 2.5), 2.5);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "Empty", 2.5), 2.5);
    EXPECT_TRUE(Ini.ReadBool("S", "Bool", true));
    EXPECT_FALSE(Ini.ReadBool("S", "Bool", false));
    EXPECT_EQ(Ini.ReadDate("S", "Date", 5.0), 5.0);
    EXPECT_EQ(Ini.ReadString("S", "Missing", "def"), "def");
    EXPECT_EQ(Ini.ReadString("S", "Empty", "def"), "");  // present but empty
    TIniFile NoFile(T.File("absent.ini"));
    EXPECT_EQ(NoFile.ReadString("S", "Int", "d"), "d");
    EXPECT_FALSE(FileExists(T.File("absent.ini")));
}

TEST(IniFile, TypedValuesReadAndWrite)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    WriteRaw(F,
             "[S]\r\n"
             "Hex1=0x1F\r\n"
             "Hex2=$ff\r\n"
             "Neg=  -12  \r\n"
             "Comma=0,5\r\n"
             "B0=0\r\n"
             "B2=2\r\n"
             "BNeg=-1\r\n"
             "BHex=0x0\r\n"
             "D=2024-03-05\r\n");
    TIniFile Ini(F);
    EXPECT_EQ(Ini.ReadInteger("S", "Hex1", 0), 31);
    EXPECT_EQ(Ini.ReadInteger("S", "Hex2", 0), 255);
    EXPECT_EQ(Ini.ReadInteger("S", "Neg", 0), -12);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("S", "Comma", 0), 0.5);
    EXPECT_FALSE(Ini.ReadBool("S", "B0", true));
    EXPECT_TRUE(Ini.ReadBool("S", "B2", false));
    EXPECT_TRUE(Ini.ReadBool("S", "BNeg", false));
    EXPECT_FALSE(Ini.ReadBool("S", "BHex", true));
    EXPECT_EQ(Ini.ReadDate("S", "D", 0), EncodeDate(2024, 3, 5));

    Ini.WriteBool("W", "On", true);
    Ini.WriteBool("W", "Off", false);
    Ini.WriteFloat("W", "F", 1200.0);
    Ini.WriteFloat("W", "G", -0.25);
    Ini.WriteDate("W", "D", EncodeDate(2024, 3, 5) + 0.5);
    Ini.WriteDateTime("W", "DT", EncodeDate(2024, 3, 5) + 0.5);
    const std::string Raw = ReadRaw(F);
    EXPECT_NE(Raw.find("[W]\r\nOn=1\r\nOff=0\r\nF=1200\r\nG=-0.25\r\nD=2024-03-05\r\nDT=2024-03-05 12:00:00\r\n"),
              std::string::npos)
        << Raw;
    EXPECT_DOUBLE_EQ(Ini.ReadDateTime("W", "DT", 0), EncodeDate(2024, 3, 5) + 0.5);
}

TEST(IniFile, FloatsAreWrittenWithAPointUnderACommaLocale)
{
    CommaLocale Locale;
    if (!Locale.Active())
        GTEST_SKIP() << "no locale with a decimal comma (de_DE.UTF-8) can be set up";
    TempDir T;
    const std::string F = T.File("config.ini");
    TIniFile Ini(F);
    Ini.WriteFloat("Display Parameters", "XSpan", 1.5);
    EXPECT_EQ(ReadRaw(F), "[Display Parameters]\r\nXSpan=1.5\r\n");
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("Display Parameters", "XSpan", 0), 1.5);
}

TEST(IniFile, EveryWrittenFloatReadsBackAsWritten)
{
    TempDir T;
    const std::string F = T.File("Devices.db");
    const double Max = std::numeric_limits<double>::max();
    const std::vector<double> Values{Max,
                                     -Max,
                                     std::nextafter(Max, 0.0),
                                     std::numeric_limits<double>::min(),
                                     std::numeric_limits<double>::denorm_min(),
                                     -std::numeric_limits<double>::denorm_min(),
                                     0.1 + 0.2,
                                     -99999999.0};
    {
        TIniFile Ini(F);
        for (std::size_t I = 0; I < Values.size(); ++I)
            Ini.WriteFloat("Device1", "Level" + std::to_string(I), Values[I]);
    }
    // A fresh reader, as at the next start.
    TIniFile Ini(F);
    for (std::size_t I = 0; I < Values.size(); ++I)
        EXPECT_EQ(Ini.ReadFloat("Device1", "Level" + std::to_string(I), 7.0), Values[I])
            << Ini.ReadString("Device1", "Level" + std::to_string(I), "");
    EXPECT_EQ(Ini.ReadString("Device1", "Level0", ""), "1.7976931348623157E308");
}

TEST(IniFile, UnknownLinesAndTheirOrderAreKept)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    const std::string Original =
        "; leading comment\r\n"
        "stray line before any section\r\n"
        "\r\n"
        "[System Parameters]\r\n"
        "  Comm Port = COM3  \r\n"
        "# hash comment\r\n"
        "odd line without equals\r\n"
        "Baud Rate=9600\r\n"
        "\r\n"
        "[Log Parameters]\r\n"
        "StartMode=0\r\n";
    WriteRaw(F, Original);
    TIniFile Ini(F);
    EXPECT_EQ(Ini.ReadString("System Parameters", "Comm Port", ""), "COM3");
    Ini.WriteInteger("System Parameters", "Baud Rate", 19200);
    EXPECT_EQ(ReadRaw(F),
              "; leading comment\r\n"
              "stray line before any section\r\n"
              "\r\n"
              "[System Parameters]\r\n"
              "  Comm Port = COM3  \r\n"
              "# hash comment\r\n"
              "odd line without equals\r\n"
              "Baud Rate=19200\r\n"
              "\r\n"
              "[Log Parameters]\r\n"
              "StartMode=0\r\n");
}

TEST(IniFile, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    WriteRaw(F, "[A]\nx=1\n; note\n\n\n[B]\ny=2");
    TIniFile Ini(F);
    Ini.WriteString("a", "z", "3");
    Ini.WriteString("C", "w", "4");
    Ini.WriteString("B", "v", "5");
    EXPECT_EQ(ReadRaw(F), "[A]\r\nx=1\r\n; note\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\nv=5\r\n[C]\r\nw=4\r\n");
}

TEST(IniFile, FirstOccurrenceWins)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    WriteRaw(F, "[S]\r\nk=first\r\nK=second\r\n[s]\r\nk=third\r\nonly=here\r\n");
    TIniFile Ini(F);
    EXPECT_EQ(Ini.ReadString("S", "k", ""), "first");
    EXPECT_EQ(Ini.ReadString("S", "only", "none"), "none");  // the duplicate section is hidden
    Ini.WriteString("s", "K", "new");
    EXPECT_EQ(ReadRaw(F), "[S]\r\nk=new\r\nK=second\r\n[s]\r\nk=third\r\nonly=here\r\n");
    TStringList L;
    Ini.ReadSections(&L);
    EXPECT_EQ(Items(L), (V{"S"}));
    Ini.ReadSection("S", &L);
    EXPECT_EQ(Items(L), (V{"k"}));
    Ini.ReadSectionValues("S", &L);
    EXPECT_EQ(Items(L), (V{"k=new"}));
}

TEST(IniFile, AWriteThatChangesNothingLeavesTheFileUntouched)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    TIniFile Ini(F);
    Ini.WriteInteger("S", "Poll Delay", 100);
    Ini.WriteFloat("S", "XSpan", 1200.0);
    Ini.WriteString("S", "Title", "KALVO数据采集软件");
    Backdate(F);
    const FileStamp Before = Stamp(F);
    Ini.WriteInteger("S", "Poll Delay", 100);
    Ini.WriteFloat("S", "XSpan", 1200.0);
    Ini.WriteString("s", "TITLE", "KALVO数据采集软件");
    Ini.DeleteKey("S", "Missing");
    Ini.EraseSection("Missing");
    EXPECT_EQ(Stamp(F), Before);
    Ini.WriteInteger("S", "Poll Delay", 101);
    EXPECT_NE(Stamp(F), Before);
}

TEST(IniFile, AWriteOfWhatTheKeyAlreadyReadsAsKeepsItsBytes)
{
    TempDir T;
    const std::string F = T.File("Devices.db");
    const std::string Text = "[S]\r\nName=a\x81 b\r\nHex=0x10\r\nLevel=1.50\r\nComma=2,5\r\nFlag=7\r\n";
    WriteRaw(F, Text);
    TIniFile Ini(F);
    const std::string Name = Ini.ReadString("S", "Name", "");
    EXPECT_EQ(Name, "a? b");
    Ini.WriteString("S", "Name", Name);
    Ini.WriteInteger("S", "Hex", 16);
    Ini.WriteFloat("S", "Level", 1.5);
    Ini.WriteFloat("S", "Comma", 2.5);
    Ini.WriteBool("S", "Flag", true);
    EXPECT_EQ(ReadRaw(F), Text);
    Ini.WriteInteger("S", "Hex", 17);
    Ini.WriteBool("S", "Flag", false);
    Ini.WriteString("S", "Name", "ab");
    EXPECT_EQ(ReadRaw(F), "[S]\r\nName=ab\r\nHex=17\r\nLevel=1.50\r\nComma=2,5\r\nFlag=0\r\n");
}

TEST(IniFile, TwoObjectsOnOneFileAgree)
{
    TempDir T;
    const std::string F = T.File("Devices.db");
    TIniFile A(F), B(F);
    EXPECT_EQ(B.ReadInteger("Device1", "StationId", 0), 0);
    A.WriteInteger("Device1", "StationId", 5);
    EXPECT_EQ(B.ReadInteger("Device1", "StationId", 0), 5);
    B.WriteInteger("Device1", "ValueRule", 2);
    A.WriteInteger("Device1", "StationId", 6);
    // A re-read before writing and kept B's key.
    EXPECT_EQ(ReadRaw(F), "[Device1]\r\nStationId=6\r\nValueRule=2\r\n");
    // A change made by someone else with the same size and time stamp granularity.
    WriteRaw(F, "[Device1]\r\nStationId=7\r\nValueRule=2\r\n");
    EXPECT_EQ(A.ReadInteger("Device1", "StationId", 0), 7);
}

TEST(IniFile, SectionQueriesAndRemoval)
{
    TempDir T;
    const std::string F = T.File("Devices.db");
    WriteRaw(F,
             "[Device2]\r\nDeviceName=B\r\nChannelCount=1\r\n[Empty]\r\n[device1]\r\nDeviceName=A\r\n"
             "[DEVICE2]\r\nExtra=1\r\n[Tail]\r\nk=\r\n");
    TIniFile Ini(F);
    TStringList L;
    Ini.ReadSections(&L);
    EXPECT_EQ(Items(L), (V{"Device2", "Empty", "device1", "Tail"}));
    Ini.ReadSection("device2", &L);
    EXPECT_EQ(Items(L), (V{"DeviceName", "ChannelCount"}));
    Ini.ReadSectionValues("DEVICE2", &L);
    EXPECT_EQ(Items(L), (V{"DeviceName=B", "ChannelCount=1"}));
    EXPECT_TRUE(Ini.SectionExists("device2"));
    EXPECT_FALSE(Ini.SectionExists("Empty"));  // no key in it
    EXPECT_FALSE(Ini.SectionExists("Device3"));
    EXPECT_TRUE(Ini.ValueExists("Tail", "K"));
    EXPECT_FALSE(Ini.ValueExists("Tail", "x"));

    Ini.EraseSection("device2");  // both sections of that name go
    EXPECT_EQ(ReadRaw(F), "[Empty]\r\n[device1]\r\nDeviceName=A\r\n[Tail]\r\nk=\r\n");
    Ini.DeleteKey("Device1", "devicename");
    EXPECT_EQ(ReadRaw(F), "[Empty]\r\n[device1]\r\n[Tail]\r\nk=\r\n");
}

TEST(IniFile, AnUpdateWritesItsChangesOnceAtItsEnd)
{
    TempDir T;
    const std::string F = T.File("Devices.db");
    WriteRaw(F, "[Device1]\r\nStationId=1\r\n\r\n[Device2]\r\n");
    TIniFile Ini(F);
    Ini.BeginUpdate();
    Ini.BeginUpdate();
    Ini.WriteInteger("Device1", "ChannelCount", 2);
    Ini.WriteString("device2", "DeviceName", "压力");
    Ini.WriteInteger("Device3", "StationId", 3);
    Ini.DeleteKey("Device1", "StationId");
    // Read back from memory; nothing on disk yet.
    EXPECT_EQ(Ini.ReadInteger("DEVICE1", "channelcount", 0), 2);
    EXPECT_FALSE(Ini.ValueExists("Device1", "StationId"));
    EXPECT_EQ(ReadRaw(F), "[Device1]\r\nStationId=1\r\n\r\n[Device2]\r\n");
    Ini.EndUpdate();
    EXPECT_EQ(ReadRaw(F), "[Device1]\r\nStationId=1\r\n\r\n[Device2]\r\n");
    Ini.EndUpdate();
    EXPECT_EQ(ReadRaw(F),
              "[Device1]\r\nChannelCount=2\r\n\r\n[Device2]\r\nDeviceName=\xD1\xB9\xC1\xA6\r\n"
              "[Device3]\r\nStationId=3\r\n");
    // Back to writing at once; an update without changes writes nothing.
    Backdate(F);
    const FileStamp Before = Stamp(F);
    Ini.BeginUpdate();
    Ini.WriteInteger("Device1", "ChannelCount", 2);
    Ini.EndUpdate();
    EXPECT_EQ(Stamp(F), Before);
    Ini.WriteInteger("Device1", "ChannelCount", 3);
    EXPECT_NE(ReadRaw(F).find("ChannelCount=3\r\n"), std::string::npos);

    // An update whose file cannot be written raises at its end.
    TIniFile Missing(T.File("no/dir/Devices.db"));
    Missing.BeginUpdate();
    Missing.WriteInteger("S", "K", 1);
    EXPECT_THROW(Missing.EndUpdate(), EInOutError);
}

TEST(IniFile, ManySectionsAreFoundByNameAndKeepTheirOrder)
{
    TempDir T;
    const std::string F = T.File("Devices.db");
    std::string Text;
    for (int D = 1; D <= 3000; ++D)
        Text += "[Device" + std::to_string(D) + "]\r\nStationId=" + std::to_string(D) + "\r\n";
    WriteRaw(F, Text + "[device7]\r\nStationId=0\r\n");
    TIniFile Ini(F);
    EXPECT_EQ(Ini.ReadInteger("device2999", "stationid", 0), 2999);
    EXPECT_EQ(Ini.ReadInteger("DEVICE7", "StationId", 0), 7);
    TStringList L;
    Ini.ReadSections(&L);
    ASSERT_EQ(L.Count(), 3000);
    EXPECT_EQ(L[2999], "Device3000");
    Ini.WriteInteger("Device1500", "ValueRule", 2);
    Ini.EraseSection("Device2");
    EXPECT_EQ(Ini.ReadInteger("Device1500", "ValueRule", 0), 2);
    EXPECT_EQ(Ini.ReadInteger("Device3", "StationId", 0), 3);
    TIniFile Other(F);
    EXPECT_EQ(Other.ReadInteger("Device1500", "ValueRule", 0), 2);
    EXPECT_FALSE(Other.ValueExists("Device2", "StationId"));
    EXPECT_EQ(Other.ReadInteger("Device1501", "StationId", 0), 1501);
}

TEST(IniFile, FailedWritesRaiseNamingTheFile)
{
    TempDir T;
    TIniFile Missing(T.File("no/dir/config.ini"));
    try {
        Missing.WriteInteger("S", "K", 1);
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_NE(E.Message.find("config.ini"), std::string::npos) << E.Message;
    }
    // An existing file that cannot be read is never replaced by a partial one.
    ForceDirectories(T.File("unreadable.ini"));
    TIniFile Unreadable(T.File("unreadable.ini"));
    EXPECT_EQ(Unreadable.ReadInteger("S", "K", 4), 4);
    EXPECT_THROW(Unreadable.WriteInteger("S", "K", 1), EInOutError);
    EXPECT_TRUE(DirectoryExists(T.File("unreadable.ini")));
}

TEST(IniFile, ALinkedFileIsRewrittenWhereTheLinkPoints)
{
    TempDir T;
    ForceDirectories(T.File("shared"));
    WriteRaw(T.File("shared/config.ini"), "[System Parameters]\r\nComm Port=/tmp/ttyV0\r\n");
    ASSERT_EQ(::symlink("shared/config.ini", T.File("config.ini").c_str()), 0);
    TIniFile Ini(T.File("config.ini"));
    Ini.WriteInteger("System Parameters", "Poll Delay", 50);
    struct stat St {};
    ASSERT_EQ(::lstat(T.File("config.ini").c_str(), &St), 0);
    EXPECT_TRUE(S_ISLNK(St.st_mode));
    EXPECT_EQ(ReadRaw(T.File("shared/config.ini")), "[System Parameters]\r\nComm Port=/tmp/ttyV0\r\nPoll Delay=50\r\n");
    EXPECT_EQ(Ini.ReadInteger("System Parameters", "Poll Delay", 0), 50);
}

TEST(IniFile, APipeWithNobodyAtTheOtherEndNeitherHangsNorIsReplaced)
{
    TempDir T;
    const std::string Fifo = T.File("config.ini");
    ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
    TIniFile Ini(Fifo);
    EXPECT_EQ(Ini.ReadInteger("System Parameters", "Poll Delay", 100), 100);
    EXPECT_THROW(Ini.WriteInteger("System Parameters", "Poll Delay", 50), EInOutError);
    struct stat St {};
    ASSERT_EQ(::lstat(Fifo.c_str(), &St), 0);
    EXPECT_TRUE(S_ISFIFO(St.st_mode));
}

TEST(IniFile, ValuesCannotBreakTheLineStructure)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    TIniFile Ini(F);
    Ini.WriteString("S", "Author", "line1\r\n[Evil]\r\nk=v");
    EXPECT_EQ(ReadRaw(F), "[S]\r\nAuthor=line1  [Evil]  k=v\r\n");
    EXPECT_FALSE(Ini.SectionExists("Evil"));
    EXPECT_EQ(Ini.ReadString("S", "Author", ""), "line1  [Evil]  k=v");
}

TEST(IniFile, RawBytesShowHowAValueWasStored)
{
    TempDir T;
    const std::string F = T.File("config.ini");
    // The same name once as UTF-8 bytes and once as GBK bytes.
    WriteRaw(F, "[System Parameters]\r\nAuthor= \xE5\xBC\xA0\xE4\xB8\x89 \r\nGbk=\xD5\xC5\xC8\xFD\r\n");
    TIniFile Ini(F);
    EXPECT_EQ(Ini.ReadStringBytes("System Parameters", "Author", "-"), "\xE5\xBC\xA0\xE4\xB8\x89");
    EXPECT_EQ(Ini.ReadStringBytes("System Parameters", "Gbk", "-"), "\xD5\xC5\xC8\xFD");
    EXPECT_EQ(Ini.ReadString("System Parameters", "Gbk", "-"), "张三");
    EXPECT_EQ(Ini.ReadStringBytes("System Parameters", "None", "-"), "-");
    Ini.WriteString("System Parameters", "Author", "张三");
    EXPECT_EQ(Ini.ReadStringBytes("System Parameters", "Author", "-"), "\xD5\xC5\xC8\xFD");
}

TEST(IniFile, SectionNamesWithBracketLikeTrailBytes)
{
    // U+4E5A is 81 5D in GBK: its trail byte is ']'.
    const std::string Name =
        "\xE4\xB9\x9A"
        "A";
    TempDir T;
    const std::string F = T.File("x.ini");
    TIniFile Ini(F);
    Ini.WriteString(Name, "k", "1");
    Ini.WriteString(Name, "k2", "2");
    EXPECT_EQ(ReadRaw(F),
              "[\x81\x5D"
              "A]\r\nk=1\r\nk2=2\r\n");
    TIniFile Other(F);
    EXPECT_EQ(Other.ReadString(Name, "k", ""), "1");
    EXPECT_EQ(Other.ReadString(Name, "k2", ""), "2");
}
