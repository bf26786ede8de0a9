#include "app/ModbusReplyFramer.h"

#include "ModbusFrames.h"
#include "serial/CPort.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// A framer fed straight from the test, as the port would feed it.
class Framer : public TComDataPacket {
public:
    Framer() : TComDataPacket(nullptr)
    {
        OnPacket = [this](TObject*, const std::string& Str) { Packets.push_back(Str); };
    }
    void Receive(const std::string& Bytes) { RxBuf(Bytes.data(), static_cast<int>(Bytes.size())); }

    std::vector<std::string> Packets;
};

using Strings = std::vector<std::string>;

// Every way of cutting Bytes into batches for short sequences, a fixed
// sample of them for long ones.
std::vector<std::vector<std::string>> Chunkings(const std::string& Bytes)
{
    const std::size_t cuts = Bytes.size() - 1;
    std::vector<std::uint32_t> masks;
    if (cuts <= 14) {
        for (std::uint32_t m = 0; m < (1u << cuts); ++m)
            masks.push_back(m);
    } else {
        std::mt19937 random(12345);
        for (int i = 0; i < 4000; ++i)
            masks.push_back(random() & ((1u << cuts) - 1));
        masks.push_back(0);
        masks.push_back((1u << cuts) - 1);
    }
    std::vector<std::vector<std::string>> all;
    for (std::uint32_t m : masks) {
        std::vector<std::string> batches(1);
        for (std::size_t i = 0; i < Bytes.size(); ++i) {
            batches.back() += Bytes[i];
            if (i < cuts && (m >> i & 1u))
                batches.emplace_back();
        }
        all.push_back(batches);
    }
    return all;
}

// Feeds Bytes in every chunking to a framer set up for Request and expects
// exactly the packets Expected each time.
void ExpectPacketsInEveryChunking(const TModbusRequest& Request, const std::string& Bytes, const Strings& Expected)
{
    for (const auto& batches : Chunkings(Bytes)) {
        Framer packet;
        TModbusReplyFramer framer(packet);
        framer.Expect(Request);
        std::string shown;
        for (const auto& b : batches) {
            packet.Receive(b);
            shown += std::to_string(b.size()) + " ";
        }
        ASSERT_EQ(Expected, packet.Packets) << "batches of " << shown;
    }
}

TEST(ModbusReplyFramerTest, ALateReplyBeforeTheAnswerNeverCostsTheAnswer)
{
    // Station 1's late reply: its byte count 02 reads like station 2's id.
    const std::string late = Reply(1, {0x000A});
    const std::string answer = Reply(2, {0x000B});
    const auto request = TModbusRequest::ForDevice(2, 0, 0, 1);
    ExpectPacketsInEveryChunking(request, late + answer, {answer.substr(1)});
    // Only the late reply's tail, after the framer was reset for station 2.
    ExpectPacketsInEveryChunking(request, late.substr(2) + answer, {answer.substr(1)});
    ExpectPacketsInEveryChunking(request, late.substr(4) + answer, {answer.substr(1)});
}

TEST(ModbusReplyFramerTest, ALateReplyFullOfTheStationsIdStillLeavesTheAnswerWhole)
{
    // Data, byte count and function all hold 02 and 03: many false starts.
    const std::string late = Reply(1, {0x0203, 0x0302, 0x0202, 0x0303});
    const std::string answer = Reply(2, {0x0302, 0x0203});
    ExpectPacketsInEveryChunking(TModbusRequest::ForDevice(2, 0, 0, 2), late + answer, {answer.substr(1)});
    ExpectPacketsInEveryChunking(TModbusRequest::ForDevice(3, 0, 0, 2), late + Reply(3, {0x0302, 0x0203}),
                                 {Reply(3, {0x0302, 0x0203}).substr(1)});
}

TEST(ModbusReplyFramerTest, NothingButAWholeValidReplyIsAPacket)
{
    const auto request = TModbusRequest::ForDevice(5, 0, 0, 1);
    std::string bad = Reply(5, {7});
    bad.back() ^= 0x01;
    ExpectPacketsInEveryChunking(request, bad, {});
    ExpectPacketsInEveryChunking(request, Reply(5, {7}).substr(0, 6), {});
    // Noise before the answer is skipped, as a plain start search would.
    ExpectPacketsInEveryChunking(request, std::string("\xFF\x00\x13", 3) + Reply(5, {7}), {Reply(5, {7}).substr(1)});
}

TEST(ModbusReplyFramerTest, ExpectForgetsWhatTheFramerHeld)
{
    Framer packet;
    TModbusReplyFramer framer(packet);
    const std::string answer = Reply(4, {0x1234});
    framer.Expect(TModbusRequest::ForDevice(4, 0, 0, 1));
    packet.Receive(answer.substr(0, 4));
    framer.Expect(TModbusRequest::ForDevice(4, 0, 0, 1));
    packet.Receive(answer.substr(4));
    EXPECT_TRUE(packet.Packets.empty());
    // The packet is cut by the reply's size; what follows stays for later.
    packet.Receive(answer + "\x04");
    EXPECT_EQ(Strings{answer.substr(1)}, packet.Packets);
    EXPECT_EQ("\x04", packet.Buffer());
}

}  // namespace
