#include "app/DeviceStore.h"
#include "app/General.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceStoreTest, DeviceSectionsAreFilteredAndSortedByNumber)
{
    TScratchDir Dir;
    const std::string File = Dir.File("Devices.db");
    TScratchDir::Write(File,
                       "[device2]\r\n[Device10]\r\n[DEVICE1]\r\n[device1]\r\n[devices]\r\n[Device0]\r\n"
                       "[Options]\r\n[Device+3]\r\n[device 4]\r\n[device0x5]\r\n[Device9]\r\n");
    TDeviceStore Store(File);
    // The rest after "device" is any integer text >= 1, read as the profile
    // functions read integers.
    EXPECT_EQ(Store.DeviceSections(), (std::vector<std::string>{"DEVICE1", "device2", "Device+3", "device 4",
                                                                "device0x5", "Device9", "Device10"}));
}

TEST(DeviceStoreTest, OnlySectionsOfTheSameNameAreDuplicates)
{
    TScratchDir Dir;
    const std::string File = Dir.File("Devices.db");
    TScratchDir::Write(File, "[Device02]\r\n[device1]\r\n[DEVICE2]\r\n[Device-1]\r\n[Device$10]\r\n[DEVICE02]\r\n");
    TDeviceStore Store(File);
    const std::vector<std::string> Sections = Store.DeviceSections();
    ASSERT_EQ(Sections.size(), 4u);
    EXPECT_EQ(Sections[0], "device1");
    // Two spellings of the number 2 are two devices, in file order.
    EXPECT_EQ(Sections[1], "Device02");
    EXPECT_EQ(Sections[2], "DEVICE2");
    EXPECT_EQ(Sections[3], "Device$10");
}

TEST(DeviceStoreTest, EmptyOrMissingFileHasNoDevices)
{
    TScratchDir Dir;
    TDeviceStore Missing(Dir.File("Devices.db"));
    EXPECT_TRUE(Missing.DeviceSections().empty());
    EXPECT_FALSE(std::filesystem::exists(Dir.File("Devices.db")));
}

TEST(DeviceStoreTest, DeviceNumbersCompareAsNumbers)
{
    EXPECT_LT(TDeviceStore::CompareDeviceSections("device9", "Device10"), 0);
    EXPECT_GT(TDeviceStore::CompareDeviceSections("DEVICE100", "device20"), 0);
    EXPECT_EQ(TDeviceStore::CompareDeviceSections("Device7", "device7"), 0);
    int N = 0;
    EXPECT_TRUE(TDeviceStore::DeviceNumber("dEvIcE42", N));
    EXPECT_EQ(N, 42);
    EXPECT_FALSE(TDeviceStore::DeviceNumber("Device99999999999", N));
    EXPECT_FALSE(TDeviceStore::DeviceNumber("Device", N));
    EXPECT_FALSE(TDeviceStore::DeviceNumber("Device0", N));
    EXPECT_FALSE(TDeviceStore::DeviceNumber("Devices", N));
    EXPECT_FALSE(TDeviceStore::DeviceNumber("MyDevice1", N));
    EXPECT_TRUE(TDeviceStore::DeviceNumber("Device$1F", N));
    EXPECT_EQ(N, 31);
}

TEST(DeviceStoreTest, NextDeviceNumberIsTheSmallestFreeOne)
{
    EXPECT_EQ(TDeviceStore::NextDeviceNumber({}), 1);
    EXPECT_EQ(TDeviceStore::NextDeviceNumber({"Device1", "Device3"}), 2);
    EXPECT_EQ(TDeviceStore::NextDeviceNumber({"device2", "DEVICE1"}), 3);
    EXPECT_EQ(TDeviceStore::NextDeviceNumber({"Device2"}), 1);
    // "Device01" already has the number 1, whatever its spelling.
    EXPECT_EQ(TDeviceStore::NextDeviceNumber({"Device01"}), 2);
}

