#pragma once
// The logic of one recording run between the polls: what each answer or
// time-out does to the devices, when logging starts and stops, when a
// record is due, and the CSV log it writes. Knows nothing of serial ports
// or threads: the sampling thread drives it (see the notes per member on
// which thread may call what).
#include "app/CsvLogWriter.h"
#include "app/SampleDevice.h"
#include "app/SampleView.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The options a run reads, taken once when it is created.
struct TSampleSettings {
    int PollDelay = 100;       // ms slept after an answered request
    int PollTimeout = 1000;    // ms to wait for a reply
    double LogInterval = 0.0;  // seconds between records
    int AxisFormat = 0;        // 0 time of day, 1 seconds, 2 record number
    int MaxRecordPerFile = 65530;
    int StartMode = 0;          // 0 at once, 1 by start triggers
    int StopMode = 0;           // 0 by hand, 1 after LogDuration, 2 by stop triggers
    double LogDuration = 0.0;   // seconds
    int StartTriggerLogic = 0;  // 0 any trigger channel, 1 all of them
    int StopTriggerLogic = 0;

    // A duration in a time unit (秒, 分钟, 小时, 天, 月, 年) in seconds.
    static double DurationSeconds(double Duration, int TimeBase);
};

// The clocks a run reads; tests supply their own.
struct TRunClock {
    std::function<std::uint64_t()> Milliseconds;  // monotonic
    std::function<TDateTime()> Now;               // wall clock, for time stamps
    static TRunClock System();
};

class TSamplingRun {
public:
    TSamplingRun(const TSampleSettings& Settings, std::vector<TSampleDevice*> Devices, TSampleView* View,
                 std::unique_ptr<TCsvLogWriter> Writer, TRunClock Clock = TRunClock::System());

    // Before the run starts: the devices in polling order and the modes.
    void AddDevice(TSampleDevice* Device) { FDevices.push_back(Device); }
    void SetStartMode(int Value) { FSettings.StartMode = Value; }
    void SetStopMode(int Value) { FSettings.StopMode = Value; }
    void SetLogDuration(double Seconds) { FSettings.LogDuration = Seconds; }

    const std::vector<TSampleDevice*>& Devices() const { return FDevices; }
    const TSampleSettings& Settings() const { return FSettings; }

    // User-interface thread: the outcome of one poll (SyncReply). Values
    // are the decoded integers; fewer than the device's channels count as
    // no answer. The run hands them on from here: to the channels, to the
    // chart when a record is due, and to the record at the end of the
    // cycle; no value is read back out of the channels.
    void Reply(TSampleDevice* Device, bool ReplyOK, const std::vector<std::int32_t>& Values);
    // User-interface thread: one step of the polling progress display.
    void PollProgress(TSampleDevice* Device);
    // User-interface thread: the channel names and units of all devices,
    // and the texts of the values their last polls decoded.
    TCsvRecord TakeRecordSnapshot() const;

    // User-interface thread, at the end of a polling cycle: the record due
    // now, its texts taken as they are, or nothing, when the next one is
    // armed once the log interval has passed. Never more than one record
    // per cycle.
    std::optional<TCsvRecord> EndOfCycle();
    // Sampling thread: writes a record EndOfCycle gave, before the next
    // request goes out, so no outcome reaches the run meanwhile.
    void WriteRecord(const TCsvRecord& Record) { FWriter->WriteRecord(Record); }

    // User-interface thread: the line to the devices is gone; every channel
    // shows the no-value marker instead of its last value.
    void LineLost();

    // After the sampling thread has ended: moves the log to its final name.
    bool FinishLogFile();

    bool Recording() const { return FRecording; }
    // Logging ended by duration or stop triggers; nothing restarts it.
    bool AutoStopped() const { return FAutoStopped; }
    bool LogPending() const { return FLogPending; }
    double ElapsedSeconds() const { return FElapsedSeconds; }
    int RecordCount() const { return FWriter->RecordCount(); }
    const TCsvLogWriter& Writer() const { return *FWriter; }
    // The message of the run's first log failure; empty while there was
    // none. Set in the user-interface thread, once.
    const std::string& FailureNotice() const { return FFailureNotice; }

    bool AnyStartTriggered() const;
    bool AllStartTriggered() const;
    bool AnyStopTriggered() const;
    bool AllStopTriggered() const;

    // "h:mm:s.s" with the seconds not zero-padded, e.g. "0:00:5.3".
    static std::string ElapsedText(double Seconds);

private:
    // Hands every channel of Device its value from Values, or the no-value
    // marker without them.
    void Take(TSampleDevice* Device, const std::vector<std::int32_t>* Values);
    std::vector<TChannelReading> ReadingsOf(const TSampleDevice* Device) const;
    void AddChartPoints(TSampleDevice* Device) const;
    std::vector<TCsvColumn> Columns() const;
    void StartLogging();
    void StopFromThread();
    void UpdateElapsed();
    void CheckStop();
    std::string LogStateAfterAnswer() const;
    void NoticeLogFailure();
    bool StartConditionMet() const;
    bool StopConditionMet() const;
    void CountTriggers(bool Start, int& Members, int& Fired) const;

    TSampleSettings FSettings;
    std::vector<TSampleDevice*> FDevices;
    TSampleView* FView;
    std::unique_ptr<TCsvLogWriter> FWriter;
    TRunClock FClock;

    bool FRecording = false;
    bool FAutoStopped = false;
    bool FLogPending = false;
    std::uint64_t FStartTick = 0;
    std::uint64_t FLastLogTick = 0;
    double FElapsedSeconds = 0.0;
    int FPartsComplete = 0;
    std::string FFailureNotice;
    // Per device, the values its last poll decoded, one per channel (none
    // after a time-out).
    std::unordered_map<const TSampleDevice*, std::vector<std::optional<std::int32_t>>> FDecoded;
};
