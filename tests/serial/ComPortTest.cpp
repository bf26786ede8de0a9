#include "serial/CPort.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SerialTestSupport.h"
#include "tests/platform/comm/PtyPair.h"

namespace {

struct Reported {
    TComExceptions Kind;
    std::string Message;
    std::int64_t WinError;
    std::string WinMessage;
};

std::unique_ptr<TComPort> PortOn(const PtyPair& Pty)
{
    auto port = std::make_unique<TComPort>(nullptr);
    port->SetPort(Pty.SlavePath());
    return port;
}

}  // namespace

TEST(ComPortErrors, MissingDeviceRaisesErrorOneWithSystemErrorTwo)
{
    TComPort port(nullptr);
    port.SetPort("ttyDefinitelyMissing7");
    try {
        port.Open();
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Message, "Unable to open com port (Error: 2)");
        EXPECT_EQ(e.Code(), 1);
        EXPECT_EQ(e.WinCode(), 2);
    }
    EXPECT_FALSE(port.Connected());
    // The default name is not a device here either.
    TComPort fresh(nullptr);
    EXPECT_EQ(fresh.Port(), "COM1");
    EXPECT_THROW(fresh.Open(), EComPort);
}

TEST(ComPortErrors, WriteOnClosedPortIsPortNotOpen)
{
    TComPort port(nullptr);
    try {
        port.Write("x", 1);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Message, "Port Not Open");
        EXPECT_EQ(e.Code(), 24);
        EXPECT_EQ(e.WinCode(), -1);
    }
    std::vector<Reported> reports;
    port.OnException = [&](TObject*, TComExceptions Kind, const std::string& Message, std::int64_t WinError,
                           const std::string& WinMessage) {
        reports.push_back({Kind, Message, WinError, WinMessage});
    };
    EXPECT_EQ(port.Write("x", 1), 0);
    char buf[4];
    EXPECT_EQ(port.Read(buf, 4), 0);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].Kind, CEPortNotOpen);
    EXPECT_EQ(reports[0].Message, "Port Not Open");
    EXPECT_EQ(reports[0].WinError, -24);
    EXPECT_EQ(reports[0].WinMessage, "");
}

TEST(ComPortErrors, HandledOpenFailureLeavesThePortClosedWithSystemText)
{
    TComPort port(nullptr);
    port.SetPort("ttyDefinitelyMissing7");
    std::vector<Reported> reports;
    port.OnException = [&](TObject*, TComExceptions Kind, const std::string& Message, std::int64_t WinError,
                           const std::string& WinMessage) {
        reports.push_back({Kind, Message, WinError, WinMessage});
    };
    bool afterOpen = false;
    port.OnAfterOpen = [&](TObject*) { afterOpen = true; };
    port.Open();
    EXPECT_FALSE(port.Connected());
    EXPECT_FALSE(afterOpen);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Kind, CE_OpenFailed);
    EXPECT_EQ(reports[0].WinError, 2);
    EXPECT_EQ(reports[0].WinMessage, "System Error.  Code: 2.  " + comm::SysErrorMessage(comm::ERROR_FILE_NOT_FOUND));
}

TEST(ComPortErrors, NegativeCountsAreRefused)
{
    PtyPair pty;
    auto port = PortOn(pty);
    port->SetEvents({});
    port->Open();
    try {
        port->Write("abc", -1);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Code(), 2);
        EXPECT_EQ(e.WinCode(), 87);
    }
    char buf[2];
    try {
        port->Read(buf, -5);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Code(), 3);
        EXPECT_EQ(e.WinCode(), 87);
    }
}

TEST(ComPortLifecycle, OpenAndCloseEventsComeInOrder)
{
    PtyPair pty;
    auto port = PortOn(pty);
    std::vector<std::string> log;
    port->OnBeforeOpen = [&](TObject*) { log.push_back("BeforeOpen"); };
    port->OnAfterOpen = [&](TObject*) { log.push_back("AfterOpen"); };
    port->OnBeforeClose = [&](TObject*) { log.push_back("BeforeClose"); };
    port->OnAfterClose = [&](TObject*) { log.push_back("AfterClose"); };
    port->OnCTSChange = [&](TObject*, bool On) { log.push_back(std::string("CTS") + (On ? "1" : "0")); };
    port->OnDSRChange = [&](TObject*, bool On) { log.push_back(std::string("DSR") + (On ? "1" : "0")); };
    port->OnRLSDChange = [&](TObject*, bool On) { log.push_back(std::string("RLSD") + (On ? "1" : "0")); };
    TComLink link;
    link.OnConnChange = [&](TObject*, bool On) { log.push_back(std::string("Link") + (On ? "1" : "0")); };
    port->RegisterLink(&link);
    port->Open();
    EXPECT_TRUE(port->Connected());
    port->Close();
    EXPECT_FALSE(port->Connected());
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeOpen", "Link1", "AfterOpen", "CTS0", "DSR0", "RLSD0", "CTS0",
                                             "DSR0", "RLSD0", "BeforeClose", "Link0", "AfterClose"}));
    port->UnregisterLink(&link);
}

