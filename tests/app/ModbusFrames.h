#pragma once
// Modbus RTU frames built by hand, as an instrument would send them.
#include "app/ModbusCrc.h"

#include <cstdint>
#include <string>
#include <vector>

// Frame with its CRC appended, low byte first.
inline std::string WithCrc(std::string Frame)
{
    const std::uint16_t crc = CalcCRC16(reinterpret_cast<const std::uint8_t*>(Frame.data()), Frame.size());
    Frame += static_cast<char>(crc & 0xFF);
    Frame += static_cast<char>(crc >> 8);
    return Frame;
}

// A reply of Station with the given registers, big-endian.
inline std::string Reply(int Station, const std::vector<int>& Registers, int Function = 3)
{
    std::string frame;
    frame += static_cast<char>(Station);
    frame += static_cast<char>(Function);
    frame += static_cast<char>(2 * Registers.size());
    for (int r : Registers) {
        frame += static_cast<char>((r >> 8) & 0xFF);
        frame += static_cast<char>(r & 0xFF);
    }
    return WithCrc(frame);
}
