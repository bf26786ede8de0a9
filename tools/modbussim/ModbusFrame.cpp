#include "tools/modbussim/ModbusFrame.h"

#include <stdexcept>

namespace modbussim {

std::uint16_t Crc16(const std::uint8_t* Data, std::size_t Count)
{
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < Count; ++i) {
        crc ^= Data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

void AppendCrc(Bytes& Frame)
{
    std::uint16_t crc = Crc16(Frame.data(), Frame.size());
    Frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    Frame.push_back(static_cast<std::uint8_t>(crc >> 8));
}

bool HasValidCrc(const std::uint8_t* Frame, std::size_t Count)
{
    if (Count < 3)
        return false;
    std::uint16_t crc = Crc16(Frame, Count - 2);
    return Frame[Count - 2] == (crc & 0xFF) && Frame[Count - 1] == (crc >> 8);
}

Bytes BuildReadRequest(std::uint8_t Station, std::uint16_t Address, std::uint16_t Count)
{
    Bytes frame{Station,
                ReadHoldingRegisters,
                static_cast<std::uint8_t>(Address >> 8),
                static_cast<std::uint8_t>(Address & 0xFF),
                static_cast<std::uint8_t>(Count >> 8),
                static_cast<std::uint8_t>(Count & 0xFF)};
    AppendCrc(frame);
    return frame;
}

Bytes BuildReadReply(std::uint8_t Station, const std::vector<std::uint16_t>& Registers)
{
    Bytes frame{Station, ReadHoldingRegisters, static_cast<std::uint8_t>(Registers.size() * 2)};
    for (std::uint16_t r : Registers) {
        frame.push_back(static_cast<std::uint8_t>(r >> 8));
        frame.push_back(static_cast<std::uint8_t>(r & 0xFF));
    }
    AppendCrc(frame);
    return frame;
}

Bytes BuildExceptionReply(std::uint8_t Station, std::uint8_t Function, std::uint8_t Code)
{
    Bytes frame{Station, static_cast<std::uint8_t>(Function | 0x80), Code};
    AppendCrc(frame);
    return frame;
}

int RegistersPerChannel(int Rule)
{
    switch (Rule) {
    case 0: return 1;
    case 1:
    case 2: return 2;
    }
    throw std::invalid_argument("value rule must be 0, 1 or 2");
}

std::vector<std::uint16_t> EncodeChannel(int Rule, std::int32_t Value)
{
    auto bits = static_cast<std::uint32_t>(Value);
    auto high = static_cast<std::uint16_t>(bits >> 16);
    auto low = static_cast<std::uint16_t>(bits & 0xFFFF);
    switch (Rule) {
    case 0: return {low};
    case 1: return {high, low};
    case 2: return {low, high};
    }
    throw std::invalid_argument("value rule must be 0, 1 or 2");
}

std::int32_t DecodeChannel(int Rule, const std::uint16_t* Registers)
{
    switch (Rule) {
    case 0: return static_cast<std::int16_t>(Registers[0]);
    case 1: return static_cast<std::int32_t>((std::uint32_t{Registers[0]} << 16) | Registers[1]);
    case 2: return static_cast<std::int32_t>((std::uint32_t{Registers[1]} << 16) | Registers[0]);
    }
    throw std::invalid_argument("value rule must be 0, 1 or 2");
}

}  // namespace modbussim
