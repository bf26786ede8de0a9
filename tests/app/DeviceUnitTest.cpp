#include "app/DeviceRegistry.h"
#include "app/DeviceStore.h"
#include "app/DeviceUnit.h"
#include "rtl/FileUtils.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"
#include "ui/Form.h"
#include "ui/ScrollBox.h"
#include "ui/Screenshot.h"
#include "ui/TextClipCheck.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

namespace {

class DeviceUnitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SetExeDirForTesting(Dir.Path());
        SetDialogResponder([this](const TDialogRequest& Request) {
            Asked.push_back(Request);
            TDialogAnswer Answer;
            Answer.Result = IDOK;
            return Answer;
        });
        Box = new TScrollBox(nullptr);
        Box->SetName("srxDevices");
        Box->SetBounds(0, 0, 1400, 800);
        Devices = std::make_unique<TDeviceRegistry>(Dir.File("Devices.db"), Box);
    }
    void TearDown() override
    {
        Devices.reset();
        delete Box;
        SetDialogResponder(nullptr);
        SetExeDirForTesting("");
    }
    int Load(const std::string& File)
    {
        TScratchDir::Write(Dir.File("Devices.db"), File);
        return Devices->LoadDevices();
    }
    std::string Stored() const { return TScratchDir::Read(Dir.File("Devices.db")); }
    static std::vector<std::string> MenuCaptions(TPopupMenu* Menu)
    {
        std::vector<std::string> Captions;
        for (int i = 0; i < Menu->Items->Count(); ++i)
            Captions.push_back(Menu->Items->Items(i)->GetCaption());
        return Captions;
    }

    TScratchDir Dir;
    TScrollBox* Box = nullptr;
    std::unique_ptr<TDeviceRegistry> Devices;
    std::vector<TDialogRequest> Asked;
};

TEST_F(DeviceUnitTest, LoadsDevicesInNumberOrder)
{
    ASSERT_EQ(Load("[device2]\r\n[Device10]\r\n[DEVICE1]\r\nDeviceName=first\r\n[device1]\r\nDeviceName=dup\r\n"
                   "[devices]\r\n[Device0]\r\n"),
              3);
    ASSERT_EQ(Devices->size(), 3u);
    EXPECT_EQ((*Devices)[0]->Section(), "DEVICE1");
    EXPECT_EQ((*Devices)[0]->DeviceName(), "first");
    EXPECT_EQ((*Devices)[1]->Section(), "device2");
    EXPECT_EQ((*Devices)[2]->Section(), "Device10");
    EXPECT_EQ((*Devices)[0]->GetName(), "fraDevice1");
    EXPECT_EQ((*Devices)[2]->GetName(), "fraDevice3");
    EXPECT_EQ((*Devices)[2]->lblDeviceSection->GetText(), "设备10");
    EXPECT_EQ((*Devices)[2]->pnlDeviceBody->GetText(), "设备10");
    EXPECT_EQ((*Devices)[0]->GetParent(), Box);
    EXPECT_EQ(Devices->FindDeviceIndexBySection("device10"), 2);
    EXPECT_EQ(Devices->FindDeviceIndexBySection("device5"), -1);

    // Loading again replaces the frames.
    ASSERT_EQ(Load("[Device4]\r\n"), 1);
    ASSERT_EQ(Devices->size(), 1u);
    EXPECT_EQ((*Devices)[0]->Section(), "Device4");
}

TEST_F(DeviceUnitTest, EmptyFileLoadsNoDevice)
{
    EXPECT_EQ(Devices->LoadDevices(), 0);
    EXPECT_TRUE(Devices->empty());
    EXPECT_EQ(Devices->NextDeviceNumber(), 1);
}

TEST_F(DeviceUnitTest, NumbersAndStationIds)
{
    Load("[Device1]\r\nStationId=5\r\n[Device3]\r\n");
    EXPECT_EQ(Devices->NextDeviceNumber(), 2);
    (*Devices)[0]->LoadStationId(1);
    (*Devices)[1]->LoadStationId(2);
    EXPECT_EQ(Devices->FindDeviceByStationId(5), 1);
    EXPECT_EQ(Devices->FindDeviceByStationId(2), 3);
    EXPECT_EQ(Devices->FindDeviceByStationId(7), -1);
}

