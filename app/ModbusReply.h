#pragma once
// Checking and decoding a reply to a read-holding-registers request.
#include "app/ModbusRequest.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TModbusReply {
public:
    // The whole reply frame as the framer hands it over: the framer strips
    // the start byte (the station id), so it is put back in front here.
    // Bytes beyond the expected length are ignored; a shorter packet gives
    // an empty frame.
    static std::string FrameFromPacket(const TModbusRequest& Request, std::string_view Packet);

    // True when Frame answers Request: its station, its length, a valid CRC,
    // function 03 and a byte count of length - 5. An exception reply, a
    // wrong function or byte count are not answers.
    static bool IsValid(const TModbusRequest& Request, std::string_view Frame);

    // Where the first frame that IsValid for Request starts in Bytes, or
    // npos. Bytes may hold anything before it: the tail of a late reply to
    // an earlier request, whose byte count or data can look like this
    // station's id.
    static std::size_t FindFrame(const TModbusRequest& Request, std::string_view Bytes);

    // One signed 32-bit value per channel by value rule: 0 a signed 16-bit
    // register, 1 two registers high word first, 2 low word first.
    // Registers are big-endian.
    static std::vector<std::int32_t> Decode(int ValueRule, std::string_view Frame);
};
