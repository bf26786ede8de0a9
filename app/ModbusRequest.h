#pragma once
// One read-holding-registers request (function 03) to one instrument.
#include <array>
#include <cstdint>

struct TModbusRequest {
    std::uint8_t StationId = 1;
    std::uint16_t BeginAddr = 0;
    std::uint16_t RegisterCount = 0;
    int ValueRule = 0;

    // RegistersPerChannel times the channels, within 0..65535.
    static std::uint16_t RegisterCountFor(int ValueRule, int ChannelCount);
    static TModbusRequest ForDevice(int StationId, int BeginAddr, int ValueRule, int ChannelCount);

    // Station, 03, address, count (both big-endian), CRC low, CRC high.
    std::array<std::uint8_t, 8> Bytes() const;
    // Full reply length: station, function, byte count, data, CRC.
    int ReplySize() const { return 5 + 2 * RegisterCount; }
};
