#include "app/ChannelModel.h"

#include "app/DeviceSchema.h"
#include "app/DeviceStore.h"
#include "rtl/NumberFormat.h"

#include <cmath>
#include <cstdlib>
#include <type_traits>
#include <variant>

namespace {

double PowerOfTen(int Exponent)
{
    double P = 1.0;
    for (int i = 0; i < Exponent; ++i)
        P *= 10.0;
    return P;
}

}  // namespace

TChannelModel::TChannelModel(int Index) : FIndex(Index)
{
    FDisplayText = FormatValue(FValue);
}

void TChannelModel::BindStore(TDeviceStore* Store, const std::string& Section)
{
    FStore = Store;
    FSection = Section;
}

void TChannelModel::ApplyInfo(const TChannelInfo& Info, const std::set<std::string>& Unreadable)
{
    FSkipWrites = Unreadable;
    for (const TChannelKey& Key : ChannelKeys)
        std::visit(
            [&](auto Field) {
                if constexpr (std::is_same_v<decltype(Field), std::int32_t TChannelInfo::*>)
                    if (!Key.Usable(Info.*Field))
                        return;
                Assign(Field, Info.*Field);
            },
            Key.Field);
    FSkipWrites.clear();
    WorkUnitChanged();
    ValueNameChanged();
    RefreshValueText();
    UpdateTriggerImages();
    EvaluateAlarms();
    UpdateAlarmImages();
}

template <class T> void TChannelModel::Assign(T TChannelInfo::*Field, const T& Value)
{
    FSettings.*Field = Value;
    if (!FStore)
        return;
    const std::string Name = ChannelKeyOf(Field).Name + IntToStr(FIndex + 1);
    if (!FSkipWrites.count(Name))
        FStore->WriteChannelSetting(FSection, FIndex, Field, FSettings);
}

void TChannelModel::SetValueName(const std::string& Value)
{
    Assign(&TChannelInfo::ValueName, Value);
    ValueNameChanged();
}

void TChannelModel::SetWorkUnit(const std::string& Value)
{
    Assign(&TChannelInfo::WorkUnit, Value);
    WorkUnitChanged();
}

void TChannelModel::SetWorkDP(int Value)
{
    if (!ChannelKeyOf(&TChannelInfo::WorkDP).Usable(Value))
        return;
    Assign(&TChannelInfo::WorkDP, Value);
    RefreshValueText();
    RangeChanged();
}

void TChannelModel::RefreshValueText()
{
    // The value follows the decimal places: 12345 counts are 123.45 at
    // two places and 12.345 at three, not 123.450.
    if (FValueFromRaw && HasValue())
        FValue = Scaled(FRawValue);
    FDisplayText = FormatValue(FValue);
    SetLabel(FDisplayMode == 1 ? FormatValue(FCursorValue) : FDisplayText);
}

void TChannelModel::SetIsStartTriggerChannel(bool Value)
{
    Assign(&TChannelInfo::IsStartTriggerChannel, Value);
    UpdateTriggerImages();
}

void TChannelModel::SetIsStopTriggerChannel(bool Value)
{
    Assign(&TChannelInfo::IsStopTriggerChannel, Value);
    UpdateTriggerImages();
}

void TChannelModel::SetStartTriggerLevel(double Value)
{
    Assign(&TChannelInfo::StartTriggerLevel, Value);
}

void TChannelModel::SetStopTriggerLevel(double Value)
{
    Assign(&TChannelInfo::StopTriggerLevel, Value);
}

void TChannelModel::SetStartTriggeredCount(int Value)
{
    Assign(&TChannelInfo::StartTriggeredCount, Value);
}

void TChannelModel::SetStopTriggeredCount(int Value)
{
    Assign(&TChannelInfo::StopTriggeredCount, Value);
}

void TChannelModel::SetAbsoluteCompare(bool Value)
{
    Assign(&TChannelInfo::AbsoluteCompare, Value);
}

void TChannelModel::SetAlarmHighEnabled(bool Value)
{
    Assign(&TChannelInfo::AlarmHighEnabled, Value);
    UpdateAlarmImages();
}

void TChannelModel::SetAlarmLowEnabled(bool Value)
{
    Assign(&TChannelInfo::AlarmLowEnabled, Value);
    UpdateAlarmImages();
}

void TChannelModel::SetAlarmHighLevel(double Value)
{
    Assign(&TChannelInfo::AlarmHighLevel, Value);
    EvaluateAlarms();
    UpdateAlarmImages();
}

void TChannelModel::SetAlarmLowLevel(double Value)
{
    Assign(&TChannelInfo::AlarmLowLevel, Value);
    EvaluateAlarms();
    UpdateAlarmImages();
}

void TChannelModel::SetRangeLow(double Value)
{
    Assign(&TChannelInfo::RangeLow, Value);
    RangeChanged();
}

void TChannelModel::SetRangeHigh(double Value)
{
    Assign(&TChannelInfo::RangeHigh, Value);
    RangeChanged();
}

void TChannelModel::SetZeroLimitation(double Value)
{
    Assign(&TChannelInfo::ZeroLimitation, Value);
}

void TChannelModel::SetNegativeCorrection(bool Value)
{
    Assign(&TChannelInfo::NegativeCorrection, Value);
}

// Only a 16-bit register reading 32768..65535 is a negative number; a
// 32-bit value above that is left alone.
std::int32_t TChannelModel::Corrected(std::int32_t Raw) const
{
    if (FSettings.NegativeCorrection && Raw >= 32768 && Raw <= 65535)
        return Raw - 65536;
    return Raw;
}