TEST(ComPortLifecycle, LinkRegisteredTwiceIsErrorEighteen)
{
    TComPort port(nullptr);
    TComLink link;
    port.RegisterLink(&link);
    try {
        port.RegisterLink(&link);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Message, "Link (un)registration failed");
    }
    port.UnregisterLink(&link);
    EXPECT_THROW(port.UnregisterLink(&link), EComPort);
}

TEST(ComPortLifecycle, SettingsThatNeedAClosedPortAreRefused)
{
    PtyPair pty;
    auto port = PortOn(pty);
    port->SetEvents({});
    port->Open();
    try {
        port->SetSyncMethod(smNone);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Message, "Cannot set property while connected");
    }
    EXPECT_EQ(port->SyncMethod(), smThreadSync);
    TComLink link;
    link.OnRxBuf = [](TObject*, const void*, int) {};
    port->RegisterLink(&link);
    try {
        port->SetTriggersOnRxChar(false);
        FAIL() << "no exception";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.Message, "A component is linked to OnRxBuf event");
    }
    port->UnregisterLink(&link);
}

TEST(ComPortData, EveryByteValuePassesBothWaysThroughTheEventThread)
{
    PtyPair pty;
    auto port = PortOn(pty);
    std::string received;
    int rxCharCalls = 0;
    port->OnRxChar = [&](TObject*, int Count) {
        ++rxCharCalls;
        std::string chunk(static_cast<size_t>(Count), '\0');
        int n = port->Read(chunk.data(), Count);
        received.append(chunk, 0, static_cast<size_t>(n));
    };
    port->Open();
    const std::string bytes("\x00\x03\x0A\x0D\x11\x13\xFF", 7);
    EXPECT_EQ(port->Write(bytes.data(), 7), 7);
    EXPECT_EQ(pty.Receive(7), bytes);
    pty.Send(bytes);
    EXPECT_TRUE(PumpUntil([&] { return received.size() >= 7; }));
    EXPECT_EQ(received, bytes);
    EXPECT_GE(rxCharCalls, 1);
    port->Close();
}

TEST(ComPortData, OnTxEmptyAndLinkActivityFollowAWrite)
{
    PtyPair pty;
    auto port = PortOn(pty);
    std::vector<std::string> log;
    TComLink link;
    link.OnTxActivity = [&](TObject*, bool On) { log.push_back(On ? "tx on" : "tx off"); };
    link.OnTxBuf = [&](TObject*, const void* Buffer, int Count) {
        log.push_back("txbuf " + std::string(static_cast<const char*>(Buffer), static_cast<size_t>(Count)));
    };
    port->RegisterLink(&link);
    bool empty = false;
    port->OnTxEmpty = [&](TObject*) { empty = true; };
    port->Open();
    EXPECT_EQ(port->Write("ping", 4), 4);
    EXPECT_TRUE(PumpUntil([&] { return empty; }));
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "tx on");
    EXPECT_EQ(log[1], "txbuf ping");
    EXPECT_EQ(log.back(), "tx off");
    port->Close();
    port->UnregisterLink(&link);
}

TEST(ComPortData, WriteWithNobodyReadingEndsAfterItsTimeoutWithAShortCount)
{
    PtyPair pty;
    auto port = PortOn(pty);
    port->SetEvents({});
    port->Timeouts()->SetWriteTotalMultiplier(0);
    port->Timeouts()->SetWriteTotalConstant(200);
    std::vector<int> txBuf;
    TComLink link;
    link.OnTxBuf = [&](TObject*, const void*, int Count) { txBuf.push_back(Count); };
    port->RegisterLink(&link);
    port->Open();
    std::string big(4 * 1024 * 1024, 'x');
    int written = port->Write(big.data(), static_cast<int>(big.size()));
    EXPECT_GT(written, 0);
    EXPECT_LT(written, static_cast<int>(big.size()));
    // The links hear of the bytes really sent, not of the whole request.
    ASSERT_EQ(txBuf.size(), 1u);
    EXPECT_EQ(txBuf[0], written);
    port->Close();
    port->UnregisterLink(&link);
}

TEST(ComPortData, FramerTakesTheBytesAndOnRxCharIsNeverCalled)
{
    PtyPair pty;
    auto port = PortOn(pty);
    TComDataPacket packet(nullptr);
    packet.SetComPort(port.get());
    packet.SetStartString(std::string(1, '\x07'));
    packet.SetSize(5);
    std::vector<std::string> packets;
    std::vector<std::string> order;
    packet.OnPacket = [&](TObject*, const std::string& Str) {
        packets.push_back(Str);
        order.push_back("packet");
    };
    int rxChar = 0;
    port->OnRxChar = [&](TObject*, int) { ++rxChar; };
    port->OnRxBuf = [&](TObject*, const void*, int) { order.push_back("rxbuf"); };
    port->Open();
    pty.Send(std::string("\x07\x03\x00\xFF\x0D", 5));
    EXPECT_TRUE(PumpUntil([&] { return !packets.empty(); }));
    EXPECT_EQ(packets[0], std::string("\x03\x00\xFF\x0D", 4));
    EXPECT_EQ(rxChar, 0);
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order[0], "rxbuf");
    port->Close();
}

