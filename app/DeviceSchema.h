#pragma once
// The keys of "Devices.db", each described once: its name, the field of the
// transfer record it fills (whose default is the field's in a new record)
// and which integers are usable. Reading a device, writing a new one,
// applying a channel's settings and each setter's write all go by these
// tables.
#include "app/ClassTypes.h"

#include <array>
#include <climits>
#include <string>
#include <variant>

using TChannelField = std::variant<std::string TChannelInfo::*, std::int32_t TChannelInfo::*, bool TChannelInfo::*,
                                   double TChannelInfo::*>;

struct TChannelKey {
    const char* Name;  // stem: the key is Name followed by the channel number from 1
    TChannelField Field;
    int Min = INT_MIN;  // usable values of an integer field
    int Max = INT_MAX;

    bool Usable(int Value) const { return Value >= Min && Value <= Max; }
};

// In the order a device frame applies them (so also the order in which the
// first load of a new device writes them).
extern const std::array<TChannelKey, 18> ChannelKeys;
// The key that stores Field.
const TChannelKey& ChannelKeyOf(const TChannelField& Field);

// None: a key whose value is not part of the record (the station id, read
// when the options are applied).
using TDeviceField =
    std::variant<std::monostate, std::string TDeviceInfo::*, std::int32_t TDeviceInfo::*, TValueRule TDeviceInfo::*>;

struct TDeviceKey {
    const char* Name;
    TDeviceField Field;
    int Min = INT_MIN;  // usable values of an integer key
    int Max = INT_MAX;

    bool Usable(int Value) const { return Value >= Min && Value <= Max; }
};

// In the order the new-device dialog writes them.
extern const std::array<TDeviceKey, 6> DeviceKeys;
// The key that stores Field.
const TDeviceKey& DeviceKeyOf(const TDeviceField& Field);
// "StationId": the Modbus station, 1..254.
const TDeviceKey& StationIdKey();
