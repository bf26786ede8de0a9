#pragma once
// The live state of one measuring channel without its display: the value
// pipeline (negative correction, zero offset, decimal places), the displayed
// text, counted start and stop triggers, alarms and zeroing. Every setting
// is written to the device's section of "Devices.db" when it is set.
// TfraChannel shows it; tests drive it directly.
#include "app/ChannelReading.h"
#include "app/ClassTypes.h"
#include "app/General.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>

class TDeviceStore;

class TChannelModel {
public:
    // Colours of the value label (0x00BBGGRR).
    static constexpr std::uint32_t InitialValueColor = 16744448;
    static constexpr std::uint32_t LiveValueColor = 0xCC6600;  // RGB(0, 102, 204)
    static constexpr std::uint32_t CursorValueColor = 0xFF0000;

    explicit TChannelModel(int Index);
    virtual ~TChannelModel() = default;
    TChannelModel(const TChannelModel&) = delete;
    TChannelModel& operator=(const TChannelModel&) = delete;

    // Setters write to Section of Store from now on; without a store
    // nothing is written.
    void BindStore(TDeviceStore* Store, const std::string& Section);
    // Takes every setting of Info through the setters, in the device
    // frame's order; keys named in Unreadable are set but not written, so a
    // value the store could not read keeps its text in the file.
    void ApplyInfo(const TChannelInfo& Info, const std::set<std::string>& Unreadable = {});

    int Index() const { return FIndex; }

    const std::string& ValueName() const { return FSettings.ValueName; }
    const std::string& WorkUnit() const { return FSettings.WorkUnit; }
    int WorkDP() const { return FSettings.WorkDP; }
    bool IsStartTriggerChannel() const { return FSettings.IsStartTriggerChannel; }
    bool IsStopTriggerChannel() const { return FSettings.IsStopTriggerChannel; }
    double StartTriggerLevel() const { return FSettings.StartTriggerLevel; }
    double StopTriggerLevel() const { return FSettings.StopTriggerLevel; }
    int StartTriggeredCount() const { return FSettings.StartTriggeredCount; }
    int StopTriggeredCount() const { return FSettings.StopTriggeredCount; }
    bool AbsoluteCompare() const { return FSettings.AbsoluteCompare; }
    bool AlarmHighEnabled() const { return FSettings.AlarmHighEnabled; }
    bool AlarmLowEnabled() const { return FSettings.AlarmLowEnabled; }
    double AlarmHighLevel() const { return FSettings.AlarmHighLevel; }
    double AlarmLowLevel() const { return FSettings.AlarmLowLevel; }
    double RangeLow() const { return FSettings.RangeLow; }
    double RangeHigh() const { return FSettings.RangeHigh; }
    double ZeroLimitation() const { return FSettings.ZeroLimitation; }
    bool NegativeCorrection() const { return FSettings.NegativeCorrection; }

    void SetValueName(const std::string& Value);
    void SetWorkUnit(const std::string& Value);
    // Decimal places 0..6; other values are refused (they would break the
    // value text). The value is worked out again from the raw value.
    void SetWorkDP(int Value);
    void SetIsStartTriggerChannel(bool Value);
    void SetIsStopTriggerChannel(bool Value);
    void SetStartTriggerLevel(double Value);
    void SetStopTriggerLevel(double Value);
    void SetStartTriggeredCount(int Value);
    void SetStopTriggeredCount(int Value);
    void SetAbsoluteCompare(bool Value);
    void SetAlarmHighEnabled(bool Value);
    void SetAlarmLowEnabled(bool Value);
    void SetAlarmHighLevel(double Value);
    void SetAlarmLowLevel(double Value);
    void SetRangeLow(double Value);
    void SetRangeHigh(double Value);
    void SetZeroLimitation(double Value);
    void SetNegativeCorrection(bool Value);

    // Live state.
    double Value() const { return FValue; }
    bool HasValue() const { return FValue != NoValue; }
    const std::string& DisplayText() const { return FDisplayText; }
    std::int32_t RawValue() const { return FRawValue; }
    std::int32_t ZeroOffset() const { return FZeroOffset; }
    bool HasZeroOffset() const { return FZeroOffset != 0; }
    bool StartTriggered() const { return FStartTriggered; }
    bool StopTriggered() const { return FStopTriggered; }
    int StartCounter() const { return FStartCounter; }
    int StopCounter() const { return FStopCounter; }
    bool AlarmHighActive() const { return FAlarmHighActive; }
    bool AlarmLowActive() const { return FAlarmLowActive; }
    int DisplayMode() const { return FDisplayMode; }
    double CursorValue() const { return FCursorValue; }

    // The register value the sampling thread decoded for this channel.
    void SetRawValue(std::int32_t Raw);
    void SetValue(double V);
    void SetNoValue();
    // What the channel makes of a decoded register value with its settings
    // as they are now, without taking it; none gives the no-value marker.
    TChannelReading ReadingOf(std::optional<std::int32_t> Raw) const;
    // Clears triggers and counters and the value; keeps the zero offset.
    void ResetChannel();
    // 0 done, -1 beyond the zero limitation, -2 no value.
    int ZeroChannel();
    void UnzeroChannel();
    // 0 live value, 1 chart cursor value.
    void SetDisplayMode(int Mode);
    void SetCursorValue(double V);
    std::string FormatValue(double V) const;

    // What the value label shows, and its font colour.
    const std::string& LabelText() const { return FLabelText; }
    std::uint32_t LabelColor() const { return FLabelColor; }
    // Bitmap names the four state images show; empty when cleared.
    std::string StartTriggerImage() const;
    std::string StopTriggerImage() const;
    std::string AlarmHighImage() const;
    std::string AlarmLowImage() const;

protected:
    // Display hooks, called after the state changed.
    virtual void UpdateTriggerImages() {}
    virtual void UpdateAlarmImages() {}
    virtual void UpdateValueLabel() {}
    virtual void ValueNameChanged() {}
    // The range or the decimal places were set.
    virtual void RangeChanged() {}
    virtual void WorkUnitChanged() {}

private:
    // Stores Value in Field and writes it under the field's key.
    template <class T> void Assign(T TChannelInfo::*Field, const T& Value);
    // Value and texts after a change of the decimal places.
    void RefreshValueText();
    void SetLabel(const std::string& Text);
    void EvaluateTriggers();
    void EvaluateAlarms();
    std::int32_t Corrected(std::int32_t Raw) const;
    double Scaled(std::int32_t Raw) const;

    int FIndex;
    TDeviceStore* FStore = nullptr;
    std::string FSection;
    std::set<std::string> FSkipWrites;

    TChannelInfo FSettings;  // the stored settings (Index unused)

    double FValue = NoValue;
    double FCursorValue = NoValue;
    std::string FDisplayText;
    std::string FLabelText;
    std::uint32_t FLabelColor = InitialValueColor;
    std::int32_t FRawValue = 0;
    std::int32_t FZeroOffset = 0;
    bool FValueFromRaw = false;
    bool FStartTriggered = false;
    bool FStopTriggered = false;
    int FStartCounter = 0;
    int FStopCounter = 0;
    bool FAlarmHighActive = false;
    bool FAlarmLowActive = false;
    int FDisplayMode = 0;
};
