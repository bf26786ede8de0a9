#include "app/ChannelModel.h"
#include "app/DeviceStore.h"
#include "app/General.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Records what the display hooks were asked to show.
class TShownChannel : public TChannelModel {
public:
    using TChannelModel::TChannelModel;
    int LabelUpdates = 0;
    int TriggerUpdates = 0;
    int AlarmUpdates = 0;
    std::string ShownName;

protected:
    void UpdateValueLabel() override { ++LabelUpdates; }
    void UpdateTriggerImages() override { ++TriggerUpdates; }
    void UpdateAlarmImages() override { ++AlarmUpdates; }
    void ValueNameChanged() override { ShownName = ValueName(); }
};

TEST(ChannelModelTest, ValuePipelineScalesByDecimalPlaces)
{
    TChannelModel C(0);
    C.ResetChannel();
    EXPECT_EQ(C.DisplayText(), "-------");
    EXPECT_FALSE(C.HasValue());

    C.SetWorkDP(2);
    C.SetRawValue(12345);
    EXPECT_DOUBLE_EQ(C.Value(), 123.45);
    EXPECT_EQ(C.DisplayText(), "123.45");
    EXPECT_EQ(C.LabelText(), "123.45");

    C.SetWorkDP(0);
    C.SetRawValue(-7);
    EXPECT_EQ(C.DisplayText(), "-7");

    C.SetWorkDP(3);
    C.SetRawValue(-5);
    EXPECT_EQ(C.DisplayText(), "-0.005");

    C.SetNoValue();
    EXPECT_EQ(C.DisplayText(), "-------");
    EXPECT_EQ(C.Value(), NoValue);
}

TEST(ChannelModelTest, WholeNumberDisplayTruncatesTowardZero)
{
    TChannelModel C(0);
    C.SetValue(2.9);
    EXPECT_EQ(C.DisplayText(), "2");
    C.SetValue(-2.9);
    EXPECT_EQ(C.DisplayText(), "-2");
    C.SetWorkDP(1);
    EXPECT_EQ(C.FormatValue(0.24), "0.2");
    EXPECT_EQ(C.FormatValue(1e6), "1000000.0");
}

TEST(ChannelModelTest, NegativeCorrectionOnlyForSixteenBitReadings)
{
    TChannelModel C(0);
    C.SetNegativeCorrection(true);
    C.SetRawValue(65535);
    EXPECT_EQ(C.RawValue(), -1);
    EXPECT_EQ(C.DisplayText(), "-1");
    C.SetRawValue(32768);
    EXPECT_EQ(C.RawValue(), -32768);
    C.SetRawValue(32767);
    EXPECT_EQ(C.RawValue(), 32767);
    // A 32-bit reading above the 16-bit range is a positive value.
    C.SetRawValue(65536);
    EXPECT_EQ(C.RawValue(), 65536);
    C.SetRawValue(100000);
    EXPECT_EQ(C.DisplayText(), "100000");

    C.SetNegativeCorrection(false);
    C.SetRawValue(65535);
    EXPECT_EQ(C.DisplayText(), "65535");
}

TEST(ChannelModelTest, PipelineComputesInSixtyFourBits)
{
    TChannelModel C(0);
    C.SetZeroLimitation(1e10);
    C.SetRawValue(INT32_MAX);
    ASSERT_EQ(C.ZeroChannel(), 0);
    EXPECT_EQ(C.ZeroOffset(), INT32_MAX);
    C.SetRawValue(INT32_MIN);
    EXPECT_EQ(C.DisplayText(), "-4294967295");
}

