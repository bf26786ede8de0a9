// A run over the application's own device and channel state: decoded
// registers become engineering values, and their displayed texts the CSV.
#include "app/DeviceSampleAdapter.h"
#include "app/SamplingRun.h"

#include "SampleFakes.h"
#include "ScratchDir.h"
#include "rtl/Gbk.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

TDeviceInfo TwoChannels()
{
    TDeviceInfo info;
    info.Section = "Device1";
    info.ChannelCount = 2;
    info.ValueRule = vrInt16;
    info.DVRBeginAddr = 40;
    TChannelInfo pressure;
    pressure.Index = 0;
    pressure.ValueName = "压力";
    pressure.WorkUnit = "MPa";
    pressure.WorkDP = 2;
    TChannelInfo level;
    level.Index = 1;
    level.ValueName = "液位";
    level.WorkUnit = " ";
    level.WorkDP = 0;
    level.NegativeCorrection = true;
    level.IsStartTriggerChannel = true;
    level.StartTriggerLevel = 5;
    info.Channels = {pressure, level};
    return info;
}

// A device whose chart points are kept for the test.
class TChartedDevice : public TDeviceModel {
public:
    void AddChartPoints(double X, const std::vector<double>& Values) override
    {
        Points.push_back(X);
        PointValues.push_back(Values);
    }
    std::vector<double> Points;
    std::vector<std::vector<double>> PointValues;
};

TEST(DeviceSampleAdapterTest, ValuesTextsAndTriggersComeFromTheChannels)
{
    TChartedDevice device;
    device.AssignInfo(TwoChannels(), nullptr);
    device.SetStationId(7);
    std::vector<double>& points = device.Points;
    TDeviceSampleAdapter adapter(&device);

    EXPECT_EQ(7, adapter.StationId());
    EXPECT_EQ(0, adapter.ValueRule());
    EXPECT_EQ(40, adapter.DVRBeginAddr());
    EXPECT_EQ(2, adapter.ChannelCount());

    TScratchDir dir;
    TFakeSampleView view;
    TSampleSettings settings;
    settings.AxisFormat = 2;
    settings.StartMode = 1;
    TSamplingRun run(settings, {&adapter}, &view, std::make_unique<TCsvLogWriter>(dir / "t.tmp", dir / "run.csv", 100));

    run.Reply(&adapter, true, {12345, 4});
    EXPECT_TRUE(device.Online());
    EXPECT_EQ("123.45", adapter.DisplayText(0));
    EXPECT_FALSE(run.Recording()) << "level 4 is below the start level";
    run.Reply(&adapter, true, {-7, 65535});
    EXPECT_EQ("-1", adapter.DisplayText(1)) << "negative correction";
    run.Reply(&adapter, true, {250, 6});
    EXPECT_TRUE(adapter.StartTriggered(1));
    EXPECT_TRUE(run.Recording());
    EXPECT_EQ((std::vector<double>{1}), points);
    // The chart takes the engineering values the channels made of the poll.
    EXPECT_EQ((std::vector<std::vector<double>>{{2.5, 6}}), device.PointValues);
    if (auto record = run.EndOfCycle())
        run.WriteRecord(*record);
    run.Reply(&adapter, false, {});
    EXPECT_EQ("-------", adapter.DisplayText(0));
    EXPECT_FALSE(device.Online());
    if (auto record = run.EndOfCycle())
        run.WriteRecord(*record);
    if (auto record = run.EndOfCycle())
        run.WriteRecord(*record);
    ASSERT_TRUE(run.FinishLogFile());

    std::ifstream in(dir / "run.csv", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ("采样点编号,压力(MPa),液位\r\n1,2.50,6\r\n2,-------,-------\r\n", Gbk::FromGbk(bytes.str()));

    adapter.ResetDevice();
    EXPECT_FALSE(adapter.StartTriggered(1));
}

// A record holds the decoded values as the channels show them when it is
// taken: decimal places edited after the poll show in it.
TEST(DeviceSampleAdapterTest, ARecordShowsThePollsValuesWithTheDecimalPlacesSetSince)
{
    TDeviceModel device;
    device.AssignInfo(TwoChannels(), nullptr);
    TDeviceSampleAdapter adapter(&device);
    TScratchDir dir;
    TFakeSampleView view;
    TSamplingRun run({}, {&adapter}, &view, std::make_unique<TCsvLogWriter>(dir / "t.tmp", dir / "run.csv", 100));
    run.Reply(&adapter, true, {12345, 65535});
    device.Channels(0)->SetWorkDP(1);
    const std::optional<TCsvRecord> record = run.EndOfCycle();
    ASSERT_TRUE(record);
    EXPECT_EQ((std::vector<std::string>{"1234.5", "-1"}), record->Texts);
    EXPECT_EQ(device.Channels(0)->DisplayText(), record->Texts[0]);
}

}  // namespace