TEST(ComPortData, AFramerOfFixedSizeGetsEachPacketInOneBatch)
{
    // At 300 baud the rest of a packet cannot come sooner than a character
    // time after its first bytes, and the line is quiet only after 117 ms.
    PtyPair pty;
    auto port = PortOn(pty);
    port->SetBaudRate(br300);
    TComDataPacket packet(nullptr);
    packet.SetComPort(port.get());
    packet.SetStartString(std::string(1, '\x07'));
    packet.SetSize(9);
    std::vector<std::string> packets;
    packet.OnPacket = [&](TObject*, const std::string& Str) { packets.push_back(Str); };
    std::vector<int> batches;
    port->OnRxBuf = [&](TObject*, const void*, int Count) { batches.push_back(Count); };
    port->Open();
    for (const std::string& rest : {std::string("ABCDEFGH"), std::string("abcdefgh")}) {
        const std::size_t before = packets.size();
        pty.Send("\x07" + rest.substr(0, 3));
        // The driver holds the first bytes alone before the rest comes.
        ASSERT_TRUE(PumpUntil([&] { return port->InputCount() == 4; }));
        pty.Send(rest.substr(3));
        ASSERT_TRUE(PumpUntil([&] { return packets.size() > before; }));
    }
    EXPECT_EQ((std::vector<std::string>{"ABCDEFGH", "abcdefgh"}), packets);
    EXPECT_EQ((std::vector<int>{9, 9}), batches);
    port->Close();
}

TEST(ComPortEvents, HangUpEndsTheEventThreadWithOneErrorEvent)
{
    PtyPair pty;
    auto port = PortOn(pty);
    std::vector<TComErrors> errors;
    port->OnError = [&](TObject*, TComErrors Errors) { errors.push_back(Errors); };
    port->Open();
    pty.CloseMaster();
    EXPECT_TRUE(PumpUntil([&] { return !errors.empty(); }));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], TComErrors{ceIO});
    port->Close();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(port->Connected());
}

TEST(ComPortEvents, ClosingFromInsideItsOwnHandlerRaisesInsteadOfHanging)
{
    PtyPair pty;
    auto port = PortOn(pty);
    bool raised = false;
    bool called = false;
    port->OnRxChar = [&](TObject*, int) {
        called = true;
        try {
            port->Close();
        } catch (const EThread&) {
            raised = true;
        }
    };
    port->Open();
    pty.Send("a");
    EXPECT_TRUE(PumpUntil([&] { return called; }));
    EXPECT_TRUE(raised);
    EXPECT_TRUE(port->Connected());
    port->OnRxChar = nullptr;
    port->Close();
    EXPECT_FALSE(port->Connected());
}

TEST(ComPortEvents, FreeingFromInsideItsOwnHandlerNeitherHangsNorCrashes)
{
    PtyPair pty;
    TComPort* port = new TComPort(nullptr);
    port->SetPort(pty.SlavePath());
    bool freed = false;
    port->OnRxChar = [&](TObject* Sender, int) {
        delete static_cast<TComPort*>(Sender);
        freed = true;
    };
    port->Open();
    pty.Send("a");
    EXPECT_TRUE(PumpUntil([&] { return freed; }));
    // The device is free again once the port is gone.
    comm::HANDLE again = comm::INVALID_HANDLE_VALUE;
    EXPECT_TRUE(PumpUntil([&] {
        again = comm::CreateFile(pty.SlavePath());
        return again != comm::INVALID_HANDLE_VALUE;
    }));
    comm::CloseHandle(again);
}

TEST(ComPortEvents, PortWithoutEventsHasNoThreadAndOnlyOpenCloseEvents)
{
    PtyPair pty;
    auto port = PortOn(pty);
    port->SetEvents({});
    int rx = 0, lines = 0;
    port->OnRxChar = [&](TObject*, int) { ++rx; };
    port->OnCTSChange = [&](TObject*, bool) { ++lines; };
    port->Open();
    EXPECT_EQ(lines, 1);
    pty.Send("abc");
    // Nothing delivers receive events: the bytes wait in the input queue.
    EXPECT_TRUE(PumpUntil([&] { return port->InputCount() == 3; }));
    EXPECT_EQ(rx, 0);
    char buf[3];
    EXPECT_EQ(port->Read(buf, 3), 3);
    EXPECT_EQ(std::string(buf, 3), "abc");
    port->Close();
    EXPECT_EQ(lines, 2);
}
