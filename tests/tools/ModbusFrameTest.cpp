#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/modbussim/ModbusFrame.h"

using namespace modbussim;

TEST(ModbusFrame, CrcMatchesPublishedVectors)
{
    EXPECT_EQ(BuildReadRequest(0x01, 0x0000, 0x000A), (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}));
    EXPECT_EQ(BuildReadRequest(0x01, 0x0000, 0x0001), (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x84, 0x0A}));
    EXPECT_EQ(BuildReadRequest(0x11, 0x006B, 0x0003), (Bytes{0x11, 0x03, 0x00, 0x6B, 0x00, 0x03, 0x76, 0x87}));
    EXPECT_EQ(Crc16(nullptr, 0), 0xFFFF);
}

TEST(ModbusFrame, ReplyAndExceptionBytes)
{
    EXPECT_EQ(BuildReadReply(0x11, {0xAE41, 0x5652, 0x4340}),
              (Bytes{0x11, 0x03, 0x06, 0xAE, 0x41, 0x56, 0x52, 0x43, 0x40, 0x49, 0xAD}));
    EXPECT_EQ(BuildExceptionReply(0x01, 0x03, IllegalDataAddress), (Bytes{0x01, 0x83, 0x02, 0xC0, 0xF1}));
}

TEST(ModbusFrame, CrcCheckRejectsAnyChangedByte)
{
    Bytes frame = BuildReadRequest(7, 300, 4);
    EXPECT_TRUE(HasValidCrc(frame.data(), frame.size()));
    for (std::size_t i = 0; i < frame.size(); ++i) {
        Bytes bad = frame;
        bad[i] ^= 0x01;
        EXPECT_FALSE(HasValidCrc(bad.data(), bad.size())) << "byte " << i;
    }
    EXPECT_FALSE(HasValidCrc(frame.data(), 2));
}

TEST(ModbusFrame, ChannelLayoutsOfTheValueRules)
{
    EXPECT_EQ(EncodeChannel(0, -1), (std::vector<std::uint16_t>{0xFFFF}));
    EXPECT_EQ(EncodeChannel(0, 1234), (std::vector<std::uint16_t>{1234}));
    EXPECT_EQ(EncodeChannel(1, 65538), (std::vector<std::uint16_t>{1, 2}));
    EXPECT_EQ(EncodeChannel(2, 65538), (std::vector<std::uint16_t>{2, 1}));
    EXPECT_EQ(EncodeChannel(1, -2), (std::vector<std::uint16_t>{0xFFFF, 0xFFFE}));
    EXPECT_EQ(EncodeChannel(2, -2), (std::vector<std::uint16_t>{0xFFFE, 0xFFFF}));

    const std::uint16_t minusOne[] = {0xFFFF};
    const std::uint16_t oneTwo[] = {1, 2};
    EXPECT_EQ(DecodeChannel(0, minusOne), -1);
    EXPECT_EQ(DecodeChannel(1, oneTwo), 1 * 65536 + 2);
    EXPECT_EQ(DecodeChannel(2, oneTwo), 2 * 65536 + 1);
    for (int rule = 0; rule <= 2; ++rule)
        for (std::int32_t v : {0, 1, -1, 32767, -32768})
            EXPECT_EQ(DecodeChannel(rule, EncodeChannel(rule, v).data()), v);
    for (std::int32_t v : {INT32_MIN, INT32_MAX, -70000, 70000})
        for (int rule = 1; rule <= 2; ++rule)
            EXPECT_EQ(DecodeChannel(rule, EncodeChannel(rule, v).data()), v);

    EXPECT_THROW(EncodeChannel(3, 0), std::invalid_argument);
    EXPECT_THROW(RegistersPerChannel(-1), std::invalid_argument);
}
