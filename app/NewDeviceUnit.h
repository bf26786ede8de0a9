#pragma once
// The new-device dialog: asks for the settings of a device to add. The
// device-list dialog writes them to "Devices.db" when it ends with OK.
#include "controls/VcComboBox.h"
#include "controls/VcDialogButtons.h"
#include "controls/VcEdit.h"
#include "controls/VcNumericEdit.h"
#include "controls/VcSpinEdit.h"
#include "controls/VcLabel.h"
#include "controls/VcPanel.h"
#include "ui/Form.h"

#include <string>

class TDeviceRegistry;

class TfrmNewDevice : public TForm {
public:
    explicit TfrmNewDevice(TComponent* AOwner);
    ~TfrmNewDevice() override;

    // The devices whose station ids a new device must not take; none: any.
    void SetDevices(const TDeviceRegistry* Devices) { FDevices = Devices; }

    TVcPanel* pnlKRN;
    TVcPanel* imgKRN;
    TVcLabel* lblDeviceSection;
    TVcEdit* leDeviceName;
    TVcEdit* leDeviceModel;
    TVcSpinEdit* speStationId;
    TVcSpinEdit* speChannelCount;
    TVcNumericEdit* neDVRBeginAddr;
    TVcComboBox* cbxValueRule;
    TVcDialogButtons* EditDeviceButtons;

    void FormShow(TObject* Sender);
    void EditDeviceButtonsClickOk(TObject* Sender);
    void EditDeviceButtonsClickCancel(TObject* Sender);

private:
    const TDeviceRegistry* FDevices = nullptr;
};

// The new-device dialog, owned by the application object (the program block
// makes it with Application->CreateForm). This only points at it, and is
// empty again once it is freed.
extern TfrmNewDevice* frmNewDevice;

// "站号[Id]已经被设备Number占用！", the refusal of a station id in use.
std::string StationIdInUseText(int Id, int DeviceNumber);
