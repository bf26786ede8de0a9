#include "serial/ComDataPacket.h"

#include <algorithm>

#include "rtl/Exception.h"
#include "rtl/PublishedProperties.h"
#include "serial/ComPort.h"

namespace {

// Published properties, in declared order, with their streaming defaults.
const bool Registered = [] {
    using T = TComDataPacket;
    TPropertyListBuilder<T> b;
    b.String(
         "Name", [](const T& p) { return p.GetName(); }, [](T& p, const std::string& v) { p.SetName(v); })
        .Integer(
            "Tag", [](const T& p) { return p.Tag; }, [](T& p, std::int64_t v) { p.Tag = std::intptr_t(v); }, 0)
        .Object(
            "ComPort", "TCustomComPort", [](const T& p) { return static_cast<TObject*>(p.ComPort()); }, false)
        .Boolean(
            "CaseInsensitive", [](const T& p) { return p.CaseInsensitive(); },
            [](T& p, std::int64_t v) { p.SetCaseInsensitive(v != 0); }, false)
        .Boolean(
            "IncludeStrings", [](const T& p) { return p.IncludeStrings(); },
            [](T& p, std::int64_t v) { p.SetIncludeStrings(v != 0); }, false)
        .Integer(
            "MaxBufferSize", [](const T& p) { return p.MaxBufferSize(); },
            [](T& p, std::int64_t v) { p.SetMaxBufferSize(int(v)); }, 1024)
        .String(
            "StartString", [](const T& p) { return p.StartString(); },
            [](T& p, const std::string& v) { p.SetStartString(v); })
        .String(
            "StopString", [](const T& p) { return p.StopString(); },
            [](T& p, const std::string& v) { p.SetStopString(v); })
        .Integer(
            "Size", [](const T& p) { return p.Size(); }, [](T& p, std::int64_t v) { p.SetSize(int(v)); }, 0)
        .Method("OnDiscard", "TComStrEvent", [](const T& p) { return bool(p.OnDiscard); })
        .Method("OnPacket", "TComStrEvent", [](const T& p) { return bool(p.OnPacket); })
        .Method("OnCustomStart", "TCustPacketEvent", [](const T& p) { return bool(p.OnCustomStart); })
        .Method("OnCustomStop", "TCustPacketEvent", [](const T& p) { return bool(p.OnCustomStop); });
    RegisterPublishedClass<TComDataPacket>("TComDataPacket", b.Take());
    return true;
}();

char Upper(char C)
{
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C;
}

}  // namespace

TComDataPacket::TComDataPacket(TComponent* AOwner) : TComponent(AOwner), FComLink(std::make_unique<TComLink>())
{
    FComLink->OnRxBuf = [this](TObject*, const void* Buffer, int Count) { RxBuf(Buffer, Count); };
}

TComDataPacket::~TComDataPacket()
{
    try {
        SetComPort(nullptr);
    } catch (...) {
        // A destructor reports nothing.
    }
}

void TComDataPacket::SetComPort(TCustomComPort* Value)
{
    if (Value == FComPort)
        return;
    if (FComPort) {
        FComPort->RemoveFreeNotification(this);
        FComPort->UnregisterLink(FComLink.get());
    }
    FComPort = Value;
    if (FComPort) {
        FComPort->FreeNotification(this);
        FComPort->RegisterLink(FComLink.get());
        UpdateRxWanted();
    }
}

void TComDataPacket::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    // The port is going away: its link list is no longer there to leave.
    if (Operation == TOperation::opRemove && AComponent == FComPort)
        FComPort = nullptr;
}

void TComDataPacket::SetCaseInsensitive(bool Value)
{
    if (FCaseInsensitive == Value)
        return;
    FCaseInsensitive = Value;
    if (!IsLoading())
        ResetBuffer();
}

void TComDataPacket::SetMaxBufferSize(int Value)
{
    if (Value < 0 || (Value > 0 && Value < FSize))
        throw EListError("MaxBufferSize " + std::to_string(Value) + " is smaller than the packet size " +
                         std::to_string(FSize));
    FMaxBufferSize = Value;
}

void TComDataPacket::SetStartString(const std::string& Value)
{
    if (FStartString == Value)
        return;
    FStartString = Value;
    if (!IsLoading())
        ResetBuffer();
}

void TComDataPacket::SetStopString(const std::string& Value)
{
    if (FStopString == Value)
        return;
    FStopString = Value;
    if (!IsLoading())
        ResetBuffer();
}

void TComDataPacket::SetSize(int Value)
{
    if (Value < 0 || (FMaxBufferSize > 0 && Value > FMaxBufferSize))
        throw EListError("Packet size " + std::to_string(Value) + " exceeds MaxBufferSize " +
                         std::to_string(FMaxBufferSize));
    if (FSize == Value)
        return;
    FSize = Value;
    if (!IsLoading())
        ResetBuffer();
}

void TComDataPacket::ResetBuffer()
{
    EmptyBuffer();
}

void TComDataPacket::EmptyBuffer()
{
    std::string content;
    content.swap(FBuffer);
    FInPacket = false;
    UpdateRxWanted();
    if (!content.empty())
        DoDiscard(content);
}

