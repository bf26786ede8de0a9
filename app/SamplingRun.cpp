#include "app/SamplingRun.h"

#include "rtl/MonotonicClock.h"
#include "rtl/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <utility>

double TSampleSettings::DurationSeconds(double Duration, int TimeBase)
{
    static const double factors[] = {1.0, 60.0, 3600.0, 86400.0, 30.0 * 86400.0, 365.0 * 86400.0};
    if (TimeBase < 0 || TimeBase >= static_cast<int>(std::size(factors)))
        return Duration;
    return Duration * factors[TimeBase];
}

TRunClock TRunClock::System()
{
    return {[] { return MonotonicClock::Milliseconds(); }, [] { return ::Now(); }};
}

TSamplingRun::TSamplingRun(const TSampleSettings& Settings, std::vector<TSampleDevice*> Devices, TSampleView* View,
                           std::unique_ptr<TCsvLogWriter> Writer, TRunClock Clock)
    : FSettings(Settings),
      FDevices(std::move(Devices)),
      FView(View),
      FWriter(std::move(Writer)),
      FClock(std::move(Clock))
{
}

void TSamplingRun::Reply(TSampleDevice* Device, bool ReplyOK, const std::vector<std::int32_t>& Values)
{
    const int channels = Device->ChannelCount();
    if (static_cast<int>(Values.size()) < channels)
        ReplyOK = false;
    if (ReplyOK) {
        Device->SetOnline(true);
        FView->SetLogState(LogStateAfterAnswer());
        Take(Device, &Values);
        if (!FRecording && !FAutoStopped) {
            const bool start = FSettings.StartMode == 0 || (FSettings.StartMode == 1 && StartConditionMet());
            if (start)
                StartLogging();
        }
    } else {
        Device->SetOnline(false);
        Take(Device, nullptr);
        FView->SetLogState("超时");
    }
    // Checked after every poll, answered or not, so a run whose devices
    // all fell silent still ends on time.
    if (FRecording) {
        UpdateElapsed();
        CheckStop();
    }
    // Records were written since the last poll, in either thread.
    NoticeLogFailure();
    if (FRecording) {
        FView->SetElapsed(ElapsedText(FElapsedSeconds));
        if (Device->Online() && FLogPending)
            AddChartPoints(Device);
    }
}

// The values stay here for the chart and for the record at the end of the
// cycle; the channels show them and evaluate their triggers and alarms.
void TSamplingRun::Take(TSampleDevice* Device, const std::vector<std::int32_t>* Values)
{
    std::vector<std::optional<std::int32_t>>& decoded = FDecoded[Device];
    decoded.clear();
    for (int i = 0; i < Device->ChannelCount(); ++i) {
        if (Values) {
            decoded.emplace_back((*Values)[static_cast<std::size_t>(i)]);
            Device->SetRawValue(i, *decoded.back());
        } else {
            decoded.emplace_back();
            Device->SetNoValue(i);
        }
    }
}

// What the channels make of a device's last poll, with their settings as
// they are now; a device not polled yet in this run has no values.
std::vector<TChannelReading> TSamplingRun::ReadingsOf(const TSampleDevice* Device) const
{
    const auto kept = FDecoded.find(Device);
    std::vector<TChannelReading> readings;
    for (int i = 0; i < Device->ChannelCount(); ++i) {
        const auto index = static_cast<std::size_t>(i);
        const bool polled = kept != FDecoded.end() && index < kept->second.size();
        readings.push_back(Device->ReadingOf(i, polled ? kept->second[index] : std::nullopt));
    }
    return readings;
}

void TSamplingRun::AddChartPoints(TSampleDevice* Device) const
{
    double x = 0;
    switch (FSettings.AxisFormat) {
    case 1: x = FElapsedSeconds; break;
    case 2: x = FWriter->RecordCount() + 1; break;
    default: x = FClock.Now(); break;
    }
    std::vector<double> values;
    for (const TChannelReading& reading : ReadingsOf(Device))
        values.push_back(reading.Value);
    Device->AddChartPoints(x, values);
}

void TSamplingRun::PollProgress(TSampleDevice* Device)
{
    FPartsComplete = FPartsComplete >= 10 ? 1 : FPartsComplete + 1;
    FView->SetPollProgress(FPartsComplete, IntToStr(Device->StationId()));
}

TCsvRecord TSamplingRun::TakeRecordSnapshot() const
{
    TCsvRecord record;
    record.AxisFormat = FSettings.AxisFormat;
    record.Now = FClock.Now();
    record.ElapsedSeconds = FElapsedSeconds;
    record.Columns = Columns();
    // The texts as the channels would show the values now: an edit of the
    // decimal places or a zeroing since the poll shows in the record too.
    for (const TSampleDevice* device : FDevices) {
        if (!device)
            continue;
        for (TChannelReading& reading : ReadingsOf(device))
            record.Texts.push_back(std::move(reading.Text));
    }
    return record;
}

std::vector<TCsvColumn> TSamplingRun::Columns() const
{
    std::vector<TCsvColumn> columns;
    for (const TSampleDevice* device : FDevices) {
        if (!device)
            continue;
        for (int i = 0; i < device->ChannelCount(); ++i)
            columns.push_back({device->ValueName(i), device->WorkUnit(i)});
    }
    return columns;
}