TEST_F(DeviceUnitTest, ChannelFramesFormTheMeterGrid)
{
    Load("[Device1]\r\nChannelCount=3\r\nValueName2=P\r\nWorkUnit2=MPa\r\n");
    TfraDevice* D = (*Devices)[0];
    EXPECT_EQ(D->GetHeight(), 210);
    ASSERT_EQ(D->ChannelCount(), 3);
    TfraChannel* C2 = D->Channel(1);
    EXPECT_EQ(C2->GetName(), "fraChannelDisplay2");
    EXPECT_EQ(C2->GetParent(), D->pnlDevice);
    EXPECT_EQ(C2->lblChannelId->GetText(), "CH2");
    EXPECT_EQ(C2->lblValueName->GetText(), "P");
    EXPECT_EQ(C2->lblUnit->GetText(), "MPa");
    EXPECT_EQ(C2->lblValue->GetText(), "-------");

    const int X0 = D->lblDeviceSection->GetLeft() + D->lblDeviceSection->GetWidth();
    EXPECT_EQ(D->Channel(0)->GetLeft(), X0 + 1);
    EXPECT_EQ(D->Channel(0)->GetTop(), 1);
    EXPECT_EQ(C2->GetLeft(), X0 + 1 + 189);
    EXPECT_EQ(D->Channel(2)->GetLeft(), X0 + 1);
    EXPECT_EQ(D->Channel(2)->GetTop(), 58);
    EXPECT_EQ(D->pnlDevice->GetWidth(), X0 + 2 + 2 * 189);
    EXPECT_EQ(D->pnlDevice->GetHeight(), 2 * 57 + 2);
    EXPECT_EQ(D->pnlDevice->GetTop(), 10);
    EXPECT_EQ(D->pnlDevice->GetLeft(), D->DefaultMeterLeft());
}

TEST_F(DeviceUnitTest, FrameHeightAndStoredMeterPosition)
{
    Load("[Device1]\r\nChannelCount=12\r\nValueRule=0\r\nMeterPosX=33\r\nMeterPosY=44\r\n");
    TfraDevice* D = (*Devices)[0];
    EXPECT_EQ(D->GetHeight(), 57 * 6 + 60);
    EXPECT_EQ(D->pnlDevice->GetLeft(), 33);
    EXPECT_EQ(D->pnlDevice->GetTop(), 44);

    D->btnShrinkClick(D->btnShrink);
    EXPECT_EQ(D->GetHeight(), 57 * 6 + 40);
    D->btnEnlargeClick(D->btnEnlarge);
    D->btnEnlargeClick(D->btnEnlarge);
    EXPECT_EQ(D->GetHeight(), 57 * 6 + 80);
}

TEST_F(DeviceUnitTest, FrameNeverGetsLowerThanItsMinimumHeight)
{
    Load("[Device1]\r\nChannelCount=1\r\nValueRule=0\r\n");
    TfraDevice* D = (*Devices)[0];
    ASSERT_EQ(D->GetHeight(), 210);
    // Any resize, such as dragging the bottom edge, is held at 210.
    D->SetHeight(150);
    EXPECT_EQ(D->GetHeight(), 210);
    D->SetBounds(D->GetLeft(), D->GetTop(), D->GetWidth(), 209);
    EXPECT_EQ(D->GetHeight(), 210);
    D->btnShrinkClick(D->btnShrink);
    EXPECT_EQ(D->GetHeight(), 210);
    D->btnEnlargeClick(D->btnEnlarge);
    EXPECT_EQ(D->GetHeight(), 230);
    D->btnShrinkClick(D->btnShrink);
    EXPECT_EQ(D->GetHeight(), 210);
    D->SetHeight(400);
    EXPECT_EQ(D->GetHeight(), 400);
}