TEST(DeviceStoreTest, MissingKeysReadAsDefaults)
{
    TScratchDir Dir;
    TScratchDir::Write(Dir.File("Devices.db"), "[Device1]\r\n");
    TDeviceStore Store(Dir.File("Devices.db"));
    const TDeviceInfo Info = Store.ReadDeviceInfo("Device1");
    EXPECT_EQ(Info.Section, "Device1");
    EXPECT_EQ(Info.DeviceName, "数字显示控制仪");
    EXPECT_EQ(Info.DeviceModel, "KRN-4TX");
    EXPECT_EQ(Info.ChannelCount, 1);
    EXPECT_EQ(Info.ValueRule, 1);
    EXPECT_EQ(Info.DVRBeginAddr, 0);
    ASSERT_EQ(Info.Channels.size(), 1u);
    const TChannelInfo& C = Info.Channels[0];
    EXPECT_EQ(C.Index, 0);
    EXPECT_EQ(C.ValueName, "测量值");
    EXPECT_EQ(C.WorkUnit, "kg");
    EXPECT_EQ(C.WorkDP, 0);
    EXPECT_DOUBLE_EQ(C.StartTriggerLevel, 1.0);
    EXPECT_DOUBLE_EQ(C.AlarmHighLevel, 2.0);
    EXPECT_DOUBLE_EQ(C.AlarmLowLevel, 1.0);
    EXPECT_DOUBLE_EQ(C.RangeHigh, 100.0);
    EXPECT_DOUBLE_EQ(C.ZeroLimitation, 100.0);
    EXPECT_EQ(C.StartTriggeredCount, 1);
    EXPECT_FALSE(C.NegativeCorrection);
    EXPECT_TRUE(Info.UnreadableKeys.empty());
}

TEST(DeviceStoreTest, StoredValuesAreRead)
{
    TScratchDir Dir;
    TScratchDir::Write(Dir.File("Devices.db"),
                       "[Device3]\r\nDeviceName=\xD5\xC5\xC8\xFD\r\nChannelCount=2\r\nValueRule=0\r\n"
                       "DVRBeginAddr=0x10\r\nValueName2=P\r\nWorkUnit2= MPa \r\nWorkDP2=3\r\n"
                       "IsStopTriggerChannel2=1\r\nStopTriggerLevel2=-2,5\r\nStopTriggeredCount2=4\r\n"
                       "AbsoluteCompare2=7\r\nNegativeCorrection2=1\r\nRangeLow2=-10\r\n");
    TDeviceStore Store(Dir.File("Devices.db"));
    const TDeviceInfo Info = Store.ReadDeviceInfo("Device3");
    EXPECT_EQ(Info.DeviceName, "张三");
    EXPECT_EQ(Info.ChannelCount, 2);
    EXPECT_EQ(Info.ValueRule, 0);
    EXPECT_EQ(Info.DVRBeginAddr, 16);
    ASSERT_EQ(Info.Channels.size(), 2u);
    const TChannelInfo& C = Info.Channels[1];
    EXPECT_EQ(C.Index, 1);
    EXPECT_EQ(C.ValueName, "P");
    EXPECT_EQ(C.WorkUnit, "MPa");
    EXPECT_EQ(C.WorkDP, 3);
    EXPECT_TRUE(C.IsStopTriggerChannel);
    EXPECT_DOUBLE_EQ(C.StopTriggerLevel, -2.5);
    EXPECT_EQ(C.StopTriggeredCount, 4);
    EXPECT_TRUE(C.AbsoluteCompare);
    EXPECT_TRUE(C.NegativeCorrection);
    EXPECT_DOUBLE_EQ(C.RangeLow, -10);
    EXPECT_EQ(Info.Channels[0].ValueName, "测量值");
}

TEST(DeviceStoreTest, ValuesThatWouldBreakTheProgramReadAsDefaults)
{
    TScratchDir Dir;
    TScratchDir::Write(Dir.File("Devices.db"),
                       "[Device1]\r\nChannelCount=0\r\nValueRule=3\r\nDVRBeginAddr=65536\r\n"
                       "[Device2]\r\nChannelCount=126\r\nValueRule=0\r\nDVRBeginAddr=-1\r\n"
                       "[Device3]\r\nChannelCount=125\r\nValueRule=0\r\nDVRBeginAddr=65535\r\n"
                       "[Device4]\r\nChannelCount=63\r\nValueRule=2\r\n"
                       "[Device5]\r\nChannelCount=62\r\nValueRule=2\r\nWorkDP1=7\r\nWorkDP2=-1\r\nWorkDP3=6\r\n"
                       "RangeHigh1=abc\r\nAlarmLowEnabled1=yes\r\nStartTriggeredCount1=\r\nZeroLimitation1=nan\r\n");
    TDeviceStore Store(Dir.File("Devices.db"));
    const TDeviceInfo D1 = Store.ReadDeviceInfo("Device1");
    EXPECT_EQ(D1.ChannelCount, 1);
    EXPECT_EQ(D1.ValueRule, 1);
    EXPECT_EQ(D1.DVRBeginAddr, 0);
    const TDeviceInfo D2 = Store.ReadDeviceInfo("Device2");
    EXPECT_EQ(D2.ChannelCount, 1);
    EXPECT_EQ(D2.DVRBeginAddr, 0);
    const TDeviceInfo D3 = Store.ReadDeviceInfo("Device3");
    EXPECT_EQ(D3.ChannelCount, 125);
    EXPECT_EQ(D3.DVRBeginAddr, 65535);
    EXPECT_EQ(Store.ReadDeviceInfo("Device4").ChannelCount, 1);

    const TDeviceInfo D5 = Store.ReadDeviceInfo("Device5");
    EXPECT_EQ(D5.ChannelCount, 62);
    EXPECT_EQ(D5.Channels[0].WorkDP, 0);
    EXPECT_EQ(D5.Channels[1].WorkDP, 0);
    EXPECT_EQ(D5.Channels[2].WorkDP, 6);
    EXPECT_DOUBLE_EQ(D5.Channels[0].RangeHigh, 100.0);
    EXPECT_FALSE(D5.Channels[0].AlarmLowEnabled);
    EXPECT_EQ(D5.Channels[0].StartTriggeredCount, 1);
    EXPECT_DOUBLE_EQ(D5.Channels[0].ZeroLimitation, 100.0);
    EXPECT_EQ(D5.UnreadableKeys, (std::set<std::string>{"WorkDP1", "WorkDP2", "RangeHigh1", "AlarmLowEnabled1",
                                                        "StartTriggeredCount1", "ZeroLimitation1"}));
}

