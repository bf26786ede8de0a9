#include "app/DeviceStore.h"

#include "app/DeviceSchema.h"
#include "app/General.h"
#include "rtl/Exception.h"
#include "rtl/IniFile.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <variant>

TDeviceStore::TDeviceStore(const std::string& FileName) : FIni(std::make_unique<TIniFile>(FileName)) {}

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
    std::stable_sort(Accepted.begin(), Accepted.end(),
                     [](const std::string& A, const std::string& B) { return CompareDeviceSections(A, B) < 0; });
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

namespace {

template <class... Ts> struct TOverloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts> TOverloaded(Ts...) -> TOverloaded<Ts...>;

}  // namespace

template <class Record, class Key>
bool TDeviceStore::ReadField(std::string_view Section, const std::string& Name, const Key& Description, Record& Into)
{
    // False: the key is there but its text is no usable value.
    auto Integer = [&](auto& Field) {
        int V = 0;
        const TReadState State = ReadInteger(Section, Name, V);
        if (State == rsValid && Description.Usable(V))
            Field = static_cast<std::decay_t<decltype(Field)>>(V);
        return State == rsMissing || (State == rsValid && Description.Usable(V));
    };
    return std::visit(TOverloaded{
                          [](std::monostate) { return true; },
                          [&](std::string Record::*F) {
                              Into.*F = ReadString(Section, Name, Into.*F);
                              return true;
                          },
                          [&](std::int32_t Record::*F) { return Integer(Into.*F); },
                          [&](TValueRule Record::*F) { return Integer(Into.*F); },
                          [&](bool Record::*F) { return ReadBool(Section, Name, Into.*F) != rsInvalid; },
                          [&](double Record::*F) { return ReadFloat(Section, Name, Into.*F) != rsInvalid; },
                      },
                      Description.Field);
}

TDeviceInfo TDeviceStore::ReadDeviceInfo(const std::string& Section)
{
    // A value that would break polling or the meter grid reads as the default.
    TDeviceInfo Info;
    Info.Section = Section;
    for (const TDeviceKey& Key : DeviceKeys)
        ReadField(Section, Key.Name, Key, Info);
    if (!ChannelCountFits(Info.ValueRule, Info.ChannelCount))
        Info.ChannelCount = TDeviceInfo().ChannelCount;

    for (int n = 1; n <= Info.ChannelCount; ++n) {
        TChannelInfo C;
        C.Index = n - 1;
        for (const TChannelKey& Key : ChannelKeys) {
            const std::string Name = Key.Name + IntToStr(n);
            if (!ReadField(Section, Name, Key, C))
                Info.UnreadableKeys.insert(Name);
        }
        Info.Channels.push_back(C);
    }
    return Info;
}

void TDeviceStore::WriteChannelSetting(std::string_view Section, int Channel, const TChannelField& Field,
                                       const TChannelInfo& Settings)
{
    const std::string Name = ChannelKeyOf(Field).Name + IntToStr(Channel + 1);
    std::visit(TOverloaded{
                   [&](std::string TChannelInfo::*F) { WriteString(Section, Name, Settings.*F); },
                   [&](std::int32_t TChannelInfo::*F) { WriteInteger(Section, Name, Settings.*F); },
                   [&](bool TChannelInfo::*F) { WriteBool(Section, Name, Settings.*F); },
                   [&](double TChannelInfo::*F) { WriteFloat(Section, Name, Settings.*F); },
               },
               Field);
}

void TDeviceStore::WriteNewDevice(const TDeviceInfo& Info, int StationId)
{
    for (const TDeviceKey& Key : DeviceKeys)
        std::visit(TOverloaded{
                       [&](std::monostate) { WriteInteger(Info.Section, Key.Name, StationId); },
                       [&](std::string TDeviceInfo::*F) { WriteString(Info.Section, Key.Name, Info.*F); },
                       [&](std::int32_t TDeviceInfo::*F) { WriteInteger(Info.Section, Key.Name, Info.*F); },
                       [&](TValueRule TDeviceInfo::*F) { WriteInteger(Info.Section, Key.Name, Info.*F); },
                   },
                   Key.Field);
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