TEST_F(DeviceUnitTest, AnOddChannelCountsLastMeterRowFitsTheFrame)
{
    Load("[Device1]\r\nChannelCount=7\r\n[Device2]\r\nChannelCount=11\r\n[Device3]\r\nChannelCount=5\r\n");
    for (TfraDevice* D : Devices->Frames()) {
        SCOPED_TRACE(D->Section());
        const int Rows = (D->ChannelCount() + 1) / 2;
        EXPECT_EQ(D->GetHeight(), std::max(210, 57 * Rows + 60));
        EXPECT_LE(D->pnlDevice->GetTop() + D->pnlDevice->GetHeight(), D->pnlDeviceBody->GetHeight());
    }
}

TEST_F(DeviceUnitTest, BottomBandOfTheBodyShowsTheResizeCursor)
{
    Load("[Device1]\r\n");
    TfraDevice* D = (*Devices)[0];
    TVcPanel* Body = D->pnlDeviceBody;
    const int W = Body->GetWidth();
    const int H = Body->GetHeight();
    ASSERT_GT(W, 10);
    D->pnlDeviceBodyMouseMove(Body, 0, 4, H - 3);
    EXPECT_EQ(Body->GetCursor(), crSizeNS);
    D->pnlDeviceBodyMouseMove(Body, 0, 10, H - 4);
    EXPECT_NE(Body->GetCursor(), crSizeNS);
    D->pnlDeviceBodyMouseMove(Body, 0, W - 4, H - 1);
    EXPECT_EQ(Body->GetCursor(), crSizeNS);
    D->pnlDeviceBodyMouseMove(Body, 0, 3, H - 1);
    EXPECT_NE(Body->GetCursor(), crSizeNS);
    D->pnlDeviceBodyMouseMove(Body, 0, W - 3, H - 1);
    EXPECT_NE(Body->GetCursor(), crSizeNS);
}

TEST_F(DeviceUnitTest, LiveValuesReachTheChannelPanel)
{
    Load("[Device1]\r\nWorkDP1=2\r\nAlarmHighEnabled1=1\r\nAlarmHighLevel1=100\r\nIsStartTriggerChannel1=1\r\n");
    TfraChannel* C = (*Devices)[0]->Channel(0);
    EXPECT_EQ(C->imgStartTrigger->PictureName(), "imgStartTriggerInactive");
    EXPECT_EQ(C->imgStopTrigger->PictureName(), "");
    EXPECT_EQ(C->imgAlarmHigh->PictureName(), "imgAlarmHighInactive");
    EXPECT_EQ(C->imgAlarmLow->PictureName(), "");
    C->SetRawValue(12345);
    EXPECT_EQ(C->lblValue->GetText(), "123.45");
    EXPECT_EQ(C->imgAlarmHigh->PictureName(), "imgAlarmHighActive");
    EXPECT_EQ(C->imgStartTrigger->PictureName(), "imgStartTriggerActive");
    C->SetDisplayMode(1);
    EXPECT_EQ(C->lblValue->Font->GetColor(), TColor(0xFF0000));
    C->SetCursorValue(1.5);
    EXPECT_EQ(C->lblValue->GetText(), "1.50");
    (*Devices)[0]->ResetDevice();
    EXPECT_EQ(C->DisplayText(), "-------");
    EXPECT_EQ(C->imgStartTrigger->PictureName(), "imgStartTriggerInactive");
}

TEST_F(DeviceUnitTest, LoadingWritesReadValuesButNotOverUnreadableOnes)
{
    Load("[Device1]\r\nRangeHigh1=abc\r\nWorkDP1=2\r\n");
    const std::string Text = Stored();
    EXPECT_NE(Text.find("RangeHigh1=abc\r\n"), std::string::npos);
    EXPECT_NE(Text.find("WorkDP1=2\r\n"), std::string::npos);
    EXPECT_NE(Text.find("ValueName1=\xB2\xE2\xC1\xBF\xD6\xB5\r\n"), std::string::npos);
    EXPECT_NE(Text.find("NegativeCorrection1=0\r\n"), std::string::npos);
    EXPECT_DOUBLE_EQ((*Devices)[0]->Channel(0)->RangeHigh(), 100.0);
}

