#include "app/General.h"
#include "app/SysOption.h"
#include "controls/VcRegIniFile.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

namespace {

class SysOptionTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        Options.reset();
        SetOptionStore(nullptr);
    }
    void Create()
    {
        Store.SetPath(Config());
        Options = std::make_unique<TOptionList>(&Store);
    }
    std::string Config() const { return Dir.File("config.ini"); }

    TScratchDir Dir;
    TVcRegIniFile Store;
    std::unique_ptr<TOptionList> Options;
};

TEST_F(SysOptionTest, MissingFileGivesEveryDefaultAndWritesNothing)
{
    Create();
    ASSERT_EQ(OptionList.size(), 20u);
    EXPECT_EQ(OptionList.front(), optAuthor);
    EXPECT_EQ(OptionList.back(), optProgramTitle);
    EXPECT_EQ(optAuthor->AsString(), "");
    EXPECT_EQ(optCommPort->AsString(), "COM1");
    EXPECT_EQ(optBaudRate->AsInteger(), 9600);
    EXPECT_EQ(optParity->AsInteger(), 0);
    EXPECT_EQ(optPollDelay->AsInteger(), 100);
    EXPECT_EQ(optPollTimeout->AsInteger(), 1000);
    EXPECT_DOUBLE_EQ(optXSpan->AsFloat(), 1200.0);
    EXPECT_EQ(optTimeBaseX->AsInteger(), 0);
    EXPECT_EQ(optChannelRingBufferSize->AsInteger(), 0);
    EXPECT_EQ(optLogFilenameMode->AsInteger(), 0);
    EXPECT_EQ(optStopMode->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(optLogDuration->AsFloat(), 10.0);
    EXPECT_EQ(optMaxRecordPerFile->AsInteger(), 65530);
    EXPECT_DOUBLE_EQ(optLogInterval->AsFloat(), 0.0);
    EXPECT_EQ(optAxisFormat->AsInteger(), 0);
    EXPECT_EQ(optProgramTitle->AsString(), "KALVO数据采集软件");
    EXPECT_EQ(optAxisFormat->Section(), "Display Parameters");
    EXPECT_EQ(optMaxRecordPerFile->Section(), "Log Parameters");
    EXPECT_EQ(optPollTimeout->Key(), "Poll Timeout");
    EXPECT_FALSE(std::filesystem::exists(Config()));
}

// One list owns the options, and the program's names show the newest list:
// the list it replaced may go first without taking them along.
TEST_F(SysOptionTest, AListMadeToReplaceAnotherShowsItsOwnOptionsUntilItGoes)
{
    TScratchDir::Write(Config(), "[System Parameters]\r\nBaud Rate=19200\r\n");
    Create();
    TVcRegIniFile Other;
    Other.SetPath(Dir.File("other.ini"));
    auto Replacement = std::make_unique<TOptionList>(&Other);
    Options.reset();
    ASSERT_EQ(OptionList.size(), 20u);
    EXPECT_EQ(OptionList[2], optBaudRate);
    EXPECT_EQ(optBaudRate->AsInteger(), 9600);
    Replacement.reset();
    EXPECT_TRUE(OptionList.empty());
    EXPECT_EQ(optBaudRate, nullptr);
}

TEST_F(SysOptionTest, ValuesRoundTripWithGbkBytesOnDisk)
{
    Create();
    optAuthor->SetValue(std::string("张三"));
    optLogInterval->SetValue(0.5);
    optBaudRate->SetValue(19200);
    EXPECT_EQ(TScratchDir::Read(Config()),
              "[System Parameters]\r\nAuthor=\xD5\xC5\xC8\xFD\r\nBaud Rate=19200\r\n"
              "[Log Parameters]\r\nLogInterval=0.5\r\n");

    Options.reset();
    TVcRegIniFile Again;
    Again.SetPath(Config());
    Options = std::make_unique<TOptionList>(&Again);
    EXPECT_EQ(optAuthor->AsString(), "张三");
    EXPECT_DOUBLE_EQ(optLogInterval->AsFloat(), 0.5);
    EXPECT_EQ(optBaudRate->AsInteger(), 19200);
}

TEST_F(SysOptionTest, OnlyChangedValuesAreWritten)
{
    const std::string Text =
        "; kept\r\n[System Parameters]\r\nPoll Delay=100\r\nParity=1\r\n"
        "[Log Parameters]\r\nLogDuration=2.5\r\n";
    TScratchDir::Write(Config(), Text);
    Create();
    EXPECT_EQ(optParity->AsInteger(), 1);
    EXPECT_DOUBLE_EQ(optLogDuration->AsFloat(), 2.5);
    optPollDelay->SetValue(100);
    optParity->SetValue(1);
    optLogDuration->SetValue(2.5);
    optCommPort->SetValue(std::string("COM1"));
    EXPECT_EQ(TScratchDir::Read(Config()), Text);

    optPollDelay->SetValue(50);
    EXPECT_EQ(TScratchDir::Read(Config()),
              "; kept\r\n[System Parameters]\r\nPoll Delay=50\r\nParity=1\r\n"
              "[Log Parameters]\r\nLogDuration=2.5\r\n");
}

TEST_F(SysOptionTest, UnusableValuesReadAsDefaultsAndStayInTheFile)
{
    const std::string Text =
        "[System Parameters]\r\nParity=5\r\nPoll Timeout=0\r\nPoll Delay=-1\r\nBaud Rate=abc\r\n"
        "[Display Parameters]\r\nTimeBaseX=6\r\nAxisFormat=-1\r\nXSpan=0\r\n"
        "[Log Parameters]\r\nMaxRecordPerFile=0\r\nStopMode=3\r\nStartMode=x\r\nTimeBaseLog=9\r\n"
        "LogFilenameMode=2\r\nStartTriggerLogic=2\r\nStopTriggerLogic=-1\r\nLogDuration=nan\r\n";
    TScratchDir::Write(Config(), Text);
    Create();
    EXPECT_EQ(optParity->AsInteger(), 0);
    EXPECT_EQ(optPollTimeout->AsInteger(), 1000);
    EXPECT_EQ(optPollDelay->AsInteger(), 100);
    EXPECT_EQ(optBaudRate->AsInteger(), 9600);
    EXPECT_EQ(optTimeBaseX->AsInteger(), 0);
    EXPECT_EQ(optAxisFormat->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(optXSpan->AsFloat(), 1200.0);
    EXPECT_EQ(optMaxRecordPerFile->AsInteger(), 65530);
    EXPECT_EQ(optStopMode->AsInteger(), 0);
    EXPECT_EQ(optStartMode->AsInteger(), 0);
    EXPECT_EQ(optTimeBaseLog->AsInteger(), 0);
    EXPECT_EQ(optLogFilenameMode->AsInteger(), 0);
    EXPECT_EQ(optStartTriggerLogic->AsInteger(), 0);
    EXPECT_EQ(optStopTriggerLogic->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(optLogDuration->AsFloat(), 10.0);
    EXPECT_EQ(TScratchDir::Read(Config()), Text);
}

TEST_F(SysOptionTest, HarmlessValuesOutsideTheDialogRangesAreKept)
{
    TScratchDir::Write(Config(),
                       "[System Parameters]\r\nPoll Delay=500\r\n"
                       "[Log Parameters]\r\nMaxRecordPerFile=5\r\nStopMode=2\r\nTimeBaseLog=5\r\n");
    Create();
    EXPECT_EQ(optPollDelay->AsInteger(), 500);
    EXPECT_EQ(optMaxRecordPerFile->AsInteger(), 5);
    EXPECT_EQ(optStopMode->AsInteger(), 2);
    EXPECT_EQ(optTimeBaseLog->AsInteger(), 5);
}

TEST_F(SysOptionTest, PollTimeoutOutsideTheDialogRangeReadsAsTheDefault)
{
    // The setup dialog offers 100 to 2000 ms; anything else (a wait of
    // weeks, or one too short for any instrument) reads as 1000 and stays
    // in the file.
    const std::pair<const char*, int> Cases[] = {
        {"2147483647", 1000}, {"2001", 1000}, {"99", 1000},   {"50", 1000},
        {"-5", 1000},         {"100", 100},   {"2000", 2000}, {"0x7D0", 2000},
    };
    for (const auto& [Text, Expected] : Cases) {
        const std::string File = std::string("[System Parameters]\r\nPoll Timeout=") + Text + "\r\n";
        TScratchDir::Write(Config(), File);
        TVcRegIniFile Other;
        Other.SetPath(Config());
        Options = std::make_unique<TOptionList>(&Other);
        EXPECT_EQ(optPollTimeout->AsInteger(), Expected) << Text;
        EXPECT_EQ(TScratchDir::Read(Config()), File) << Text;
        Options.reset();
    }
}

TEST_F(SysOptionTest, XSpanOutsideTheDialogRangeReadsAsTheDefault)
{
    // The setup dialog takes more than 0 and at most ten million of the
    // chosen unit; a span of 1e24 once hung the chart at start-up.
    const std::pair<const char*, double> Cases[] = {
        {"1e24", 1200}, {"10000000.5", 1200}, {"inf", 1200},          {"nan", 1200},
        {"-3", 1200},   {"0", 1200},          {"10000000", 10000000}, {"0.5", 0.5},
    };
    for (const auto& [Text, Expected] : Cases) {
        const std::string File = std::string("[Display Parameters]\r\nXSpan=") + Text + "\r\n";
        TScratchDir::Write(Config(), File);
        TVcRegIniFile Other;
        Other.SetPath(Config());
        Options = std::make_unique<TOptionList>(&Other);
        EXPECT_EQ(optXSpan->AsFloat(), Expected) << Text;
        EXPECT_EQ(TScratchDir::Read(Config()), File) << Text;
        Options.reset();
    }
}

TEST_F(SysOptionTest, NegativeRingBufferSizeIsResetAndWritten)
{
    TScratchDir::Write(Config(), "[Display Parameters]\r\nChannelRingBufferSize=-5\r\n");
    Create();
    EXPECT_EQ(optChannelRingBufferSize->AsInteger(), 0);
    EXPECT_EQ(TScratchDir::Read(Config()), "[Display Parameters]\r\nChannelRingBufferSize=0\r\n");
}

TEST_F(SysOptionTest, OwnerNameStoredAsUtf8IsConvertedToGbk)
{
    TScratchDir::Write(Config(), "[System Parameters]\r\nAuthor=\xE5\xBC\xA0\xE4\xB8\x89\r\n");
    Create();
    EXPECT_EQ(optAuthor->AsString(), "张三");
    EXPECT_EQ(TScratchDir::Read(Config()), "[System Parameters]\r\nAuthor=\xD5\xC5\xC8\xFD\r\n");
}

TEST_F(SysOptionTest, OwnerNameConversionOnlyWhenLossless)
{
    // Already GBK: left alone.
    const std::string Gbk = "[System Parameters]\r\nAuthor=\xD5\xC5\xC8\xFD\r\n";
    TScratchDir::Write(Config(), Gbk);
    Create();
    EXPECT_EQ(optAuthor->AsString(), "张三");
    EXPECT_EQ(TScratchDir::Read(Config()), Gbk);
    Options.reset();

    // UTF-8 with a character that has no GBK form: not converted.
    const std::string Emoji = "[System Parameters]\r\nAuthor=A\xF0\x9F\x98\x80\r\n";
    TScratchDir::Write(Config(), Emoji);
    TVcRegIniFile Other;
    Other.SetPath(Config());
    Options = std::make_unique<TOptionList>(&Other);
    EXPECT_EQ(TScratchDir::Read(Config()), Emoji);
    Options.reset();

    // A lone 0x80 passes the UTF-8 check but is no UTF-8 text: left alone.
    const std::string Lone =
        "[System Parameters]\r\nAuthor=\x80"
        "10\r\n";
    TScratchDir::Write(Config(), Lone);
    TVcRegIniFile Fourth;
    Fourth.SetPath(Config());
    Options = std::make_unique<TOptionList>(&Fourth);
    EXPECT_EQ(TScratchDir::Read(Config()), Lone);
    Options.reset();

    // GBK bytes that also form UTF-8 (谢 is D0 BB, a Cyrillic letter in
    // UTF-8; 谢谢 two of them): GBK, kept byte for byte.
    for (const std::string Name : {"\xD0\xBB", "\xD0\xBB\xD0\xBB", "Li \xD0\xBB"}) {
        const std::string Owner = "[System Parameters]\r\nAuthor=" + Name + "\r\n";
        TScratchDir::Write(Config(), Owner);
        TVcRegIniFile Store2;
        Store2.SetPath(Config());
        Options = std::make_unique<TOptionList>(&Store2);
        EXPECT_EQ(TScratchDir::Read(Config()), Owner);
        Options.reset();
    }
    TScratchDir::Write(Config(), "[System Parameters]\r\nAuthor=\xD0\xBB\r\n");
    TVcRegIniFile Fifth;
    Fifth.SetPath(Config());
    Options = std::make_unique<TOptionList>(&Fifth);
    EXPECT_EQ(optAuthor->AsString(), "谢");
    Options.reset();

    // Plain ASCII: nothing to convert.
    const std::string Ascii = "[System Parameters]\r\nAuthor=Kalvo Ltd\r\n";
    TScratchDir::Write(Config(), Ascii);
    TVcRegIniFile Third;
    Third.SetPath(Config());
    Options = std::make_unique<TOptionList>(&Third);
    EXPECT_EQ(optAuthor->AsString(), "Kalvo Ltd");
    EXPECT_EQ(TScratchDir::Read(Config()), Ascii);
}

TEST_F(SysOptionTest, SettingConvertsToTheOptionKind)
{
    Create();
    optBaudRate->SetValue(std::string("115200"));
    EXPECT_EQ(optBaudRate->AsInteger(), 115200);
    optXSpan->SetValue(30);
    EXPECT_DOUBLE_EQ(optXSpan->AsFloat(), 30.0);
    EXPECT_EQ(optXSpan->AsString(), "30");
    const std::string Text = TScratchDir::Read(Config());
    EXPECT_NE(Text.find("Baud Rate=115200\r\n"), std::string::npos);
    EXPECT_NE(Text.find("XSpan=30\r\n"), std::string::npos);
}

TEST_F(SysOptionTest, FailedWriteIsReportedWithTheFileName)
{
    std::vector<std::string> Failed;
    Store.OnWriteError = [&](const std::string& FileName) { Failed.push_back(FileName); };
    Store.SetPath(Dir.File("missing/config.ini"));
    Options = std::make_unique<TOptionList>(&Store);
    optPollDelay->SetValue(10);
    ASSERT_EQ(Failed.size(), 1u);
    EXPECT_EQ(Failed[0], Dir.File("missing/config.ini"));
    EXPECT_EQ(optPollDelay->AsInteger(), 10);
}

}  // namespace

namespace {

TEST_F(SysOptionTest, UnhandledWriteFailureReachesTheSettingsReporter)
{
    std::vector<std::string> Reports;
    SettingsWriteReporter().OnReport = [&](const std::string& Message) { Reports.push_back(Message); };
    Store.SetPath(Dir.File("missing/config.ini"));
    Options = std::make_unique<TOptionList>(&Store);
    optPollDelay->SetValue(10);
    optPollTimeout->SetValue(500);
    SettingsWriteReporter().OnReport = nullptr;
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0], "无法保存设置文件: " + Dir.File("missing/config.ini"));
}

}  // namespace
