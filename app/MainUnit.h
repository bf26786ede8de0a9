#pragma once
// The main window: the toolbar that starts and stops recording runs and
// opens the dialogs, the scroll box of device frames, the status bar, the
// application of the options, and the end-of-run message hook.
#include "app/RecordingControl.h"
#include "controls/VcLabel.h"
#include "controls/VcPanel.h"
#include "controls/VcRegIniFile.h"
#include "controls/VcStatusBar.h"
#include "controls/VcStatusPane.h"
#include "controls/VcProgressStatus.h"
#include "controls/VcVersionInfo.h"
#include "controls/VcVersionInfoStatus.h"
#include "controls/VcToolButton.h"
#include "controls/VcToolbar.h"
#include "ui/Application.h"
#include "ui/ApplicationEvents.h"
#include "ui/OpenDialog.h"
#include "ui/SaveDialog.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ScrollBox.h"

#include <memory>
#include <string>

class TComPort;
class TVcFormBuilder;
class TComDataPacket;
class TDeviceRegistry;

class TfrmMain : public TForm, public TRecordingView {
public:
    explicit TfrmMain(TComponent* AOwner);
    ~TfrmMain() override;

    TVcPanel* pnlToolBar;
    TVcToolbar* toolMain;
    TImageList* imlMain;
    TVcToolButton* btnRecord;
    TVcToolButton* btnStop;
    TVcToolButton* btnChangeOptions;
    TVcToolButton* btnArrangeDevices;
    TVcToolButton* btnDeviceList;
    TVcToolButton* btnExit;
    TVcPanel* pnlPollingState;
    TVcLabel* lblElapsed;
    TScrollBox* srxDevices;
    TVcPanel* pnlNoneDevice;
    TVcStatusBar* stbMain;
    TVcStatusPane* spPort;
    TVcStatusPane* spBaud;
    TVcVersionInfoStatus* spVersion;
    TVcStatusPane* spAuthor;
    TVcStatusPane* spLogState;
    TVcProgressStatus* psbPolling;
    TVcStatusPane* lblPollingId;
    TSaveDialog* SaveDialog1;
    TVcVersionInfo* vf1;
    TVcRegIniFile* sysIni;
    TComPort* ComPort1;
    TComDataPacket* ComDataPacket1;
    TApplicationEvents* ApplicationEvents1;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormDestroy(TObject* Sender);
    void btnRecordClick(TObject* Sender);
    void btnStopClick(TObject* Sender);
    void btnChangeOptionsClick(TObject* Sender);
    void btnDeviceListClick(TObject* Sender);
    void btnArrangeDevicesClick(TObject* Sender);
    void btnExitClick(TObject* Sender);
    void ApplicationEvents1Message(TMsg& Msg, bool& Handled);

    // The options shown in the status bar and caption, and applied to
    // every device frame.
    void ApplyOptions();
    // Stacks the device frames from the top in list order.
    void ArrangeDevices();
    // Ends the run, if any, and returns the toolbar to idle.
    void StopRecording();
    bool RunActive() const;
    // Rebuilds every device frame from "Devices.db" and arranges them;
    // returns the number of devices.
    int LoadDeviceFrames();
    // The empty-list panel and the record and arrange buttons by whether
    // devices exist.
    void UpdateDeviceControls();
    // The devices shown in srxDevices, which this window owns.
    TDeviceRegistry& Devices() const { return *FDevices; }

    // What the recording run shows and asks.
    void SetLogState(const std::string& Text) override;
    void SetElapsed(const std::string& Text) override;
    void SetPollProgress(int PartsComplete, const std::string& StationText) override;
    void PostStopMessage() override;
    void PostLogFailureMessage() override;
    void SetRunState(bool Running) override;
    void ShowError(const std::string& Text) override;
    bool Confirm(const std::string& Text) override;
    bool AskLogFileName(const std::string& InitialDir, std::string& FileName) override;

private:
    void ConnectDialogs();
    void DisconnectDialogs();
    static TVcStatusPane* AddPane(const TVcFormBuilder& Build, const char* Name, TAlign Align);
    TRecordingOptions RecordingOptions() const;
    bool HasDevices() const;

    // Declared before the recording control, whose run polls the frames:
    // a run still going when the window is destroyed ends first.
    std::unique_ptr<TDeviceRegistry> FDevices;
    std::unique_ptr<TRecordingControl> FRecording;
    bool FDevicesLoaded = false;
};

// The main window, owned by the application object (the program block
// makes it with Application->CreateForm). This only points at it, and is
// empty again once it is freed.
extern TfrmMain* frmMain;

// The executable's directory with a trailing separator.
std::string AppDir();
// The window caption for the program-title option.
std::string MainCaption(const std::string& ProgramTitle);
// The owner pane's text for the "Author" option.
std::string OwnerLine(const std::string& Author);