TEST(DeviceStoreTest, ChannelCountsWhoseRegisterCountOverflowReadAsOne)
{
    // Twice these counts does not fit an int; they must not pass as a
    // small (or negative) register count.
    TScratchDir Dir;
    TScratchDir::Write(Dir.File("Devices.db"),
                       "[Device1]\r\nChannelCount=1073741824\r\nValueRule=1\r\n"
                       "[Device2]\r\nChannelCount=2147483647\r\nValueRule=2\r\n"
                       "[Device3]\r\nChannelCount=1073741888\r\nValueRule=1\r\n");
    TDeviceStore Store(Dir.File("Devices.db"));
    for (const char* Section : {"Device1", "Device2", "Device3"}) {
        const TDeviceInfo Info = Store.ReadDeviceInfo(Section);
        EXPECT_EQ(Info.ChannelCount, 1) << Section;
        EXPECT_EQ(Info.Channels.size(), 1u) << Section;
    }
}

TEST(DeviceStoreTest, WhatANewDeviceAndItsChannelsWriteReadsBackTheSame)
{
    TScratchDir Dir;
    TDeviceStore Store(Dir.File("Devices.db"));
    TDeviceInfo Info;
    Info.Section = "Device4";
    Info.DeviceName = "烘箱";
    Info.DeviceModel = "M-2";
    Info.ChannelCount = 2;
    Info.ValueRule = vrInt32LowFirst;
    Info.DVRBeginAddr = 4096;
    Store.WriteNewDevice(Info, 17);
    EXPECT_EQ(TScratchDir::Read(Dir.File("Devices.db")),
              "[Device4]\r\nDeviceName=\xBA\xE6\xCF\xE4\r\nDeviceModel=M-2\r\nChannelCount=2\r\n"
              "StationId=17\r\nValueRule=2\r\nDVRBeginAddr=4096\r\n");

    TChannelInfo C;
    C.Index = 1;
    C.ValueName = "温度";
    C.WorkUnit = "℃";
    C.WorkDP = 3;
    C.IsStartTriggerChannel = true;
    C.IsStopTriggerChannel = true;
    C.StartTriggerLevel = 12.5;
    C.StopTriggerLevel = -3.25;
    C.StartTriggeredCount = 4;
    C.StopTriggeredCount = 5;
    C.AbsoluteCompare = true;
    C.AlarmHighEnabled = true;
    C.AlarmLowEnabled = true;
    C.AlarmHighLevel = 99.5;
    C.AlarmLowLevel = -1.5;
    C.RangeLow = -50;
    C.RangeHigh = 250;
    C.ZeroLimitation = 7.5;
    C.NegativeCorrection = true;
    for (const TChannelKey& Key : ChannelKeys)
        Store.WriteChannelSetting("Device4", 1, Key.Field, C);

    const TDeviceInfo Read = Store.ReadDeviceInfo("Device4");
    EXPECT_EQ(Read.DeviceName, Info.DeviceName);
    EXPECT_EQ(Read.DeviceModel, Info.DeviceModel);
    EXPECT_EQ(Read.ChannelCount, 2);
    EXPECT_EQ(Read.ValueRule, vrInt32LowFirst);
    EXPECT_EQ(Read.DVRBeginAddr, 4096);
    ASSERT_EQ(Read.Channels.size(), 2u);
    const TChannelInfo& R = Read.Channels[1];
    EXPECT_EQ(R.Index, 1);
    EXPECT_EQ(R.ValueName, C.ValueName);
    EXPECT_EQ(R.WorkUnit, C.WorkUnit);
    EXPECT_EQ(R.WorkDP, C.WorkDP);
    EXPECT_TRUE(R.IsStartTriggerChannel && R.IsStopTriggerChannel && R.AbsoluteCompare && R.AlarmHighEnabled &&
                R.AlarmLowEnabled && R.NegativeCorrection);
    EXPECT_EQ(R.StartTriggerLevel, C.StartTriggerLevel);
    EXPECT_EQ(R.StopTriggerLevel, C.StopTriggerLevel);
    EXPECT_EQ(R.StartTriggeredCount, C.StartTriggeredCount);
    EXPECT_EQ(R.StopTriggeredCount, C.StopTriggeredCount);
    EXPECT_EQ(R.AlarmHighLevel, C.AlarmHighLevel);
    EXPECT_EQ(R.AlarmLowLevel, C.AlarmLowLevel);
    EXPECT_EQ(R.RangeLow, C.RangeLow);
    EXPECT_EQ(R.RangeHigh, C.RangeHigh);
    EXPECT_EQ(R.ZeroLimitation, C.ZeroLimitation);
    // Channel 1 was never written: every default.
    EXPECT_EQ(Read.Channels[0].ValueName, "测量值");
    EXPECT_EQ(Read.Channels[0].RangeHigh, 100.0);
    EXPECT_TRUE(Read.UnreadableKeys.empty());
}

