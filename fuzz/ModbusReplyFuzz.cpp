// The reply check agrees with a plain model of a read-holding-registers
// reply, and a well-formed reply decodes to the values that were put in.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "app/ModbusReply.h"

namespace {

// Bit by bit, so that it shares nothing with the table-driven CRC under test.
std::uint16_t ModelCrc(const std::string& Bytes)
{
    std::uint16_t crc = 0xFFFF;
    for (unsigned char b : Bytes) {
        crc ^= b;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

bool ModelValid(const TModbusRequest& R, const std::string& F)
{
    const size_t len = F.size();
    if (len != 5u + 2u * R.RegisterCount)
        return false;
    const auto u = [&](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(F[i])); };
    const std::uint16_t crc = ModelCrc(F.substr(0, len - 2));
    return u(0) == R.StationId && u(1) == 3 && u(2) == len - 5 && u(len - 2) == (crc & 0xFFu) &&
           u(len - 1) == (crc >> 8u);
}

std::string WithCrc(std::string Frame)
{
    const std::uint16_t crc = ModelCrc(Frame);
    Frame += static_cast<char>(crc & 0xFF);
    Frame += static_cast<char>(crc >> 8);
    return Frame;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    FuzzedDataProvider in(Data, Size);
    TModbusRequest request;
    request.StationId = in.ConsumeIntegral<std::uint8_t>();
    request.ValueRule = in.ConsumeIntegralInRange<int>(-1, 3);
    const int channels = in.ConsumeIntegralInRange<int>(0, 70);
    request.RegisterCount = request.ValueRule == 1 || request.ValueRule == 2 ? 2 * channels : channels;
    const bool arbitrary = in.ConsumeBool();

    if (arbitrary) {
        // Any bytes: the check says what the model says, and decoding never
        // reads outside the frame.
        const std::string frame = in.ConsumeRemainingBytesAsString();
        FUZZ_CHECK(TModbusReply::IsValid(request, frame) == ModelValid(request, frame));
        const auto values = TModbusReply::Decode(request.ValueRule, frame);
        FUZZ_CHECK(values.size() * 2 <= frame.size());
        return 0;
    }

    // A reply built from the fuzzer's register values.
    std::vector<std::uint16_t> registers(request.RegisterCount);
    for (auto& r : registers)
        r = in.ConsumeIntegral<std::uint16_t>();
    std::string body;
    body += static_cast<char>(request.StationId);
    body += '\x03';
    body += static_cast<char>(2 * registers.size());
    for (auto r : registers) {
        body += static_cast<char>(r >> 8);
        body += static_cast<char>(r & 0xFF);
    }
    const std::string frame = WithCrc(body);
    const bool fits = 2 * registers.size() <= 255;
    FUZZ_CHECK(TModbusReply::IsValid(request, frame) == fits);
    FUZZ_CHECK(ModelValid(request, frame) == fits);

    // The framer hands the reply over without its station byte, and maybe
    // with bytes after it.
    const std::string trailing = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<size_t>(0, 4));
    FUZZ_CHECK(TModbusReply::FrameFromPacket(request, frame.substr(1) + trailing) == frame);
    FUZZ_CHECK(TModbusReply::FrameFromPacket(request, frame.substr(1, frame.size() - 2)).empty());

    if (fits) {
        std::vector<std::int32_t> expected;
        if (request.ValueRule == 0)
            for (auto r : registers)
                expected.push_back(static_cast<std::int16_t>(r));
        if (request.ValueRule == 1 || request.ValueRule == 2)
            for (size_t i = 0; i + 1 < registers.size(); i += 2) {
                const std::uint32_t hi = request.ValueRule == 1 ? registers[i] : registers[i + 1];
                const std::uint32_t lo = request.ValueRule == 1 ? registers[i + 1] : registers[i];
                expected.push_back(static_cast<std::int32_t>((hi << 16) | lo));
            }
        FUZZ_CHECK(TModbusReply::Decode(request.ValueRule, frame) == expected);

        // Any one corrupted byte is caught.
        if (!frame.empty()) {
            std::string bad = frame;
            const size_t at = in.ConsumeIntegralInRange<size_t>(0, bad.size() - 1);
            const auto flip = static_cast<char>(in.ConsumeIntegralInRange<int>(1, 255));
            bad[at] = static_cast<char>(bad[at] ^ flip);
            FUZZ_CHECK(!TModbusReply::IsValid(request, bad));
        }
    }
    return 0;
}
