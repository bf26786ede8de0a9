#include "app/RecordingControl.h"

#include "app/ClassTypes.h"
#include "app/RunningLogRecovery.h"
#include "app/SysOption.h"
#include "rtl/DateTime.h"
#include "rtl/FileUtils.h"
#include "rtl/NumberFormat.h"

TRecordingOptions TRecordingOptions::FromOptions(const std::string& AppDir)
{
    TRecordingOptions o;
    o.AppDir = AppDir;
    o.LogFilenameMode = optLogFilenameMode->AsInteger();
    o.Line.PortName = optCommPort->AsString();
    o.Line.BaudRate = optBaudRate->AsInteger();
    o.Line.Parity = optParity->AsInteger();
    TSampleSettings& s = o.Settings;
    s.PollDelay = optPollDelay->AsInteger();
    s.PollTimeout = optPollTimeout->AsInteger();
    s.LogInterval = optLogInterval->AsFloat();
    s.AxisFormat = optAxisFormat->AsInteger();
    s.MaxRecordPerFile = optMaxRecordPerFile->AsInteger();
    s.StartMode = optStartMode->AsInteger();
    s.StopMode = optStopMode->AsInteger();
    s.StartTriggerLogic = optStartTriggerLogic->AsInteger();
    s.StopTriggerLogic = optStopTriggerLogic->AsInteger();
    o.LogDuration = optLogDuration->AsFloat();
    o.TimeBaseLog = optTimeBaseLog->AsInteger();
    s.LogDuration = TSampleSettings::DurationSeconds(o.LogDuration, o.TimeBaseLog);
    return o;
}

TRecordingControl::~TRecordingControl()
{
    if (Running())
        StopRecording();
}

void TRecordingControl::RecordAction(const TRecordingOptions& Options,
                                     std::vector<std::unique_ptr<TSampleDevice>> Devices)
{
    const std::string dataDir = Options.AppDir + "Data";
    const std::string tempDir = Options.AppDir + "Temp";
    ForceDirectories(dataDir);
    ForceDirectories(tempDir);
    if (!DirectoryExists(dataDir)) {
        FView->ShowError("无法创建数据文件目录: " + dataDir);
        return;
    }
    if (!DirectoryExists(tempDir)) {
        FView->ShowError("无法创建工作目录: " + tempDir);
        return;
    }

    std::string logFileName;
    if (Options.LogFilenameMode == 0) {
        if (!FView->AskLogFileName(dataDir, logFileName))
            return;
    } else if (Options.LogFilenameMode == 1) {
        logFileName = dataDir + "/" + FormatDateTime("yyyymmddhhnnss", Now()) + ".csv";
    } else {
        return;
    }
    const std::string tempFileName = tempDir + "/" + RunningLogFileName;
    if (!CanKeepRecords(ExcludeTrailingPathDelimiter(ExtractFilePath(logFileName)), tempDir))
        return;

    for (const auto& device : Devices)
        if (device)
            device->ResetDevice();

    FView->SetRunState(true);
    FView->SetPollProgress(0, "");
    FView->SetLogState("");
    FView->SetElapsed("0:00:00.0");

    if (FThread)
        return;
    std::unique_ptr<TSerialPortSampleThread> made;
    try {
        made = std::make_unique<TSerialPortSampleThread>(Options.Line, tempFileName, logFileName, Options.Settings,
                                                         FView, FMakeFiles());
    } catch (...) {
        // Nothing runs: the window must not stay in the running state.
        FView->SetRunState(false);
        throw;
    }
    TSerialPortSampleThread* thread = made.get();
    for (const auto& device : Devices)
        thread->AddDevice(device.get());
    thread->SetStartMode(Options.Settings.StartMode);
    thread->SetStopMode(Options.Settings.StopMode);
    thread->SetLogDuration(Options.Settings.LogDuration);
    // A thread that lost its line, or died of another error, ends its run
    // like an automatic stop; another error itself is reported by the
    // thread exception hook.
    thread->OnTerminate = [this, thread](TObject*) {
        if (FThread.get() == thread && (thread->FatalException() || !thread->LineError().empty())) {
            FThreadEnded = true;
            FView->PostStopMessage();
        }
    };
    FRunDevices = std::move(Devices);
    FFailureShown = false;
    FThread = std::move(made);
    thread->Resume();
}

