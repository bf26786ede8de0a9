#include "app/DeviceSchema.h"

#include <algorithm>

const std::array<TChannelKey, 18> ChannelKeys = {{
    {"WorkUnit", &TChannelInfo::WorkUnit},
    {"ValueName", &TChannelInfo::ValueName},
    {"WorkDP", &TChannelInfo::WorkDP, 0, 6},
    {"IsStartTriggerChannel", &TChannelInfo::IsStartTriggerChannel},
    {"IsStopTriggerChannel", &TChannelInfo::IsStopTriggerChannel},
    {"StartTriggerLevel", &TChannelInfo::StartTriggerLevel},
    {"StopTriggerLevel", &TChannelInfo::StopTriggerLevel},
    {"StartTriggeredCount", &TChannelInfo::StartTriggeredCount},
    {"StopTriggeredCount", &TChannelInfo::StopTriggeredCount},
    {"AbsoluteCompare", &TChannelInfo::AbsoluteCompare},
    {"AlarmHighEnabled", &TChannelInfo::AlarmHighEnabled},
    {"AlarmLowEnabled", &TChannelInfo::AlarmLowEnabled},
    {"AlarmHighLevel", &TChannelInfo::AlarmHighLevel},
    {"AlarmLowLevel", &TChannelInfo::AlarmLowLevel},
    {"RangeLow", &TChannelInfo::RangeLow},
    {"RangeHigh", &TChannelInfo::RangeHigh},
    {"NegativeCorrection", &TChannelInfo::NegativeCorrection},
    {"ZeroLimitation", &TChannelInfo::ZeroLimitation},
}};

// The channel count is also checked against the value rule: all channels
// must fit one request (ChannelCountFits).
const std::array<TDeviceKey, 6> DeviceKeys = {{
    {"DeviceName", &TDeviceInfo::DeviceName},
    {"DeviceModel", &TDeviceInfo::DeviceModel},
    {"ChannelCount", &TDeviceInfo::ChannelCount, 1, MaxRegistersPerRequest},
    {"StationId", std::monostate(), 1, 254},
    {"ValueRule", &TDeviceInfo::ValueRule, vrInt16, vrInt32LowFirst},
    {"DVRBeginAddr", &TDeviceInfo::DVRBeginAddr, 0, 65535},
}};

const TChannelKey& ChannelKeyOf(const TChannelField& Field)
{
    return *std::find_if(ChannelKeys.begin(), ChannelKeys.end(),
                         [&](const TChannelKey& Key) { return Key.Field == Field; });
}

const TDeviceKey& DeviceKeyOf(const TDeviceField& Field)
{
    return *std::find_if(DeviceKeys.begin(), DeviceKeys.end(),
                         [&](const TDeviceKey& Key) { return Key.Field == Field; });
}

const TDeviceKey& StationIdKey()
{
    return DeviceKeyOf(std::monostate());
}
