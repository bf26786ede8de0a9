#include "app/ModbusRequest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> AsInts(const std::array<std::uint8_t, 8>& Bytes)
{
    return std::vector<int>(Bytes.begin(), Bytes.end());
}

TEST(ModbusRequestTest, RegisterCountByValueRule)
{
    EXPECT_EQ(3, TModbusRequest::RegisterCountFor(0, 3));
    EXPECT_EQ(6, TModbusRequest::RegisterCountFor(1, 3));
    EXPECT_EQ(6, TModbusRequest::RegisterCountFor(2, 3));
}

TEST(ModbusRequestTest, BytesOnTheWirePerRule)
{
    // Rule 0, ten channels from address 0 of station 1: a frame found in
    // every Modbus primer.
    EXPECT_EQ((std::vector<int>{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}),
              AsInts(TModbusRequest::ForDevice(1, 0, 0, 10).Bytes()));
    // Rules 1 and 2 ask for two registers per channel.
    const auto rule1 = TModbusRequest::ForDevice(7, 0x1234, 1, 2);
    EXPECT_EQ(7, rule1.Bytes()[0]);
    EXPECT_EQ(0x03, rule1.Bytes()[1]);
    EXPECT_EQ(0x12, rule1.Bytes()[2]);
    EXPECT_EQ(0x34, rule1.Bytes()[3]);
    EXPECT_EQ(0x00, rule1.Bytes()[4]);
    EXPECT_EQ(0x04, rule1.Bytes()[5]);
    EXPECT_EQ(AsInts(rule1.Bytes()), AsInts(TModbusRequest::ForDevice(7, 0x1234, 2, 2).Bytes()));
}

TEST(ModbusRequestTest, StationIdUsesTheLowByte)
{
    EXPECT_EQ(0x02, TModbusRequest::ForDevice(0x102, 0, 0, 1).Bytes()[0]);
}

TEST(ModbusRequestTest, ReplySizeCountsStationFunctionCountDataAndCrc)
{
    EXPECT_EQ(5 + 2 * 3, TModbusRequest::ForDevice(1, 0, 0, 3).ReplySize());
    EXPECT_EQ(5 + 4 * 3, TModbusRequest::ForDevice(1, 0, 1, 3).ReplySize());
}

}  // namespace
