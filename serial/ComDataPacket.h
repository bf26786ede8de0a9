#pragma once
// Cuts the bytes a port receives into packets by start string, stop
// string, fixed size or custom hooks. Runs in the thread that delivers
// the port's receive events.
#include <memory>
#include <string>

#include "serial/ComLink.h"
#include "serial/ComTypes.h"

class TCustomComPort;

class TComDataPacket : public TComponent {
public:
    explicit TComDataPacket(TComponent* AOwner = nullptr);
    ~TComDataPacket() override;

    TCustomComPort* ComPort() const { return FComPort; }
    // Moves the link from the old port to the new one.
    void SetComPort(TCustomComPort* Value);
    bool CaseInsensitive() const { return FCaseInsensitive; }
    void SetCaseInsensitive(bool Value);
    bool IncludeStrings() const { return FIncludeStrings; }
    void SetIncludeStrings(bool Value) { FIncludeStrings = Value; }
    // 0: the buffer is never emptied for size. EListError below 0 or below
    // a non-zero Size, which could then never complete.
    int MaxBufferSize() const { return FMaxBufferSize; }
    void SetMaxBufferSize(int Value);
    const std::string& StartString() const { return FStartString; }
    void SetStartString(const std::string& Value);
    const std::string& StopString() const { return FStopString; }
    void SetStopString(const std::string& Value);
    // Counts the start string. EListError below 0 or above MaxBufferSize.
    int Size() const { return FSize; }
    void SetSize(int Value);

    // Empties the buffer; what it held goes to OnDiscard.
    void ResetBuffer();
    // The bytes collected so far.
    const std::string& Buffer() const { return FBuffer; }

    TComStrEvent OnDiscard;
    TComStrEvent OnPacket;
    TCustPacketEvent OnCustomStart;
    TCustPacketEvent OnCustomStop;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoDiscard(const std::string& Str);
    virtual void DoPacket(const std::string& Str);
    virtual void DoCustomStart(const std::string& Str, int& Pos);
    virtual void DoCustomStop(const std::string& Str, int& Pos);
    virtual void HandleBuffer();
    // The link's received-data callback.
    void RxBuf(const void* Buffer, int Count);

private:
    void SearchStart();
    void SearchStop();
    // 1-based position of Sub in Str from byte From (0-based), 0 if absent.
    int Find(const std::string& Sub, const std::string& Str, size_t From = 0) const;
    bool Same(const std::string& A, const std::string& B) const;
    void EmptyBuffer();
    // Tells the port how many more bytes a packet needs at the least.
    void UpdateRxWanted();

    std::unique_ptr<TComLink> FComLink;
    TCustomComPort* FComPort = nullptr;
    std::string FStartString;
    std::string FStopString;
    int FMaxBufferSize = 1024;
    int FSize = 0;
    bool FIncludeStrings = false;
    bool FCaseInsensitive = false;
    bool FInPacket = false;
    std::string FBuffer;
};
