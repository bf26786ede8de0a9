#pragma once
// Sets a packet framer up to cut the reply to one request out of the bytes
// the line delivers.
//
// A reply is taken only where a whole valid frame stands, not at the first
// byte that equals the station id: a late reply to an earlier request may
// still be arriving when the next request goes out, and its byte count or
// data can hold the next station's id. Cutting there would take a
// misaligned packet that fails its CRC and leave the real reply cut short.
#include "app/ModbusRequest.h"

class TComDataPacket;

class TModbusReplyFramer {
public:
    // Packet must outlive this object.
    explicit TModbusReplyFramer(TComDataPacket& Packet);

    // Before each request: the framer looks for Request's reply alone and
    // forgets what it held.
    void Expect(const TModbusRequest& Request);

private:
    TComDataPacket& FPacket;
    TModbusRequest FRequest;
};
