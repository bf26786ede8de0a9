#include "app/ModbusReplyFramer.h"

#include "app/ModbusReply.h"
#include "serial/CPort.h"

#include <string>
#include <string_view>

TModbusReplyFramer::TModbusReplyFramer(TComDataPacket& Packet) : FPacket(Packet)
{
    // Until a whole valid frame has arrived there is no start: the framer
    // keeps every byte, so a frame that a false start would have cut into
    // is still whole once its last byte comes.
    FPacket.OnCustomStart = [this](TObject*, const std::string& Buffer, int& Pos) {
        const std::size_t at = TModbusReply::FindFrame(FRequest, Buffer);
        Pos = at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
    };
}

void TModbusReplyFramer::Expect(const TModbusRequest& Request)
{
    FRequest = Request;
    FPacket.SetStartString(std::string(1, static_cast<char>(Request.StationId)));
    FPacket.SetStopString(std::string());
    FPacket.SetSize(Request.ReplySize());
    FPacket.ResetBuffer();
}
