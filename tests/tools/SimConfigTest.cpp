#include <gtest/gtest.h>

#include <sstream>

#include "tools/modbussim/SimConfig.h"

using namespace modbussim;

namespace {

std::string ErrorOf(const std::string& Text)
{
    ModbusSlave slave;
    LineTiming timing;
    std::istringstream in(Text);
    try {
        ApplyConfig(in, slave, timing);
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(SimConfig, BuildsStationsBehavioursAndTiming)
{
    ModbusSlave slave;
    LineTiming timing;
    std::istringstream in(
        "# three instruments\n"
        "station 1 rule 0 start 10 channels 3 values 5,-5\n"
        "\n"
        "station 2 rule 1 start 0 channels 1 values 123456\n"
        "station 3 rule 2 start 0 channels 1\n"
        "value 3 0 -2\n"
        "register 1 12 65535\n"
        "silent 1\n"
        "delay 2 1500\n"
        "fragments 2 3 25\n"
        "noise 2 00,ff,1A\n"
        "exception 3 4\n"
        "badcrc 3\n"
        "ramp 1 0 0,100,200 polls 1 repeat\n"
        "pacing 19200 11\n");
    ApplyConfig(in, slave, timing);
    EXPECT_EQ(slave.StationIds(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(slave.ChannelValue(1, 0), 5);
    EXPECT_EQ(slave.ChannelValue(1, 1), -5);
    EXPECT_EQ(slave.ChannelValue(1, 2), -1);
    EXPECT_EQ(slave.Register(1, 10), 5);
    EXPECT_EQ(slave.Register(2, 0), 0x0001);
    EXPECT_EQ(slave.Register(2, 1), 0xE240);
    EXPECT_EQ(slave.Register(3, 0), 0xFFFE);
    EXPECT_EQ(slave.Register(3, 1), 0xFFFF);

    EXPECT_TRUE(slave.BehaviourOf(1).Silent);
    Behaviour two = slave.BehaviourOf(2);
    EXPECT_EQ(two.DelayMs, 1500);
    EXPECT_EQ(two.FragmentSize, 3);
    EXPECT_EQ(two.FragmentGapMs, 25);
    EXPECT_EQ(two.Noise, (Bytes{0x00, 0xFF, 0x1A}));
    EXPECT_FALSE(two.Silent);
    Behaviour three = slave.BehaviourOf(3);
    EXPECT_EQ(three.ExceptionCode, 4);
    EXPECT_TRUE(three.BadCrc);

    EXPECT_TRUE(timing.Pacing);
    EXPECT_EQ(timing.BaudRate, 19200);
    EXPECT_EQ(timing.BitsPerChar, 11);

    // The ramp drives channel 0 of station 1 on each read.
    Behaviour normal;
    slave.SetBehaviour(1, normal);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        Bytes request = BuildReadRequest(1, 10, 1);
        auto plan = slave.Receive(request.data(), request.size());
        seen.push_back(plan.at(0).Data.at(4));
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 100, 200, 0}));
}

TEST(SimConfig, MistakesNameTheLine)
{
    EXPECT_EQ(ErrorOf(""), "");
    EXPECT_NE(ErrorOf("station 1 rule 0 start 0 channels 2\nbogus 1\n").find("line 2: 'bogus 1': unknown statement"),
              std::string::npos);
    EXPECT_NE(ErrorOf("station 1 rule 3 start 0 channels 2").find("line 1:"), std::string::npos);
    EXPECT_NE(ErrorOf("station 1 rule 3 start 0 channels 2").find("'3' is not a number from 0 to 2"),
              std::string::npos);
    EXPECT_NE(ErrorOf("silent 4").find("no station 4"), std::string::npos);
    EXPECT_NE(ErrorOf("station 1 rule 0 start 0 channels 1 values 1,x").find("'x' is not a number"), std::string::npos);
    EXPECT_NE(ErrorOf("station 1 rule 0 start 0 channels 1\nramp 1 0 1,2 seconds 5").find("'ms' or 'polls'"),
              std::string::npos);
    EXPECT_NE(ErrorOf("station 1 rule 0 begin 0 channels 1").find("expected: station"), std::string::npos);
    EXPECT_NE(ErrorOf("pacing 9600 12").find("line 1"), std::string::npos);
}

TEST(SimConfig, DefaultStationsGiveWayOnlyToStationStatements)
{
    EXPECT_TRUE(DeclaresStation("silent 2\n  station 4 rule 0 start 0 channels 1\n"));
    EXPECT_FALSE(DeclaresStation("# station 4 rule 0 start 0 channels 1\nsilent 2\n"));
    EXPECT_FALSE(DeclaresStation(""));

    ModbusSlave slave;
    LineTiming timing;
    for (const std::string& station : DefaultStations())
        ApplyStatement(station, slave, timing);
    EXPECT_EQ(slave.StationIds(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(slave.ChannelValue(1, 1), -56);
    EXPECT_EQ(slave.ChannelValue(2, 0), 123456);
    EXPECT_EQ(slave.ChannelValue(3, 1), -70000);
}