TEST(ChannelModelTest, ChangingDecimalPlacesRescalesFromTheRawValue)
{
    TShownChannel C(0);
    C.SetWorkDP(2);
    C.SetRawValue(12345);
    C.SetWorkDP(3);
    EXPECT_DOUBLE_EQ(C.Value(), 12.345);
    EXPECT_EQ(C.DisplayText(), "12.345");
    EXPECT_EQ(C.LabelText(), "12.345");

    // Out-of-range places are refused.
    C.SetWorkDP(7);
    C.SetWorkDP(-1);
    EXPECT_EQ(C.WorkDP(), 3);
    EXPECT_EQ(C.DisplayText(), "12.345");

    C.SetNoValue();
    C.SetWorkDP(1);
    EXPECT_EQ(C.DisplayText(), "-------");
}

TEST(ChannelModelTest, StartTriggerCountsConsecutiveHits)
{
    TChannelModel C(0);
    C.SetStartTriggerLevel(10);
    C.SetStartTriggeredCount(3);
    const double Values[] = {11, 12, 9, 11, 11};
    for (double V : Values) {
        C.SetValue(V);
        EXPECT_FALSE(C.StartTriggered()) << V;
    }
    EXPECT_EQ(C.StartCounter(), 2);
    C.SetValue(11);
    EXPECT_TRUE(C.StartTriggered());
    // Latched: a miss no longer resets it.
    C.SetValue(0);
    EXPECT_TRUE(C.StartTriggered());

    C.ResetChannel();
    EXPECT_FALSE(C.StartTriggered());
    EXPECT_EQ(C.StartCounter(), 0);
}

TEST(ChannelModelTest, TimeOutsLeaveTriggerCountsAlone)
{
    TChannelModel C(0);
    C.SetStartTriggerLevel(10);
    C.SetStartTriggeredCount(2);
    C.SetValue(11);
    C.SetNoValue();
    C.SetValue(11);
    EXPECT_TRUE(C.StartTriggered());
}

TEST(ChannelModelTest, StopTriggerArmsOnlyAfterStart)
{
    TChannelModel C(0);
    C.SetStartTriggerLevel(10);
    C.SetStopTriggerLevel(5);
    C.SetStopTriggeredCount(2);
    C.SetValue(1);
    C.SetValue(1);
    EXPECT_FALSE(C.StopTriggered());
    EXPECT_EQ(C.StopCounter(), 0);

    C.SetValue(20);
    ASSERT_TRUE(C.StartTriggered());
    C.SetValue(4);
    EXPECT_FALSE(C.StopTriggered());
    C.SetValue(6);
    EXPECT_EQ(C.StopCounter(), 0);
    C.SetValue(4);
    C.SetValue(5);
    EXPECT_TRUE(C.StopTriggered());
    C.SetValue(100);
    EXPECT_TRUE(C.StopTriggered());
}

TEST(ChannelModelTest, AbsoluteCompareUsesMagnitudes)
{
    TChannelModel C(0);
    C.SetAbsoluteCompare(true);
    C.SetStartTriggerLevel(-5);
    C.SetValue(-4);
    EXPECT_FALSE(C.StartTriggered());
    C.SetValue(6);
    EXPECT_TRUE(C.StartTriggered());

    C.SetStopTriggerLevel(3);
    C.SetValue(-3.5);
    EXPECT_FALSE(C.StopTriggered());
    C.SetValue(-2);
    EXPECT_TRUE(C.StopTriggered());

    TChannelModel Signed(1);
    Signed.SetStartTriggerLevel(-5);
    Signed.SetValue(-4);
    EXPECT_TRUE(Signed.StartTriggered());
}

