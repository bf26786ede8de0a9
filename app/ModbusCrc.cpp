#include "app/ModbusCrc.h"

std::uint16_t CalcCRC16(const std::uint8_t* Bytes, std::size_t Count)
{
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < Count; ++i) {
        crc ^= Bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}