TEST_F(DeviceUnitTest, LoadingKeepsTheBytesOfEveryValueItReads)
{
    // A name that is not valid GBK (0x81 needs a trail byte of 0x40 or
    // more), numbers spelled another way, a Boolean stored as 2: all read
    // as a value that writing back would spell differently.
    std::string File =
        "[Device1]\r\nDeviceName=A\x81 B\r\nStationId=1\r\nChannelCount=1\r\nValueRule=0x1\r\n"
        "ValueName1=\x81\x20x\r\nWorkUnit1=k\xFFg\r\nWorkDP1=0x2\r\n"
        "IsStartTriggerChannel1=2\r\nIsStopTriggerChannel1=0\r\n"
        "StartTriggerLevel1=1.50\r\nStopTriggerLevel1=1,0\r\n"
        "StartTriggeredCount1=$3\r\nStopTriggeredCount1=+1\r\nAbsoluteCompare1=0\r\n"
        "AlarmHighEnabled1=0\r\nAlarmLowEnabled1=0\r\nAlarmHighLevel1=2.000\r\n"
        "AlarmLowLevel1=1\r\nRangeLow1=0\r\nRangeHigh1=1e2\r\n"
        "NegativeCorrection1=0\r\nZeroLimitation1=100\r\n";
    Load(File);
    for (TfraDevice* Device : Devices->Frames())
        Device->LoadStationId(1);
    EXPECT_EQ(Stored(), File);
    EXPECT_EQ((*Devices)[0]->Channel(0)->ValueName(), "? x");
    EXPECT_EQ((*Devices)[0]->Channel(0)->WorkDP(), 2);
    EXPECT_TRUE((*Devices)[0]->Channel(0)->IsStartTriggerChannel());
    EXPECT_DOUBLE_EQ((*Devices)[0]->Channel(0)->StartTriggerLevel(), 1.5);
    EXPECT_EQ((*Devices)[0]->Channel(0)->StartTriggeredCount(), 3);

    // A real change is still written.
    (*Devices)[0]->Channel(0)->SetValueName("压力");
    EXPECT_NE(Stored().find("ValueName1=\xD1\xB9\xC1\xA6\r\n"), std::string::npos);
}

TEST_F(DeviceUnitTest, ZeroMenuOfOneChannel)
{
    Load("[Device1]\r\n");
    TfraDevice* D = (*Devices)[0];
    EXPECT_EQ(MenuCaptions(D->pmZero), (std::vector<std::string>{"置零", "-", "取消置零"}));
    TMenuItem* Unzero = D->pmZero->Items->Items(2);
    EXPECT_EQ(Unzero->GetName(), "mnuUnzeroAll");
    D->pmZeroPopup(D->pmZero);
    EXPECT_FALSE(Unzero->GetEnabled());
    D->Channel(0)->SetRawValue(7);
    D->pmZero->Items->Items(0)->Click();
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "0");
    D->pmZeroPopup(D->pmZero);
    EXPECT_TRUE(Unzero->GetEnabled());
    EXPECT_TRUE(D->pmZero->Items->Items(0)->GetEnabled());
    Unzero->Click();
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "7");
}

TEST_F(DeviceUnitTest, ZeroAllReportsEveryRefusalInOneBox)
{
    Load("[Device1]\r\nChannelCount=3\r\nZeroLimitation2=1\r\n");
    TfraDevice* D = (*Devices)[0];
    EXPECT_EQ(MenuCaptions(D->pmZero),
              (std::vector<std::string>{"置零本设备所有通道", "置零[CH1]", "置零[CH2]", "置零[CH3]", "-",
                                        "取消置零本设备所有通道", "取消置零[CH1]", "取消置零[CH2]", "取消置零[CH3]"}));
    D->Channel(1)->SetRawValue(5);
    D->Channel(2)->SetRawValue(1);
    D->pmZero->Items->Items(0)->Click();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Text, "[CH1]当前状态不能置零！\r\n[CH2]超出允许的置零范围！\r\n");
    EXPECT_EQ(Asked[0].Caption, "错误");
    EXPECT_EQ(Asked[0].Flags & MB_ICONMASK, MB_ICONERROR);

    D->pmZero->Items->Items(2)->Click();
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1].Text, "[CH2]超出允许的置零范围！");

    D->pmZeroPopup(D->pmZero);
    EXPECT_FALSE(D->pmZero->Items->Items(6)->GetEnabled());
    EXPECT_FALSE(D->pmZero->Items->Items(7)->GetEnabled());
    EXPECT_TRUE(D->pmZero->Items->Items(8)->GetEnabled());
    EXPECT_TRUE(D->pmZero->Items->Items(5)->GetEnabled());
}