TEST(ChannelModelTest, AlarmsAndTheirImages)
{
    TShownChannel C(0);
    C.SetAlarmHighLevel(2);
    C.SetAlarmLowLevel(1);
    EXPECT_EQ(C.AlarmHighImage(), "");
    C.SetAlarmHighEnabled(true);
    C.SetAlarmLowEnabled(true);

    C.SetValue(3);
    EXPECT_TRUE(C.AlarmHighActive());
    EXPECT_FALSE(C.AlarmLowActive());
    EXPECT_EQ(C.AlarmHighImage(), "imgAlarmHighActive");
    EXPECT_EQ(C.AlarmLowImage(), "imgAlarmLowInactive");

    // A time-out keeps the last state.
    C.SetNoValue();
    EXPECT_TRUE(C.AlarmHighActive());
    EXPECT_EQ(C.AlarmHighImage(), "imgAlarmHighActive");

    C.SetValue(0.5);
    EXPECT_FALSE(C.AlarmHighActive());
    EXPECT_TRUE(C.AlarmLowActive());

    // Raising the low level re-evaluates the current value.
    C.SetValue(1.5);
    EXPECT_FALSE(C.AlarmLowActive());
    C.SetAlarmLowLevel(1.6);
    EXPECT_TRUE(C.AlarmLowActive());

    C.SetAbsoluteCompare(true);
    C.SetAlarmHighLevel(-1);
    C.SetValue(-1.2);
    EXPECT_TRUE(C.AlarmHighActive());
    EXPECT_GT(C.AlarmUpdates, 0);
}

TEST(ChannelModelTest, TriggerImagesFollowTheTriggerFlags)
{
    TShownChannel C(0);
    EXPECT_EQ(C.StartTriggerImage(), "");
    C.SetIsStartTriggerChannel(true);
    C.SetIsStopTriggerChannel(true);
    EXPECT_EQ(C.StartTriggerImage(), "imgStartTriggerInactive");
    EXPECT_EQ(C.StopTriggerImage(), "imgStopTriggerInactive");
    C.SetStartTriggerLevel(1);
    C.SetStopTriggerLevel(5);
    C.SetValue(2);
    EXPECT_EQ(C.StartTriggerImage(), "imgStartTriggerActive");
    C.SetValue(3);
    EXPECT_EQ(C.StopTriggerImage(), "imgStopTriggerActive");
    EXPECT_GT(C.TriggerUpdates, 0);
}

TEST(ChannelModelTest, ZeroingLimitsAndRefusals)
{
    TChannelModel C(0);
    C.ResetChannel();
    EXPECT_EQ(C.ZeroChannel(), -2);

    C.SetZeroLimitation(100);
    C.SetWorkDP(1);
    C.SetRawValue(1001);
    EXPECT_EQ(C.ZeroChannel(), -1);
    EXPECT_EQ(C.ZeroOffset(), 0);
    EXPECT_EQ(C.DisplayText(), "100.1");

    C.SetRawValue(-1000);
    EXPECT_EQ(C.ZeroChannel(), 0);
    EXPECT_EQ(C.ZeroOffset(), -1000);
    EXPECT_EQ(C.DisplayText(), "0.0");
    C.SetRawValue(-900);
    EXPECT_EQ(C.DisplayText(), "10.0");

    C.UnzeroChannel();
    EXPECT_EQ(C.ZeroOffset(), 0);
    EXPECT_EQ(C.DisplayText(), "-90.0");
}

TEST(ChannelModelTest, ZeroLimitIsComparedInEngineeringUnits)
{
    TChannelModel C(0);
    C.SetWorkDP(2);
    C.SetZeroLimitation(0.57);
    C.SetRawValue(57);
    EXPECT_EQ(C.ZeroChannel(), 0);
    C.UnzeroChannel();
    C.SetRawValue(58);
    EXPECT_EQ(C.ZeroChannel(), -1);
}

TEST(ChannelModelTest, UnzeroWithoutValueKeepsNoValue)
{
    TChannelModel C(0);
    C.SetRawValue(50);
    ASSERT_EQ(C.ZeroChannel(), 0);
    C.SetNoValue();
    C.UnzeroChannel();
    EXPECT_EQ(C.ZeroOffset(), 0);
    EXPECT_EQ(C.DisplayText(), "-------");
    EXPECT_FALSE(C.HasValue());
}

