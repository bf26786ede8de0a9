#pragma once
// The program's devices: the one store of "Devices.db" and the device
// frames built from it, in display order. The frames are shown inside a
// scroll box, but the registry alone creates and frees them: last first,
// and all of them before the store they write to. A box freed before the
// registry frees the frames with it, as a parent frees its children: the
// registry then lets go of them, so either may go first.
#include "rtl/Component.h"

#include <memory>
#include <string>
#include <vector>

class TDeviceStore;
class TWinControl;
class TfraDevice;

class TDeviceRegistry {
public:
    // StoreFileName is the path of "Devices.db" (read and written only when
    // devices are loaded or changed); Box is where the frames are shown.
    TDeviceRegistry(const std::string& StoreFileName, TWinControl* Box);
    ~TDeviceRegistry();
    TDeviceRegistry(const TDeviceRegistry&) = delete;
    TDeviceRegistry& operator=(const TDeviceRegistry&) = delete;

    TDeviceStore& Store() const { return *FStore; }

    // The frames in display order.
    std::size_t size() const { return FFrames.size(); }
    bool empty() const { return FFrames.empty(); }
    TfraDevice* operator[](std::size_t Index) const { return FFrames[Index].get(); }
    std::vector<TfraDevice*> Frames() const;

    // Frees every frame and rebuilds them from the store in ascending
    // device number. Returns the number of devices.
    int LoadDevices();
    // Takes every device's station id from the store (its position from 1
    // when none is stored). Returns what the user must be told, one line
    // per problem ended by CR LF, empty when none: a stored id that is no
    // usable station id (its text stays in the file), and station ids that
    // several devices would poll.
    std::string LoadStationIds();
    // The smallest device number n >= 1 that no loaded device's section uses.
    int NextDeviceNumber() const;
    // Index of the device whose section is Section (any case), or -1.
    int FindDeviceIndexBySection(const std::string& Section) const;
    // The device number of the first device other than Except whose
    // station id is Id, or -1.
    int FindDeviceByStationId(int Id, const TfraDevice* Except = nullptr) const;
    // Erases the device's section and frees its frame; does nothing while
    // a run is active.
    void DeleteDevice(TfraDevice* Frame, bool RunActive);

private:
    // Hears of the box and the frames being freed by someone else.
    class TWatch : public TComponent {
    public:
        explicit TWatch(TDeviceRegistry& Registry) : FRegistry(Registry) {}

    protected:
        void Notification(TComponent* Component, TOperation Operation) override;

    private:
        TDeviceRegistry& FRegistry;
    };

    void FreeFrames();
    // The box or a frame was freed by someone else.
    void Freed(const TComponent* Component);

    // Declared before the frames: both are destroyed after them.
    std::unique_ptr<TDeviceStore> FStore;
    TWatch FWatch{*this};
    TWinControl* FBox;
    std::vector<std::unique_ptr<TfraDevice>> FFrames;
};
