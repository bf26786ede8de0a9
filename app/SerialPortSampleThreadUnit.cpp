#include "app/SerialPortSampleThreadUnit.h"

#include "app/ModbusReply.h"
#include "serial/CPort.h"

TSerialPortSampleThread* SampleThread = nullptr;

TSerialPortSampleThread::TSerialPortSampleThread(const TSampleLine& Line, const std::string& TempFileName,
                                                 const std::string& LogFileName,
                                                 const TSampleSettings& Settings, TSampleView* View)
    : TThread(true),
      FSettings(Settings),
      FRun(std::make_unique<TSamplingRun>(
          Settings, std::vector<TSampleDevice*>{}, View,
          std::make_unique<TCsvLogWriter>(TempFileName, LogFileName, Settings.MaxRecordPerFile))),
      FComPort(std::make_unique<TComPort>(nullptr)),
      FPacket(std::make_unique<TComDataPacket>(nullptr)),
      FReplyEvent(nullptr, false, false, Line.PortName + " Event")
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

void TSerialPortSampleThread::Execute()
{
    while (!Terminated()) {
        for (TSampleDevice* device : FRun->Devices()) {
            if (Terminated())
                return;
            if (!device)
                continue;
            const bool answered = PollDevice(device);
            // After an automatic stop the run is over: the stop message
            // ends it, and no later poll may start logging again.
            if (FRun->AutoStopped())
                return;
            if (answered && FSettings.PollDelay > 0)
                Sleep(FSettings.PollDelay);
            Synchronize([this, device] { FRun->PollProgress(device); });
        }
        FRun->EndOfCycle([this] {
            TCsvRecord record;
            Synchronize([this, &record] { record = FRun->TakeRecordSnapshot(); });
            return record;
        });
    }
}

bool TSerialPortSampleThread::PollDevice(TSampleDevice* Device)
{
    TModbusRequest request;
    Synchronize([this, Device, &request] { PrepareRequest(Device, request); });
    const auto bytes = request.Bytes();
    FComPort->Write(bytes.data(), static_cast<int>(bytes.size()));
    const bool replyOK = FReplyEvent.WaitFor(static_cast<std::uint32_t>(FSettings.PollTimeout)) == wrSignaled;
    Synchronize([this, Device, replyOK] {
        // A reply that comes after this point belongs to no request.
        FAwaitingReply = false;
        FRun->Reply(Device, replyOK, FValues);
    });
    return replyOK;
}

// User-interface thread: the framer, the device settings and the reply
// state are only ever touched here.
void TSerialPortSampleThread::PrepareRequest(TSampleDevice* Device, TModbusRequest& Request)
{
    Request = TModbusRequest::ForDevice(Device->StationId(), Device->DVRBeginAddr(), Device->ValueRule(),
                                        Device->ChannelCount(), ++FLastTag);
    FPacket->SetStartString(std::string(1, static_cast<char>(Request.StationId)));
    FPacket->SetStopString(std::string());
    FPacket->SetSize(Request.ReplySize());
    FPacket->ResetBuffer();
    DiscardInput();
    FValues.clear();
    FOutstanding = Request;
    FAwaitingReply = true;
    FReplyEvent.ResetEvent();
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
    if (!FAwaitingReply)
        return;
    const std::string frame = TModbusReply::FrameFromPacket(FOutstanding, Packet);
    if (!TModbusReply::IsValid(FOutstanding, frame))
        return;
    FValues = TModbusReply::Decode(FOutstanding.ValueRule, frame);
    FAwaitingReply = false;
    FReplyEvent.SetEvent();
}
