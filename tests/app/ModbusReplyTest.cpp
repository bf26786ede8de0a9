#include "app/ModbusReply.h"

#include "ModbusFrames.h"

#include <gtest/gtest.h>

namespace {

TEST(ModbusReplyTest, AcceptsTheAnswerToTheRequest)
{
    const auto request = TModbusRequest::ForDevice(5, 0, 0, 2);
    EXPECT_TRUE(TModbusReply::IsValid(request, Reply(5, {1, 2})));
}

TEST(ModbusReplyTest, RejectsWhatIsNotTheAnswer)
{
    const auto request = TModbusRequest::ForDevice(5, 0, 0, 2);
    std::string badCrc = Reply(5, {1, 2});
    badCrc.back() ^= 0x01;
    EXPECT_FALSE(TModbusReply::IsValid(request, badCrc));
    EXPECT_FALSE(TModbusReply::IsValid(request, Reply(5, {1, 2}, 4)));  // wrong function
    EXPECT_FALSE(TModbusReply::IsValid(request, Reply(6, {1, 2})));     // other station
    EXPECT_FALSE(TModbusReply::IsValid(request, Reply(5, {1})));        // short
    EXPECT_FALSE(TModbusReply::IsValid(request, Reply(5, {1, 2, 3})));  // long
    // Right length, but the byte count says 2.
    std::string wrongCount = Reply(5, {1, 2});
    wrongCount[2] = 2;
    EXPECT_FALSE(TModbusReply::IsValid(request, WithCrc(wrongCount.substr(0, 7))));
    // Exception reply: function 0x83, exception code 02.
    EXPECT_FALSE(TModbusReply::IsValid(request, WithCrc(std::string("\x05\x83\x02", 3))));
    EXPECT_FALSE(TModbusReply::IsValid(request, ""));
}

TEST(ModbusReplyTest, FrameFromPacketPutsTheStationBack)
{
    const auto request = TModbusRequest::ForDevice(9, 0, 0, 1);
    const std::string full = Reply(9, {0x1234});
    EXPECT_EQ(full, TModbusReply::FrameFromPacket(request, full.substr(1)));
    // Extra bytes are cut off; a packet too short gives nothing.
    EXPECT_EQ(full, TModbusReply::FrameFromPacket(request, full.substr(1) + "xyz"));
    EXPECT_EQ("", TModbusReply::FrameFromPacket(request, full.substr(1, 3)));
}

TEST(ModbusReplyTest, FindFrameSkipsWhatLooksLikeAStartButIsNoFrame)
{
    const auto request = TModbusRequest::ForDevice(2, 0, 0, 1);
    const std::string late = Reply(1, {0x000A});  // its byte count is 02
    const std::string reply = Reply(2, {0x000B});
    EXPECT_EQ(late.size(), TModbusReply::FindFrame(request, late + reply));
    EXPECT_EQ(0u, TModbusReply::FindFrame(request, reply + late));
    // Not yet whole, or never valid: no frame.
    EXPECT_EQ(std::string::npos, TModbusReply::FindFrame(request, late + reply.substr(0, 6)));
    std::string bad = reply;
    bad.back() ^= 0x01;
    EXPECT_EQ(std::string::npos, TModbusReply::FindFrame(request, late + bad));
    EXPECT_EQ(std::string::npos, TModbusReply::FindFrame(request, ""));
}

TEST(ModbusReplyTest, DecodeRule0IsSigned16Bit)
{
    EXPECT_EQ((std::vector<std::int32_t>{-1, 32767, -32768, 0}),
              TModbusReply::Decode(0, Reply(1, {0xFFFF, 0x7FFF, 0x8000, 0})));
}

TEST(ModbusReplyTest, DecodeRule1HighWordFirst)
{
    EXPECT_EQ((std::vector<std::int32_t>{1 * 65536 + 2, -2}),
              TModbusReply::Decode(1, Reply(1, {1, 2, 0xFFFF, 0xFFFE})));
}

TEST(ModbusReplyTest, DecodeRule2LowWordFirst)
{
    EXPECT_EQ((std::vector<std::int32_t>{2 * 65536 + 1, -65536}),
              TModbusReply::Decode(2, Reply(1, {1, 2, 0x0000, 0xFFFF})));
}

TEST(ModbusReplyTest, DecodeNeverReadsPastTheData)
{
    std::string lying = Reply(1, {7});
    lying[2] = static_cast<char>(200);
    EXPECT_EQ((std::vector<std::int32_t>{7}), TModbusReply::Decode(0, lying));
    EXPECT_TRUE(TModbusReply::Decode(3, Reply(1, {7})).empty());
}

}  // namespace
