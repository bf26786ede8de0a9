#include "app/ModbusCrc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::uint16_t Crc(const std::string& Bytes)
{
    return CalcCRC16(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
}

TEST(ModbusCrcTest, PublishedVectors)
{
    // The catalogue check value of CRC-16/MODBUS.
    EXPECT_EQ(0x4B37, Crc("123456789"));
    // Well-known read requests: CRC low byte first on the wire.
    EXPECT_EQ(0xCDC5, Crc(std::string("\x01\x03\x00\x00\x00\x0A", 6)));
    EXPECT_EQ(0x0A84, Crc(std::string("\x01\x03\x00\x00\x00\x01", 6)));
}

TEST(ModbusCrcTest, EmptyInputGivesInitialValue)
{
    EXPECT_EQ(0xFFFF, CalcCRC16(nullptr, 0));
}

TEST(ModbusCrcTest, FrameWithItsCrcAppendedChecksToZero)
{
    std::string frame("\x11\x03\x06\xAE\x41\x56\x52\x43\x40", 9);
    const std::uint16_t crc = Crc(frame);
    frame += static_cast<char>(crc & 0xFF);
    frame += static_cast<char>(crc >> 8);
    EXPECT_EQ(0, Crc(frame));
}

}  // namespace
