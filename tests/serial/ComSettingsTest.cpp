// Settings objects, their text forms, storage and the error table.
#include "serial/CPort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "comm/SerialPortList.h"
#include "tests/platform/comm/PtyPair.h"
#include "rtl/IniFile.h"
#include "rtl/PublishedProperties.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

TEST(ComFlowControl, SummaryFollowsTheTable)
{
    struct Row {
        TRTSFlowControl Rts;
        bool Cts, XIn, XOut;
        TFlowControl Expected;
    };
    const Row rows[] = {
        {rtsHandshake, true, false, false, fcHardware}, {rtsDisable, false, true, true, fcSoftware},
        {rtsDisable, false, false, false, fcNone},      {rtsEnable, false, false, false, fcCustom},
        {rtsHandshake, false, false, false, fcCustom},  {rtsHandshake, true, true, false, fcCustom},
        {rtsDisable, false, true, false, fcCustom},     {rtsDisable, true, false, false, fcCustom},
        {rtsToggle, false, false, false, fcCustom},
    };
    for (const Row& r : rows) {
        TComFlowControl f;
        f.SetControlRTS(r.Rts);
        f.SetOutCTSFlow(r.Cts);
        f.SetXonXoffIn(r.XIn);
        f.SetXonXoffOut(r.XOut);
        EXPECT_EQ(f.FlowControl(), r.Expected) << r.Rts << r.Cts << r.XIn << r.XOut;
    }
}

TEST(ComFlowControl, PresetsRewriteTheirFieldsAndDtrTakesNoPart)
{
    TComFlowControl f;
    f.SetFlowControl(fcSoftware);
    EXPECT_EQ(f.FlowControl(), fcSoftware);
    f.SetControlDTR(dtrHandshake);
    f.SetOutDSRFlow(true);
    EXPECT_EQ(f.FlowControl(), fcSoftware);
    f.SetFlowControl(fcHardware);
    EXPECT_EQ(f.ControlRTS(), rtsHandshake);
    EXPECT_TRUE(f.OutCTSFlow());
    EXPECT_FALSE(f.XonXoffIn());
    EXPECT_FALSE(f.XonXoffOut());
    f.SetFlowControl(fcCustom);
    EXPECT_EQ(f.FlowControl(), fcHardware);
    f.SetFlowControl(fcNone);
    EXPECT_EQ(f.ControlRTS(), rtsDisable);
    EXPECT_FALSE(f.OutCTSFlow());
    EXPECT_EQ(f.ControlDTR(), dtrHandshake);
}

TEST(ComSettings, DefaultsAndAssignCopyingEveryField)
{
    TComPort port(nullptr);
    EXPECT_EQ(port.BaudRate(), br9600);
    EXPECT_EQ(port.CustomBaudRate(), 9600);
    EXPECT_EQ(port.Events(), AllComEvents);
    EXPECT_EQ(port.StoredProps(), TStoredProps{spBasic});
    EXPECT_TRUE(port.TriggersOnRxChar());
    EXPECT_EQ(port.Timeouts()->ReadInterval(), -1);
    EXPECT_EQ(port.Timeouts()->WriteTotalMultiplier(), 100);
    EXPECT_EQ(port.Timeouts()->WriteTotalConstant(), 1000);
    EXPECT_EQ(port.FlowControl()->XonChar(), 17);
    EXPECT_EQ(port.FlowControl()->XoffChar(), 19);
    EXPECT_EQ(port.Buffer()->ComPort(), &port);

    TComTimeouts t;
    t.SetReadInterval(5);
    t.SetReadTotalMultiplier(6);
    t.SetReadTotalConstant(7);
    t.SetWriteTotalMultiplier(8);
    t.SetWriteTotalConstant(9);
    port.SetTimeouts(&t);
    EXPECT_EQ(port.Timeouts()->ReadTotalConstant(), 7);
    EXPECT_EQ(port.Timeouts()->WriteTotalConstant(), 9);
    EXPECT_EQ(port.Timeouts()->ComPort(), &port);
    EXPECT_EQ(t.ComPort(), nullptr);

    TComParity p;
    p.SetBits(prSpace);
    p.SetCheck(true);
    p.SetReplace(true);
    p.SetReplaceChar('?');
    port.SetParity(&p);
    EXPECT_EQ(port.Parity()->Bits(), prSpace);
    EXPECT_EQ(port.Parity()->ReplaceChar(), '?');
    EXPECT_THROW(port.Parity()->Assign(&t), EConvertError);
}

