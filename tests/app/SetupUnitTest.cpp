#include "app/SetupUnit.h"
#include "app/SysOption.h"
#include "controls/VcRegIniFile.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"
#include "ui/Screenshot.h"
#include "ui/TextClipCheck.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

namespace {

class SetupUnitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SetDialogResponder([this](const TDialogRequest& Request) {
            Asked.push_back(Request);
            TDialogAnswer Answer;
            Answer.Result = IDOK;
            return Answer;
        });
        Store.SetPath(Dir.File("config.ini"));
        SetOptionStore(&Store);
    }
    void TearDown() override
    {
        delete Form;
        SetDialogResponder(nullptr);
        SetOptionStore(nullptr);
    }
    // Creates the dialog (reading the options) and shows its values.
    void Open(bool Running = false)
    {
        Form = new TfrmSetup(nullptr);
        Form->RunActive = [Running] { return Running; };
        Form->OnApplyOptions = [this] { ++Applied; };
        Form->DoCreate();
        Form->FormShow(Form);
    }
    template <class T> T* Find(const std::string& Name)
    {
        T* Control = dynamic_cast<T*>(Form->FindComponent(Name));
        EXPECT_NE(Control, nullptr) << Name;
        return Control;
    }
    void PressOk() { Find<TVcDialogButtons>("DialogButtons")->OkButton()->Click(); }
    std::string Config() const { return TScratchDir::Read(Dir.File("config.ini")); }

    TScratchDir Dir;
    TVcRegIniFile Store;
    TfrmSetup* Form = nullptr;
    std::vector<TDialogRequest> Asked;
    int Applied = 0;
};

TEST_F(SetupUnitTest, ShowsEveryOptionInItsControl)
{
    TScratchDir::Write(Dir.File("config.ini"),
                       "[System Parameters]\r\nBaud Rate=19200\r\nParity=2\r\nPoll Delay=20\r\nPoll Timeout=500\r\n"
                       "[Display Parameters]\r\nXSpan=30\r\nTimeBaseX=1\r\nAxisFormat=1\r\n"
                       "ChannelRingBufferSize=100\r\n[Log Parameters]\r\nLogFilenameMode=1\r\nStartMode=1\r\n"
                       "StopMode=2\r\nLogDuration=1.5\r\nTimeBaseLog=2\r\nStopTriggerLogic=1\r\n"
                       "MaxRecordPerFile=500\r\nLogInterval=2\r\n");
    Open();
    EXPECT_EQ(Form->GetText(), "设置");
    EXPECT_EQ(Find<TVcComboBox>("cbxBaud")->GetText(), "19200");
    EXPECT_EQ(Find<TVcComboBox>("cbxParity")->GetText(), "偶校验");
    EXPECT_EQ(Find<TVcSpinEdit>("spePollDelay")->GetValue(), 20);
    EXPECT_EQ(Find<TVcSpinEdit>("spePollTimeout")->GetValue(), 500);
    EXPECT_EQ(Find<TVcComboBox>("cbxXAxisFormat")->GetText(), "相对时间");
    EXPECT_EQ(Find<TVcNumericEdit>("neXSpan")->GetText(), "30.0");
    EXPECT_EQ(Find<TVcComboBox>("cbxTimeBaseX")->GetText(), "分钟");
    EXPECT_EQ(Find<TVcComboBox>("cbxTimeBaseX")->Items->Count(), 6);
    EXPECT_EQ(Find<TVcNumericEdit>("neChannelRingBufferSize")->GetText(), "100");
    EXPECT_EQ(Find<TVcRadioGroup>("rgLogFilenameMode")->GetItemIndex(), 1);
    EXPECT_EQ(Find<TVcRadioGroup>("rgStopTriggerLogic")->GetItemIndex(), 1);
    EXPECT_EQ(Find<TVcEdit>("leLogDuration")->GetText(), "1.5");
    EXPECT_EQ(Find<TVcComboBox>("cbxTimeBaseLog")->GetText(), "小时");
    EXPECT_EQ(Find<TVcNumericEdit>("neLogInterval")->GetText(), "2.0");
    EXPECT_EQ(Find<TVcSpinEdit>("speMaxRecordPerFile")->GetValue(), 500);

    // Pages and enabling when idle, start by trigger and stop by trigger.
    EXPECT_EQ(Find<TVcPageControl>("pgcSetup")->GetActivePage(), Find<TVcTabSheet>("tsLog"));
    EXPECT_TRUE(Find<TVcTabSheet>("tsComm")->GetTabVisible());
    EXPECT_TRUE(Find<TVcComboBox>("cbxXAxisFormat")->GetEnabled());
    EXPECT_TRUE(Find<TVcRadioGroup>("rgStartTriggerLogic")->GetEnabled());
    EXPECT_TRUE(Find<TVcRadioGroup>("rgStopTriggerLogic")->GetEnabled());
    EXPECT_FALSE(Find<TVcEdit>("leLogDuration")->GetEnabled());
    EXPECT_FALSE(Find<TVcComboBox>("cbxTimeBaseLog")->GetEnabled());
    EXPECT_TRUE(Find<TVcBitBtn>("btnTriggerChannels")->GetEnabled());
}

