#pragma once
// A device as a recording run sees it, over the application's device state.
#include "app/DeviceModel.h"
#include "app/SampleDevice.h"

class TDeviceSampleAdapter : public TSampleDevice {
public:
    explicit TDeviceSampleAdapter(TDeviceModel* Device) : FDevice(Device) {}

    TDeviceModel* Device() const { return FDevice; }

    int StationId() const override { return FDevice->StationId(); }
    int ValueRule() const override { return FDevice->ValueRule(); }
    int DVRBeginAddr() const override { return FDevice->DVRBeginAddr(); }
    int ChannelCount() const override { return FDevice->ChannelCount(); }
    bool Online() const override { return FDevice->Online(); }
    void SetOnline(bool Value) override { FDevice->SetOnline(Value); }

    void SetRawValue(int Channel, std::int32_t Raw) override { FDevice->Channels(Channel)->SetRawValue(Raw); }
    void SetNoValue(int Channel) override { FDevice->Channels(Channel)->SetNoValue(); }
    TChannelReading ReadingOf(int Channel, std::optional<std::int32_t> Raw) const override
    {
        return FDevice->Channels(Channel)->ReadingOf(Raw);
    }
    // What the channel's panel shows now.
    std::string DisplayText(int Channel) const { return FDevice->Channels(Channel)->DisplayText(); }
    std::string ValueName(int Channel) const override { return FDevice->Channels(Channel)->ValueName(); }
    std::string WorkUnit(int Channel) const override { return FDevice->Channels(Channel)->WorkUnit(); }
    bool IsStartTriggerChannel(int Channel) const override
    {
        return FDevice->Channels(Channel)->IsStartTriggerChannel();
    }
    bool StartTriggered(int Channel) const override { return FDevice->Channels(Channel)->StartTriggered(); }
    bool IsStopTriggerChannel(int Channel) const override { return FDevice->Channels(Channel)->IsStopTriggerChannel(); }
    bool StopTriggered(int Channel) const override { return FDevice->Channels(Channel)->StopTriggered(); }
    void AddChartPoints(double X, const std::vector<double>& Values) override { FDevice->AddChartPoints(X, Values); }
    void ResetDevice() override { FDevice->ResetDevice(); }

private:
    TDeviceModel* FDevice;
};
