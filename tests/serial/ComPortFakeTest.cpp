// The port over the fake device: line settings, modem lines, line errors
// and failures that a pseudo-terminal cannot show.
#include "serial/CPort.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "SerialTestSupport.h"
#include "comm/FakeDevice.h"

using comm::DCB;
using comm::FakeDevice;

namespace {

class ComPortFake : public ::testing::Test {
protected:
    void SetUp() override
    {
        Name = std::string("FAKE_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Device = FakeDevice::Create(Name);
        Port = std::make_unique<TComPort>(nullptr);
        Port->SetPort(Name);
    }
    // Handlers point at test locals that are gone by now.
    void TearDown() override
    {
        TComPort& p = *Port;
        p.OnAfterOpen = p.OnAfterClose = p.OnBeforeOpen = p.OnBeforeClose = nullptr;
        p.OnTxEmpty = p.OnBreak = p.OnRing = p.OnRxFlag = p.OnRx80Full = nullptr;
        p.OnCTSChange = p.OnDSRChange = p.OnRLSDChange = nullptr;
        p.OnRxChar = nullptr;
        p.OnRxBuf = nullptr;
        p.OnError = nullptr;
        p.OnException = nullptr;
        Port.reset();
    }

    std::string Name;
    std::shared_ptr<FakeDevice> Device;
    std::unique_ptr<TComPort> Port;
};

}  // namespace

TEST_F(ComPortFake, DefaultsBuildThisDeviceControlBlock)
{
    Port->Open();
    DCB dcb = Device->LastDcb();
    EXPECT_EQ(dcb.DCBlength, 28u);
    EXPECT_EQ(dcb.Flags, comm::fBinary);
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, 0);
    EXPECT_EQ(dcb.StopBits, 0);
    EXPECT_EQ(dcb.XonLim, 256);
    EXPECT_EQ(dcb.XoffLim, 256);
    EXPECT_EQ(dcb.XonChar, 0x11);
    EXPECT_EQ(dcb.XoffChar, 0x13);
    EXPECT_EQ(dcb.EvtChar, 0);
    EXPECT_EQ(Device->InQueueSize(), 1024u);
    EXPECT_EQ(Device->OutQueueSize(), 1024u);
}

TEST_F(ComPortFake, TheApplicationsSettingsBuildThisDeviceControlBlock)
{
    Port->FlowControl()->SetControlDTR(dtrEnable);
    Port->FlowControl()->SetControlRTS(rtsEnable);
    Port->SetBaudRate(brCustom);
    Port->SetCustomBaudRate(19200);
    Port->Parity()->SetBits(prEven);
    Port->SetDiscardNull(false);
    Port->Open();
    DCB dcb = Device->LastDcb();
    EXPECT_EQ(dcb.Flags, comm::fBinary | 0x10u | 0x1000u);
    EXPECT_EQ(dcb.BaudRate, 19200u);
    EXPECT_EQ(dcb.Parity, 2);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.StopBits, 0);
    EXPECT_EQ(dcb.XonLim, 256);
}