TEST(ComBuffer, OddPositiveSizesAreStoredOneLower)
{
    TComBuffer b;
    b.SetInputSize(1025);
    EXPECT_EQ(b.InputSize(), 1024);
    b.SetOutputSize(7);
    EXPECT_EQ(b.OutputSize(), 6);
    b.SetInputSize(-3);
    EXPECT_EQ(b.InputSize(), -3);
    b.SetInputSize(1);
    EXPECT_EQ(b.InputSize(), 0);
}

TEST(ComSettingsText, EachTableReadsBackAndUnknownTextGivesTheDefault)
{
    for (int i = brCustom; i <= br256000; ++i)
        EXPECT_EQ(StrToBaudRate(BaudRateToStr(TBaudRate(i))), i);
    EXPECT_EQ(BaudRateToStr(br115200), "115200");
    EXPECT_EQ(StrToBaudRate("custom"), brCustom);
    EXPECT_EQ(StrToBaudRate("12345"), br9600);
    EXPECT_EQ(StopBitsToStr(sbOne5StopBits), "1.5");
    EXPECT_EQ(StrToStopBits("2"), sbTwoStopBits);
    EXPECT_EQ(StrToStopBits("3"), sbOneStopBit);
    EXPECT_EQ(DataBitsToStr(dbSix), "6");
    EXPECT_EQ(StrToDataBits("9"), dbEight);
    EXPECT_EQ(ParityToStr(prMark), "Mark");
    EXPECT_EQ(StrToParity("eVeN"), prEven);
    EXPECT_EQ(StrToParity("?"), prNone);
    EXPECT_EQ(FlowControlToStr(fcSoftware), "Software");
    EXPECT_EQ(StrToFlowControl("hardware"), fcHardware);
    EXPECT_EQ(StrToFlowControl("x"), fcCustom);
    EXPECT_EQ(DTRToStr(dtrHandshake), "Handshake");
    EXPECT_EQ(StrToDTR("ENABLE"), dtrEnable);
    EXPECT_EQ(StrToDTR(""), dtrDisable);
    EXPECT_EQ(RTSToStr(rtsToggle), "Toggle");
    EXPECT_EQ(StrToRTS("toggle"), rtsToggle);
    EXPECT_EQ(ComBoolToStr(true), "Yes");
    EXPECT_EQ(ComBoolToStr(false), "No");
    EXPECT_TRUE(StrToComBool("yEs"));
    EXPECT_FALSE(StrToComBool("1"));
}

TEST(ComSettingsText, CharactersBelowThirtyThreeUseTheirCode)
{
    EXPECT_EQ(StrToComChar("#13"), '\r');
    EXPECT_EQ(ComCharToStr(' '), "#32");
    EXPECT_EQ(ComCharToStr('\t'), "#9");
    EXPECT_EQ(ComCharToStr('A'), "A");
    EXPECT_EQ(ComCharToStr('#'), "#");
    EXPECT_EQ(StrToComChar("#"), '#');
    EXPECT_EQ(StrToComChar("Qx"), 'Q');
    EXPECT_EQ(StrToComChar(""), '\0');
    EXPECT_EQ(StrToComChar("#0"), '\0');
    EXPECT_THROW(StrToComChar("#1x"), EConvertError);
    EXPECT_THROW(StrToComChar("#999"), EConvertError);
    EXPECT_THROW(StrToComChar("#99999999999999999999"), EConvertError);
    // Leading zeros are still a number.
    EXPECT_EQ(StrToComChar("#0013"), '\r');
}

TEST(ComErrors, MessagesAndNumbers)
{
    EComPort withCode(7, 87);
    EXPECT_EQ(withCode.Message, "SetCommState function failed (Error: 87)");
    EXPECT_EQ(withCode.Code(), 7);
    EXPECT_EQ(withCode.WinCode(), 87);
    EComPort plain(24);
    EXPECT_EQ(plain.Message, "Port Not Open");
    EXPECT_EQ(plain.WinCode(), -1);
    EXPECT_EQ(ComErrorMessage(1), "Unable to open com port");
    EXPECT_EQ(ComErrorMessage(8), "SetCommTimeouts failed");
    EXPECT_EQ(ComErrorMessage(20), "Cannot wait for event if event thread is created");
    EXPECT_EQ(ComErrorMessage(23), "Registry error");
    EXPECT_EQ(ComErrorMessage(25), "");
    EXPECT_EQ(CEPortNotOpen + 1, 24);
}

