#pragma once
// A main window stand-in for whole runs: records what the run shows and
// answers the questions it asks.
#include "app/RecordingControl.h"
#include "app/SampleDevice.h"

#include <functional>
#include <string>
#include <vector>

class TFakeRecordingView : public TRecordingView {
public:
    void SetLogState(const std::string& Text) override
    {
        LogStates.push_back(Text);
        if (OnLogState)
            OnLogState(Text);
    }
    void SetElapsed(const std::string& Text) override { Elapsed = Text; }
    void SetPollProgress(int PartsComplete, const std::string& StationText) override
    {
        Progress.push_back(PartsComplete);
        PollingIds.push_back(StationText);
    }
    void PostStopMessage() override { ++StopMessages; }
    void PostLogFailureMessage() override { ++LogFailureMessages; }
    void SetRunState(bool Running) override { RunStates.push_back(Running); }
    void ShowError(const std::string& Text) override
    {
        Errors.push_back(Text);
        RunningAtErrors.push_back(!RunStates.empty() && RunStates.back());
    }
    bool Confirm(const std::string& Text) override
    {
        Questions.push_back(Text);
        return ConfirmAnswer;
    }
    bool AskLogFileName(const std::string& InitialDir, std::string& FileName) override
    {
        AskedDir = InitialDir;
        FileName = LogFileName;
        return !LogFileName.empty();
    }

    std::vector<std::string> LogStates;
    std::string Elapsed;
    std::vector<int> Progress;
    std::vector<std::string> PollingIds;
    int StopMessages = 0;
    int LogFailureMessages = 0;
    std::vector<bool> RunStates;
    std::vector<std::string> Errors;
    std::vector<bool> RunningAtErrors;  // whether the window looked running when each error came
    std::vector<std::string> Questions;
    bool ConfirmAnswer = true;
    std::string AskedDir;
    std::string LogFileName;
    std::function<void(const std::string&)> OnLogState;
};

// What a run is handed for one device: it passes every call on to a device
// the test keeps (so its state can be read after the run), and counts the
// links alive, which tells when the run let go of them.
class TSampleDeviceLink : public TSampleDevice {
public:
    TSampleDeviceLink(TSampleDevice& Target, int& Alive) : FTarget(Target), FAlive(Alive) { ++FAlive; }
    ~TSampleDeviceLink() override { --FAlive; }
    TSampleDeviceLink(const TSampleDeviceLink&) = delete;
    TSampleDeviceLink& operator=(const TSampleDeviceLink&) = delete;

    int StationId() const override { return FTarget.StationId(); }
    int ValueRule() const override { return FTarget.ValueRule(); }
    int DVRBeginAddr() const override { return FTarget.DVRBeginAddr(); }
    int ChannelCount() const override { return FTarget.ChannelCount(); }
    bool Online() const override { return FTarget.Online(); }
    void SetOnline(bool Value) override { FTarget.SetOnline(Value); }
    void SetRawValue(int Channel, std::int32_t Raw) override { FTarget.SetRawValue(Channel, Raw); }
    void SetNoValue(int Channel) override { FTarget.SetNoValue(Channel); }
    TChannelReading ReadingOf(int Channel, std::optional<std::int32_t> Raw) const override
    {
        return FTarget.ReadingOf(Channel, Raw);
    }
    std::string ValueName(int Channel) const override { return FTarget.ValueName(Channel); }
    std::string WorkUnit(int Channel) const override { return FTarget.WorkUnit(Channel); }
    bool IsStartTriggerChannel(int Channel) const override { return FTarget.IsStartTriggerChannel(Channel); }
    bool StartTriggered(int Channel) const override { return FTarget.StartTriggered(Channel); }
    bool IsStopTriggerChannel(int Channel) const override { return FTarget.IsStopTriggerChannel(Channel); }
    bool StopTriggered(int Channel) const override { return FTarget.StopTriggered(Channel); }
    void AddChartPoints(double X, const std::vector<double>& Values) override { FTarget.AddChartPoints(X, Values); }
    void ResetDevice() override { FTarget.ResetDevice(); }

private:
    TSampleDevice& FTarget;
    int& FAlive;
};
