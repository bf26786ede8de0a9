#include "app/ModbusRequest.h"

#include "app/ClassTypes.h"
#include "app/ModbusCrc.h"

#include <algorithm>

std::uint16_t TModbusRequest::RegisterCountFor(int ValueRule, int ChannelCount)
{
    // In 64 bits: a huge channel count must clamp, not wrap.
    const std::int64_t registers = std::int64_t(ChannelCount) * RegistersPerChannel(ValueRule);
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(registers, 0, 0xFFFF));
}

TModbusRequest TModbusRequest::ForDevice(int StationId, int BeginAddr, int ValueRule, int ChannelCount)
{
    TModbusRequest r;
    r.StationId = static_cast<std::uint8_t>(StationId & 0xFF);
    r.BeginAddr = static_cast<std::uint16_t>(BeginAddr & 0xFFFF);
    r.RegisterCount = RegisterCountFor(ValueRule, ChannelCount);
    r.ValueRule = ValueRule;
    return r;
}

std::array<std::uint8_t, 8> TModbusRequest::Bytes() const
{
    std::array<std::uint8_t, 8> b{StationId,
                                  0x03,
                                  static_cast<std::uint8_t>(BeginAddr >> 8),
                                  static_cast<std::uint8_t>(BeginAddr & 0xFF),
                                  static_cast<std::uint8_t>(RegisterCount >> 8),
                                  static_cast<std::uint8_t>(RegisterCount & 0xFF),
                                  0,
                                  0};
    const std::uint16_t crc = CalcCRC16(b.data(), 6);
    b[6] = static_cast<std::uint8_t>(crc & 0xFF);
    b[7] = static_cast<std::uint8_t>(crc >> 8);
    return b;
}
