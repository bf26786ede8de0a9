#pragma once
// Modbus RTU frames for function 03 (read holding registers): CRC, request
// and reply bytes, and the register layouts of the instruments' value rules.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace modbussim {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t ReadHoldingRegisters = 0x03;
constexpr int MaxReadCount = 125;

// Modbus exception codes.
constexpr std::uint8_t IllegalFunction = 0x01;
constexpr std::uint8_t IllegalDataAddress = 0x02;
constexpr std::uint8_t IllegalDataValue = 0x03;

// CRC-16 (polynomial 0xA001 reflected, start 0xFFFF); sent low byte first.
std::uint16_t Crc16(const std::uint8_t* Data, std::size_t Count);
// Appends the CRC of the bytes so far, low byte first.
void AppendCrc(Bytes& Frame);
// Whether the last two bytes are the CRC of the bytes before them.
bool HasValidCrc(const std::uint8_t* Frame, std::size_t Count);

Bytes BuildReadRequest(std::uint8_t Station, std::uint16_t Address, std::uint16_t Count);
Bytes BuildReadReply(std::uint8_t Station, const std::vector<std::uint16_t>& Registers);
Bytes BuildExceptionReply(std::uint8_t Station, std::uint8_t Function, std::uint8_t Code);

// Register layouts of a channel value: rule 0 one signed 16-bit register,
// rule 1 two registers high word first, rule 2 two registers low word first.
int RegistersPerChannel(int Rule);
std::vector<std::uint16_t> EncodeChannel(int Rule, std::int32_t Value);
std::int32_t DecodeChannel(int Rule, const std::uint16_t* Registers);

}  // namespace modbussim
