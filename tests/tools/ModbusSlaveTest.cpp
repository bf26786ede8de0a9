#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/modbussim/ModbusSlave.h"

using namespace modbussim;
using namespace std::chrono_literals;

namespace {

StationConfig MakeStation(int Id, int Rule, std::uint16_t Start, int Channels, std::vector<std::int32_t> Values)
{
    StationConfig c;
    c.Id = Id;
    c.Rule = Rule;
    c.StartAddress = Start;
    c.ChannelCount = Channels;
    c.Values = std::move(Values);
    return c;
}

std::vector<Transmission> Ask(ModbusSlave& Slave, const Bytes& Request, Clock::time_point Now = Clock::now())
{
    return Slave.Receive(Request.data(), Request.size(), Now);
}

// The bytes of a plan, joined in order.
Bytes Joined(const std::vector<Transmission>& Plan)
{
    Bytes all;
    for (const auto& t : Plan)
        all.insert(all.end(), t.Data.begin(), t.Data.end());
    return all;
}

Bytes WithCrc(Bytes Frame)
{
    AppendCrc(Frame);
    return Frame;
}

}  // namespace

TEST(ModbusSlave, AnswersEachValueRule)
{
    ModbusSlave slave;
    slave.AddStation(MakeStation(1, 0, 0, 3, {1234, -1, 7}));
    slave.AddStation(MakeStation(2, 1, 0, 2, {65538, -2}));
    slave.AddStation(MakeStation(3, 2, 40, 1, {65538}));

    auto plan = Ask(slave, BuildReadRequest(1, 0, 3));
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].Delay, 0ms);
    EXPECT_EQ(plan[0].Data, WithCrc({0x01, 0x03, 0x06, 0x04, 0xD2, 0xFF, 0xFF, 0x00, 0x07}));

    EXPECT_EQ(Joined(Ask(slave, BuildReadRequest(2, 0, 4))),
              WithCrc({0x02, 0x03, 0x08, 0x00, 0x01, 0x00, 0x02, 0xFF, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(Joined(Ask(slave, BuildReadRequest(3, 40, 2))), WithCrc({0x03, 0x03, 0x04, 0x00, 0x02, 0x00, 0x01}));
}

TEST(ModbusSlave, ReadsPartOfTheMapAndRefusesOutside)
{
    ModbusSlave slave;
    slave.AddStation(MakeStation(5, 0, 100, 4, {10, 20, 30, 40}));
    EXPECT_EQ(Joined(Ask(slave, BuildReadRequest(5, 101, 2))), WithCrc({0x05, 0x03, 0x04, 0x00, 0x14, 0x00, 0x1E}));
    EXPECT_EQ(Joined(Ask(slave, BuildReadRequest(5, 99, 1))), BuildExceptionReply(5, 3, IllegalDataAddress));
    EXPECT_EQ(Joined(Ask(slave, BuildReadRequest(5, 102, 3))), BuildExceptionReply(5, 3, IllegalDataAddress));
    EXPECT_EQ(Joined(Ask(slave, BuildReadRequest(5, 100, 0))), BuildExceptionReply(5, 3, IllegalDataValue));
    EXPECT_EQ(Joined(Ask(slave, BuildReadRequest(5, 100, 126))), BuildExceptionReply(5, 3, IllegalDataValue));
    // Another function with a valid CRC.
    EXPECT_EQ(Joined(Ask(slave, WithCrc({0x05, 0x06, 0x00, 0x64, 0x00, 0x01}))),
              BuildExceptionReply(5, 6, IllegalFunction));
}

TEST(ModbusSlave, StaysQuietForOthersBroadcastsAndBadRequests)
{
    ModbusSlave slave;
    slave.AddStation(MakeStation(1, 0, 0, 1, {1}));
    EXPECT_TRUE(Ask(slave, BuildReadRequest(2, 0, 1)).empty());
    EXPECT_TRUE(Ask(slave, BuildReadRequest(0, 0, 1)).empty());
    Bytes bad = BuildReadRequest(1, 0, 1);
    bad[7] ^= 0x55;
    EXPECT_TRUE(Ask(slave, bad).empty());
    EXPECT_EQ(slave.RequestCount(1), 0u);
    EXPECT_EQ(slave.RequestCount(2), 0u);
}

TEST(ModbusSlave, FindsRequestsInSplitNoisyAndJoinedInput)
{
    ModbusSlave slave;
    slave.AddStation(MakeStation(1, 0, 0, 1, {100}));
    slave.AddStation(MakeStation(2, 0, 0, 1, {200}));
    Bytes one = BuildReadRequest(1, 0, 1);
    Bytes two = BuildReadRequest(2, 0, 1);

    EXPECT_TRUE(slave.Receive(one.data(), 5).empty());
    EXPECT_EQ(Joined(slave.Receive(one.data() + 5, 3)), WithCrc({0x01, 0x03, 0x02, 0x00, 0x64}));

    Bytes noisy{0x00, 0xFF, 0x01, 0x03};
    noisy.insert(noisy.end(), two.begin(), two.end());
    noisy.insert(noisy.end(), one.begin(), one.end());
    auto plan = Ask(slave, noisy);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].Data, WithCrc({0x02, 0x03, 0x02, 0x00, 0xC8}));
    EXPECT_EQ(plan[1].Data, WithCrc({0x01, 0x03, 0x02, 0x00, 0x64}));
    EXPECT_EQ(slave.RequestCount(1), 2u);
    EXPECT_EQ(slave.RequestCount(2), 1u);
}

