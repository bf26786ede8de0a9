#include "app/DeviceRegistry.h"

#include "app/DeviceStore.h"
#include "app/DeviceUnit.h"
#include "app/General.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "ui/AlignPause.h"

#include <algorithm>

TDeviceRegistry::TDeviceRegistry(const std::string& StoreFileName, TWinControl* Box)
    : FStore(std::make_unique<TDeviceStore>(StoreFileName)),
      FBox(Box)
{
    if (FBox)
        FBox->FreeNotification(&FWatch);
}

TDeviceRegistry::~TDeviceRegistry()
{
    FreeFrames();
}

std::vector<TfraDevice*> TDeviceRegistry::Frames() const
{
    std::vector<TfraDevice*> Frames;
    Frames.reserve(FFrames.size());
    for (const auto& Frame : FFrames)
        Frames.push_back(Frame.get());
    return Frames;
}

void TDeviceRegistry::TWatch::Notification(TComponent* Component, TOperation Operation)
{
    TComponent::Notification(Component, Operation);
    if (Operation == TOperation::opRemove)
        FRegistry.Freed(Component);
}

// A frame freed with its box is gone already: it is let go of, not freed
// again. One the registry frees itself is out of the list by then.
void TDeviceRegistry::Freed(const TComponent* Component)
{
    if (Component == FBox) {
        FBox = nullptr;
        return;
    }
    const auto It = std::find_if(FFrames.begin(), FFrames.end(),
                                 [Component](const auto& F) { return F.get() == Component; });
    if (It == FFrames.end())
        return;
    (void)It->release();
    FFrames.erase(It);
}

void TDeviceRegistry::FreeFrames()
{
    // One placing of the box at the end, not one per frame freed.
    TAlignPause Pause(FBox);
    while (!FFrames.empty()) {
        // Out of the list before it goes: nothing may find a frame being freed.
        const std::unique_ptr<TfraDevice> Gone = std::move(FFrames.back());
        FFrames.pop_back();
    }
}

int TDeviceRegistry::LoadDevices()
{
    const std::vector<std::string> Sections = FStore->DeviceSections();
    // One placing of the frames at the end, not one per frame freed or added.
    TAlignPause Pause(FBox);
    FreeFrames();
    // The frames write back every key they read: one rewrite at the end,
    // not one per key.
    TDeviceStore::TUpdate Update(FStore.get());

    for (size_t i = 0; i < Sections.size(); ++i) {
        const TDeviceInfo Info = FStore->ReadDeviceInfo(Sections[i]);
        auto Frame = std::make_unique<TfraDevice>(nullptr, Info, FStore.get());
        Frame->Chart().SetXAxisColor(DeviceChartAxisColor);
        // One channel height per row of the meter grid: an odd count's last
        // row counts too, or the frame would cut it off.
        const int Rows = (Info.ChannelCount + 1) / 2;
        Frame->SetHeight(std::max(TfraDevice::MinHeight, TfraChannel::FrameHeight * Rows + 60));
        int X = Frame->DefaultMeterLeft();
        int Y = 10;
        FStore->ReadInteger(Info.Section, "MeterPosX", X);
        FStore->ReadInteger(Info.Section, "MeterPosY", Y);
        Frame->pnlDevice->SetLeft(X);
        Frame->pnlDevice->SetTop(Y);
        Frame->SetParent(FBox);
        Frame->SetName("fraDevice" + IntToStr(static_cast<int>(i) + 1));
        Frame->FreeNotification(&FWatch);
        FFrames.push_back(std::move(Frame));
    }
    return static_cast<int>(Sections.size());
}

std::string TDeviceRegistry::LoadStationIds()
{
    std::string Problems;
    {
        TDeviceStore::TUpdate Update(FStore.get());
        for (size_t i = 0; i < FFrames.size(); ++i) {
            TfraDevice* Device = FFrames[i].get();
            std::string Text;
            if (!Device->LoadStationId(static_cast<int>(i) + 1, &Text))
                Problems += DeviceLabel(Device->Section()) + "的Modbus站号\"" + Text + "\"无效(应为1-254)，暂按站号" +
                            IntToStr(Device->StationId()) + "通讯，请在设备管理中修改。\r\n";
        }
    }
    for (size_t i = 0; i < FFrames.size(); ++i) {
        const int Id = FFrames[i]->StationId();
        bool SeenBefore = false;
        for (size_t k = 0; k < i; ++k)
            SeenBefore = SeenBefore || FFrames[k]->StationId() == Id;
        if (SeenBefore)
            continue;
        std::string Sharing = DeviceLabel(FFrames[i]->Section());
        bool Shared = false;
        for (size_t k = i + 1; k < FFrames.size(); ++k) {
            if (FFrames[k]->StationId() != Id)
                continue;
            Sharing += "、" + DeviceLabel(FFrames[k]->Section());
            Shared = true;
        }
        if (Shared)
            Problems += Sharing + "使用同一个Modbus站号[" + IntToStr(Id) + "]，请在设备管理中修改。\r\n";
    }
    return Problems;
}

int TDeviceRegistry::NextDeviceNumber() const
{
    std::vector<std::string> Sections;
    for (const auto& Frame : FFrames)
        Sections.push_back(Frame->Section());
    return TDeviceStore::NextDeviceNumber(Sections);
}

int TDeviceRegistry::FindDeviceIndexBySection(const std::string& Section) const
{
    for (size_t i = 0; i < FFrames.size(); ++i)
        if (LowerCase(FFrames[i]->Section()) == LowerCase(Section))
            return static_cast<int>(i);
    return -1;
}

int TDeviceRegistry::FindDeviceByStationId(int Id, const TfraDevice* Except) const
{
    for (const auto& Frame : FFrames) {
        if (Frame.get() == Except || Frame->StationId() != Id)
            continue;
        int N = -1;
        return TDeviceStore::DeviceNumber(Frame->Section(), N) ? N : -1;
    }
    return -1;
}

void TDeviceRegistry::DeleteDevice(TfraDevice* Frame, bool RunActive)
{
    if (RunActive)
        return;
    const auto It = std::find_if(FFrames.begin(), FFrames.end(), [Frame](const auto& F) { return F.get() == Frame; });
    if (It == FFrames.end())
        return;
    FStore->EraseSection(Frame->Section());
    // Out of the list before it goes: nothing may find a frame being freed.
    const std::unique_ptr<TfraDevice> Gone = std::move(*It);
    FFrames.erase(It);
}
