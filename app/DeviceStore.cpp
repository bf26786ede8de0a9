#include "app/DeviceStore.h"

#include "app/General.h"
#include "rtl/Exception.h"
#include "rtl/IniFile.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <cmath>
#include <set>

TDeviceStore* DevicesIni = nullptr;

TDeviceStore::TDeviceStore(const std::string& FileName)
    : FIni(std::make_unique<TIniFile>(FileName))
{
}

TDeviceStore::~TDeviceStore() = default;

const std::string& TDeviceStore::FileName() const
{
    return FIni->FileName();
}

bool TDeviceStore::DeviceNumber(std::string_view Section, int& Number)
{
    if (Section.size() <= 6 || LowerCase(Section.substr(0, 6)) != "device")
        return false;
    // Read as the profile functions read integers ("+3" and "$1F" too).
    int N = 0;
    if (!TryStrToInt(Section.substr(6), N) || N < 1)
        return false;
    Number = N;
    return true;
}

int TDeviceStore::CompareDeviceSections(std::string_view A, std::string_view B)
{
    int NA = 0, NB = 0;
    DeviceNumber(A, NA);
    DeviceNumber(B, NB);
    return NA < NB ? -1 : (NA > NB ? 1 : 0);
}

int TDeviceStore::NextDeviceNumber(const std::vector<std::string>& Sections)
{
    std::vector<int> Used;
    for (const std::string& S : Sections) {
        int N = 0;
        if (DeviceNumber(S, N))
            Used.push_back(N);
    }
    std::sort(Used.begin(), Used.end());
    int Next = 1;
    for (int N : Used) {
        if (N == Next)
            ++Next;
        else if (N > Next)
            break;
    }
    return Next;
}

std::vector<std::string> TDeviceStore::DeviceSections()
{
    TStringList All;
    FIni->ReadSections(&All);
    std::vector<std::string> Accepted;
    std::set<std::string> Lowered;
    for (int i = 0; i < All.Count(); ++i) {
        const std::string S = All[i];
        int N = 0;
        if (DeviceNumber(S, N) && Lowered.insert(LowerCase(S)).second)
            Accepted.push_back(S);
    }
    std::stable_sort(Accepted.begin(), Accepted.end(), [](const std::string& A, const std::string& B) {
        return CompareDeviceSections(A, B) < 0;
    });
    return Accepted;
}

TDeviceStore::TReadState TDeviceStore::ReadInteger(std::string_view Section, std::string_view Key, int& Value)
{
    if (!FIni->ValueExists(Section, Key))
        return rsMissing;
    int V = 0;
    if (!TryStrToInt(FIni->ReadString(Section, Key, ""), V))
        return rsInvalid;
    Value = V;
    return rsValid;
}

TDeviceStore::TReadState TDeviceStore::ReadFloat(std::string_view Section, std::string_view Key, double& Value)
{
    if (!FIni->ValueExists(Section, Key))
        return rsMissing;
    double V = 0;
    if (!TryStrToFloat(FIni->ReadString(Section, Key, ""), V) || !std::isfinite(V))
        return rsInvalid;
    Value = V;
    return rsValid;
}

TDeviceStore::TReadState TDeviceStore::ReadBool(std::string_view Section, std::string_view Key, bool& Value)
{
    int V = 0;
    const TReadState State = ReadInteger(Section, Key, V);
    if (State == rsValid)
        Value = V != 0;
    return State;
}

std::string TDeviceStore::ReadString(std::string_view Section, std::string_view Key, const std::string& Default)
{
    return FIni->ReadString(Section, Key, Default);
}

