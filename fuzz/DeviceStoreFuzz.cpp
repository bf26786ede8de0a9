// Any "Devices.db": the devices come in ascending number, every record read
// is one the program can poll and show, and storing a record the way the
// device frames do gives the same record back.
#include <cmath>
#include <string>

#include "FuzzCheck.h"
#include "ScratchFile.h"
#include "app/DeviceStore.h"
#include "rtl/NumberFormat.h"

namespace {

void CheckUsable(const TDeviceInfo& Info)
{
    FUZZ_CHECK(Info.ValueRule <= 2);
    FUZZ_CHECK(Info.ChannelCount >= 1);
    FUZZ_CHECK(RegistersFor(Info.ValueRule, Info.ChannelCount) <= MaxRegistersPerRequest);
    FUZZ_CHECK(Info.DVRBeginAddr >= 0 && Info.DVRBeginAddr <= 65535);
    FUZZ_CHECK(static_cast<int>(Info.Channels.size()) == Info.ChannelCount);
    for (size_t i = 0; i < Info.Channels.size(); ++i) {
        const TChannelInfo& c = Info.Channels[i];
        FUZZ_CHECK(c.Index == static_cast<int>(i));
        FUZZ_CHECK(c.WorkDP >= 0 && c.WorkDP <= 6);
        for (double v : {c.StartTriggerLevel, c.StopTriggerLevel, c.AlarmHighLevel, c.AlarmLowLevel, c.RangeLow,
                         c.RangeHigh, c.ZeroLimitation})
            FUZZ_CHECK(std::isfinite(v));
    }
}

void Store(TDeviceStore& Store, const TDeviceInfo& Info)
{
    const std::string& s = Info.Section;
    Store.WriteString(s, "DeviceName", Info.DeviceName);
    Store.WriteString(s, "DeviceModel", Info.DeviceModel);
    Store.WriteInteger(s, "ChannelCount", Info.ChannelCount);
    Store.WriteInteger(s, "ValueRule", Info.ValueRule);
    Store.WriteInteger(s, "DVRBeginAddr", Info.DVRBeginAddr);
    for (const TChannelInfo& c : Info.Channels) {
        const std::string n = IntToStr(c.Index + 1);
        Store.WriteString(s, "ValueName" + n, c.ValueName);
        Store.WriteString(s, "WorkUnit" + n, c.WorkUnit);
        Store.WriteInteger(s, "WorkDP" + n, c.WorkDP);
        Store.WriteBool(s, "IsStartTriggerChannel" + n, c.IsStartTriggerChannel);
        Store.WriteBool(s, "IsStopTriggerChannel" + n, c.IsStopTriggerChannel);
        Store.WriteFloat(s, "StartTriggerLevel" + n, c.StartTriggerLevel);
        Store.WriteFloat(s, "StopTriggerLevel" + n, c.StopTriggerLevel);
        Store.WriteInteger(s, "StartTriggeredCount" + n, c.StartTriggeredCount);
        Store.WriteInteger(s, "StopTriggeredCount" + n, c.StopTriggeredCount);
        Store.WriteBool(s, "AbsoluteCompare" + n, c.AbsoluteCompare);
        Store.WriteBool(s, "AlarmHighEnabled" + n, c.AlarmHighEnabled);
        Store.WriteBool(s, "AlarmLowEnabled" + n, c.AlarmLowEnabled);
        Store.WriteFloat(s, "AlarmHighLevel" + n, c.AlarmHighLevel);
        Store.WriteFloat(s, "AlarmLowLevel" + n, c.AlarmLowLevel);
        Store.WriteFloat(s, "RangeLow" + n, c.RangeLow);
        Store.WriteFloat(s, "RangeHigh" + n, c.RangeHigh);
        Store.WriteBool(s, "NegativeCorrection" + n, c.NegativeCorrection);
        Store.WriteFloat(s, "ZeroLimitation" + n, c.ZeroLimitation);
    }
}

// Floating-point values are stored with 15 significant digits, so they are
// compared in that form.
bool SameChannel(const TChannelInfo& A, const TChannelInfo& B)
{
    auto same = [](double x, double y) { return FloatToStr(x) == FloatToStr(y); };
    return A.Index == B.Index && A.ValueName == B.ValueName && A.WorkUnit == B.WorkUnit && A.WorkDP == B.WorkDP &&
           A.IsStartTriggerChannel == B.IsStartTriggerChannel && A.IsStopTriggerChannel == B.IsStopTriggerChannel &&
           same(A.StartTriggerLevel, B.StartTriggerLevel) && same(A.StopTriggerLevel, B.StopTriggerLevel) &&
           A.StartTriggeredCount == B.StartTriggeredCount && A.StopTriggeredCount == B.StopTriggeredCount &&
           A.AbsoluteCompare == B.AbsoluteCompare && A.AlarmHighEnabled == B.AlarmHighEnabled &&
           A.AlarmLowEnabled == B.AlarmLowEnabled && same(A.AlarmHighLevel, B.AlarmHighLevel) &&
           same(A.AlarmLowLevel, B.AlarmLowLevel) && same(A.RangeLow, B.RangeLow) && same(A.RangeHigh, B.RangeHigh) &&
           A.NegativeCorrection == B.NegativeCorrection && same(A.ZeroLimitation, B.ZeroLimitation);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const TScratchFile file("Devices.db");
    file.Write(std::string(reinterpret_cast<const char*>(Data), Size));
    TDeviceStore store(file.Path());
    const auto sections = store.DeviceSections();
    int previous = 0;
    for (const std::string& section : sections) {
        int number = 0;
        FUZZ_CHECK(TDeviceStore::DeviceNumber(section, number));
        FUZZ_CHECK(number >= previous);
        previous = number;

        const TDeviceInfo info = store.ReadDeviceInfo(section);
        CheckUsable(info);
        Store(store, info);
        const TDeviceInfo back = store.ReadDeviceInfo(section);
        FUZZ_CHECK(back.DeviceName == info.DeviceName && back.DeviceModel == info.DeviceModel);
        FUZZ_CHECK(back.ChannelCount == info.ChannelCount && back.ValueRule == info.ValueRule &&
                   back.DVRBeginAddr == info.DVRBeginAddr);
        FUZZ_CHECK(back.UnreadableKeys.empty());
        for (size_t i = 0; i < info.Channels.size(); ++i)
            FUZZ_CHECK(SameChannel(back.Channels[i], info.Channels[i]));
    }
    const int next = TDeviceStore::NextDeviceNumber(sections);
    for (const std::string& section : sections) {
        int number = 0;
        TDeviceStore::DeviceNumber(section, number);
        FUZZ_CHECK(number != next);
    }
    return 0;
}
