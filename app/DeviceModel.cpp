#include "app/DeviceModel.h"

#include "app/DeviceSchema.h"
#include "app/DeviceStore.h"
#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"

#include <algorithm>

TDeviceModel::~TDeviceModel() = default;

void TDeviceModel::AssignInfo(const TDeviceInfo& Info, TDeviceStore* Store)
{
    FStore = Store;
    FSection = Info.Section;
    FDeviceName = Info.DeviceName;
    FDeviceModel = Info.DeviceModel;
    FChannelCount = Info.ChannelCount;
    FDVRBeginAddr = Info.DVRBeginAddr;
    FValueRule = Info.ValueRule;
    BuildChannels(Info);
}

void TDeviceModel::BuildChannels(const TDeviceInfo& Info)
{
    FChannels.clear();
    BuildingChannels();
    for (int i = 0; i < FChannelCount; ++i) {
        std::unique_ptr<TChannelModel> Channel = CreateChannel(i);
        Channel->BindStore(FStore, FSection);
        if (i < static_cast<int>(Info.Channels.size()))
            Channel->ApplyInfo(Info.Channels[i], Info.UnreadableKeys);
        FChannels.push_back(std::move(Channel));
    }
    ChannelsBuilt();
}

std::unique_ptr<TChannelModel> TDeviceModel::CreateChannel(int Index)
{
    auto Channel = std::make_unique<TChannelModel>(Index);
    Channel->ResetChannel();
    return Channel;
}

TChannelModel* TDeviceModel::Channels(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FChannels.size()))
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FChannels[static_cast<size_t>(Index)].get();
}

void TDeviceModel::SetDeviceName(const std::string& Value)
{
    FDeviceName = Value;
    if (FStore)
        FStore->WriteString(FSection, DeviceKeyOf(&TDeviceInfo::DeviceName).Name, Value);
}

void TDeviceModel::SetDeviceModel(const std::string& Value)
{
    FDeviceModel = Value;
    if (FStore)
        FStore->WriteString(FSection, DeviceKeyOf(&TDeviceInfo::DeviceModel).Name, Value);
}

void TDeviceModel::SetStationId(int Value)
{
    FStationId = Value;
    if (FStore)
        FStore->WriteInteger(FSection, StationIdKey().Name, Value);
}

bool TDeviceModel::LoadStationId(int Default, std::string* Unusable)
{
    const TDeviceKey& Key = StationIdKey();
    int Id = Default;
    const TDeviceStore::TReadState State = FStore ? FStore->ReadInteger(FSection, Key.Name, Id)
                                                  : TDeviceStore::rsMissing;
    if (State == TDeviceStore::rsValid && Key.Usable(Id)) {
        SetStationId(Id);
        return true;
    }
    if (State == TDeviceStore::rsMissing) {
        SetStationId(Default);
        return true;
    }
    FStationId = Default;
    if (Unusable)
        *Unusable = FStore->ReadString(FSection, Key.Name, "");
    return false;
}

void TDeviceModel::ResetDevice()
{
    for (auto& Channel : FChannels)
        Channel->ResetChannel();
}

std::vector<TZeroMenuItem> TDeviceModel::ZeroMenuItems() const
{
    using K = TZeroMenuItem;
    const bool Single = FChannelCount == 1;
    std::vector<TZeroMenuItem> Items;
    Items.push_back({"mnuZeroAll", Single ? "置零" : "置零本设备所有通道", K::zkZeroAll, -1});
    if (!Single)
        for (int n = 1; n <= FChannelCount; ++n)
            Items.push_back({"mnuZeroCH" + IntToStr(n), "置零[CH" + IntToStr(n) + "]", K::zkZero, n - 1});
    Items.push_back({"mnuBreaker", "-", K::zkSeparator, -1});
    Items.push_back({"mnuUnzeroAll", Single ? "取消置零" : "取消置零本设备所有通道", K::zkUnzeroAll, -1});
    if (!Single)
        for (int n = 1; n <= FChannelCount; ++n)
            Items.push_back({"mnuUnzeroCH" + IntToStr(n), "取消置零[CH" + IntToStr(n) + "]", K::zkUnzero, n - 1});
    return Items;
}

std::string TDeviceModel::ZeroRefusal(int Channel, int Result)
{
    const std::string Prefix = "[CH" + IntToStr(Channel + 1) + "]";
    if (Result == -2)
        return Prefix + "当前状态不能置零！";
    if (Result == -1)
        return Prefix + "超出允许的置零范围！";
    return {};
}

std::string TDeviceModel::ZeroAll()
{
    std::string Lines;
    for (size_t i = 0; i < FChannels.size(); ++i) {
        const std::string Refusal = ZeroRefusal(static_cast<int>(i), FChannels[i]->ZeroChannel());
        if (!Refusal.empty())
            Lines += Refusal + "\r\n";
    }
    return Lines;
}

std::string TDeviceModel::ZeroOne(int Channel)
{
    return ZeroRefusal(Channel, Channels(Channel)->ZeroChannel());
}

void TDeviceModel::UnzeroAll()
{
    for (auto& Channel : FChannels)
        Channel->UnzeroChannel();
}

void TDeviceModel::UnzeroOne(int Channel)
{
    Channels(Channel)->UnzeroChannel();
}

bool TDeviceModel::UnzeroEnabled(int Channel) const
{
    if (Channel >= 0)
        return Channels(Channel)->HasZeroOffset();
    return std::any_of(FChannels.begin(), FChannels.end(), [](const auto& C) { return C->HasZeroOffset(); });
}

TMeterLayout TDeviceModel::CalcMeterLayout(int ChannelCount, int X0, int ChannelWidth, int ChannelHeight)
{
    const int Margin = 1;
    const int Gap = 0;
    TMeterLayout L;
    if (ChannelCount < 1)
        return L;
    L.Cols = std::min(ChannelCount, 2);
    L.Rows = (ChannelCount + L.Cols - 1) / L.Cols;
    L.Width = X0 + 2 * Margin + L.Cols * ChannelWidth + (L.Cols - 1) * Gap;
    L.Height = L.Rows * ChannelHeight + (L.Rows - 1) * Gap + 2 * Margin;
    for (int i = 0; i < ChannelCount; ++i) {
        L.Lefts.push_back((i % L.Cols) * (ChannelWidth + Gap) + X0 + Margin);
        L.Tops.push_back((i / L.Cols) * (ChannelHeight + Gap) + Margin);
    }
    return L;
}