TEST_F(ComPortFake, EachSettingIsAppliedAtOnceWhileConnected)
{
    Port->SetEvents({});
    Port->Open();
    struct Case {
        const char* What;
        std::function<void()> Change;
        std::function<bool(const DCB&)> Check;
    };
    TComFlowControl* f = Port->FlowControl();
    const std::vector<Case> cases = {
        {"OutCTSFlow", [&] { f->SetOutCTSFlow(true); }, [](const DCB& d) { return d.Flags & 4; }},
        {"OutDSRFlow", [&] { f->SetOutDSRFlow(true); }, [](const DCB& d) { return d.Flags & 8; }},
        {"DTR handshake", [&] { f->SetControlDTR(dtrHandshake); },
         [](const DCB& d) { return (d.Flags & 0x30) == 0x20; }},
        {"RTS handshake", [&] { f->SetControlRTS(rtsHandshake); },
         [](const DCB& d) { return (d.Flags & 0x3000) == 0x2000; }},
        {"RTS toggle", [&] { f->SetControlRTS(rtsToggle); }, [](const DCB& d) { return (d.Flags & 0x3000) == 0x3000; }},
        {"XonXoffOut", [&] { f->SetXonXoffOut(true); }, [](const DCB& d) { return d.Flags & 0x100; }},
        {"XonXoffIn", [&] { f->SetXonXoffIn(true); }, [](const DCB& d) { return d.Flags & 0x200; }},
        {"DSRSensitivity", [&] { f->SetDSRSensitivity(true); }, [](const DCB& d) { return d.Flags & 0x40; }},
        {"TxContinueOnXoff", [&] { f->SetTxContinueOnXoff(true); }, [](const DCB& d) { return d.Flags & 0x80; }},
        {"XonChar", [&] { f->SetXonChar('A'); }, [](const DCB& d) { return d.XonChar == 'A'; }},
        {"XoffChar", [&] { f->SetXoffChar('B'); }, [](const DCB& d) { return d.XoffChar == 'B'; }},
        {"DiscardNull", [&] { Port->SetDiscardNull(true); }, [](const DCB& d) { return d.Flags & 0x800; }},
        {"EventChar", [&] { Port->SetEventChar('\n'); }, [](const DCB& d) { return d.EvtChar == '\n'; }},
        {"Parity.Check", [&] { Port->Parity()->SetCheck(true); }, [](const DCB& d) { return (d.Flags & 0x402) == 2; }},
        {"Parity.Replace", [&] { Port->Parity()->SetReplace(true); },
         [](const DCB& d) { return (d.Flags & 0x402) == 0x402 && d.ErrorChar == 0; }},
        {"Parity.ReplaceChar", [&] { Port->Parity()->SetReplaceChar('?'); },
         [](const DCB& d) { return d.ErrorChar == '?'; }},
        {"Parity mark", [&] { Port->Parity()->SetBits(prMark); }, [](const DCB& d) { return d.Parity == 3; }},
        {"Parity space", [&] { Port->Parity()->SetBits(prSpace); }, [](const DCB& d) { return d.Parity == 4; }},
        {"StopBits 2", [&] { Port->SetStopBits(sbTwoStopBits); }, [](const DCB& d) { return d.StopBits == 2; }},
        {"DataBits 7", [&] { Port->SetDataBits(dbSeven); }, [](const DCB& d) { return d.ByteSize == 7; }},
        {"DataBits 5",
         [&] {
             Port->SetStopBits(sbOneStopBit);
             Port->SetDataBits(dbFive);
         },
         [](const DCB& d) { return d.ByteSize == 5; }},
        {"StopBits 1.5", [&] { Port->SetStopBits(sbOne5StopBits); }, [](const DCB& d) { return d.StopBits == 1; }},
        {"br110", [&] { Port->SetBaudRate(br110); }, [](const DCB& d) { return d.BaudRate == 110; }},
        {"br56000", [&] { Port->SetBaudRate(br56000); }, [](const DCB& d) { return d.BaudRate == 56000; }},
        {"br256000", [&] { Port->SetBaudRate(br256000); }, [](const DCB& d) { return d.BaudRate == 256000; }},
        {"custom rate",
         [&] {
             Port->SetBaudRate(brCustom);
             Port->SetCustomBaudRate(31250);
         },
         [](const DCB& d) { return d.BaudRate == 31250; }},
        {"InputSize", [&] { Port->Buffer()->SetInputSize(1025); },
         [](const DCB& d) { return d.XonLim == 256 && d.XoffLim == 256; }},
    };
    for (const Case& c : cases) {
        int before = Device->StateCount();
        c.Change();
        if (std::string(c.What) != "InputSize") {
            EXPECT_GT(Device->StateCount(), before) << c.What;
        }
        EXPECT_TRUE(c.Check(Device->LastDcb())) << c.What;
    }
    // Setting a value it already has applies nothing.
    int before = Device->StateCount();
    Port->SetDataBits(dbFive);
    f->SetXonChar('A');
    EXPECT_EQ(Device->StateCount(), before);
    // A new buffer size reaches the driver queues.
    Port->Buffer()->SetInputSize(2048);
    EXPECT_EQ(Device->InQueueSize(), 2048u);
}