// With a fixed size and nothing that could end a packet sooner, no packet
// completes before the buffer holds Size bytes: the port may gather the
// rest before it hands them over.
void TComDataPacket::UpdateRxWanted()
{
    if (!FComPort)
        return;
    int wanted = 1;
    if (FSize > 0 && FStopString.empty() && !OnCustomStop)
        wanted = std::max(1, FSize - static_cast<int>(FBuffer.size()));
    FComPort->SetRxWanted(FComLink.get(), wanted);
}

void TComDataPacket::RxBuf(const void* Buffer, int Count)
{
    if (Count <= 0)
        return;
    std::string received(static_cast<const char*>(Buffer), static_cast<size_t>(Count));
    bool framed = FSize > 0 || !FStopString.empty() || bool(OnCustomStop);
    if (!framed) {
        DoPacket(received);
        return;
    }
    FBuffer += received;
    // What the next batch must hold follows the buffer, also when a
    // handler raised.
    struct Update {
        TComDataPacket* Packet;
        ~Update() { Packet->UpdateRxWanted(); }
    } update{this};
    HandleBuffer();
}

void TComDataPacket::HandleBuffer()
{
    // The size check runs also when a handler raised.
    auto checkOverflow = [this] {
        if (FMaxBufferSize > 0 && static_cast<int>(FBuffer.size()) >= FMaxBufferSize)
            EmptyBuffer();
    };
    try {
        for (;;) {
            if (!FInPacket)
                SearchStart();
            if (!FInPacket)
                break;
            SearchStop();
            if (FInPacket || FBuffer.empty())
                break;
        }
    } catch (...) {
        checkOverflow();
        throw;
    }
    checkOverflow();
}

void TComDataPacket::SearchStart()
{
    int pos = -1;
    DoCustomStart(FBuffer, pos);
    if (pos == 0)
        return;
    if (pos == -1) {
        if (FStartString.empty()) {
            FInPacket = true;
            return;
        }
        pos = Find(FStartString, FBuffer);
    }
    if (pos <= 0)
        return;
    FInPacket = true;
    if (pos > 1) {
        std::string discarded = FBuffer.substr(0, static_cast<size_t>(pos - 1));
        FBuffer.erase(0, static_cast<size_t>(pos - 1));
        DoDiscard(discarded);
    }
}

void TComDataPacket::SearchStop()
{
    int endPos = -1;
    DoCustomStop(FBuffer, endPos);
    if (endPos == -1) {
        if (FSize > 0 && static_cast<int>(FBuffer.size()) >= FSize) {
            endPos = FSize;
        } else if (!FStopString.empty()) {
            int p = Find(FStopString, FBuffer, FStartString.size());
            if (p > 0)
                endPos = static_cast<int>(FStartString.size()) + p + static_cast<int>(FStopString.size()) - 1;
        }
    }
    if (endPos <= 0)
        return;
    // A hook may point past what has arrived; the packet ends at the buffer.
    size_t end = std::min(static_cast<size_t>(endPos), FBuffer.size());
    FInPacket = false;
    std::string packet = FBuffer.substr(0, end);
    FBuffer.erase(0, end);
    if (!FIncludeStrings) {
        if (!FStartString.empty() && packet.size() >= FStartString.size() &&
            Same(packet.substr(0, FStartString.size()), FStartString))
            packet.erase(0, FStartString.size());
        if (!FStopString.empty()) {
            int p = Find(FStopString, packet);
            if (p > 0 && static_cast<size_t>(p - 1) + FStopString.size() == packet.size())
                packet.erase(static_cast<size_t>(p - 1));
        }
    }
    DoPacket(packet);
}

bool TComDataPacket::Same(const std::string& A, const std::string& B) const
{
    if (A.size() != B.size())
        return false;
    for (size_t i = 0; i < A.size(); ++i) {
        char a = A[i], b = B[i];
        if (FCaseInsensitive) {
            a = Upper(a);
            b = Upper(b);
        }
        if (a != b)
            return false;
    }
    return true;
}

int TComDataPacket::Find(const std::string& Sub, const std::string& Str, size_t From) const
{
    if (Sub.empty() || Str.size() < From + Sub.size())
        return 0;
    for (size_t i = From; i + Sub.size() <= Str.size(); ++i)
        if (Same(Str.substr(i, Sub.size()), Sub))
            return static_cast<int>(i - From + 1);
    return 0;
}

void TComDataPacket::DoDiscard(const std::string& Str)
{
    if (OnDiscard)
        OnDiscard(this, Str);
}

void TComDataPacket::DoPacket(const std::string& Str)
{
    if (OnPacket)
        OnPacket(this, Str);
}

void TComDataPacket::DoCustomStart(const std::string& Str, int& Pos)
{
    if (OnCustomStart)
        OnCustomStart(this, Str, Pos);
}

void TComDataPacket::DoCustomStop(const std::string& Str, int& Pos)
{
    if (OnCustomStop)
        OnCustomStop(this, Str, Pos);
}
