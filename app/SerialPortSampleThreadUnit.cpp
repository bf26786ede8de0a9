#include "app/SerialPortSampleThreadUnit.h"

#include "app/ModbusReply.h"
#include "serial/CPort.h"

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

}  // namespace

TSerialPortSampleThread* SampleThread = nullptr;

TSerialPortSampleThread::TSerialPortSampleThread(const TSampleLine& Line, const std::string& TempFileName,
                                                 const std::string& LogFileName, const TSampleSettings& Settings,
                                                 TSampleView* View)
    : TThread(true),
      FSettings(Settings),
      FPortName(Line.PortName),
      FRun(std::make_unique<TSamplingRun>(
          Settings, std::vector<TSampleDevice*>{}, View,
          std::make_unique<TCsvLogWriter>(TempFileName, LogFileName, Settings.MaxRecordPerFile))),
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
    if (!port.Connected())
        port.Open();
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

// Which thread runs what: Execute, Poll, PollCycle, PollDevice, Exchange,
// Pause and EndCycle run in the sampling thread; PrepareRequest,
// TakeOutcome, MoveOn and OnReplyPacket in the user-interface thread, the
// first three through a hand-over (Synchronize), the last as the framer's
// packet event, which hands on an answered poll's outcome itself while the
// sampling thread waits for it. An answered poll costs no hand-over of the
// sampling thread's own, one when a poll delay separates the reply from
// the next request; a time-out costs one.
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

// Sampling thread: one polling cycle after another until the run is
// stopped or stops itself.
void TSerialPortSampleThread::Poll()
{
    while (!Terminated()) {
        const TCycle cycle = PollCycle();
        if (cycle == TCycle::Ended)
            return;
        EndCycle();
        // Nothing to poll: wait as long as a silent device would take
        // rather than spin.
        if (cycle == TCycle::Empty)
            Pause(FSettings.PollTimeout > 0 ? FSettings.PollTimeout : 1);
    }
}

// Sampling thread: every device once, in display order.
TSerialPortSampleThread::TCycle TSerialPortSampleThread::PollCycle()
{
    const std::vector<TSampleDevice*>& devices = FRun->Devices();
    TCycle cycle = TCycle::Empty;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (Terminated())
            return TCycle::Ended;
        if (!devices[i])
            continue;
        cycle = TCycle::Polled;
        if (!PollDevice(i))
            return TCycle::Ended;
    }
    return cycle;
}

// Sampling thread: one request, its reply or time-out, and the outcome
// handed over. False once the run has been stopped or has stopped itself.
bool TSerialPortSampleThread::PollDevice(std::size_t Index)
{
    if (!FNextPrepared)
        Synchronize([this, Index] { PrepareRequest(Index); });
    const bool replyOK = Exchange();
    if (replyOK) {
        // The outcome was handed on where the reply arrived; what it
        // raised is raised here, as from a hand-over.
        if (FOutcomeError)
            std::rethrow_exception(std::exchange(FOutcomeError, nullptr));
    } else {
        // A wait cut short by a stop is no time-out of the device.
        if (Terminated())
            return false;
        Synchronize([this, Index] { TakeOutcome(Index, false); });
    }
    const bool delay = replyOK && FSettings.PollDelay > 0;
    // Without a poll delay to sleep first, the outcome's hand-over has set
    // up the next request.
    FNextPrepared = !delay;
    // After an automatic stop the run is over: the stop message ends it,
    // and no later poll may start logging again.
    if (FRun->AutoStopped())
        return false;
    if (delay) {
        if (!Pause(FSettings.PollDelay))
            return false;
        // The progress step and the next request's set-up share one
        // hand-over after the delay.
        const std::size_t next = NextIndex(Index);
        Synchronize([this, Index, next] { MoveOn(Index, next); });
        FNextPrepared = true;
    }
    return true;
}

// User-interface thread: the outcome of the poll of the device at Index
// reaches the run; unless a poll delay follows, the progress step and the
// next request's set-up too.
void TSerialPortSampleThread::TakeOutcome(std::size_t Index, bool ReplyOK)
{
    FRun->Reply(FRun->Devices()[Index], ReplyOK, FValues);
    const bool delay = ReplyOK && FSettings.PollDelay > 0;
    if (!delay && !FRun->AutoStopped())
        MoveOn(Index, NextIndex(Index));
}

// User-interface thread: the progress step of the device at Polled, then
// the request to the device at Next set up.
void TSerialPortSampleThread::MoveOn(std::size_t Polled, std::size_t Next)
{
    FRun->PollProgress(FRun->Devices()[Polled]);
    PrepareRequest(Next);
}

// Sampling thread: the end of a polling cycle writes the due record (its
// texts copied in one hand-over) or arms the next one.
void TSerialPortSampleThread::EndCycle()
{
    FRun->EndOfCycle([this] {
        TCsvRecord record;
        Synchronize([this, &record] { record = FRun->TakeRecordSnapshot(); });
        return record;
    });
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

// Writes the prepared request and waits for its reply; true when it came
// in time.
bool TSerialPortSampleThread::Exchange()
{
    const auto bytes = FRequest.Bytes();
    // From here a valid reply answers this request.
    FWait.Expect();
    FComPort->Write(bytes.data(), static_cast<int>(bytes.size()));
    const auto deadline = After(FSettings.PollTimeout);
    switch (FWait.WaitReply(deadline, true)) {
    case TSampleWait::TWake::Reply: return true;
    case TSampleWait::TWake::Timeout: return false;
    case TSampleWait::TWake::Stop: break;
    }
    // Told to stop: a reply already on its way is still worth its short
    // wait (it may end the run with its final record), a long time-out is
    // not.
    const auto grace = std::min(deadline, TSampleWait::TClock::now() + StopGrace);
    return FWait.WaitReply(grace, false) == TSampleWait::TWake::Reply;
}

// Sleeps Milliseconds, or less when the thread is told to stop meanwhile;
// false then.
bool TSerialPortSampleThread::Pause(int Milliseconds)
{
    return FWait.Sleep(After(Milliseconds));
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

// Bytes of an earlier, late reply still waiting in the driver.
void TSerialPortSampleThread::DiscardInput()
{
    char buffer[256];
    for (int count = FComPort->InputCount(); count > 0; count = FComPort->InputCount())
        FComPort->Read(buffer, count < static_cast<int>(sizeof buffer) ? count : static_cast<int>(sizeof buffer));
}

void TSerialPortSampleThread::OnReplyPacket(const std::string& Packet)
{
    const std::string frame = TModbusReply::FrameFromPacket(FRequest, Packet);
    // Only the request still awaited takes a reply: a late one is never
    // credited to a later poll.
    if (!TModbusReply::IsValid(FRequest, frame) || !FWait.Claim())
        return;
    FValues = TModbusReply::Decode(FRequest.ValueRule, frame);
    // The sampling thread waits for this reply: its outcome is handed on
    // here and now, which spares a hand-over back to this thread.
    try {
        TakeOutcome(FPolled, true);
    } catch (...) {
        FOutcomeError = std::current_exception();
    }
    FWait.Replied();
}