double TChannelModel::Scaled(std::int32_t Raw) const
{
    // In 64 bits: a raw value near the 32-bit limits minus an offset of the
    // other sign does not fit 32 bits.
    const std::int64_t Counts = std::int64_t(Raw) - std::int64_t(FZeroOffset);
    return double(Counts) / PowerOfTen(FSettings.WorkDP);
}

void TChannelModel::SetRawValue(std::int32_t Raw)
{
    FRawValue = Corrected(Raw);
    SetValue(Scaled(FRawValue));
    FValueFromRaw = true;
}

TChannelReading TChannelModel::ReadingOf(std::optional<std::int32_t> Raw) const
{
    const double V = Raw ? Scaled(Corrected(*Raw)) : NoValue;
    return {V, FormatValue(V)};
}

void TChannelModel::SetValue(double V)
{
    FValue = V;
    FValueFromRaw = false;
    FDisplayText = FormatValue(V);
    EvaluateTriggers();
    UpdateTriggerImages();
    EvaluateAlarms();
    UpdateAlarmImages();
    if (FDisplayMode == 0)
        SetLabel(FDisplayText);
}

void TChannelModel::SetNoValue()
{
    SetValue(NoValue);
}

std::string TChannelModel::FormatValue(double V) const
{
    if (V == NoValue)
        return NoValueText;
    if (FSettings.WorkDP > 0)
        return Format("%." + IntToStr(FSettings.WorkDP) + "f", V);
    return IntToStr(Trunc(V));
}

void TChannelModel::EvaluateTriggers()
{
    if (FValue == NoValue)
        return;
    const bool Abs = FSettings.AbsoluteCompare;
    if (!FStartTriggered) {
        const bool Hit = Abs ? std::fabs(FValue) >= std::fabs(FSettings.StartTriggerLevel)
                             : FValue >= FSettings.StartTriggerLevel;
        FStartCounter = Hit ? FStartCounter + 1 : 0;
        FStartTriggered = FStartCounter > 0 && FStartCounter >= FSettings.StartTriggeredCount;
    }
    if (!FStartTriggered) {
        FStopTriggered = false;
    } else if (!FStopTriggered) {
        const bool Hit = Abs ? std::fabs(FValue) <= std::fabs(FSettings.StopTriggerLevel)
                             : FValue <= FSettings.StopTriggerLevel;
        FStopCounter = Hit ? FStopCounter + 1 : 0;
        FStopTriggered = FStopCounter > 0 && FStopCounter >= FSettings.StopTriggeredCount;
    }
}

void TChannelModel::EvaluateAlarms()
{
    if (FValue == NoValue)
        return;
    if (FSettings.AbsoluteCompare) {
        FAlarmHighActive = std::fabs(FValue) >= std::fabs(FSettings.AlarmHighLevel);
        FAlarmLowActive = std::fabs(FValue) <= std::fabs(FSettings.AlarmLowLevel);
    } else {
        FAlarmHighActive = FValue >= FSettings.AlarmHighLevel;
        FAlarmLowActive = FValue <= FSettings.AlarmLowLevel;
    }
}

void TChannelModel::ResetChannel()
{
    FStartTriggered = false;
    FStopTriggered = false;
    FStartCounter = 0;
    FStopCounter = 0;
    UpdateTriggerImages();
    UpdateAlarmImages();
    SetValue(NoValue);
}

int TChannelModel::ZeroChannel()
{
    if (FValue == NoValue)
        return -2;
    // Compared in engineering units: 57 counts at two places are exactly the
    // limit 0.57, which 0.57 * 100 (56.99999...) would refuse.
    const double Magnitude = std::fabs(double(FRawValue)) / PowerOfTen(FSettings.WorkDP);
    if (Magnitude > FSettings.ZeroLimitation)
        return -1;
    FZeroOffset = FRawValue;
    SetRawValue(FRawValue);
    return 0;
}

void TChannelModel::UnzeroChannel()
{
    FZeroOffset = 0;
    // A channel without a value keeps showing none; its stale raw value
    // must not come back as a reading.
    if (FValue == NoValue)
        return;
    SetRawValue(FRawValue);
}

void TChannelModel::SetDisplayMode(int Mode)
{
    FDisplayMode = Mode;
    FLabelColor = Mode == 0 ? LiveValueColor : CursorValueColor;
    // Back to live values at once: a cursor reading left standing in the
    // live colour (until the next poll, or for good when no run is going)
    // would pass for a measurement.
    if (Mode == 0)
        SetLabel(FDisplayText);
    else
        UpdateValueLabel();
}

void TChannelModel::SetCursorValue(double V)
{
    FCursorValue = V;
    if (FDisplayMode == 1)
        SetLabel(FormatValue(V));
}

void TChannelModel::SetLabel(const std::string& Text)
{
    FLabelText = Text;
    UpdateValueLabel();
}

std::string TChannelModel::StartTriggerImage() const
{
    if (!FSettings.IsStartTriggerChannel)
        return {};
    return FStartTriggered ? "imgStartTriggerActive" : "imgStartTriggerInactive";
}

std::string TChannelModel::StopTriggerImage() const
{
    if (!FSettings.IsStopTriggerChannel)
        return {};
    return FStopTriggered ? "imgStopTriggerActive" : "imgStopTriggerInactive";
}

std::string TChannelModel::AlarmHighImage() const
{
    if (!FSettings.AlarmHighEnabled)
        return {};
    return FAlarmHighActive ? "imgAlarmHighActive" : "imgAlarmHighInactive";
}

std::string TChannelModel::AlarmLowImage() const
{
    if (!FSettings.AlarmLowEnabled)
        return {};
    return FAlarmLowActive ? "imgAlarmLowActive" : "imgAlarmLowInactive";
}