TEST_F(SetupUnitTest, EnablingFollowsTheModes)
{
    Open();
    auto* StartMode = Find<TVcRadioGroup>("rgStartMode");
    auto* StopMode = Find<TVcRadioGroup>("rgStopMode");
    EXPECT_FALSE(Find<TVcBitBtn>("btnTriggerChannels")->GetEnabled());
    EXPECT_FALSE(Find<TVcRadioGroup>("rgStartTriggerLogic")->GetEnabled());
    EXPECT_FALSE(Find<TVcEdit>("leLogDuration")->GetEnabled());
    EXPECT_FALSE(Find<TVcLabel>("lblLogDuration")->GetEnabled());
    EXPECT_FALSE(Find<TVcLabel>("lblTimeBaseLog")->GetEnabled());

    StopMode->SetItemIndex(1);
    Form->ModeClick(StopMode);
    EXPECT_TRUE(Find<TVcEdit>("leLogDuration")->GetEnabled());
    EXPECT_TRUE(Find<TVcLabel>("lblLogDuration")->GetEnabled());
    EXPECT_TRUE(Find<TVcLabel>("lblTimeBaseLog")->GetEnabled());
    EXPECT_TRUE(Find<TVcComboBox>("cbxTimeBaseLog")->GetEnabled());
    EXPECT_FALSE(Find<TVcRadioGroup>("rgStopTriggerLogic")->GetEnabled());
    EXPECT_FALSE(Find<TVcBitBtn>("btnTriggerChannels")->GetEnabled());

    StartMode->SetItemIndex(1);
    Form->ModeClick(StartMode);
    EXPECT_TRUE(Find<TVcRadioGroup>("rgStartTriggerLogic")->GetEnabled());
    EXPECT_TRUE(Find<TVcBitBtn>("btnTriggerChannels")->GetEnabled());
}

TEST_F(SetupUnitTest, SampleNumberFormatTakesWholeNumbers)
{
    TScratchDir::Write(Dir.File("config.ini"), "[Display Parameters]\r\nXSpan=100\r\nAxisFormat=2\r\n");
    Open();
    auto* XSpan = Find<TVcNumericEdit>("neXSpan");
    EXPECT_TRUE(XSpan->GetIntegersOnly());
    EXPECT_EQ(XSpan->GetDisplayFormat(), "0");
    EXPECT_EQ(XSpan->GetText(), "100");
    EXPECT_TRUE(Find<TVcLabel>("lblSampleNumber")->GetVisible());
    EXPECT_FALSE(Find<TVcComboBox>("cbxTimeBaseX")->GetVisible());

    auto* Format = Find<TVcComboBox>("cbxXAxisFormat");
    Format->SetItemIndex(0);
    Form->cbxXAxisFormatChange(Format);
    EXPECT_FALSE(XSpan->GetIntegersOnly());
    EXPECT_EQ(XSpan->GetText(), "100.0");
    EXPECT_FALSE(Find<TVcLabel>("lblSampleNumber")->GetVisible());
    EXPECT_TRUE(Find<TVcComboBox>("cbxTimeBaseX")->GetVisible());
}

TEST_F(SetupUnitTest, DuringARunOnlyTheDisplayPageShows)
{
    Open(true);
    EXPECT_FALSE(Find<TVcTabSheet>("tsComm")->GetTabVisible());
    EXPECT_FALSE(Find<TVcTabSheet>("tsLog")->GetTabVisible());
    EXPECT_TRUE(Find<TVcTabSheet>("tsDisplay")->GetTabVisible());
    EXPECT_EQ(Find<TVcPageControl>("pgcSetup")->GetActivePage(), Find<TVcTabSheet>("tsDisplay"));
    EXPECT_FALSE(Find<TVcComboBox>("cbxXAxisFormat")->GetEnabled());
}

