#pragma once
// Transfer records that carry a device's stored settings from the device
// store into a new device frame, and the name tables shared by the dialogs.
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

// Register layouts of a device's channels; the number is what "Devices.db"
// stores and the index into ValueRuleNames. Register words are big-endian.
enum TValueRule : std::uint8_t {
    vrInt16 = 0,           // one register per channel, signed 16-bit
    vrInt32HighFirst = 1,  // two registers per channel, high word first
    vrInt32LowFirst = 2,   // two registers per channel, low word first
};

// Registers one channel takes under Rule: the one place that knows it.
constexpr int RegistersPerChannel(int Rule)
{
    return Rule == vrInt16 ? 1 : 2;
}

struct TChannelInfo {
    std::int32_t Index = 0;  // 0-based
    std::string ValueName = "测量值";
    std::string WorkUnit = "kg";
    std::int32_t WorkDP = 0;
    bool IsStartTriggerChannel = false;
    bool IsStopTriggerChannel = false;
    double StartTriggerLevel = 1.0;
    double StopTriggerLevel = 1.0;
    std::int32_t StartTriggeredCount = 1;
    std::int32_t StopTriggeredCount = 1;
    bool AbsoluteCompare = false;
    bool AlarmHighEnabled = false;
    bool AlarmLowEnabled = false;
    double AlarmHighLevel = 2.0;
    double AlarmLowLevel = 1.0;
    double RangeLow = 0.0;
    double RangeHigh = 100.0;
    double ZeroLimitation = 100.0;
    bool NegativeCorrection = false;
};

struct TDeviceInfo {
    std::string Section;
    std::string DeviceName = "数字显示控制仪";
    std::string DeviceModel = "KRN-4TX";
    std::int32_t ChannelCount = 1;
    TValueRule ValueRule = vrInt32HighFirst;
    std::int32_t DVRBeginAddr = 0;
    std::vector<TChannelInfo> Channels;
    // Keys present in the file whose text could not be read; the frame built
    // from this record must not write its default over them.
    std::set<std::string> UnreadableKeys;
};

// Register layouts, indexed by a device's value rule.
inline const std::array<std::string, 3> ValueRuleNames = {
    "16位整数(单寄存器)",
    "32位整数(双寄存器，高16位在前)",
    "32位整数(双寄存器，低16位在前)",
};

// Time units, indexed by the time-base options.
inline const std::array<std::string, 6> TimeUnitNames = {
    "秒", "分钟", "小时", "天", "月", "年",
};

// One function 03 request reads at most this many registers.
inline constexpr int MaxRegistersPerRequest = 125;

// Registers one request reads for ChannelCount channels under ValueRule.
inline int RegistersFor(int ValueRule, int ChannelCount)
{
    return RegistersPerChannel(ValueRule) * ChannelCount;
}

// Whether ChannelCount channels (at least one) fit one request under
// ValueRule. Divides instead of multiplying, so a huge count cannot
// overflow into a small register count.
inline bool ChannelCountFits(int ValueRule, int ChannelCount)
{
    return ChannelCount >= 1 && ChannelCount <= MaxRegistersPerRequest / RegistersPerChannel(ValueRule);
}