TEST(DeviceStoreTest, RegistersPerChannelFollowTheValueRule)
{
    EXPECT_EQ(RegistersPerChannel(vrInt16), 1);
    EXPECT_EQ(RegistersPerChannel(vrInt32HighFirst), 2);
    EXPECT_EQ(RegistersPerChannel(vrInt32LowFirst), 2);
    EXPECT_TRUE(ChannelCountFits(vrInt16, 125));
    EXPECT_FALSE(ChannelCountFits(vrInt16, 126));
    EXPECT_TRUE(ChannelCountFits(vrInt32HighFirst, 62));
    EXPECT_FALSE(ChannelCountFits(vrInt32LowFirst, 63));
    EXPECT_FALSE(ChannelCountFits(vrInt16, 0));
}

TEST(DeviceStoreTest, ReadStatesTellMissingFromInvalid)
{
    TScratchDir Dir;
    TScratchDir::Write(Dir.File("Devices.db"), "[Device1]\r\nStationId=abc\r\nA=$1F\r\n");
    TDeviceStore Store(Dir.File("Devices.db"));
    int V = 5;
    EXPECT_EQ(Store.ReadInteger("Device1", "StationId", V), TDeviceStore::rsInvalid);
    EXPECT_EQ(V, 5);
    EXPECT_EQ(Store.ReadInteger("Device1", "Missing", V), TDeviceStore::rsMissing);
    EXPECT_EQ(Store.ReadInteger("device1", "a", V), TDeviceStore::rsValid);
    EXPECT_EQ(V, 31);
}

TEST(DeviceStoreTest, EraseSectionRemovesOnlyThatDevice)
{
    TScratchDir Dir;
    const std::string File = Dir.File("Devices.db");
    TScratchDir::Write(File, "[Device1]\r\nDeviceName=a\r\n[Device2]\r\nDeviceName=b\r\n");
    TDeviceStore Store(File);
    Store.EraseSection("device1");
    EXPECT_EQ(TScratchDir::Read(File), "[Device2]\r\nDeviceName=b\r\n");
    EXPECT_EQ(Store.DeviceSections(), std::vector<std::string>{"Device2"});
}

TEST(DeviceStoreTest, FailedWriteIsReportedOnceWithTheFileName)
{
    TScratchDir Dir;
    const std::string File = Dir.File("no-such-dir/Devices.db");
    std::vector<std::string> Reports;
    SettingsWriteReporter().OnReport = [&](const std::string& Message) { Reports.push_back(Message); };
    {
        TDeviceStore Store(File);
        Store.WriteString("Device1", "DeviceName", "a");
        Store.WriteInteger("Device1", "StationId", 2);
        ASSERT_EQ(Reports.size(), 1u);
        EXPECT_NE(Reports[0].find(File), std::string::npos);

        // Once the file can be written again, a new failure is reported again.
        std::filesystem::create_directory(Dir.File("no-such-dir"));
        Store.WriteBool("Device1", "AbsoluteCompare1", true);
        EXPECT_NE(TScratchDir::Read(File).find("AbsoluteCompare1=1"), std::string::npos);
        std::filesystem::remove_all(Dir.File("no-such-dir"));
        Store.WriteFloat("Device1", "RangeLow1", 1.5);
        EXPECT_EQ(Reports.size(), 2u);
    }
    SettingsWriteReporter().OnReport = nullptr;
}

}  // namespace