std::optional<TCsvRecord> TSamplingRun::EndOfCycle()
{
    if (!FRecording)
        return std::nullopt;
    if (FLogPending) {
        FLogPending = false;
        return TakeRecordSnapshot();
    }
    if ((FClock.Milliseconds() - FLastLogTick) / 1000.0 >= FSettings.LogInterval) {
        FLastLogTick = FClock.Milliseconds();
        FLogPending = true;
    }
    return std::nullopt;
}

void TSamplingRun::LineLost()
{
    for (TSampleDevice* device : FDevices) {
        if (!device)
            continue;
        device->SetOnline(false);
        Take(device, nullptr);
    }
}

bool TSamplingRun::FinishLogFile()
{
    return FWriter->FinishLogFile();
}

void TSamplingRun::StartLogging()
{
    FRecording = true;
    FStartTick = FClock.Milliseconds();
    FLastLogTick = FStartTick;
    FElapsedSeconds = 0.0;
    FLogPending = true;
    FWriter->OpenNewLogFile(FSettings.AxisFormat, Columns());
}

void TSamplingRun::StopFromThread()
{
    FWriter->WriteRecord(TakeRecordSnapshot());
    FRecording = false;
    FAutoStopped = true;
    FLogPending = false;
    FView->PostStopMessage();
}

void TSamplingRun::UpdateElapsed()
{
    FElapsedSeconds = (FClock.Milliseconds() - FStartTick) / 1000.0;
}

void TSamplingRun::CheckStop()
{
    bool stop = false;
    if (FSettings.StopMode == 1)
        stop = FElapsedSeconds >= FSettings.LogDuration;
    else if (FSettings.StopMode == 2)
        stop = StopConditionMet();
    if (stop)
        StopFromThread();
}

// The pane is narrow: the failure without the file's path, which the
// message box gives.
std::string TSamplingRun::LogStateAfterAnswer() const
{
    return FWriter->Failure().empty() ? std::string() : "无法写入记录文件 (" + FWriter->FailureReason() + ")";
}

// The first failure of the run is told at once, in a box that leaves the
// run going; later ones show in the pane and at the end.
void TSamplingRun::NoticeLogFailure()
{
    if (!FFailureNotice.empty() || FWriter->Failure().empty())
        return;
    FFailureNotice = FWriter->Failure() + "\r\n采集继续进行，未能写入的记录暂存在内存中，可以写入时自动补写。";
    FView->PostLogFailureMessage();
}

void TSamplingRun::CountTriggers(bool Start, int& Members, int& Fired) const
{
    Members = Fired = 0;
    for (const TSampleDevice* device : FDevices) {
        if (!device)
            continue;
        for (int i = 0; i < device->ChannelCount(); ++i) {
            if (!(Start ? device->IsStartTriggerChannel(i) : device->IsStopTriggerChannel(i)))
                continue;
            ++Members;
            if (Start ? device->StartTriggered(i) : device->StopTriggered(i))
                ++Fired;
        }
    }
}

// Trigger logic 0 is "any trigger channel", 1 "all of them"; any other
// value decides nothing.
bool TSamplingRun::StartConditionMet() const
{
    switch (FSettings.StartTriggerLogic) {
    case 0: return AnyStartTriggered();
    case 1: return AllStartTriggered();
    default: return false;
    }
}

bool TSamplingRun::StopConditionMet() const
{
    switch (FSettings.StopTriggerLogic) {
    case 0: return AnyStopTriggered();
    case 1: return AllStopTriggered();
    default: return false;
    }
}

bool TSamplingRun::AnyStartTriggered() const
{
    int members = 0, fired = 0;
    CountTriggers(true, members, fired);
    return fired > 0;
}

// With no trigger channel at all the "all" forms are false.
bool TSamplingRun::AllStartTriggered() const
{
    int members = 0, fired = 0;
    CountTriggers(true, members, fired);
    return members >= 1 && members == fired;
}

bool TSamplingRun::AnyStopTriggered() const
{
    int members = 0, fired = 0;
    CountTriggers(false, members, fired);
    return fired > 0;
}

bool TSamplingRun::AllStopTriggered() const
{
    int members = 0, fired = 0;
    CountTriggers(false, members, fired);
    return members >= 1 && members == fired;
}

std::string TSamplingRun::ElapsedText(double Seconds)
{
    // Round once to the shown tenth, then split, so that 59.96 s carries
    // into the minutes instead of showing 60.0 seconds. The bound keeps the
    // tenths within an integer; a run never comes near it.
    const double limited = std::isnan(Seconds) ? 0.0 : std::clamp(Seconds, 0.0, 1e15);
    std::string text = Format("%.1f", limited);
    text.erase(text.size() - 2, 1);
    const std::int64_t tenths = StrToInt64(text);
    const std::int64_t h = tenths / 36000;
    const std::int64_t m = tenths / 600 % 60;
    const std::int64_t s = tenths % 600;
    return IntToStr(h) + ":" + Format("%.2d", m) + ":" + IntToStr(s / 10) + "." + IntToStr(s % 10);
}
