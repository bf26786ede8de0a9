#pragma once
// The live state of one instrument without its display: its settings from
// "Devices.db", its channels, the zero menu's items and actions, and the
// meter grid. Setters of the stored settings write the device's section at
// once. TfraDevice shows it; tests drive it directly.
#include "app/ChannelModel.h"
#include "app/ClassTypes.h"

#include <memory>
#include <string>
#include <vector>

class TDeviceStore;

struct TZeroMenuItem {
    enum TKind { zkZeroAll, zkUnzeroAll, zkZero, zkUnzero, zkSeparator };
    std::string Name;
    std::string Caption;
    TKind Kind;
    int Channel;  // 0-based, -1 for the whole device
};

struct TMeterLayout {
    int Cols = 0;
    int Rows = 0;
    int Width = 0;
    int Height = 0;
    std::vector<int> Lefts;  // per channel
    std::vector<int> Tops;
};

class TDeviceModel {
public:
    TDeviceModel() = default;
    virtual ~TDeviceModel();
    TDeviceModel(const TDeviceModel&) = delete;
    TDeviceModel& operator=(const TDeviceModel&) = delete;

    // Copies the record and builds the channels (through CreateChannel);
    // Store receives every later setting.
    void AssignInfo(const TDeviceInfo& Info, TDeviceStore* Store);

    const std::string& Section() const { return FSection; }
    const std::string& DeviceName() const { return FDeviceName; }
    const std::string& DeviceModel() const { return FDeviceModel; }
    int ChannelCount() const { return FChannelCount; }
    TValueRule ValueRule() const { return FValueRule; }
    int DVRBeginAddr() const { return FDVRBeginAddr; }
    int StationId() const { return FStationId; }
    int AxisFormat() const { return FAxisFormat; }
    bool Online() const { return FOnline; }
    // Registers one poll reads.
    int RegisterCount() const { return RegistersFor(FValueRule, FChannelCount); }

    void SetDeviceName(const std::string& Value);
    void SetDeviceModel(const std::string& Value);
    void SetStationId(int Value);
    void SetOnline(bool Value) { FOnline = Value; }
    // Frames also set their chart's X axis.
    virtual void SetAxisFormat(int Value) { FAxisFormat = Value; }
    // Takes "StationId" from the store: a valid id (1..254) is kept and
    // written back, a missing one becomes Default and is written; text that
    // is not a valid id reads as Default but stays in the file, and the
    // result is false (with that text in Unusable).
    bool LoadStationId(int Default, std::string* Unusable = nullptr);

    TChannelModel* Channels(int Index) const;
    // At the start of a run: every channel reset (frames also clear their chart).
    virtual void ResetDevice();
    // One point per channel at X, Values in channel order, while a run
    // records; frames draw them on their chart, a device without a display
    // has nowhere to draw them.
    virtual void AddChartPoints(double /*X*/, const std::vector<double>& /*Values*/) {}

    // The zero menu, in display order.
    std::vector<TZeroMenuItem> ZeroMenuItems() const;
    // Zero every channel; the refusals as lines ended by CR LF, empty when none.
    std::string ZeroAll();
    // Zero one channel; the refusal without line end, empty when done.
    std::string ZeroOne(int Channel);
    void UnzeroAll();
    void UnzeroOne(int Channel);
    // Whether the unzero item of Channel (-1: all) is enabled.
    bool UnzeroEnabled(int Channel) const;

    // Channel panels in a grid of at most two columns, one pixel margin, no gap.
    static TMeterLayout CalcMeterLayout(int ChannelCount, int X0, int ChannelWidth, int ChannelHeight);

protected:
    // Makes the state of channel Index; frames make their channel frame.
    virtual std::unique_ptr<TChannelModel> CreateChannel(int Index);
    // Called before the channels are rebuilt (ChannelCount is known), and
    // after.
    virtual void BuildingChannels() {}
    virtual void ChannelsBuilt() {}
    void FreeChannels() { FChannels.clear(); }

private:
    void BuildChannels(const TDeviceInfo& Info);
    static std::string ZeroRefusal(int Channel, int Result);

    TDeviceStore* FStore = nullptr;
    std::string FSection;
    std::string FDeviceName;
    std::string FDeviceModel;
    int FChannelCount = 0;
    TValueRule FValueRule = vrInt32HighFirst;
    int FDVRBeginAddr = 0;
    int FAxisFormat = 0;
    int FStationId = 0;
    bool FOnline = false;
    std::vector<std::unique_ptr<TChannelModel>> FChannels;
};