TDeviceInfo TDeviceStore::ReadDeviceInfo(const std::string& Section)
{
    TDeviceInfo Info;
    Info.Section = Section;
    Info.DeviceName = ReadString(Section, "DeviceName", Info.DeviceName);
    Info.DeviceModel = ReadString(Section, "DeviceModel", Info.DeviceModel);

    // A value that would break polling or the meter grid reads as the default.
    int Rule = Info.ValueRule;
    if (ReadInteger(Section, "ValueRule", Rule) == rsValid && Rule >= 0 && Rule <= 2)
        Info.ValueRule = static_cast<std::uint8_t>(Rule);
    int Count = Info.ChannelCount;
    if (ReadInteger(Section, "ChannelCount", Count) == rsValid && ChannelCountFits(Info.ValueRule, Count))
        Info.ChannelCount = Count;
    int Addr = Info.DVRBeginAddr;
    if (ReadInteger(Section, "DVRBeginAddr", Addr) == rsValid && Addr >= 0 && Addr <= 65535)
        Info.DVRBeginAddr = Addr;

    for (int n = 1; n <= Info.ChannelCount; ++n) {
        TChannelInfo C;
        C.Index = n - 1;
        const std::string No = IntToStr(n);
        auto Note = [&](std::string_view Key, TReadState State) {
            if (State == rsInvalid)
                Info.UnreadableKeys.insert(std::string(Key) + No);
        };
        auto Int = [&](std::string_view Key, std::int32_t& Field) {
            int V = Field;
            const TReadState State = ReadInteger(Section, std::string(Key) + No, V);
            Note(Key, State);
            if (State == rsValid)
                Field = V;
        };
        auto Float = [&](std::string_view Key, double& Field) {
            Note(Key, ReadFloat(Section, std::string(Key) + No, Field));
        };
        auto Bool = [&](std::string_view Key, bool& Field) {
            Note(Key, ReadBool(Section, std::string(Key) + No, Field));
        };
        C.ValueName = ReadString(Section, "ValueName" + No, C.ValueName);
        C.WorkUnit = ReadString(Section, "WorkUnit" + No, C.WorkUnit);
        int DP = C.WorkDP;
        const TReadState DPState = ReadInteger(Section, "WorkDP" + No, DP);
        if (DPState == rsValid && DP >= 0 && DP <= 6)
            C.WorkDP = DP;
        else if (DPState != rsMissing)
            Info.UnreadableKeys.insert("WorkDP" + No);
        Bool("IsStartTriggerChannel", C.IsStartTriggerChannel);
        Bool("IsStopTriggerChannel", C.IsStopTriggerChannel);
        Float("StartTriggerLevel", C.StartTriggerLevel);
        Float("StopTriggerLevel", C.StopTriggerLevel);
        Int("StartTriggeredCount", C.StartTriggeredCount);
        Int("StopTriggeredCount", C.StopTriggeredCount);
        Bool("AbsoluteCompare", C.AbsoluteCompare);
        Bool("AlarmHighEnabled", C.AlarmHighEnabled);
        Bool("AlarmLowEnabled", C.AlarmLowEnabled);
        Float("AlarmHighLevel", C.AlarmHighLevel);
        Float("AlarmLowLevel", C.AlarmLowLevel);
        Float("RangeLow", C.RangeLow);
        Float("RangeHigh", C.RangeHigh);
        Bool("NegativeCorrection", C.NegativeCorrection);
        Float("ZeroLimitation", C.ZeroLimitation);
        Info.Channels.push_back(C);
    }
    return Info;
}

template <class F> void TDeviceStore::Write(F&& Operation)
{
    try {
        Operation();
    } catch (const EInOutError&) {
        SettingsWriteReporter().Failed(FileName());
        return;
    }
    SettingsWriteReporter().Succeeded(FileName());
}

void TDeviceStore::WriteString(std::string_view Section, std::string_view Key, std::string_view Value)
{
    Write([&] { FIni->WriteString(Section, Key, Value); });
}

void TDeviceStore::WriteInteger(std::string_view Section, std::string_view Key, int Value)
{
    Write([&] { FIni->WriteInteger(Section, Key, Value); });
}

void TDeviceStore::WriteBool(std::string_view Section, std::string_view Key, bool Value)
{
    Write([&] { FIni->WriteBool(Section, Key, Value); });
}

void TDeviceStore::WriteFloat(std::string_view Section, std::string_view Key, double Value)
{
    Write([&] { FIni->WriteFloat(Section, Key, Value); });
}

void TDeviceStore::EraseSection(std::string_view Section)
{
    Write([&] { FIni->EraseSection(Section); });
}

TDeviceStore::TUpdate::TUpdate(TDeviceStore* Store) : FStore(Store)
{
    if (FStore)
        FStore->FIni->BeginUpdate();
}

TDeviceStore::TUpdate::~TUpdate()
{
    if (FStore)
        FStore->Write([this] { FStore->FIni->EndUpdate(); });
}
