#include "app/SerialPortSampleThreadUnit.h"

#include "app/ModbusReply.h"
#include "serial/CPort.h"
#include "ui/Timer.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

// How long a stopped thread still waits for the reply in flight.
constexpr auto StopGrace = std::chrono::seconds(1);

// A wait of Milliseconds from now; a negative one has passed already.
TSampleWait::TClock::time_point After(int Milliseconds)
{
    return TSampleWait::TClock::now() + std::chrono::milliseconds(std::max(Milliseconds, 0));
}

// The deadline a request sent after Delay would have.
TSampleWait::TClock::time_point AfterDelay(int Delay, int Timeout)
{
    return After(Timeout) + std::chrono::milliseconds(std::max(Delay, 0));
}

}  // namespace

TSerialPortSampleThread::TSerialPortSampleThread(const TSampleLine& Line, const std::string& TempFileName,
                                                 const std::string& LogFileName, const TSampleSettings& Settings,
                                                 TSampleView* View, std::unique_ptr<TLogFileSystem> Files)
    : TThread(true),
      FSettings(Settings),
      FPortName(Line.PortName),
      FRun(std::make_unique<TSamplingRun>(
          Settings, std::vector<TSampleDevice*>{}, View,
          std::make_unique<TCsvLogWriter>(TempFileName, LogFileName, Settings.MaxRecordPerFile, std::move(Files)))),
      FComPort(std::make_unique<TComPort>(nullptr)),
      FPacket(std::make_unique<TComDataPacket>(nullptr)),
      FFramer(*FPacket)
{
    TComPort& port = *FComPort;
    port.SetPort(Line.PortName);
    port.FlowControl()->SetControlDTR(dtrEnable);
    port.FlowControl()->SetControlRTS(rtsEnable);
    port.SetBaudRate(brCustom);
    port.SetCustomBaudRate(Line.BaudRate);
    port.Parity()->SetBits(Line.Parity == 1 ? prOdd : Line.Parity == 2 ? prEven : prNone);
    FPacket->SetComPort(FComPort.get());
    FPacket->OnPacket = [this](TObject*, const std::string& Packet) { OnReplyPacket(Packet); };
    port.SetDiscardNull(false);
    port.OnException = [this](TObject*, TComExceptions Kind, const std::string&, std::int64_t WinError,
                              const std::string&) { PortFailed(Kind, WinError); };
    // Nothing here listens for the transmit queue running empty; asked
    // for, each request's would cost a hand-over to the user-interface
    // thread and back.
    TComEvents events = AllComEvents;
    events.Exclude(evTxEmpty);
    port.SetEvents(events);
    // The received bytes are queued to the user-interface thread rather
    // than handed over in step: the event thread, not waiting for the
    // framer, goes straight back to the line, which spares it and the
    // user interface a wake-up at every reply.
    port.SetSyncMethod(smWindowSync);
    if (!port.Connected())
        port.Open();
    if (Settings.PollDelay > 0) {
        FDelay = std::make_unique<TTimer>(nullptr);
        FDelay->SetEnabled(false);
        FDelay->SetPrecise(true);
        FDelay->SetInterval(static_cast<unsigned>(Settings.PollDelay));
        FDelay->OnTimer = [this](TObject*) {
            FDelay->SetEnabled(false);
            SendNext();
        };
    }
    View->SetPollProgress(0, "");
}

TSerialPortSampleThread::~TSerialPortSampleThread()
{
    if (!Suspended() && !Finished()) {
        Terminate();
        WaitFor();
    }
    // The framer unregisters from the port before the port goes.
    FPacket.reset();
    FComPort.reset();
}

// Which thread runs what. The user-interface thread owns the devices, the
// framer and the request: it takes every outcome, steps the progress, ends
// the cycles, sets up each request, sends most of them and runs the poll
// delays. The sampling thread sends the first request and those after a
// time-out or a record, and writes the records. An answered poll goes on
// where its reply arrives: with no record due and no stop, the
// user-interface thread sends the next request there and then, or once
// the delay is over, and the sampling thread, waiting for replies, is not
// woken at all. A time-out costs the sampling thread one hand-over
// (Synchronize).
void TSerialPortSampleThread::Execute()
{
    try {
        Poll();
    } catch (const EComPort& E) {
        // The line went away under the run: its values are stale from now
        // on. The run ends like any other; the user is told after that.
        FLineError = E.Message;
        Synchronize([this] { FRun->LineLost(); });
    }
}