TEST(ComEvents, MaskConversionIsOneToOne)
{
    EXPECT_EQ(EventsToMask(AllComEvents), 0x05FFu);
    EXPECT_EQ(EventsToMask(TComEvents{evRing, evRLSD}), 0x120u);
    EXPECT_EQ(MaskToEvents(0x0401), (TComEvents{evRxChar, evRx80Full}));
    for (int e = evRxChar; e <= evRx80Full; ++e) {
        TComEvents one{TComEvent(e)};
        EXPECT_EQ(MaskToEvents(EventsToMask(one)), one);
    }
}

namespace {

std::string TempIni(const char* Name)
{
    auto path = std::filesystem::temp_directory_path() /
                (std::string(Name) + "-" + std::to_string(::getpid()) + ".ini");
    std::filesystem::remove(path);
    return path.string();
}

}  // namespace

TEST(ComPortStorage, StoreWritesTheSelectedGroupsUnderTheComponentName)
{
    std::string file = TempIni("comstore");
    TComPort port(nullptr);
    port.SetName("ComPort1");
    port.SetPort("ttyUSB3");
    port.SetBaudRate(brCustom);
    port.SetCustomBaudRate(31250);
    port.SetEventChar('\n');
    port.FlowControl()->SetFlowControl(fcSoftware);
    port.SetStoredProps({spBasic, spOthers, spFlowControl, spBuffer});
    {
        TIniFile ini(file);
        port.StoreIniFile(&ini);
    }
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("ComPort1", "Port", ""), "ttyUSB3");
    EXPECT_EQ(ini.ReadString("ComPort1", "BaudRate", ""), "Custom");
    EXPECT_EQ(ini.ReadInteger("ComPort1", "CustomBaudRate", 0), 31250);
    EXPECT_EQ(ini.ReadString("ComPort1", "FlowControl", ""), "Software");
    EXPECT_EQ(ini.ReadString("ComPort1", "EventChar", ""), "#10");
    EXPECT_EQ(ini.ReadString("ComPort1", "DiscardNull", ""), "No");
    EXPECT_EQ(ini.ReadString("ComPort1", "FlowControl.XonXoffIn", ""), "Yes");
    EXPECT_EQ(ini.ReadString("ComPort1", "FlowControl.XonChar", ""), "#17");
    EXPECT_EQ(ini.ReadInteger("ComPort1", "Buffer.InputSize", 0), 1024);
    EXPECT_FALSE(ini.ValueExists("ComPort1", "Timeouts.ReadInterval"));
    EXPECT_FALSE(ini.ValueExists("ComPort1", "Parity.Check"));
    std::filesystem::remove(file);
}

TEST(ComPortStorage, LoadAppliesGroupsInOrderSoFlowFlagsWinOverTheSummary)
{
    std::string file = TempIni("comload");
    {
        std::ofstream out(file);
        out << "[Dev]\r\nPort=ttyS4\r\nBaudRate=custom\r\nCustomBaudRate=250000\r\nStopBits=2\r\n"
               "DataBits=7\r\nParity=Odd\r\nFlowControl=Hardware\r\n"
               "FlowControl.ControlRTS=Enable\r\nFlowControl.OutCTSFlow=No\r\n"
               "Parity.Check=Yes\r\nParity.ReplaceChar=#63\r\nTimeouts.ReadInterval=50\r\n";
    }
    TComPort port(nullptr);
    port.SetName("Dev");
    port.SetStoredProps({spBasic, spFlowControl, spParity, spTimeouts});
    TIniFile ini(file);
    port.LoadIniFile(&ini);
    EXPECT_EQ(port.Port(), "ttyS4");
    EXPECT_EQ(port.BaudRate(), brCustom);
    EXPECT_EQ(port.CustomBaudRate(), 250000);
    EXPECT_EQ(port.StopBits(), sbTwoStopBits);
    EXPECT_EQ(port.DataBits(), dbSeven);
    EXPECT_EQ(port.Parity()->Bits(), prOdd);
    EXPECT_EQ(port.FlowControl()->ControlRTS(), rtsEnable);
    EXPECT_FALSE(port.FlowControl()->OutCTSFlow());
    EXPECT_EQ(port.FlowControl()->FlowControl(), fcCustom);
    EXPECT_TRUE(port.Parity()->Check());
    EXPECT_EQ(port.Parity()->ReplaceChar(), '?');
    EXPECT_EQ(port.Timeouts()->ReadInterval(), 50);
    // Missing keys keep the current values.
    EXPECT_EQ(port.Timeouts()->WriteTotalConstant(), 1000);
    std::filesystem::remove(file);
}