TEST_F(ComPortFake, FlowControlPresetReappliesEvenWhenCustom)
{
    Port->SetEvents({});
    Port->Open();
    int before = Device->StateCount();
    Port->FlowControl()->SetFlowControl(fcHardware);
    EXPECT_EQ(Device->LastDcb().Flags & (0x3000u | 4u), 0x2000u | 4u);
    Port->FlowControl()->SetFlowControl(fcCustom);
    EXPECT_EQ(Device->StateCount(), before + 2);
}

TEST_F(ComPortFake, RefusedSettingsReportTheLibraryErrors)
{
    Port->SetEvents({});
    Port->Open();
    Port->SetBaudRate(brCustom);
    try {
        Port->SetCustomBaudRate(0);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Code(), 7);
        EXPECT_EQ(e.WinCode(), 87);
    }
    try {
        Port->Buffer()->SetOutputSize(1);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Message, "SetupComm function failed (Error: 87)");
    }
}

TEST_F(ComPortFake, StopBitsThatTheDataBitsCannotHaveAreRefused)
{
    Port->SetEvents({});
    Port->Open();
    // One and a half stop bits go only with five data bits, two only with more.
    try {
        Port->SetStopBits(sbOne5StopBits);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Message, "SetCommState function failed (Error: 87)");
    }
    EXPECT_EQ(Device->LastDcb().StopBits, 0);
    Port->SetStopBits(sbTwoStopBits);
    EXPECT_EQ(Device->LastDcb().StopBits, 2);
    try {
        Port->SetDataBits(dbFive);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Code(), 7);
        EXPECT_EQ(e.WinCode(), 87);
    }
    EXPECT_EQ(Device->LastDcb().ByteSize, 8);
}

TEST_F(ComPortFake, OpenThatFailsInSetupRollsBackCompletely)
{
    Device->FailNextState(31);
    bool afterOpen = false;
    Port->OnAfterOpen = [&](TObject*) { afterOpen = true; };
    try {
        Port->Open();
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Code(), 7);
        EXPECT_EQ(e.WinCode(), 31);
    }
    EXPECT_FALSE(Port->Connected());
    EXPECT_FALSE(Device->IsOpen());
    EXPECT_FALSE(afterOpen);
    EXPECT_EQ(Port->Handle(), comm::INVALID_HANDLE_VALUE);

    // With a handler the failure is reported once and the port stays closed.
    int reports = 0;
    Port->OnException = [&](TObject*, TComExceptions Kind, const std::string&, std::int64_t WinError,
                            const std::string&) {
        ++reports;
        EXPECT_EQ(Kind, CE_SetupComFailed);
        EXPECT_EQ(WinError, 5);
    };
    Device->FailNextSetup(5);
    Port->Open();
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(Port->Connected());
    EXPECT_FALSE(Device->IsOpen());
    EXPECT_FALSE(afterOpen);
    // Buffer sizes below 2 are refused before they reach the device.
    Port->OnException = nullptr;
    Port->Buffer()->SetInputSize(1);
    EXPECT_EQ(Port->Buffer()->InputSize(), 0);
    EXPECT_THROW(Port->Open(), EComPort);
    EXPECT_FALSE(Device->IsOpen());
}

TEST_F(ComPortFake, HandledWriteFailureStopsWithoutTransmitActivity)
{
    Port->SetEvents({});
    std::vector<std::string> linkLog;
    TComLink link;
    link.OnTxActivity = [&](TObject*, bool) { linkLog.push_back("activity"); };
    link.OnTxBuf = [&](TObject*, const void*, int) { linkLog.push_back("txbuf"); };
    Port->RegisterLink(&link);
    Port->Open();
    std::vector<int> reports;
    Port->OnException = [&](TObject*, TComExceptions Kind, const std::string&, std::int64_t WinError,
                            const std::string& WinMessage) {
        reports.push_back(Kind + 1);
        EXPECT_EQ(WinError, 31);
        EXPECT_EQ(WinMessage, "System Error.  Code: 31.  " + comm::SysErrorMessage(31));
    };
    Device->HangUp();
    EXPECT_EQ(Port->Write("lost", 4), 0);
    EXPECT_EQ(reports, std::vector<int>{2});
    EXPECT_TRUE(linkLog.empty());
    Port->Close();
    Port->UnregisterLink(&link);
}