TEST(ModbusSlave, ScriptedMisbehaviour)
{
    ModbusSlave slave;
    slave.AddStation(MakeStation(1, 0, 0, 2, {1, 2}));
    Bytes good = BuildReadReply(1, {1, 2});
    Bytes request = BuildReadRequest(1, 0, 2);

    Behaviour b;
    b.Silent = true;
    slave.SetBehaviour(1, b);
    EXPECT_TRUE(Ask(slave, request).empty());
    EXPECT_EQ(slave.RequestCount(1), 1u);

    b = {};
    b.BadCrc = true;
    slave.SetBehaviour(1, b);
    Bytes corrupted = Joined(Ask(slave, request));
    ASSERT_EQ(corrupted.size(), good.size());
    EXPECT_TRUE(std::equal(good.begin(), good.end() - 2, corrupted.begin()));
    EXPECT_FALSE(HasValidCrc(corrupted.data(), corrupted.size()));

    b = {};
    b.ExceptionCode = 4;
    slave.SetBehaviour(1, b);
    EXPECT_EQ(Joined(Ask(slave, request)), BuildExceptionReply(1, 3, 4));

    b = {};
    b.DelayMs = 1500;
    slave.SetBehaviour(1, b);
    auto late = Ask(slave, request);
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].Delay, 1500ms);
    EXPECT_EQ(late[0].Data, good);

    b = {};
    b.FragmentSize = 3;
    b.FragmentGapMs = 20;
    b.Noise = {0x00, 0xFF};
    b.DelayMs = 5;
    slave.SetBehaviour(1, b);
    EXPECT_EQ(slave.BehaviourOf(1).FragmentSize, 3);
    auto pieces = Ask(slave, request);
    ASSERT_EQ(pieces.size(), 4u);  // noise + 9 bytes in pieces of 3
    EXPECT_EQ(pieces[0].Data, (Bytes{0x00, 0xFF}));
    EXPECT_TRUE(pieces[0].StartsFrame);
    EXPECT_EQ(pieces[0].Delay, 5ms);
    EXPECT_EQ(pieces[1].Delay, 5ms);
    EXPECT_FALSE(pieces[1].StartsFrame);
    EXPECT_EQ(pieces[2].Delay, 25ms);
    EXPECT_EQ(pieces[3].Delay, 45ms);
    EXPECT_EQ(pieces[3].Data.size(), 3u);
    pieces.erase(pieces.begin());
    EXPECT_EQ(Joined(pieces), good);
}

