#pragma once
// A device as a recording run sees it, over the application's device state.
#include "app/DeviceModel.h"
#include "app/SampleDevice.h"

#include <functional>

class TDeviceSampleAdapter : public TSampleDevice {
public:
    // Chart points go to AddPoints (the device chart), when given.
    explicit TDeviceSampleAdapter(TDeviceModel* Device, std::function<void(double X)> AddPoints = nullptr)
        : FDevice(Device),
          FAddPoints(std::move(AddPoints))
    {
    }

    TDeviceModel* Device() const { return FDevice; }

    int StationId() const override { return FDevice->StationId(); }
    int ValueRule() const override { return FDevice->ValueRule(); }
    int DVRBeginAddr() const override { return FDevice->DVRBeginAddr(); }
    int ChannelCount() const override { return FDevice->ChannelCount(); }
    bool Online() const override { return FDevice->Online(); }
    void SetOnline(bool Value) override { FDevice->SetOnline(Value); }

    void SetRawValue(int Channel, std::int32_t Raw) override { FDevice->Channels(Channel)->SetRawValue(Raw); }
    void SetNoValue(int Channel) override { FDevice->Channels(Channel)->SetNoValue(); }
    double Value(int Channel) const override { return FDevice->Channels(Channel)->Value(); }
    std::string DisplayText(int Channel) const override { return FDevice->Channels(Channel)->DisplayText(); }
    std::string ValueName(int Channel) const override { return FDevice->Channels(Channel)->ValueName(); }
    std::string WorkUnit(int Channel) const override { return FDevice->Channels(Channel)->WorkUnit(); }
    bool IsStartTriggerChannel(int Channel) const override
    {
        return FDevice->Channels(Channel)->IsStartTriggerChannel();
    }
    bool StartTriggered(int Channel) const override { return FDevice->Channels(Channel)->StartTriggered(); }
    bool IsStopTriggerChannel(int Channel) const override { return FDevice->Channels(Channel)->IsStopTriggerChannel(); }
    bool StopTriggered(int Channel) const override { return FDevice->Channels(Channel)->StopTriggered(); }
    void AddChartPoints(double X) override
    {
        if (FAddPoints)
            FAddPoints(X);
    }
    void ResetDevice() override { FDevice->ResetDevice(); }

private:
    TDeviceModel* FDevice;
    std::function<void(double X)> FAddPoints;
};