TEST_F(SetupUnitTest, OkWritesOnlyTheChangedKey)
{
    Open();
    EXPECT_EQ(optProgramTitle->AsString(), "KALVO数据采集软件");
    PressOk();
    EXPECT_EQ(Applied, 1);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("config.ini")));

    Form->FormShow(Form);
    Find<TVcSpinEdit>("spePollDelay")->SetValue(50);
    PressOk();
    EXPECT_EQ(Config(), "[System Parameters]\r\nPoll Delay=50\r\n");
    EXPECT_EQ(optPollDelay->AsInteger(), 50);
}

TEST_F(SetupUnitTest, EditedValuesAreWritten)
{
    Open();
    Find<TVcComboBox>("cbxBaud")->SetItemIndex(7);
    Find<TVcComboBox>("cbxParity")->SetItemIndex(1);
    Find<TVcRadioGroup>("rgStopMode")->SetItemIndex(1);
    Find<TVcEdit>("leLogDuration")->SetText("2,5");
    Find<TVcComboBox>("cbxTimeBaseLog")->SetItemIndex(1);
    Find<TVcNumericEdit>("neLogInterval")->SetValue(0.5);
    Find<TVcNumericEdit>("neChannelRingBufferSize")->SetValue(60000);
    PressOk();
    EXPECT_EQ(optBaudRate->AsInteger(), 115200);
    EXPECT_EQ(optParity->AsInteger(), 1);
    EXPECT_EQ(optStopMode->AsInteger(), 1);
    EXPECT_DOUBLE_EQ(optLogDuration->AsFloat(), 2.5);
    EXPECT_EQ(optTimeBaseLog->AsInteger(), 1);
    EXPECT_DOUBLE_EQ(optLogInterval->AsFloat(), 0.5);
    EXPECT_EQ(optChannelRingBufferSize->AsInteger(), 50000);
    EXPECT_EQ(Config(),
              "[System Parameters]\r\nBaud Rate=115200\r\nParity=1\r\n"
              "[Display Parameters]\r\nChannelRingBufferSize=50000\r\n"
              "[Log Parameters]\r\nStopMode=1\r\nLogDuration=2.5\r\nTimeBaseLog=1\r\nLogInterval=0.5\r\n");
}

TEST_F(SetupUnitTest, XSpanIsKeptWithinTheRangeTheOptionReads)
{
    Open();
    auto* XSpan = Find<TVcNumericEdit>("neXSpan");
    XSpan->SetText("1e24");
    PressOk();
    EXPECT_EQ(optXSpan->AsFloat(), 1e7);

    Form->FormShow(Form);
    XSpan->SetText("-5");
    PressOk();
    EXPECT_EQ(optXSpan->AsFloat(), 1e7);

    // What the dialog writes, the next start reads back.
    delete Form;
    Form = nullptr;
    TOptionList Next(&Store);
    EXPECT_EQ(optXSpan->AsFloat(), 1e7);
}

TEST_F(SetupUnitTest, InvalidDurationIsRefusedBeforeAnythingIsWritten)
{
    Open();
    Find<TVcSpinEdit>("spePollDelay")->SetValue(40);
    Find<TVcEdit>("leLogDuration")->SetText("abc");
    PressOk();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Text, "'abc' 不是一个合法的浮点数值！");
    EXPECT_EQ(Asked[0].Caption, "错误");
    EXPECT_EQ(Asked[0].Flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_EQ(Applied, 0);
    EXPECT_EQ(optPollDelay->AsInteger(), 100);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("config.ini")));
}

TEST_F(SetupUnitTest, ValuesTheControlsCannotShowAreKept)
{
    const std::string Text =
        "[System Parameters]\r\nBaud Rate=14400\r\nComm Port=/dev/nowhere\r\n"
        "Poll Delay=500\r\n[Display Parameters]\r\nChannelRingBufferSize=60000\r\n"
        "[Log Parameters]\r\nMaxRecordPerFile=5\r\n";
    TScratchDir::Write(Dir.File("config.ini"), Text);
    Open();
    EXPECT_EQ(Find<TVcComboBox>("cbxBaud")->GetItemIndex(), -1);
    EXPECT_EQ(Find<TVcComboBox>("cbxPort")->GetItemIndex(), -1);
    EXPECT_EQ(Find<TVcSpinEdit>("spePollDelay")->GetValue(), 100);
    EXPECT_EQ(Find<TVcNumericEdit>("neChannelRingBufferSize")->GetText(), "50000");
    PressOk();
    EXPECT_EQ(Config(), Text);
    EXPECT_EQ(optBaudRate->AsInteger(), 14400);
    EXPECT_EQ(optPollDelay->AsInteger(), 500);
    EXPECT_EQ(optMaxRecordPerFile->AsInteger(), 5);
    EXPECT_EQ(optChannelRingBufferSize->AsInteger(), 60000);
}