TEST(ModbusSlave, ValuesChangeBetweenReads)
{
    ModbusSlave slave;
    slave.AddStation(MakeStation(9, 1, 0, 2, {0, 0}));
    slave.SetChannelValue(9, 1, -70000);
    EXPECT_EQ(slave.ChannelValue(9, 1), -70000);
    EXPECT_EQ(slave.Register(9, 2), 0xFFFE);
    EXPECT_EQ(slave.Register(9, 3), 0xEE90);
    slave.SetRegister(9, 0, 0x0001);
    EXPECT_EQ(slave.ChannelValue(9, 0), 65536);
    EXPECT_THROW(slave.SetChannelValue(9, 2, 0), std::out_of_range);
    EXPECT_THROW(slave.SetChannelValue(8, 0, 0), std::out_of_range);
    EXPECT_THROW(slave.Register(9, 4), std::out_of_range);
}

TEST(ModbusSlave, RampStepsPerPoll)
{
    ModbusSlave slave;
    slave.AddStation(MakeStation(1, 0, 0, 2, {0, 42}));
    Ramp ramp;
    ramp.Levels = {0, 100, 500};
    ramp.StepPolls = 1;
    slave.SetRamp(1, 0, ramp);
    auto read = [&] {
        auto reply = Joined(Ask(slave, BuildReadRequest(1, 0, 2)));
        EXPECT_EQ(reply[5], 0) << "untouched channel";
        EXPECT_EQ(reply[6], 42);
        return static_cast<std::int16_t>(reply[3] << 8 | reply[4]);
    };
    EXPECT_EQ(read(), 0);
    EXPECT_EQ(read(), 100);
    EXPECT_EQ(read(), 500);
    EXPECT_EQ(read(), 500) << "last level holds";

    ramp.Repeat = true;
    ramp.Linear = true;
    ramp.StepPolls = 2;
    slave.SetRamp(1, 0, ramp);
    std::vector<int> seen;
    for (int i = 0; i < 7; ++i)
        seen.push_back(read());
    EXPECT_EQ(seen, (std::vector<int>{0, 50, 100, 300, 500, 250, 0}));
}

TEST(ModbusSlave, RampStepsOverTime)
{
    StationConfig config = MakeStation(1, 2, 0, 1, {});
    Station station(config);
    auto t0 = Clock::now();
    Ramp ramp;
    ramp.Levels = {-100000, 0, 100000};
    ramp.StepMs = 1000;
    station.SetRamp(0, ramp, t0);
    std::vector<std::uint16_t> regs;
    auto at = [&](std::chrono::milliseconds Offset) {
        EXPECT_EQ(station.Read(0, 2, t0 + Offset, regs), 0);
        return DecodeChannel(2, regs.data());
    };
    EXPECT_EQ(at(0ms), -100000);
    EXPECT_EQ(at(999ms), -100000);
    EXPECT_EQ(at(1000ms), 0);
    EXPECT_EQ(at(2500ms), 100000);
    ramp.Linear = true;
    station.SetRamp(0, ramp, t0);
    EXPECT_EQ(at(250ms), -75000);
    EXPECT_EQ(at(1500ms), 50000);

    EXPECT_THROW(station.SetRamp(0, Ramp{}, t0), std::invalid_argument);
    Ramp both = ramp;
    both.StepPolls = 1;
    EXPECT_THROW(station.SetRamp(0, both, t0), std::invalid_argument);
}

TEST(ModbusSlave, RefusesImpossibleStations)
{
    ModbusSlave slave;
    EXPECT_THROW(slave.AddStation(MakeStation(0, 0, 0, 1, {})), std::invalid_argument);
    EXPECT_THROW(slave.AddStation(MakeStation(248, 0, 0, 1, {})), std::invalid_argument);
    EXPECT_THROW(slave.AddStation(MakeStation(1, 3, 0, 1, {})), std::invalid_argument);
    EXPECT_THROW(slave.AddStation(MakeStation(1, 1, 65535, 1, {})), std::invalid_argument);
    EXPECT_TRUE(slave.StationIds().empty());
}