// Sampling thread: requests and the polls handed back to it until the run
// is stopped or stops itself.
void TSerialPortSampleThread::Poll()
{
    const std::size_t first = FirstIndex();
    if (first == FRun->Devices().size()) {
        // Nothing to poll: sleep until the stop rather than spin.
        while (Pause(FSettings.PollTimeout > 0 ? FSettings.PollTimeout : 1)) {
        }
        return;
    }
    Synchronize([this, first] { PrepareRequest(first); });
    Send();
    for (;;) {
        switch (AwaitReply()) {
        case TSampleWait::TWake::Stop:  // (a stop ends the wait only after its grace)
        case TSampleWait::TWake::Timeout:
            // A wait cut short by a stop is no time-out of the device.
            if (Terminated())
                return;
            Synchronize([this] {
                FRun->Reply(FRun->Devices()[FPolled], false, {});
                Advance(FPolled);
            });
            break;
        case TSampleWait::TWake::HandedBack:
            // What the user-interface thread raised with this poll is
            // raised here, as from a hand-over.
            if (FOutcomeError)
                std::rethrow_exception(std::exchange(FOutcomeError, nullptr));
            // After an automatic stop the run is over: the stop message
            // ends it, and no later poll may start logging again. Any
            // other hand-back brings a record.
            if (FRun->AutoStopped() || Terminated())
                return;
            break;
        }
        // Here the next request is set up and, when the end of the cycle
        // gave one, a record is due first.
        WriteRecord();
        if (Terminated())
            return;
        Send();
    }
}

// Where the first device to poll stands; the list's size when it has none.
std::size_t TSerialPortSampleThread::FirstIndex() const
{
    const std::vector<TSampleDevice*>& devices = FRun->Devices();
    std::size_t first = 0;
    while (first < devices.size() && !devices[first])
        ++first;
    return first;
}

// Writes the request set up last, in the thread that calls: from here
// until its deadline a valid reply answers it.
void TSerialPortSampleThread::Send()
{
    const auto bytes = FRequest.Bytes();
    FWait.Expect(After(FSettings.PollTimeout));
    FComPort->Write(bytes.data(), static_cast<int>(bytes.size()));
}

// Sampling thread: waits until a poll is handed back or times out. Told to
// stop, it still gives a reply on its way a short wait (it may end the run
// with its final record), but not a long time-out.
TSampleWait::TWake TSerialPortSampleThread::AwaitReply()
{
    const TSampleWait::TWake wake = FWait.WaitReply(true);
    if (wake != TSampleWait::TWake::Stop)
        return wake;
    FWait.CutDeadline(TSampleWait::TClock::now() + StopGrace);
    return FWait.WaitReply(false);
}

// Sampling thread: the record the end of a cycle gave, written before the
// next request goes out.
void TSerialPortSampleThread::WriteRecord()
{
    if (!FRecord)
        return;
    FRun->WriteRecord(*FRecord);
    FRecord.reset();
}

// Sleeps Milliseconds, or less when the thread is told to stop meanwhile;
// false then.
bool TSerialPortSampleThread::Pause(int Milliseconds)
{
    return FWait.Sleep(After(Milliseconds));
}

// User-interface thread: the framer's packet event.
void TSerialPortSampleThread::OnReplyPacket(const std::string& Packet)
{
    const std::string frame = TModbusReply::FrameFromPacket(FRequest, Packet);
    // Only the request still awaited takes a reply: a late one is never
    // credited to a later poll.
    if (!TModbusReply::IsValid(FRequest, frame) || !FWait.Claim())
        return;
    FValues = TModbusReply::Decode(FRequest.ValueRule, frame);
    // The outcome is handed on here and now, which spares the sampling
    // thread a hand-over; so is the next request, at once or after the
    // delay. A stop asked for meanwhile ends the run without the delay.
    try {
        FRun->Reply(FRun->Devices()[FPolled], true, FValues);
        if (!FRun->AutoStopped() && !Terminated()) {
            if (FDelay)
                StartDelay();
            else
                SendNext();
            return;
        }
    } catch (...) {
        FOutcomeError = std::current_exception();
    }
    FWait.HandBack();
}

