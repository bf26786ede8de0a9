#pragma once
// The options dialog: creates every option at start-up and edits them on
// three pages (communication, display, logging).
#include "controls/VcComboBox.h"
#include "controls/VcDialogButtons.h"
#include "controls/VcEdit.h"
#include "controls/VcNumericEdit.h"
#include "controls/VcSpinEdit.h"
#include "controls/VcLabel.h"
#include "controls/VcPageControl.h"
#include "controls/VcTabSheet.h"
#include "controls/VcRadioGroup.h"
#include "controls/VcBitBtn.h"
#include "ui/Form.h"

#include <functional>
#include <memory>

class TOptionList;
class TVcFormBuilder;

class TfrmSetup : public TForm {
public:
    // The options are created when the form is (OnCreate), from the store
    // set with SetOptionStore; they are freed with the form.
    explicit TfrmSetup(TComponent* AOwner);
    ~TfrmSetup() override;

    TVcPageControl* pgcSetup;
    TVcTabSheet* tsComm;
    TVcTabSheet* tsDisplay;
    TVcTabSheet* tsLog;
    TVcComboBox* cbxPort;
    TVcComboBox* cbxBaud;
    TVcComboBox* cbxParity;
    TVcSpinEdit* spePollDelay;
    TVcSpinEdit* spePollTimeout;
    TVcComboBox* cbxXAxisFormat;
    TVcNumericEdit* neXSpan;
    TVcComboBox* cbxTimeBaseX;
    TVcLabel* lblSampleNumber;
    TVcNumericEdit* neChannelRingBufferSize;
    TVcRadioGroup* rgLogFilenameMode;
    TVcRadioGroup* rgStartMode;
    TVcRadioGroup* rgStartTriggerLogic;
    TVcRadioGroup* rgStopMode;
    TVcRadioGroup* rgStopTriggerLogic;
    TVcLabel* lblLogDuration;
    TVcEdit* leLogDuration;
    TVcLabel* lblTimeBaseLog;
    TVcComboBox* cbxTimeBaseLog;
    TVcNumericEdit* neLogInterval;
    TVcSpinEdit* speMaxRecordPerFile;
    TVcBitBtn* btnTriggerChannels;
    TVcDialogButtons* DialogButtons;

    // Set by the main window: whether a run is active, how the options
    // reach the main window and the devices, and the device-list dialog.
    std::function<bool()> RunActive;
    std::function<void()> OnApplyOptions;
    std::function<void()> OnSelectTriggerChannels;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void cbxXAxisFormatChange(TObject* Sender);
    void ModeClick(TObject* Sender);
    void btnTriggerChannelsClick(TObject* Sender);
    void DialogButtonsClickOk(TObject* Sender);
    void DialogButtonsClickCancel(TObject* Sender);

    // The control's text as a number; otherwise a message box, the focus on
    // the control, and false.
    bool CheckFloatText(TVcEdit* Control, double& Value);

private:
    static TVcRadioGroup* AddRadioGroup(const TVcFormBuilder& Build, const char* Name, const std::string& Caption,
                                        std::initializer_list<const char*> Items, int Left, int Top, int Height);
    void ApplyXFormat();
    void ApplyEnabling();
    static void FillTimeUnits(TVcComboBox* Combo);

    // Values shown by FormShow; a control still showing its clamped value
    // keeps a stored value outside its range.
    int FShownPollDelay = 0;
    int FShownPollTimeout = 0;
    int FShownMaxRecordPerFile = 0;
    int FShownRingBufferSize = 0;
    // Every option of the program, made when the form is created.
    std::unique_ptr<TOptionList> FOptions;
};

// The options dialog, owned by the application object (the program block
// makes it with Application->CreateForm). This only points at it, and is
// empty again once it is freed.
extern TfrmSetup* frmSetup;
