#include "app/ModbusReply.h"

#include "app/ClassTypes.h"
#include "app/ModbusCrc.h"

#include <algorithm>

namespace {

std::uint16_t RegisterAt(std::string_view Frame, std::size_t k)
{
    const auto hi = static_cast<std::uint8_t>(Frame[3 + 2 * k]);
    const auto lo = static_cast<std::uint8_t>(Frame[4 + 2 * k]);
    return static_cast<std::uint16_t>((hi << 8) | lo);
}

}  // namespace

std::string TModbusReply::FrameFromPacket(const TModbusRequest& Request, std::string_view Packet)
{
    const std::size_t size = static_cast<std::size_t>(Request.ReplySize());
    if (Packet.size() < size - 1)
        return {};
    std::string frame(1, static_cast<char>(Request.StationId));
    frame.append(Packet.substr(0, size - 1));
    return frame;
}

bool TModbusReply::IsValid(const TModbusRequest& Request, std::string_view Frame)
{
    const std::size_t len = Frame.size();
    if (len != static_cast<std::size_t>(Request.ReplySize()) || len < 5)
        return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(Frame.data());
    if (bytes[0] != Request.StationId)
        return false;
    const std::uint16_t crc = CalcCRC16(bytes, len - 2);
    if (bytes[len - 2] != (crc & 0xFF) || bytes[len - 1] != (crc >> 8))
        return false;
    return bytes[1] == 0x03 && bytes[2] == len - 5;
}

std::size_t TModbusReply::FindFrame(const TModbusRequest& Request, std::string_view Bytes)
{
    const std::size_t size = static_cast<std::size_t>(Request.ReplySize());
    for (std::size_t at = Bytes.find(static_cast<char>(Request.StationId)); at != std::string_view::npos;
         at = Bytes.find(static_cast<char>(Request.StationId), at + 1)) {
        if (Bytes.size() - at < size)
            break;  // a later start has even fewer bytes
        if (IsValid(Request, Bytes.substr(at, size)))
            return at;
    }
    return std::string_view::npos;
}

std::vector<std::int32_t> TModbusReply::Decode(int ValueRule, std::string_view Frame)
{
    std::vector<std::int32_t> values;
    if (Frame.size() < 5)
        return values;
    const std::size_t byteCount = static_cast<std::uint8_t>(Frame[2]);
    // Never read past the data, whatever the byte count claims.
    const std::size_t registers = std::min(byteCount, Frame.size() - 5) / 2;
    switch (ValueRule) {
    case vrInt16:
        for (std::size_t i = 0; i < registers; ++i)
            values.push_back(static_cast<std::int16_t>(RegisterAt(Frame, i)));
        break;
    case vrInt32HighFirst:
    case vrInt32LowFirst:
        for (std::size_t i = 0; i + 1 < registers; i += 2) {
            const std::uint32_t first = RegisterAt(Frame, i);
            const std::uint32_t second = RegisterAt(Frame, i + 1);
            const std::uint32_t word = ValueRule == vrInt32HighFirst ? (first << 16) | second : (second << 16) | first;
            values.push_back(static_cast<std::int32_t>(word));
        }
        break;
    default: break;
    }
    return values;
}
