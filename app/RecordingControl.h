#pragma once
// The record and stop actions of the main window's toolbar, the end of a
// run, and the messages a run posts; the window itself only forwards to it.
#include "app/SampleView.h"
#include "app/SamplingRun.h"
#include "app/SerialPortSampleThreadUnit.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The end-of-run message the sampling thread posts (WM_USER + 101).
constexpr unsigned WM_STOP_RECORDING = 0x400 + 101;
// The message a run posts when its log can no longer be written.
constexpr unsigned WM_LOG_FAILURE = 0x400 + 110;

// What the main window shows and asks during runs.
class TRecordingView : public TSampleView {
public:
    // Toolbar and status bar for a running or an idle program.
    virtual void SetRunState(bool Running) = 0;
    // A message box with the caption "错误" and the error icon.
    virtual void ShowError(const std::string& Text) = 0;
    // A message box with the caption "警告", Yes and No: true for Yes.
    virtual bool Confirm(const std::string& Text) = 0;
    // The save dialog for the log file, starting in InitialDir; false when
    // cancelled.
    virtual bool AskLogFileName(const std::string& InitialDir, std::string& FileName) = 0;
};

// The options a run is started with.
struct TRecordingOptions {
    std::string AppDir;       // the executable's directory, with a trailing '/'
    int LogFilenameMode = 0;  // 0 ask, 1 from the start time
    TSampleLine Line;
    TSampleSettings Settings;   // LogDuration in seconds
    double LogDuration = 10.0;  // as set, in TimeBaseLog units
    int TimeBaseLog = 0;

    // From the program's options (created by the setup dialog).
    static TRecordingOptions FromOptions(const std::string& AppDir);
};

// Makes the file layer a run writes its log through.
using TLogFileSystemMaker = std::function<std::unique_ptr<TLogFileSystem>()>;

class TRecordingControl {
public:
    explicit TRecordingControl(
        TRecordingView* View, TLogFileSystemMaker MakeFiles = [] { return std::make_unique<TLogFileSystem>(); })
        : FView(View),
          FMakeFiles(std::move(MakeFiles))
    {
    }
    ~TRecordingControl();
    TRecordingControl(const TRecordingControl&) = delete;
    TRecordingControl& operator=(const TRecordingControl&) = delete;

    // btnRecord. Devices are the run's view of the instruments, in polling
    // order: kept for the run's lifetime and freed once its thread is gone,
    // or at once when no run starts. A run whose log folder or work folder
    // cannot be written does not start. Raises the serial library's error
    // when the port cannot be opened, after putting the window back to idle.
    void RecordAction(const TRecordingOptions& Options, std::vector<std::unique_ptr<TSampleDevice>> Devices);
    // btnStop: asks first when the run would end by itself.
    void StopAction(const TRecordingOptions& Options);
    // Ends the run (waiting for the thread while serving its hand-overs),
    // finishes the log, puts the window back to idle, and then reports a
    // lost line, files that failed, and where the saved records are.
    void StopRecording();
    // The messages of a run (true when it is one of them). The end-of-run
    // message ends the run that stopped itself, lost its line or whose
    // thread died; the log-failure message tells the run's first failure
    // to write its log, while the run goes on.
    bool HandleMessage(unsigned Message);
    // At start-up, before any run: the logs of runs that never finished go
    // to the data folder, and a box says where each went.
    void RecoverRunningLogs(const std::string& AppDir);

    bool Running() const { return FThread != nullptr; }

private:
    bool CanKeepRecords(const std::string& LogDir, const std::string& TempDir);
    static std::string EndOfRunReport(const TSerialPortSampleThread& Thread);

    TRecordingView* FView;
    TLogFileSystemMaker FMakeFiles;
    // What the running thread polls: freed only after the thread itself.
    std::vector<std::unique_ptr<TSampleDevice>> FRunDevices;
    // The sampling thread of the run; empty when no run is active.
    std::unique_ptr<TSerialPortSampleThread> FThread;
    bool FThreadEnded = false;   // the running thread ended by itself (line lost, error)
    bool FFailureShown = false;  // the running thread's log failure was told
};
