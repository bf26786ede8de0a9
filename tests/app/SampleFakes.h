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
    // A value is its raw number, shown in decimal.
    TChannelReading ReadingOf(int, std::optional<std::int32_t> Raw) const override
    {
        if (!Raw)
            return {-99999999.0, "-------"};
        return {double(*Raw), std::to_string(*Raw)};
    }
    // What the channel's panel shows now.
    double Value(int Channel) const
    {
        const TChannel& c = FChannels.at(Channel);
        return ReadingOf(Channel, c.HasValue ? std::optional<std::int32_t>(c.Raw) : std::nullopt).Value;
    }
    std::string DisplayText(int Channel) const
    {
        const TChannel& c = FChannels.at(Channel);
        return ReadingOf(Channel, c.HasValue ? std::optional<std::int32_t>(c.Raw) : std::nullopt).Text;
    }
    std::string ValueName(int Channel) const override { return FChannels.at(Channel).Name; }
    std::string WorkUnit(int Channel) const override { return FChannels.at(Channel).Unit; }
    bool IsStartTriggerChannel(int Channel) const override { return FChannels.at(Channel).IsStart; }
    bool StartTriggered(int Channel) const override { return FChannels.at(Channel).StartFired; }
    bool IsStopTriggerChannel(int Channel) const override { return FChannels.at(Channel).IsStop; }
    bool StopTriggered(int Channel) const override { return FChannels.at(Channel).StopFired; }
    void AddChartPoints(double X, const std::vector<double>& Values) override
    {
        ChartX.push_back(X);
        ChartValues.push_back(Values);
    }
    void ResetDevice() override
    {
        ++Resets;
        ChartX.clear();
        ChartValues.clear();
        for (TChannel& c : FChannels)
            c.HasValue = c.StartFired = c.StopFired = false;
    }
    int Resets = 0;

    TChannel& Channel(int i) { return FChannels.at(i); }
    std::vector<double> ChartX;
    std::vector<std::vector<double>> ChartValues;  // per point, one value per channel
    int Answers = 0;                               // polls answered in time

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
