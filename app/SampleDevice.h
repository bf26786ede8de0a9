#pragma once
// What a recording run needs of one instrument and its channels. The run
// calls every member in the user-interface thread only.
#include "app/ChannelReading.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TSampleDevice {
public:
    virtual ~TSampleDevice() = default;

    virtual int StationId() const = 0;
    virtual int ValueRule() const = 0;
    virtual int DVRBeginAddr() const = 0;
    virtual int ChannelCount() const = 0;
    virtual bool Online() const = 0;
    virtual void SetOnline(bool Value) = 0;

    // The value decoded for the channel: shown, triggers and alarms
    // evaluated.
    virtual void SetRawValue(int Channel, std::int32_t Raw) = 0;
    // Shows the no-value marker; triggers, alarms and zeroing skip it.
    virtual void SetNoValue(int Channel) = 0;
    // What the channel makes of a decoded value (none: the no-value
    // marker) with its settings as they are now: its value and its text.
    virtual TChannelReading ReadingOf(int Channel, std::optional<std::int32_t> Raw) const = 0;
    virtual std::string ValueName(int Channel) const = 0;
    virtual std::string WorkUnit(int Channel) const = 0;
    virtual bool IsStartTriggerChannel(int Channel) const = 0;
    virtual bool StartTriggered(int Channel) const = 0;
    virtual bool IsStopTriggerChannel(int Channel) const = 0;
    virtual bool StopTriggered(int Channel) const = 0;

    // One chart point per channel at X, Values in channel order.
    virtual void AddChartPoints(double X, const std::vector<double>& Values) = 0;
    // At the start of a run: chart data cleared, channels reset.
    virtual void ResetDevice() = 0;
};
