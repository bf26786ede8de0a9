#include "app/DeviceModel.h"
#include "app/DeviceStore.h"
#include "rtl/Exception.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

namespace {

TDeviceInfo MakeInfo(int Channels, const std::string& Section = "Device1")
{
    TDeviceInfo Info;
    Info.Section = Section;
    Info.ChannelCount = Channels;
    for (int i = 0; i < Channels; ++i) {
        TChannelInfo C;
        C.Index = i;
        Info.Channels.push_back(C);
    }
    return Info;
}

std::vector<std::string> Captions(const std::vector<TZeroMenuItem>& Items)
{
    std::vector<std::string> Result;
    for (const TZeroMenuItem& Item : Items)
        Result.push_back(Item.Name + ":" + Item.Caption);
    return Result;
}

TEST(DeviceModelTest, ZeroMenuForSeveralChannels)
{
    TDeviceModel D;
    D.AssignInfo(MakeInfo(2), nullptr);
    EXPECT_EQ(Captions(D.ZeroMenuItems()),
              (std::vector<std::string>{"mnuZeroAll:置零本设备所有通道", "mnuZeroCH1:置零[CH1]", "mnuZeroCH2:置零[CH2]",
                                        "mnuBreaker:-", "mnuUnzeroAll:取消置零本设备所有通道",
                                        "mnuUnzeroCH1:取消置零[CH1]", "mnuUnzeroCH2:取消置零[CH2]"}));
    EXPECT_EQ(D.ZeroMenuItems()[6].Channel, 1);
    EXPECT_EQ(D.ZeroMenuItems()[6].Kind, TZeroMenuItem::zkUnzero);
}

TEST(DeviceModelTest, ZeroMenuForOneChannel)
{
    TDeviceModel D;
    D.AssignInfo(MakeInfo(1), nullptr);
    EXPECT_EQ(Captions(D.ZeroMenuItems()),
              (std::vector<std::string>{"mnuZeroAll:置零", "mnuBreaker:-", "mnuUnzeroAll:取消置零"}));
    EXPECT_FALSE(D.UnzeroEnabled(-1));
    D.Channels(0)->SetRawValue(5);
    EXPECT_EQ(D.ZeroAll(), "");
    EXPECT_TRUE(D.UnzeroEnabled(-1));
    D.UnzeroAll();
    EXPECT_FALSE(D.UnzeroEnabled(-1));
}

TEST(DeviceModelTest, ZeroAllCollectsOneLinePerRefusal)
{
    TDeviceModel D;
    D.AssignInfo(MakeInfo(3), nullptr);
    D.Channels(1)->SetZeroLimitation(10);
    D.Channels(1)->SetRawValue(11);
    D.Channels(2)->SetRawValue(4);
    EXPECT_EQ(D.ZeroAll(), "[CH1]当前状态不能置零！\r\n[CH2]超出允许的置零范围！\r\n");
    EXPECT_FALSE(D.UnzeroEnabled(0));
    EXPECT_FALSE(D.UnzeroEnabled(1));
    EXPECT_TRUE(D.UnzeroEnabled(2));
    EXPECT_TRUE(D.UnzeroEnabled(-1));

    EXPECT_EQ(D.ZeroOne(0), "[CH1]当前状态不能置零！");
    D.Channels(0)->SetRawValue(3);
    EXPECT_EQ(D.ZeroOne(0), "");
    EXPECT_EQ(D.Channels(0)->DisplayText(), "0");
    D.UnzeroOne(0);
    EXPECT_EQ(D.Channels(0)->DisplayText(), "3");
    EXPECT_TRUE(D.UnzeroEnabled(2));
}

TEST(DeviceModelTest, ResetDeviceResetsEveryChannel)
{
    TDeviceModel D;
    D.AssignInfo(MakeInfo(2), nullptr);
    D.Channels(0)->SetRawValue(10);
    D.Channels(1)->SetRawValue(20);
    D.ResetDevice();
    EXPECT_EQ(D.Channels(0)->DisplayText(), "-------");
    EXPECT_EQ(D.Channels(1)->DisplayText(), "-------");
    EXPECT_THROW(D.Channels(2), EListError);
}

TEST(DeviceModelTest, RegisterCountFollowsTheValueRule)
{
    TDeviceInfo Info = MakeInfo(3);
    Info.ValueRule = vrInt16;
    TDeviceModel D0;
    D0.AssignInfo(Info, nullptr);
    EXPECT_EQ(D0.RegisterCount(), 3);
    Info.ValueRule = vrInt32LowFirst;
    TDeviceModel D2;
    D2.AssignInfo(Info, nullptr);
    EXPECT_EQ(D2.RegisterCount(), 6);
}

TEST(DeviceModelTest, MeterGridHasAtMostTwoColumns)
{
    const TMeterLayout Three = TDeviceModel::CalcMeterLayout(3, 40, 189, 57);
    EXPECT_EQ(Three.Cols, 2);
    EXPECT_EQ(Three.Rows, 2);
    EXPECT_EQ(Three.Width, 40 + 2 + 2 * 189);
    EXPECT_EQ(Three.Height, 2 * 57 + 2);
    EXPECT_EQ(Three.Lefts, (std::vector<int>{41, 230, 41}));
    EXPECT_EQ(Three.Tops, (std::vector<int>{1, 1, 58}));

    const TMeterLayout One = TDeviceModel::CalcMeterLayout(1, 40, 189, 57);
    EXPECT_EQ(One.Cols, 1);
    EXPECT_EQ(One.Width, 40 + 2 + 189);
    EXPECT_EQ(One.Height, 59);
}

TEST(DeviceModelTest, SettersWriteTheDeviceSection)
{
    TScratchDir Dir;
    const std::string File = Dir.File("Devices.db");
    TScratchDir::Write(File, "[Device2]\r\nChannelCount=1\r\n");
    TDeviceStore Store(File);
    TDeviceModel D;
    D.AssignInfo(Store.ReadDeviceInfo("Device2"), &Store);
    D.SetDeviceName("张三");
    D.SetDeviceModel("KRN");
    D.SetStationId(7);
    const std::string Text = TScratchDir::Read(File);
    EXPECT_NE(Text.find("DeviceName=\xD5\xC5\xC8\xFD\r\n"), std::string::npos);
    EXPECT_NE(Text.find("DeviceModel=KRN\r\n"), std::string::npos);
    EXPECT_NE(Text.find("StationId=7\r\n"), std::string::npos);
    // Building the channels wrote their settings.
    EXPECT_NE(Text.find("ValueName1=\xB2\xE2\xC1\xBF\xD6\xB5\r\n"), std::string::npos);
    EXPECT_NE(Text.find("ZeroLimitation1=100\r\n"), std::string::npos);
}

TEST(DeviceModelTest, BuildingANewDeviceWritesEveryChannelKeyInOrder)
{
    TScratchDir Dir;
    const std::string File = Dir.File("Devices.db");
    TScratchDir::Write(File, "[Device1]\r\nChannelCount=2\r\nWorkUnit2=MPa\r\n");
    TDeviceStore Store(File);
    TDeviceModel D;
    D.AssignInfo(Store.ReadDeviceInfo("Device1"), &Store);
    std::string Expected = "[Device1]\r\nChannelCount=2\r\nWorkUnit2=MPa\r\n";
    for (const char* n : {"1", "2"}) {
        const std::string N = n;
        if (N == "1")
            Expected += "WorkUnit1=kg\r\n";
        Expected += "ValueName" + N + "=\xB2\xE2\xC1\xBF\xD6\xB5\r\nWorkDP" + N + "=0\r\nIsStartTriggerChannel" + N +
                    "=0\r\nIsStopTriggerChannel" + N + "=0\r\nStartTriggerLevel" + N + "=1\r\nStopTriggerLevel" + N +
                    "=1\r\nStartTriggeredCount" + N + "=1\r\nStopTriggeredCount" + N + "=1\r\nAbsoluteCompare" + N +
                    "=0\r\nAlarmHighEnabled" + N + "=0\r\nAlarmLowEnabled" + N + "=0\r\nAlarmHighLevel" + N +
                    "=2\r\nAlarmLowLevel" + N + "=1\r\nRangeLow" + N + "=0\r\nRangeHigh" + N +
                    "=100\r\nNegativeCorrection" + N + "=0\r\nZeroLimitation" + N + "=100\r\n";
    }
    EXPECT_EQ(TScratchDir::Read(File), Expected);
}

TEST(DeviceModelTest, StationIdLoading)
{
    TScratchDir Dir;
    const std::string File = Dir.File("Devices.db");
    TScratchDir::Write(File,
                       "[Device1]\r\nStationId=9\r\n[Device2]\r\n[Device3]\r\nStationId=abc\r\n"
                       "[Device4]\r\nStationId=300\r\n");
    TDeviceStore Store(File);
    TDeviceModel D[4];
    for (int i = 0; i < 4; ++i) {
        D[i].AssignInfo(MakeInfo(1, "Device" + std::to_string(i + 1)), &Store);
        D[i].LoadStationId(i + 1);
    }
    EXPECT_EQ(D[0].StationId(), 9);
    EXPECT_EQ(D[1].StationId(), 2);
    EXPECT_EQ(D[2].StationId(), 3);
    EXPECT_EQ(D[3].StationId(), 4);
    const std::string Text = TScratchDir::Read(File);
    EXPECT_NE(Text.find("StationId=2\r\n"), std::string::npos);
    EXPECT_NE(Text.find("StationId=abc\r\n"), std::string::npos);
    EXPECT_NE(Text.find("StationId=300\r\n"), std::string::npos);
}

}  // namespace
