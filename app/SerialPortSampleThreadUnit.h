#pragma once
// The sampling thread of a recording run: a Modbus RTU master that polls
// every device in turn with function 03. Each outcome is taken in the
// user-interface thread, where the run (TSamplingRun) updates the devices
// and starts and stops logging and the poll delay runs; the sampling thread
// writes the records.
#include "app/ModbusReplyFramer.h"
#include "app/ModbusRequest.h"
#include "app/SampleWait.h"
#include "app/SamplingRun.h"
#include "rtl/Thread.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TComPort;
class TComDataPacket;
class TTimer;

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
    TSerialPortSampleThread(const TSampleLine& Line, const std::string& TempFileName, const std::string& LogFileName,
                            const TSampleSettings& Settings, TSampleView* View,
                            std::unique_ptr<TLogFileSystem> Files = std::make_unique<TLogFileSystem>());
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
    // The run's own port, for tests that watch its traffic from the
    // user-interface thread.
    TComPort& Port() const { return *FComPort; }
    // The serial error that ended the run because the line went away (a
    // pulled cable); empty otherwise. Read once the thread has ended.
    const std::string& LineError() const { return FLineError; }

protected:
    void Execute() override;
    // A stop wakes the thread wherever it waits.
    void TerminatedSet() override { FWait.Stop(); }

private:
    void Poll();
    std::size_t FirstIndex() const;
    void Send();
    TSampleWait::TWake AwaitReply();
    bool Pause(int Milliseconds);
    void WriteRecord();
    void OnReplyPacket(const std::string& Packet);
    void StartDelay();
    void SendNext();
    void Advance(std::size_t Polled);
    std::size_t NextIndex(std::size_t Index) const;
    void PrepareRequest(std::size_t Index);
    void DiscardInput();
    void PortFailed(int Kind, std::int64_t WinError);

    TSampleSettings FSettings;
    std::string FPortName;
    std::string FLineError;
    std::unique_ptr<TSamplingRun> FRun;
    std::unique_ptr<TComPort> FComPort;
    std::unique_ptr<TComDataPacket> FPacket;
    TModbusReplyFramer FFramer;
    TSampleWait FWait;
    // The poll delay after an answer, run by the user-interface thread
    // (none without a delay).
    std::unique_ptr<TTimer> FDelay;

    // The request set up next or out, and the reply state: set up in the
    // user-interface thread, where the framer delivers packets; the
    // sampling thread reads them only while the poll is handed to it.
    TModbusRequest FRequest;
    // Where the device the request is for stands in the device list.
    std::size_t FPolled = 0;
    std::vector<std::int32_t> FValues;
    // The record due at the end of the cycle just polled, for the sampling
    // thread to write before the next request.
    std::optional<TCsvRecord> FRecord;
    // What an answered poll's outcome or the next request raised in the
    // user-interface thread; the sampling thread raises it again once the
    // poll has been handed back to it.
    std::exception_ptr FOutcomeError;
};
