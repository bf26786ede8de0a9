#pragma once
// The sampling thread of a recording run: a Modbus RTU master that polls
// every device in turn with function 03 and hands each outcome to the
// user-interface thread, where the run (TSamplingRun) updates the devices,
// starts and stops logging and writes the CSV log.
#include "app/ModbusReplyFramer.h"
#include "app/ModbusRequest.h"
#include "app/SampleWait.h"
#include "app/SamplingRun.h"
#include "rtl/Thread.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TComPort;
class TComDataPacket;

// The line settings a run opens its port with.
struct TSampleLine {
    std::string PortName = "COM1";
    int BaudRate = 9600;
    int Parity = 0;  // 0 none, 1 odd, 2 even
};

class TSerialPortSampleThread : public TThread {
public:
    // User-interface thread. Creates and opens the thread's own port; a
    // port that cannot be opened raises the serial library's error and no
    // thread runs. The thread is created suspended: add the devices, set
    // the modes, then Resume.
    TSerialPortSampleThread(const TSampleLine& Line, const std::string& TempFileName,
                            const std::string& LogFileName, const TSampleSettings& Settings,
                            TSampleView* View);
    ~TSerialPortSampleThread() override;

    void AddDevice(TSampleDevice* Device) { FRun->AddDevice(Device); }
    void SetStartMode(int Value) { FRun->SetStartMode(Value); }
    void SetStopMode(int Value) { FRun->SetStopMode(Value); }
    void SetLogDuration(double Seconds) { FRun->SetLogDuration(Seconds); }

    // User-interface thread, once the thread has ended: moves the log to
    // its final name. False when some data stayed elsewhere (see Run().Writer().Problems()).
    bool FinishLogFile() { return FRun->FinishLogFile(); }

    // Read in the user-interface thread (inside hand-overs or after the end).
    const TSamplingRun& Run() const { return *FRun; }
    const std::string& PortName() const { return FPortName; }
    // The serial error that ended the run because the line went away (a
    // pulled cable); empty otherwise. Read once the thread has ended.
    const std::string& LineError() const { return FLineError; }

protected:
    void Execute() override;
    // A stop wakes the thread wherever it waits.
    void TerminatedSet() override { FWait.Stop(); }

private:
    void Poll();
    // How a polling cycle went: some device polled, none to poll, or the
    // run ended during it.
    enum class TCycle { Polled, Empty, Ended };

    TCycle PollCycle();
    bool PollDevice(std::size_t Index);
    void TakeOutcome(TSampleDevice* Device, bool ReplyOK, TSampleDevice* Next);
    void MoveOn(TSampleDevice* Polled, TSampleDevice* Next);
    void EndCycle();
    TSampleDevice* NextDevice(std::size_t Index) const;
    bool Exchange();
    bool Pause(int Milliseconds);
    void PrepareRequest(TSampleDevice* Device);
    void OnReplyPacket(const std::string& Packet);
    void DiscardInput();

    TSampleSettings FSettings;
    std::string FPortName;
    std::string FLineError;
    std::unique_ptr<TSamplingRun> FRun;
    std::unique_ptr<TComPort> FComPort;
    std::unique_ptr<TComDataPacket> FPacket;
    TModbusReplyFramer FFramer;
    TSampleWait FWait;
    // Sampling thread: the request for the device polled next was set up
    // in the last hand-over.
    bool FNextPrepared = false;

    // The request in flight and the reply state: set up in the
    // user-interface thread, where the framer delivers packets; the
    // sampling thread reads the request only between hand-overs.
    TModbusRequest FRequest;
    // Only the request still outstanding takes a reply: cleared once its
    // wait has ended, so a late reply is never credited to a later poll.
    bool FAwaitingReply = false;
    std::vector<std::int32_t> FValues;
};

// The running thread; empty when no run is active.
extern TSerialPortSampleThread* SampleThread;