TEST(ComPortStorage, CharactersAboveTheAsciiRangeSurviveAStoreAndLoad)
{
    std::string file = TempIni("comchars");
    TComPort stored(nullptr);
    stored.SetName("Dev");
    stored.SetStoredProps({spOthers, spParity, spFlowControl});
    stored.SetEventChar('\xB5');
    stored.Parity()->SetReplaceChar('\xFF');
    stored.FlowControl()->SetXonChar('\x80');
    stored.FlowControl()->SetXoffChar('\x7E');
    {
        TIniFile ini(file);
        stored.StoreIniFile(&ini);
    }
    TComPort loaded(nullptr);
    loaded.SetName("Dev");
    loaded.SetStoredProps({spOthers, spParity, spFlowControl});
    TIniFile ini(file);
    loaded.LoadIniFile(&ini);
    EXPECT_EQ(loaded.EventChar(), '\xB5');
    EXPECT_EQ(loaded.Parity()->ReplaceChar(), '\xFF');
    EXPECT_EQ(loaded.FlowControl()->XonChar(), '\x80');
    EXPECT_EQ(loaded.FlowControl()->XoffChar(), '~');
    EXPECT_EQ(ini.ReadString("Dev", "FlowControl.XoffChar", ""), "~");
    std::filesystem::remove(file);
}

TEST(EnumComPorts, ReplacesTheListWithSortedNames)
{
    TStringList ports;
    ports.Add("stale");
    EnumComPorts(&ports);
    if (!comm::ListSerialPorts()) {
        // No device list on this machine: the list is left as it was.
        EXPECT_EQ(ports.Count(), 1);
        return;
    }
    // Whatever the machine has: no stale entry, sorted ignoring case.
    EXPECT_EQ(ports.IndexOf("stale"), -1);
    for (int i = 1; i < ports.Count(); ++i)
        EXPECT_LE(CompareText(ports[i - 1], ports[i]), 0);
}

TEST(EnumComPorts, ListsALineLinkedInTmpByThePathThatOpensIt)
{
    if (!comm::ListSerialPorts())
        GTEST_SKIP() << "no device list on this machine";
    PtyPair line;
    const std::string link = "/tmp/ttyEnumTest" + std::to_string(::getpid());
    std::filesystem::remove(link);
    std::filesystem::create_symlink(line.SlavePath(), link);
    TStringList ports;
    EnumComPorts(&ports);
    const int index = ports.IndexOf(link);
    std::string received;
    if (index != -1) {
        TComPort port(nullptr);
        port.SetPort(ports[index]);
        port.Open();
        port.Write("ok", 2);
        received = line.Receive(2);
    }
    std::filesystem::remove(link);
    EXPECT_NE(index, -1);
    EXPECT_EQ(received, "ok");
}

TEST(ComPublished, PortAndFramerListTheirPropertiesInOrderWithDefaults)
{
    TComPort port(nullptr);
    std::vector<std::string> names;
    for (const TPropInfo* p : TPropertyRegistry::Instance().GetPropList(&port))
        names.push_back(p->Name);
    ASSERT_GE(names.size(), 18u);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 18),
              (std::vector<std::string>{"Name", "Tag", "Connected", "BaudRate", "Port", "Parity", "StopBits",
                                        "DataBits", "DiscardNull", "EventChar", "Events", "Buffer", "FlowControl",
                                        "Timeouts", "StoredProps", "TriggersOnRxChar", "SyncMethod", "OnAfterOpen"}));
    EXPECT_EQ(names.back(), "CodePage");
    EXPECT_FALSE(GetPropInfo(&port, "BaudRate")->Default.has_value());
    EXPECT_FALSE(GetPropInfo(&port, "Events")->Default.has_value());
    const TPropInfo* events = GetPropInfo(&port, "Events");
    SetOrdProp(&port, *events, 0x81);
    EXPECT_EQ(port.Events(), (TComEvents{evRxChar, evError}));
    const TPropInfo* summary = GetPropInfo(port.FlowControl(), "FlowControl");
    ASSERT_NE(summary, nullptr);
    EXPECT_FALSE(summary->IsStored(port.FlowControl()));
    EXPECT_EQ(GetPropInfo(port.Timeouts(), "WriteTotalConstant")->Default, 1000);

    TComDataPacket packet(nullptr);
    EXPECT_EQ(GetPropInfo(&packet, "MaxBufferSize")->Default, 1024);
    SetStrProp(&packet, *GetPropInfo(&packet, "StartString"), "AB");
    EXPECT_EQ(packet.StartString(), "AB");
}
