#pragma once
// The Modbus RTU CRC-16 (polynomial 0xA001, initial value 0xFFFF).
#include <cstddef>
#include <cstdint>

// CRC over Count bytes; the low byte goes first on the wire. A count of 0
// gives 0xFFFF.
std::uint16_t CalcCRC16(const std::uint8_t* Bytes, std::size_t Count);