// User-interface thread: the poll delay begins. The sampling thread sleeps
// on meanwhile; should the delay outlast the deadline it waits for, it
// waits for the request still to come, and a stop wakes it at once.
void TSerialPortSampleThread::StartDelay()
{
    FWait.ExpectSoon(AfterDelay(FSettings.PollDelay, FSettings.PollTimeout));
    FDelay->SetEnabled(true);
}

// User-interface thread, once a poll and its delay are over: the progress
// steps on and the next request goes out from here, unless the run has
// stopped or the end of the cycle has a record for the sampling thread to
// write first; then the poll goes back to the sampling thread.
void TSerialPortSampleThread::SendNext()
{
    try {
        if (!Terminated()) {
            Advance(FPolled);
            if (!FRecord) {
                Send();
                return;
            }
        }
    } catch (...) {
        FOutcomeError = std::current_exception();
    }
    FWait.HandBack();
}

// User-interface thread: the poll of the device at Polled is over, its
// delay slept: the progress steps on, a cycle that ends with it ends, and
// the request to the next device is set up.
void TSerialPortSampleThread::Advance(std::size_t Polled)
{
    FRun->PollProgress(FRun->Devices()[Polled]);
    const std::size_t next = NextIndex(Polled);
    if (next <= Polled)
        FRecord = FRun->EndOfCycle();
    PrepareRequest(next);
}

// Where the device polled after the one at Index is, in this cycle or the
// next; Index itself when it is the only one.
std::size_t TSerialPortSampleThread::NextIndex(std::size_t Index) const
{
    const std::vector<TSampleDevice*>& devices = FRun->Devices();
    std::size_t next = (Index + 1) % devices.size();
    while (!devices[next])
        next = (next + 1) % devices.size();
    return next;
}

// User-interface thread: the framer, the device settings and the reply
// state are only ever touched here.
void TSerialPortSampleThread::PrepareRequest(std::size_t Index)
{
    const TSampleDevice* Device = FRun->Devices()[Index];
    FPolled = Index;
    FRequest = TModbusRequest::ForDevice(Device->StationId(), Device->DVRBeginAddr(), Device->ValueRule(),
                                         Device->ChannelCount());
    FFramer.Expect(FRequest);
    DiscardInput();
    FValues.clear();
}

// Any thread: a failure of the port, raised where the failing call was
// made, as the port itself would raise it; but not a failed read in the
// user-interface thread. There the port reads what arrived on its own
// account, and an error raised there would leave the run for the
// program's handler of stray errors: a box over a run that has lost its
// line without knowing it yet. The line is gone then: a request waiting
// for its answer ends at once, with this failure as the line's; otherwise
// the next request meets the failure and ends the run.
void TSerialPortSampleThread::PortFailed(int Kind, std::int64_t WinError)
{
    const int number = Kind + 1;
    const EComPort error = WinError > 0 ? EComPort(number, static_cast<int>(static_cast<std::uint32_t>(WinError)))
                                        : EComPort(number);
    const bool reading = Kind == CE_ReadFailed || Kind == CE_ClearComFailed;
    if (!reading || !IsMainThread())
        throw error;
    // Claimed, the poll is this thread's to hand back, with the failure.
    if (FWait.Claim()) {
        FOutcomeError = std::make_exception_ptr(error);
        FWait.HandBack();
    }
}

// Bytes of an earlier, late reply still waiting in the driver.
void TSerialPortSampleThread::DiscardInput()
{
    char buffer[256];
    for (int count = FComPort->InputCount(); count > 0; count = FComPort->InputCount())
        FComPort->Read(buffer, count < static_cast<int>(sizeof buffer) ? count : static_cast<int>(sizeof buffer));
}