TEST_F(SetupUnitTest, FractionsTheEditsRoundForDisplayAreNotRewritten)
{
    const std::string Text = "[Display Parameters]\r\nXSpan=1200.25\r\n[Log Parameters]\r\nLogInterval=0.05\r\n";
    TScratchDir::Write(Dir.File("config.ini"), Text);
    Open();
    EXPECT_EQ(Find<TVcNumericEdit>("neLogInterval")->GetText(), "0.1");
    PressOk();
    EXPECT_EQ(Config(), Text);
    EXPECT_DOUBLE_EQ(optLogInterval->AsFloat(), 0.05);
    EXPECT_DOUBLE_EQ(optXSpan->AsFloat(), 1200.25);
}

TEST_F(SetupUnitTest, CancelWritesNothing)
{
    Open();
    Find<TVcSpinEdit>("spePollDelay")->SetValue(10);
    Find<TVcDialogButtons>("DialogButtons")->CancelButton()->Click();
    EXPECT_EQ(Applied, 0);
    EXPECT_EQ(optPollDelay->AsInteger(), 100);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("config.ini")));
}

TEST_F(SetupUnitTest, TriggerChannelButtonOpensTheDeviceList)
{
    Open();
    int Opened = 0;
    Form->OnSelectTriggerChannels = [&] { ++Opened; };
    Find<TVcBitBtn>("btnTriggerChannels")->Click();
    EXPECT_EQ(Opened, 1);
}

TEST_F(SetupUnitTest, FreeingTheDialogFreesTheOptions)
{
    Open();
    EXPECT_EQ(OptionList.size(), 20u);
    delete Form;
    Form = nullptr;
    EXPECT_TRUE(OptionList.empty());
    EXPECT_EQ(optPollDelay, nullptr);
}

}  // namespace

namespace {

TEST_F(SetupUnitTest, ShowsOffscreen)
{
    Open();
    Form->Show();
    Application->ProcessMessages();
    EXPECT_TRUE(Form->Showing());
    EXPECT_TRUE(Find<TVcRadioGroup>("rgStopMode")->Showing());
    TBitmap Picture;
    GrabControl(Form, Picture);
    EXPECT_EQ(Picture.GetWidth(), Form->GetWidth());
    EXPECT_GT(Picture.GetHeight(), 300);
    Form->Hide();
}

}  // namespace

namespace {

// Every page shows each caption whole, with the widest values the controls
// take, both with all pages and with the display page alone during a run.
TEST_F(SetupUnitTest, EveryPageShowsItsTextsWhole)
{
    TScratchDir::Write(Dir.File("config.ini"),
                       "[System Parameters]\r\nPoll Delay=100\r\nPoll Timeout=2000\r\nBaud Rate=115200\r\n"
                       "Parity=2\r\n[Display Parameters]\r\nXSpan=99999.9\r\nTimeBaseX=3\r\n"
                       "ChannelRingBufferSize=50000\r\n[Log Parameters]\r\nMaxRecordPerFile=1000000\r\n"
                       "LogDuration=100000.25\r\nLogInterval=3600\r\nStopMode=1\r\nStartMode=1\r\n");
    for (const bool Running : {false, true}) {
        SCOPED_TRACE(Running ? "during a run" : "without a run");
        Open(Running);
        Form->Show();
        for (int Page = 0; Page < Form->pgcSetup->PageCount(); ++Page) {
            if (!Form->pgcSetup->Pages(Page)->GetTabVisible())
                continue;
            Form->pgcSetup->SetActivePageIndex(Page);
            for (const int XFormat : {0, 2}) {
                Form->cbxXAxisFormat->SetItemIndex(XFormat);
                Form->cbxXAxisFormatChange(Form->cbxXAxisFormat);
                Application->ProcessMessages();
                SCOPED_TRACE(Form->pgcSetup->Pages(Page)->GetText());
                for (const std::string& P : TTextClipCheck::Problems(Form))
                    ADD_FAILURE() << P;
            }
        }
        Form->Hide();
        delete Form;
        Form = nullptr;
    }
}

}  // namespace
