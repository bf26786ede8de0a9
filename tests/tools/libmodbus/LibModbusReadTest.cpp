#include <gtest/gtest.h>

#include <modbus.h>

#include <cerrno>

#include "tools/modbussim/Simulator.h"

using namespace modbussim;

namespace {

// A libmodbus RTU master connected to a running simulator.
class LibModbusMaster : public ::testing::Test {
protected:
    void SetUp() override
    {
        StationConfig s1;
        s1.Id = 1;
        s1.Rule = 0;
        s1.StartAddress = 0;
        s1.ChannelCount = 4;
        s1.Values = {1234, -1, 0, 32767};
        sim.Slave().AddStation(s1);
        StationConfig s2 = s1;
        s2.Id = 2;
        s2.Rule = 1;
        s2.StartAddress = 100;
        s2.ChannelCount = 2;
        s2.Values = {65538, -70000};
        sim.Slave().AddStation(s2);
        StationConfig s3 = s2;
        s3.Id = 3;
        s3.Rule = 2;
        sim.Slave().AddStation(s3);
        sim.Start();

        ctx = modbus_new_rtu(sim.PortPath().c_str(), 9600, 'N', 8, 1);
        ASSERT_NE(ctx, nullptr);
        modbus_set_response_timeout(ctx, 5, 0);
        ASSERT_EQ(modbus_connect(ctx), 0) << modbus_strerror(errno);
    }
    void TearDown() override
    {
        if (ctx) {
            modbus_close(ctx);
            modbus_free(ctx);
        }
    }

    int Read(int Station, int Address, int Count, std::uint16_t* Out)
    {
        modbus_set_slave(ctx, Station);
        return modbus_read_registers(ctx, Address, Count, Out);
    }

    Simulator sim;
    modbus_t* ctx = nullptr;
};

}  // namespace

TEST_F(LibModbusMaster, ReadsAllThreeValueRules)
{
    std::uint16_t regs[8] = {};
    ASSERT_EQ(Read(1, 0, 4, regs), 4) << modbus_strerror(errno);
    EXPECT_EQ(regs[0], 1234);
    EXPECT_EQ(regs[1], 0xFFFF);
    EXPECT_EQ(regs[2], 0);
    EXPECT_EQ(regs[3], 32767);

    ASSERT_EQ(Read(2, 100, 4, regs), 4) << modbus_strerror(errno);
    EXPECT_EQ(DecodeChannel(1, regs), 65538);
    EXPECT_EQ(DecodeChannel(1, regs + 2), -70000);

    ASSERT_EQ(Read(3, 100, 4, regs), 4) << modbus_strerror(errno);
    EXPECT_EQ(regs[0], 0x0002);
    EXPECT_EQ(regs[1], 0x0001);
    EXPECT_EQ(DecodeChannel(2, regs + 2), -70000);

    sim.Slave().SetChannelValue(1, 2, -300);
    ASSERT_EQ(Read(1, 2, 1, regs), 1);
    EXPECT_EQ(static_cast<std::int16_t>(regs[0]), -300);
}

TEST_F(LibModbusMaster, SeesExceptionsBadCrcAndSilence)
{
    std::uint16_t regs[4] = {};
    EXPECT_EQ(Read(1, 3, 2, regs), -1);
    EXPECT_EQ(errno, EMBXILADD);

    Behaviour b;
    b.ExceptionCode = MODBUS_EXCEPTION_SLAVE_OR_SERVER_BUSY;
    sim.Slave().SetBehaviour(1, b);
    EXPECT_EQ(Read(1, 0, 1, regs), -1);
    EXPECT_EQ(errno, EMBXSBUSY);

    b = {};
    b.BadCrc = true;
    sim.Slave().SetBehaviour(1, b);
    EXPECT_EQ(Read(1, 0, 1, regs), -1);
    EXPECT_EQ(errno, EMBBADCRC);

    b = {};
    b.Silent = true;
    sim.Slave().SetBehaviour(1, b);
    modbus_set_response_timeout(ctx, 0, 300000);
    EXPECT_EQ(Read(1, 0, 1, regs), -1);
    EXPECT_EQ(errno, ETIMEDOUT);

    // After the failures the line still works.
    modbus_set_response_timeout(ctx, 5, 0);
    ASSERT_EQ(Read(2, 100, 2, regs), 2);
    EXPECT_EQ(regs[1], 2);
}