TEST_F(ComPortFake, ModemLinesAreReportedAtOpenAndOnChange)
{
    Device->SetModemStatus(comm::MS_CTS_ON | comm::MS_RLSD_ON);
    std::vector<std::string> log;
    Port->OnCTSChange = [&](TObject*, bool On) { log.push_back(std::string("CTS") + (On ? "1" : "0")); };
    Port->OnDSRChange = [&](TObject*, bool On) { log.push_back(std::string("DSR") + (On ? "1" : "0")); };
    Port->OnRLSDChange = [&](TObject*, bool On) { log.push_back(std::string("RLSD") + (On ? "1" : "0")); };
    Port->Open();
    EXPECT_EQ(log, (std::vector<std::string>{"CTS1", "DSR0", "RLSD1"}));
    EXPECT_EQ(Port->ModemSignals(), (TComSignals{csCTS, csRLSD}));
    log.clear();
    Device->SetModemStatus(comm::MS_RLSD_ON | comm::MS_DSR_ON);
    EXPECT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
    EXPECT_EQ(log, (std::vector<std::string>{"CTS0", "DSR1"}));
}

TEST_F(ComPortFake, RingBreakAndLinkNotifications)
{
    int ring = 0, linkRing = 0, brk = 0;
    TComLink link;
    link.OnRing = [&](TObject*) { ++linkRing; };
    Port->RegisterLink(&link);
    Port->OnRing = [&](TObject*) { ++ring; };
    Port->OnBreak = [&](TObject*) { ++brk; };
    Port->Open();
    Device->SetModemStatus(comm::MS_RING_ON);
    EXPECT_TRUE(PumpUntil([&] { return ring == 1; }));
    EXPECT_EQ(linkRing, 1);
    Device->SignalBreak();
    EXPECT_TRUE(PumpUntil([&] { return brk == 1; }));
    Port->Close();
    Port->UnregisterLink(&link);
}

TEST_F(ComPortFake, ParityErrorsCountOnlyWithCheckOn)
{
    std::vector<TComErrors> errors;
    Port->OnError = [&](TObject*, TComErrors Errors) { errors.push_back(Errors); };
    int breaks = 0;
    Port->OnBreak = [&](TObject*) { ++breaks; };
    Port->Open();
    Device->InjectErrors(comm::CE_RXPARITY);
    Device->InjectErrors(comm::CE_FRAME | comm::CE_RXPARITY);
    EXPECT_TRUE(PumpUntil([&] { return !errors.empty(); }));
    // The parity-only error event raised nothing; the second gave only the frame error.
    EXPECT_EQ(errors, std::vector<TComErrors>{TComErrors{ceFrame}});

    errors.clear();
    Port->Parity()->SetCheck(true);
    Device->InjectErrors(comm::CE_RXPARITY | comm::CE_OVERRUN | comm::CE_RXOVER | comm::CE_TXFULL | comm::CE_IOE |
                         comm::CE_MODE);
    EXPECT_TRUE(PumpUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors[0], (TComErrors{ceRxParity, ceOverrun, ceRxOver, ceTxFull, ceIO, ceMode}));
    Port->Close();
}

namespace {

// Records the window messages the event thread sends.
class RecordingPort : public TComPort {
public:
    using TComPort::TComPort;
    std::intptr_t WindowMethod(std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam) override
    {
        Messages.push_back({Msg, WParam});
        return TComPort::WindowMethod(Msg, WParam, LParam);
    }
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> Messages;
};

}  // namespace

