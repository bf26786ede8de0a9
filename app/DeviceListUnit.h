#pragma once
// The device-list dialog: all devices and their channels as a tree; edits
// the selected device or channel straight into its live frame (whose
// setters write "Devices.db"), adds devices through the new-device dialog
// and deletes them. Adding and deleting are refused during a run.
#include "controls/VcCheckBox.h"
#include "controls/VcDialogButtons.h"
#include "controls/VcEdit.h"
#include "controls/VcNumericEdit.h"
#include "controls/VcSpinEdit.h"
#include "controls/VcLabel.h"
#include "controls/VcPageControl.h"
#include "controls/VcTabSheet.h"
#include "controls/VcToolButton.h"
#include "controls/VcToolbar.h"
#include "controls/VcTreeView.h"
#include "ui/Form.h"
#include "ui/ImageList.h"

#include <functional>
#include <string>

class TVcFormBuilder;
class TDeviceRegistry;
class TfraDevice;
class TfraChannel;

class TfrmDeviceList : public TForm {
public:
    explicit TfrmDeviceList(TComponent* AOwner);
    ~TfrmDeviceList() override;

    TVcToolbar* toolDevice;
    TVcToolButton* btnNewDevice;
    TVcToolButton* btnDeleteDevice;
    TVcTreeView* tvDeviceList;
    TImageList* imlTrigger;
    TVcPageControl* pgcEdit;
    TVcTabSheet* tsEditDevice;
    TVcTabSheet* tsEditChannel;

    TVcLabel* lblDeviceSection;
    TVcEdit* leDeviceName;
    TVcEdit* leDeviceModel;
    TVcSpinEdit* speStationId;
    TVcLabel* lblChannelCount;
    TVcLabel* lblDVRBeginAddr;
    TVcLabel* lblValueRule;
    TVcDialogButtons* EditDeviceButtons;

    TVcLabel* lblChannelIndex;
    TVcEdit* leValueName;
    TVcEdit* leWorkUnit;
    TVcSpinEdit* speWorkDP;
    TVcNumericEdit* neRangeLow;
    TVcNumericEdit* neRangeHigh;
    TVcNumericEdit* neAlarmLowLevel;
    TVcCheckBox* ckxAlarmLowEnabled;
    TVcNumericEdit* neAlarmHighLevel;
    TVcCheckBox* ckxAlarmHighEnabled;
    TVcCheckBox* ckxIsStartTriggerChannel;
    TVcNumericEdit* neStartTriggerLevel;
    TVcSpinEdit* speStartTriggeredCount;
    TVcCheckBox* ckxIsStopTriggerChannel;
    TVcNumericEdit* neStopTriggerLevel;
    TVcSpinEdit* speStopTriggeredCount;
    TVcCheckBox* ckxAbsoluteCompare;
    TVcNumericEdit* neZeroLimitation;
    TVcCheckBox* ckbNegativeCorrection;
    TVcDialogButtons* EditChannelButtons;

    // The devices the dialog lists and edits; none: an empty list.
    void SetDevices(TDeviceRegistry* Devices) { FDevices = Devices; }
    // Set by the main window: whether a run is active (adding and deleting
    // are refused then), and how it shows the devices again once one was
    // added to the store or deleted.
    std::function<bool()> RunActive;
    std::function<void()> OnDeviceAdded;
    std::function<void()> OnDeviceDeleted;

    void BuildDeviceTree();
    void LoadDeviceFields();
    void LoadChannelFields();
    void SaveDeviceFields();
    void SaveChannelFields();
    void UpdateTriggerIcons(TTreeNode* DeviceNode);
    void SetLevelFormats(int Decimals);
    // "0" for no decimals, else "0." and one "0" per decimal place.
    static std::string DecimalMask(int Decimals);

    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void tvDeviceListClick(TObject* Sender);
    void btnNewDeviceClick(TObject* Sender);
    void btnDeleteDeviceClick(TObject* Sender);
    void EditDeviceButtonsClickOk(TObject* Sender);
    void EditDeviceButtonsClickCancel(TObject* Sender);
    void EditChannelButtonsClickOk(TObject* Sender);
    void EditChannelButtonsClickCancel(TObject* Sender);
    void EditDeviceChange(TObject* Sender);
    void EditChannelChange(TObject* Sender);
    void speWorkDPChange(TObject* Sender);

    // The device or channel of the node the pages show; null for none.
    TfraDevice* SelectedDevice() const;
    TfraChannel* SelectedChannel() const;

protected:
    void WndProc(TMessage& Message) override;

private:
    void BuildDevicePage();
    void BuildChannelPage();
    TVcNumericEdit* AddLevel(const TVcFormBuilder& Build, const char* Name, int Left, int Top);
    TVcCheckBox* AddCheck(const TVcFormBuilder& Build, const char* Name, const std::string& Caption, int Left, int Top);
    void SetButtons(TVcDialogButtons* Buttons, bool Enabled);
    bool PendingEdits() const;
    // No page, no selection, edit and delete buttons disabled.
    void ResetPages();
    bool Running() const;
    std::string DeviceNodeText(const TfraDevice* Device) const;
    static std::string ChannelNodeText(const TfraChannel* Channel);

    TDeviceRegistry* FDevices = nullptr;
    TTreeNode* FSelectedNode = nullptr;
    // The node the user declined to move to, until the input event that
    // asked is over: the tree may report that move more than once.
    TTreeNode* FRefusedNode = nullptr;
    // Loading fields or rebuilding the tree: change events are not edits.
    int FLoading = 0;
};

// The device-list dialog, owned by the application object (the program block
// makes it with Application->CreateForm). This only points at it, and is
// empty again once it is freed.
extern TfrmDeviceList* frmDeviceList;
