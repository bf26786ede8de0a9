// Our master against an independent Modbus implementation: a libmodbus RTU
// server on a pseudo-terminal serves holding registers, and the values our
// master decodes must equal them for every value rule.
#include "app/SerialPortSampleThreadUnit.h"

#include "../app/SampleFakes.h"
#include "../app/ScratchDir.h"
#include "LibModbusServer.h"
#include "PtyPair.h"
#include "UiLoop.h"

#include <gtest/gtest.h>

namespace {

TEST(ModbusInteropTest, ValuesEqualTheRegistersServedForAllRules)
{
    TPtyPair pty;
    std::vector<std::uint16_t> registers(32, 0);
    // Rule 0 at 0: three signed 16-bit channels.
    registers[0] = 0xFFFF;
    registers[1] = 1234;
    registers[2] = 0x8000;
    // Rule 1 at 10: high word first.
    registers[10] = 0x0001;
    registers[11] = 0x0002;
    registers[12] = 0xFFFF;
    registers[13] = 0xFFFE;
    // Rule 2 at 20: low word first.
    registers[20] = 0x0001;
    registers[21] = 0x0002;
    registers[22] = 0x0000;
    registers[23] = 0x8000;
    TLibModbusServer server(pty.MasterFd(), 17, registers);

    TFakeSampleDevice rule0(17, 0, 0, 3), rule1(17, 1, 10, 2), rule2(17, 2, 20, 2);
    TFakeSampleView view;
    TScratchDir dir;
    TSampleSettings settings;
    settings.PollDelay = 0;
    settings.PollTimeout = 2000;
    settings.StartMode = 1;  // no trigger channel: polls without logging
    settings.StartTriggerLogic = 1;
    auto thread = std::make_unique<TSerialPortSampleThread>(TSampleLine{pty.SlavePath(), 115200, 0}, dir / "run.tmp",
                                                            dir / "run.csv", settings, &view);
    thread->AddDevice(&rule0);
    thread->AddDevice(&rule1);
    thread->AddDevice(&rule2);
    thread->Resume();
    // Three cycles (the first progress entry is the reset at creation).
    ASSERT_TRUE(ServeUntil([&] { return view.Progress.size() >= 1 + 9; }));
    thread->Terminate();
    thread->WaitFor();

    EXPECT_EQ((std::vector<std::string>(view.LogStates.size(), "")), view.LogStates) << "no time-out expected";
    EXPECT_TRUE(ServeUntil([&] { return server.Replies() >= 9; }));
    EXPECT_EQ(-1, rule0.Channel(0).Raw);
    EXPECT_EQ(1234, rule0.Channel(1).Raw);
    EXPECT_EQ(-32768, rule0.Channel(2).Raw);
    EXPECT_EQ(0x00010002, rule1.Channel(0).Raw);
    EXPECT_EQ(-2, rule1.Channel(1).Raw);
    EXPECT_EQ(0x00020001, rule2.Channel(0).Raw);
    EXPECT_EQ(static_cast<std::int32_t>(0x80000000u), rule2.Channel(1).Raw);
    EXPECT_TRUE(rule0.Online() && rule1.Online() && rule2.Online());
    EXPECT_FALSE(std::filesystem::exists(dir / "run.csv"));
}

}  // namespace