// A run whose records could go nowhere must not start: the folder the log
// goes to (a file chosen elsewhere has its own) and the work folder must
// take a file. Says which cannot, and why, when one cannot.
bool TRecordingControl::CanKeepRecords(const std::string& LogDir, const std::string& TempDir)
{
    if (!ForceDirectories(LogDir)) {
        FView->ShowError("无法创建数据文件目录: " + LogDir);
        return false;
    }
    const std::unique_ptr<TLogFileSystem> files = FMakeFiles();
    if (const std::error_code error = files->ProbeFolder(LogDir)) {
        FView->ShowError("无法写入数据文件目录: " + LogDir + " (" + error.message() + ")");
        return false;
    }
    if (const std::error_code error = files->ProbeFolder(TempDir)) {
        FView->ShowError("无法写入工作目录: " + TempDir + " (" + error.message() + ")");
        return false;
    }
    return true;
}

void TRecordingControl::StopAction(const TRecordingOptions& Options)
{
    switch (Options.Settings.StopMode) {
    case 1: {
        const int unit = Options.TimeBaseLog;
        const std::string unitName = unit >= 0 && unit < static_cast<int>(TimeUnitNames.size()) ? TimeUnitNames[unit]
                                                                                                : std::string();
        if (!FView->Confirm("采集时长未到" + FloatToStr(Options.LogDuration) + unitName + "，需要立即停止吗？"))
            return;
        break;
    }
    case 2:
        if (!FView->Confirm("未满足停止阈值触发条件，需要立即停止吗？"))
            return;
        break;
    default: break;
    }
    StopRecording();
}

// The window is idle again before any message is shown: a box must never
// stand over a run that only looks alive.
void TRecordingControl::StopRecording()
{
    std::string report;
    if (FThread) {
        FThread->Terminate();
        FThread->WaitFor();
        FThread->FinishLogFile();
        report = EndOfRunReport(*FThread);
        FThreadEnded = false;
        // No run is active any more while the thread is freed.
        FThread.reset();
        FRunDevices.clear();
    }
    FView->SetRunState(false);
    if (!report.empty())
        FView->ShowError(report);
}

// What the user must hear of a run that ended: a lost line, files that
// failed with the records they cost, and where the saved records are.
// Empty when all went well.
std::string TRecordingControl::EndOfRunReport(const TSerialPortSampleThread& Thread)
{
    const TCsvLogWriter& writer = Thread.Run().Writer();
    std::string text;
    if (!Thread.LineError().empty())
        text = "与串口 " + Thread.PortName() + " 的连接已断开，记录已停止。\r\n原因: " + Thread.LineError() + "\r\n";
    for (const std::string& line : writer.Problems())
        text += line + "\r\n";
    if (text.empty())
        return text;
    // Files that could not be moved are named where their problem is told.
    if (writer.FinishedFiles().empty() && writer.StrandedFiles().empty())
        text += "本次运行没有保存数据。\r\n";
    for (const std::string& file : writer.FinishedFiles())
        text += "数据已保存在: " + file + "\r\n";
    return text;
}

bool TRecordingControl::HandleMessage(unsigned Message)
{
    if (Message == WM_LOG_FAILURE) {
        // Only the run that failed is told of, once; a run that ended
        // meanwhile told its end.
        if (FThread && !FFailureShown && !FThread->Run().FailureNotice().empty()) {
            FFailureShown = true;
            // The run may end while the box is open.
            const std::string notice = FThread->Run().FailureNotice();
            FView->ShowError(notice);
        }
        return true;
    }
    if (Message != WM_STOP_RECORDING)
        return false;
    // Only the run that posted the message ends; one left over from an
    // earlier run must not stop a new one.
    if (!FThread || FThread->Run().AutoStopped() || FThreadEnded)
        StopRecording();
    return true;
}

void TRecordingControl::RecoverRunningLogs(const std::string& AppDir)
{
    const std::unique_ptr<TLogFileSystem> files = FMakeFiles();
    const std::string told = ::RecoverRunningLogs(AppDir + "Temp", AppDir + "Data", *files);
    if (!told.empty())
        FView->ShowError(told);
}