TEST_F(DeviceUnitTest, PressOnAChannelGoesToTheMeterPanel)
{
    Load("[Device1]\r\nChannelCount=2\r\n");
    TfraDevice* D = (*Devices)[0];
    TObject* Seen = nullptr;
    int SeenX = -1, SeenY = -1;
    TMouseButton SeenButton = mbLeft;
    D->pnlDevice->OnMouseDown = [&](TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
        Seen = Sender;
        SeenButton = Button;
        SeenX = X;
        SeenY = Y;
    };
    TfraChannel* C = D->Channel(1);
    C->lblValue->OnMouseDown(C->lblValue, mbRight, 0, 12, 7);
    EXPECT_EQ(Seen, C->lblValue);
    EXPECT_EQ(SeenButton, mbRight);
    EXPECT_EQ(SeenX, 12);
    EXPECT_EQ(SeenY, 7);
    EXPECT_FALSE(static_cast<bool>(C->lblUnit->OnMouseDown));
}

TEST_F(DeviceUnitTest, ShowMeterButtonHidesTheMeterPanel)
{
    Load("[Device1]\r\n");
    TfraDevice* D = (*Devices)[0];
    EXPECT_TRUE(D->btnShowMeter->GetDown());
    EXPECT_FALSE(D->btnResume->GetEnabled());
    D->btnShowMeter->SetDown(false);
    D->btnShowMeterClick(D->btnShowMeter);
    EXPECT_FALSE(D->pnlDevice->GetVisible());
}

TEST_F(DeviceUnitTest, DeleteDeviceErasesItsSection)
{
    Load("[Device1]\r\nDeviceName=a\r\n[Device2]\r\nDeviceName=b\r\n");
    TfraDevice* First = (*Devices)[0];
    Devices->DeleteDevice(First, true);
    EXPECT_EQ(Devices->size(), 2u);
    Devices->DeleteDevice(First, false);
    ASSERT_EQ(Devices->size(), 1u);
    EXPECT_EQ((*Devices)[0]->Section(), "Device2");
    const std::string Text = Stored();
    EXPECT_EQ(Text.find("[Device1]"), std::string::npos);
    EXPECT_NE(Text.find("[Device2]\r\nDeviceName=b\r\n"), std::string::npos);
    EXPECT_EQ(Devices->NextDeviceNumber(), 1);
}

}  // namespace

namespace {

TEST_F(DeviceUnitTest, DeviceFrameWithItsChannelPanelsShowsOffscreen)
{
    Load("[Device1]\r\nChannelCount=2\r\nWorkDP1=1\r\n");
    TfraDevice* D = (*Devices)[0];
    auto* Host = new TForm(nullptr);
    Host->SetBounds(0, 0, 1400, 260);
    Box->SetParent(Host);
    Box->SetAlign(alClient);
    Host->Show();
    Application->ProcessMessages();
    D->Channel(0)->SetRawValue(-15);

    TBitmap Picture;
    GrabControl(D, Picture);
    EXPECT_EQ(Picture.GetWidth(), D->GetWidth());
    EXPECT_EQ(Picture.GetHeight(), D->GetHeight());
    // A spot of the second channel panel, right of its number, above its value.
    const int X = D->pnlDevice->GetLeft() + D->Channel(1)->GetLeft() + 3;
    const int Y = D->pnlDevice->GetTop() + D->Channel(1)->GetTop() + 30;
    EXPECT_EQ(Picture.Canvas->Pixels[X][Y], TColor(16244940));
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "-1.5");
    Box->SetParent(nullptr);
    delete Host;
}

}  // namespace

