#pragma once
// Display-free stand-ins for the device frames and the main window's run
// displays, recording what a run does to them.
#include "app/SampleDevice.h"
#include "app/SampleView.h"

#include <functional>
#include <string>
#include <vector>

class TFakeSampleDevice : public TSampleDevice {
public:
    struct TChannel {
        std::string Name;
        std::string Unit;
        bool HasValue = false;
        std::int32_t Raw = 0;
        bool IsStart = false, IsStop = false;
        double StartLevel = 0, StopLevel = 0;
        bool StartFired = false, StopFired = false;
    };

    TFakeSampleDevice(int Station, int Rule, int BeginAddr, int Channels)
        : FStation(Station),
          FRule(Rule),
          FBeginAddr(BeginAddr)
    {
        for (int i = 0; i < Channels; ++i)
            FChannels.push_back({"S" + std::to_string(Station) + "C" + std::to_string(i + 1), "bar"});
    }

    int StationId() const override { return FStation; }
    int ValueRule() const override { return FRule; }
    int DVRBeginAddr() const override { return FBeginAddr; }
    int ChannelCount() const override { return static_cast<int>(FChannels.size()); }
    bool Online() const override { return FOnline; }
    void SetOnline(bool Value) override
    {
        FOnline = Value;
        Answers += Value ? 1 : 0;
    }

    // Triggers latch like the channel frames: start at or above its level,
    // stop at or below its level once started.
    void SetRawValue(int Channel, std::int32_t Raw) override
    {
        TChannel& c = FChannels.at(Channel);
        c.HasValue = true;
        c.Raw = Raw;
        if (!c.StartFired && Raw >= c.StartLevel)
            c.StartFired = true;
        if (c.StartFired && !c.StopFired && Raw <= c.StopLevel)
            c.StopFired = true;
    }
    void SetNoValue(int Channel) override { FChannels.at(Channel).HasValue = false; }
    double Value(int Channel) const override
    {
        const TChannel& c = FChannels.at(Channel);
        return c.HasValue ? c.Raw : -99999999.0;
    }
    std::string DisplayText(int Channel) const override
    {
        const TChannel& c = FChannels.at(Channel);
        return c.HasValue ? std::to_string(c.Raw) : "-------";
    }
    std::string ValueName(int Channel) const override { return FChannels.at(Channel).Name; }
    std::string WorkUnit(int Channel) const override { return FChannels.at(Channel).Unit; }
    bool IsStartTriggerChannel(int Channel) const override { return FChannels.at(Channel).IsStart; }
    bool StartTriggered(int Channel) const override { return FChannels.at(Channel).StartFired; }
    bool IsStopTriggerChannel(int Channel) const override { return FChannels.at(Channel).IsStop; }
    bool StopTriggered(int Channel) const override { return FChannels.at(Channel).StopFired; }
    void AddChartPoints(double X) override { ChartX.push_back(X); }
    void ResetDevice() override
    {
        ++Resets;
        ChartX.clear();
        for (TChannel& c : FChannels)
            c.HasValue = c.StartFired = c.StopFired = false;
    }
    int Resets = 0;

    TChannel& Channel(int i) { return FChannels.at(i); }
    std::vector<double> ChartX;
    int Answers = 0;  // polls answered in time

private:
    int FStation, FRule, FBeginAddr;
    bool FOnline = false;
    std::vector<TChannel> FChannels;
};

class TFakeSampleView : public TSampleView {
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
        PollingId = StationText;
    }
    void PostStopMessage() override { ++StopMessages; }
    void PostLogFailureMessage() override { ++LogFailureMessages; }

    std::function<void(const std::string&)> OnLogState;
    std::vector<std::string> LogStates;
    std::string Elapsed;
    std::vector<int> Progress;
    std::string PollingId;
    int StopMessages = 0;
    int LogFailureMessages = 0;
};
