#pragma once
// The display of one instrument: a body panel (where the device chart
// goes), a vertical toolbar, and a movable meter panel holding the channel
// frames and the zero button; over the device state it inherits. Also the
// global list of device frames and the loading of "Devices.db".
#include "app/ChannelUnit.h"
#include "app/DeviceModel.h"
#include "controls/VcPanel.h"
#include "controls/VcToolbar.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Menu.h"

#include <string>
#include <vector>

class TDeviceStore;
class TfraDevice;

// Device frames in display order. The global DeviceList owns them: the
// main window frees them.
class TDeviceList : public std::vector<TfraDevice*> {};
extern TDeviceList* DeviceList;

class TfraDevice : public TFrame, public TDeviceModel {
public:
    static constexpr int MinHeight = 210;

    // Appends the frame to DeviceList and builds it from Info; Store
    // receives every later setting (none: nothing is written).
    TfraDevice(TComponent* AOwner, const TDeviceInfo& Info, TDeviceStore* Store);
    ~TfraDevice() override;

    TfraChannel* Channel(int Index) const { return static_cast<TfraChannel*>(Channels(Index)); }

    TVcPanel* pnlDeviceBody;
    TVcToolbar* toolDevice;
    TVcToolButton* btnShowMeter;
    TVcToolButton* btnShowCurve;
    TVcToolButton* btnZoom;
    TVcToolButton* btnCursor;
    TVcToolButton* btnPause;
    TVcToolButton* btnResume;
    TVcToolButton* btnEnlarge;
    TVcToolButton* btnShrink;
    TVcPanel* pnlDevice;
    TVcLabel* lblDeviceSection;
    TVcToolbar* toolZero;
    TVcToolButton* btnZero;
    TPopupMenu* pmZero;
    TImageList* imlDevice;

    // The frame's OnCanResize: a height below MinHeight is refused,
    // whoever asks for it (the shrink button or dragging the bottom edge).
    void FrameCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
    // Left of the meter panel when "MeterPosX" is not stored.
    int DefaultMeterLeft() const;

    void btnShowMeterClick(TObject* Sender);
    void btnEnlargeClick(TObject* Sender);
    void btnShrinkClick(TObject* Sender);
    void pmZeroPopup(TObject* Sender);
    void pnlDeviceMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void pnlDeviceBodyMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void pnlDeviceBodyMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
    std::unique_ptr<TChannelModel> CreateChannel(int Index) override;
    void ChannelsBuilt() override;

private:
    void BuildZeroMenu();
    void PlaceChannels();
    void ZeroMenuClick(const TZeroMenuItem& Item);
    static void ShowRefusal(const std::string& Text);

    std::vector<std::pair<TMenuItem*, TZeroMenuItem>> FZeroItems;
};

// Frees every device frame and rebuilds them from "Devices.db" beside the
// executable (DevicesIni is created on first use), in ascending device
// number, inside ScrollBox. Returns the number of devices.
int LoadDevices(TWinControl* ScrollBox);

// Takes every device's station id from "Devices.db" (its position from 1
// when none is stored). Returns what the user must be told, one line per
// problem ended by CR LF, empty when none: a stored id that is no usable
// station id (its text stays in the file), and station ids that several
// devices would poll.
std::string LoadStationIds();

// The smallest device number n >= 1 that no loaded device's section uses.
int NextDeviceNumber();
// Index in DeviceList of the device whose section is Section (any case), or -1.
int FindDeviceIndexBySection(const std::string& Section);
// The device number of the first device whose station id is Id, or -1.
int FindDeviceByStationId(int Id);
// Erases the device's section, removes the frame from DeviceList and frees
// it; does nothing while a run is active.
void DeleteDevice(TfraDevice* Frame, bool RunActive);
