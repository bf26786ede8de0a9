#pragma once
// What a recording run needs of one instrument and its channels. The run
// calls every member in the user-interface thread only.
#include <cstdint>
#include <string>

class TSampleDevice {
public:
    virtual ~TSampleDevice() = default;

    virtual int StationId() const = 0;
    virtual int ValueRule() const = 0;
    virtual int DVRBeginAddr() const = 0;
    virtual int ChannelCount() const = 0;
    virtual bool Online() const = 0;
    virtual void SetOnline(bool Value) = 0;

    virtual void SetRawValue(int Channel, std::int32_t Raw) = 0;
    // Shows the no-value marker; triggers, alarms and zeroing skip it.
    virtual void SetNoValue(int Channel) = 0;
    virtual double Value(int Channel) const = 0;
    virtual std::string DisplayText(int Channel) const = 0;
    virtual std::string ValueName(int Channel) const = 0;
    virtual std::string WorkUnit(int Channel) const = 0;
    virtual bool IsStartTriggerChannel(int Channel) const = 0;
    virtual bool StartTriggered(int Channel) const = 0;
    virtual bool IsStopTriggerChannel(int Channel) const = 0;
    virtual bool StopTriggered(int Channel) const = 0;

    // One chart point per channel at X with the channel's value.
    virtual void AddChartPoints(double X) = 0;
    // At the start of a run: chart data cleared, channels reset.
    virtual void ResetDevice() = 0;
};