TEST_F(ComPortFake, WindowDeliverySendsOneMessagePerEventOfABatch)
{
    RecordingPort port(nullptr);
    port.SetPort(Name);
    port.SetSyncMethod(smWindowSync);
    int ring = 0, rlsd = 0;
    port.OnRing = [&](TObject*) { ++ring; };
    port.OnRLSDChange = [&](TObject*, bool) { ++rlsd; };
    port.Open();
    rlsd = 0;
    Device->SetModemStatus(comm::MS_RING_ON | comm::MS_RLSD_ON);
    EXPECT_TRUE(PumpUntil([&] { return port.Messages.size() >= 2; }));
    EXPECT_EQ(port.Messages, (std::vector<std::pair<std::uint32_t, std::uintptr_t>>{{0x401, 0x100}, {0x401, 0x20}}));
    EXPECT_EQ(ring, 1);
    EXPECT_EQ(rlsd, 1);
    port.Close();
}

TEST_F(ComPortFake, NoSyncRunsHandlersInTheEventThread)
{
    Port->SetSyncMethod(smNone);
    std::atomic<TThreadID> handlerThread{0};
    Port->OnRxChar = [&](TObject*, int Count) {
        std::string buf(static_cast<size_t>(Count), '\0');
        Port->Read(buf.data(), Count);
        handlerThread = GetCurrentThreadId();
    };
    Port->Open();
    Device->Send("x");
    EXPECT_TRUE(PumpUntil([&] { return handlerThread.load() != 0; }));
    EXPECT_NE(handlerThread.load(), GetCurrentThreadId());
    Port->Close();
}

TEST_F(ComPortFake, AHandlerThatRaisesIsReportedAndEventsKeepComing)
{
    std::mutex mutex;
    std::vector<std::string> reported;
    SetThreadExceptionHook([&](TThread*, const std::exception& E) {
        std::lock_guard lock(mutex);
        reported.push_back(E.what());
    });
    auto reports = [&] {
        std::lock_guard lock(mutex);
        return reported;
    };
    for (TSyncMethod method : {smThreadSync, smNone}) {
        SCOPED_TRACE(method);
        reported.clear();
        std::atomic<int> calls{0};
        std::string received;
        Port->SetSyncMethod(method);
        Port->OnRxChar = [&](TObject*, int Count) {
            std::string chunk(static_cast<size_t>(Count), '\0');
            received.append(chunk, 0, static_cast<size_t>(Port->Read(chunk.data(), Count)));
            if (++calls == 1)
                throw Exception("handler failed");
        };
        Port->Open();
        Device->Send("a");
        EXPECT_TRUE(PumpUntil([&] { return !reports().empty(); }));
        Device->Send("b");
        EXPECT_TRUE(PumpUntil([&] { return calls.load() >= 2; }));
        Port->Close();
        Port->OnRxChar = nullptr;
        EXPECT_EQ(received, "ab");
        EXPECT_EQ(reports(), std::vector<std::string>{"handler failed"});
    }
    SetThreadExceptionHook(nullptr);
}

TEST_F(ComPortFake, TriggersOffReadsTheBytesForOnRxBufOnly)
{
    int rxChar = 0, rxBuf = 0;
    Port->OnRxChar = [&](TObject*, int) { ++rxChar; };
    Port->OnRxBuf = [&](TObject*, const void*, int) { ++rxBuf; };
    Port->SetTriggersOnRxChar(false);
    Port->SetSyncMethod(smThreadSync);
    Port->Open();
    Device->Send("abc");
    EXPECT_TRUE(PumpUntil([&] { return rxBuf == 1; }));
    EXPECT_EQ(rxChar, 0);
    EXPECT_EQ(Port->InputCount(), 0);
    // A receive event that finds the queue empty reads and calls nothing.
    Port->WindowMethod(CM_COMPORT_EVENT, comm::EV_RXCHAR, 0);
    EXPECT_EQ(rxBuf, 1);
    EXPECT_EQ(rxChar, 0);
    Port->Close();
}