TEST(ChannelModelTest, ResetKeepsZeroOffset)
{
    TChannelModel C(0);
    C.SetRawValue(40);
    ASSERT_EQ(C.ZeroChannel(), 0);
    C.ResetChannel();
    EXPECT_EQ(C.ZeroOffset(), 40);
    C.SetRawValue(50);
    EXPECT_EQ(C.DisplayText(), "10");
}

TEST(ChannelModelTest, DisplayModeSwitchesLabelAndColour)
{
    TShownChannel C(0);
    C.SetWorkDP(1);
    C.SetRawValue(15);
    EXPECT_EQ(C.LabelColor(), TChannelModel::InitialValueColor);

    C.SetDisplayMode(1);
    EXPECT_EQ(C.LabelColor(), 0xFF0000u);
    EXPECT_EQ(C.LabelText(), "1.5");  // changes only with the next value
    C.SetCursorValue(2.26);
    EXPECT_EQ(C.LabelText(), "2.3");
    C.SetRawValue(30);
    EXPECT_EQ(C.LabelText(), "2.3");
    EXPECT_EQ(C.DisplayText(), "3.0");
    C.SetWorkDP(2);
    EXPECT_EQ(C.LabelText(), "2.26");

    // Back to the live value at once, not with the next poll.
    C.SetDisplayMode(0);
    EXPECT_EQ(C.LabelColor(), 0xCC6600u);
    EXPECT_EQ(C.LabelText(), "0.30");
    C.SetCursorValue(9);
    EXPECT_EQ(C.LabelText(), "0.30");
    C.SetRawValue(31);
    EXPECT_EQ(C.LabelText(), "0.31");
}

TEST(ChannelModelTest, SettersWriteTheirKeysToTheDeviceSection)
{
    TScratchDir Dir;
    const std::string File = Dir.File("Devices.db");
    TScratchDir::Write(File, "[Device1]\r\nDeviceName=x\r\n");
    TDeviceStore Store(File);
    TShownChannel C(1);
    C.BindStore(&Store, "Device1");
    C.SetValueName("测量值");
    C.SetWorkDP(2);
    C.SetAlarmHighEnabled(true);
    C.SetStartTriggerLevel(1.5);
    EXPECT_EQ(C.ShownName, "测量值");
    EXPECT_EQ(TScratchDir::Read(File),
              "[Device1]\r\nDeviceName=x\r\nValueName2=\xB2\xE2\xC1\xBF\xD6\xB5\r\nWorkDP2=2\r\n"
              "AlarmHighEnabled2=1\r\nStartTriggerLevel2=1.5\r\n");
}

TEST(ChannelModelTest, ApplyInfoDoesNotOverwriteUnreadableText)
{
    TScratchDir Dir;
    const std::string File = Dir.File("Devices.db");
    TScratchDir::Write(File, "[Device1]\r\nWorkDP1=abc\r\nRangeHigh1=50\r\n");
    TDeviceStore Store(File);
    const TDeviceInfo Info = Store.ReadDeviceInfo("Device1");
    ASSERT_EQ(Info.UnreadableKeys.count("WorkDP1"), 1u);

    TChannelModel C(0);
    C.BindStore(&Store, "Device1");
    C.ApplyInfo(Info.Channels[0], Info.UnreadableKeys);
    EXPECT_EQ(C.WorkDP(), 0);
    EXPECT_DOUBLE_EQ(C.RangeHigh(), 50);
    const std::string Text = TScratchDir::Read(File);
    EXPECT_NE(Text.find("WorkDP1=abc\r\n"), std::string::npos);
    EXPECT_NE(Text.find("RangeHigh1=50\r\n"), std::string::npos);
    EXPECT_NE(Text.find("ZeroLimitation1=100\r\n"), std::string::npos);
    // Later edits are written again.
    C.SetWorkDP(3);
    EXPECT_NE(TScratchDir::Read(File).find("WorkDP1=3\r\n"), std::string::npos);
}

}  // namespace