namespace {

// Columns and rows of Picture inked in Ink, as a rectangle (empty when none).
TRect InkBounds(TBitmap& Picture, TColor Ink)
{
    TRect R = Rect(Picture.GetWidth(), Picture.GetHeight(), -1, -1);
    for (int X = 0; X < Picture.GetWidth(); ++X)
        for (int Y = 0; Y < Picture.GetHeight(); ++Y)
            if (Picture.Canvas->Pixels[X][Y] == Ink) {
                R.Left = std::min(R.Left, X);
                R.Top = std::min(R.Top, Y);
                R.Right = std::max(R.Right, X + 1);
                R.Bottom = std::max(R.Bottom, Y + 1);
            }
    return R;
}

// The watermark is the device label in characters of a 64-pixel cell, and
// it shows whole beside the meter panel, wherever the panel is.
TEST_F(DeviceUnitTest, WatermarkShowsWholeBesideTheMeterPanel)
{
    // Two rows of channels reach down past the middle of the body.
    Load("[Device10]\r\nChannelCount=4\r\n");
    TfraDevice* D = (*Devices)[0];
    auto* Host = new TForm(nullptr);
    Host->SetBounds(0, 0, 1024, 300);
    Box->SetParent(Host);
    Box->SetAlign(alClient);
    D->SetAlign(alTop);
    // The chart covers the body: the watermark shows with the chart hidden.
    D->btnShowCurve->SetDown(false);
    D->btnShowCurveClick(D->btnShowCurve);
    Host->Show();
    Application->ProcessMessages();
    EXPECT_EQ(D->pnlDeviceBody->Font->GetHeight(), 64);

    const TColor Watermark = 11447982;
    for (const int MeterLeft : {-1, 300, 60}) {
        SCOPED_TRACE(MeterLeft);
        if (MeterLeft >= 0)
            D->pnlDevice->SetLeft(MeterLeft);
        Application->ProcessMessages();
        TBitmap Picture;
        GrabControl(D->pnlDeviceBody, Picture);
        const TRect Ink = InkBounds(Picture, Watermark);
        ASSERT_LT(Ink.Left, Ink.Right) << "no watermark";
        // A cell of 64 pixels holds characters of less than 57.
        EXPECT_LE(Ink.Bottom - Ink.Top, 56);
        EXPECT_GT(Ink.Right - Ink.Left, 100);
        const TRect Meter = D->pnlDevice->GetBoundsRect();
        ASSERT_GT(Meter.Bottom, Ink.Top);
        EXPECT_TRUE(Ink.Right <= Meter.Left || Ink.Left >= Meter.Right)
            << "watermark " << Ink.Left << ".." << Ink.Right << ", meter panel " << Meter.Left << ".." << Meter.Right;
    }
    Box->SetParent(nullptr);
    delete Host;
}

}  // namespace

namespace {

// The device label beside the channels shows whole for a three-digit
// device number too, and the channels make room for it.
TEST_F(DeviceUnitTest, MeterPanelShowsALongDeviceLabelWhole)
{
    Load("[Device1]\r\nChannelCount=2\r\n[Device100]\r\nChannelCount=3\r\n");
    auto* Host = new TForm(nullptr);
    Host->SetBounds(0, 0, 1024, 500);
    Box->SetParent(Host);
    Box->SetAlign(alClient);
    Host->Show();
    Application->ProcessMessages();
    for (TfraDevice* D : Devices->Frames()) {
        SCOPED_TRACE(D->Section());
        for (const std::string& P : TTextClipCheck::Problems(D->pnlDevice))
            ADD_FAILURE() << P;
        const TVcLabel* L = D->lblDeviceSection;
        EXPECT_LE(L->GetLeft() + L->GetWidth(), D->Channel(0)->GetLeft());
        EXPECT_GE(L->GetWidth(), 40);
    }
    Box->SetParent(nullptr);
    delete Host;
}

}  // namespace