TEST_F(ComPortFake, CloseFinishesEveryStepBeforeAFailingHandlerIsReported)
{
    int afterClose = 0;
    Port->OnBeforeClose = [](TObject*) { throw Exception("handler failed"); };
    Port->OnAfterClose = [&](TObject*) { ++afterClose; };
    Port->Open();
    try {
        Port->Close();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "handler failed");
    }
    EXPECT_FALSE(Port->Connected());
    EXPECT_FALSE(Device->IsOpen());
    EXPECT_EQ(afterClose, 1);

    // Freeing an open port whose handlers raise does not throw.
    Port->Open();
    Port->OnAfterClose = [](TObject*) { throw Exception("again"); };
    EXPECT_NO_THROW(Port.reset());
    EXPECT_FALSE(Device->IsOpen());
    Port = std::make_unique<TComPort>(nullptr);
}

TEST_F(ComPortFake, BytesThatArriveJustBeforeAHangUpStillReachTheHandler)
{
    std::string received;
    std::vector<TComErrors> errors;
    Port->OnRxChar = [&](TObject*, int Count) {
        std::string chunk(static_cast<size_t>(Count), '\0');
        received.append(chunk, 0, static_cast<size_t>(Port->Read(chunk.data(), Count)));
    };
    Port->OnError = [&](TObject*, TComErrors Errors) { errors.push_back(Errors); };
    Port->Open();
    Device->Send(std::string("\x01\x03\x00\xFF", 4));
    Device->HangUp();
    EXPECT_TRUE(PumpUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(received, std::string("\x01\x03\x00\xFF", 4));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], TComErrors{ceIO});
    Port->Close();
}

TEST_F(ComPortFake, ChangingThePortOfAnOpenPortReopensItOnTheNewDevice)
{
    auto second = FakeDevice::Create(Name + "_2");
    std::vector<std::string> log;
    Port->OnAfterOpen = [&](TObject*) { log.push_back("open " + Port->Port()); };
    Port->OnAfterClose = [&](TObject*) { log.push_back("close " + Port->Port()); };
    Port->Open();
    Port->SetPort(Name + "_2");
    EXPECT_TRUE(Port->Connected());
    EXPECT_FALSE(Device->IsOpen());
    EXPECT_TRUE(second->IsOpen());
    EXPECT_EQ(log, (std::vector<std::string>{"open " + Name, "close " + Name + "_2", "open " + Name + "_2"}));
    Port->Close();
}

TEST_F(ComPortFake, ConnectedSetWhileLoadingOpensWhenLoadingEnds)
{
    Port->BeginLoading();
    Port->SetConnected(true);
    EXPECT_TRUE(Port->Connected());
    EXPECT_FALSE(Device->IsOpen());
    // Settings made while loading are applied by the open, not one by one.
    Port->SetBaudRate(br57600);
    EXPECT_EQ(Device->StateCount(), 0);
    Port->EndLoading();
    EXPECT_TRUE(Device->IsOpen());
    EXPECT_EQ(Device->LastDcb().BaudRate, 57600u);
    EXPECT_EQ(Device->StateCount(), 1);
    Port->SetConnected(false);
    EXPECT_FALSE(Device->IsOpen());
}

TEST_F(ComPortFake, EventCharacterAndAlmostFullInputReachTheirHandlers)
{
    int flag = 0, full = 0, linkFlag = 0;
    TComLink link;
    link.OnRxFlag = [&](TObject*) { ++linkFlag; };
    Port->RegisterLink(&link);
    Port->SetEventChar('\n');
    Port->Buffer()->SetInputSize(10);
    Port->OnRxFlag = [&](TObject*) { ++flag; };
    Port->OnRx80Full = [&](TObject*) { ++full; };
    Port->Open();
    EXPECT_EQ(Device->LastDcb().EvtChar, '\n');
    Device->Send("abc\n");
    EXPECT_TRUE(PumpUntil([&] { return flag == 1; }));
    EXPECT_EQ(linkFlag, 1);
    EXPECT_EQ(full, 0);
    Device->Send("defgh");
    EXPECT_TRUE(PumpUntil([&] { return full == 1; }));
    EXPECT_EQ(Port->InputCount(), 9);
    Port->Close();
    Port->UnregisterLink(&link);
}
