// The plot's file operations: thin calls into the classes beside it that
// read and write the files, each failure wrapped in the operation's text.
#include <exception>
#include <utility>

#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotDataFile.h"
#include "plot/core/kPlotPropertyFile.h"
#include "rtl/Exception.h"

namespace {

// The component's own message, in the range kept for components, clear of
// the applications' WM_USER messages, which their hooks see as well.
constexpr UINT KM_LOGNOTICE = 0xB000 + 0x401;

template <class F> void Wrapped(const char* Text, F Run)
{
    try {
        Run();
    } catch (const std::exception& e) {
        throw Exception(std::string(Text) + e.what());
    }
}

void Fire(const TNotifyEvent& Event, TObject* Sender)
{
    if (Event)
        Event(Sender);
}

}  // namespace

void TkPlotComponent::SavePropertiesToFile(const std::string& FileName)
{
    Wrapped("Error Saving Properties - ", [&] {
        TkPlotPropertyFile(*this).SaveConfig(FileName);
        FLastPropertyFileName = FileName;
        Fire(OnAfterSaveProperties, this);
    });
}

void TkPlotComponent::LoadPropertiesFromFile(const std::string& FileName)
{
    Wrapped("Error Loading Properties - ", [&] {
        Fire(OnBeforeLoadProperties, this);
        TkPlotPropertyFile(*this).LoadConfig(FileName);
        FLastPropertyFileName = FileName;
        Fire(OnAfterLoadProperties, this);
    });
}

void TkPlotComponent::SaveAnnotationsToFile(const std::string& FileName)
{
    Wrapped("Error Saving Annotations - ", [&] { TkPlotPropertyFile(*this).SaveAnnotations(FileName); });
}

void TkPlotComponent::LoadAnnotationsFromFile(const std::string& FileName)
{
    Wrapped("Error Loading Annotations - ", [&] { TkPlotPropertyFile(*this).LoadAnnotations(FileName); });
}

void TkPlotComponent::SaveData(const std::string& FileName)
{
    Wrapped("Error Saving Data - ", [&] {
        TkPlotDataFile(*this).Save(FileName);
        FLastDataFileName = FileName;
        Fire(OnAfterSaveData, this);
    });
}

void TkPlotComponent::LoadDataFromFile(const std::string& FileName)
{
    Wrapped("Error Loading Data - ", [&] {
        BeginUpdate();
        try {
            TkPlotDataFile(*this).Load(FileName);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        FLastDataFileName = FileName;
        Fire(OnAfterLoadData, this);
    });
}

void TkPlotComponent::CheckDataFile(const std::string& FileName)
{
    Wrapped("Error Loading Data - ", [&] { TkPlotDataFile(*this).Check(FileName); });
}

void TkPlotComponent::LogActivate(bool Append)
{
    FDataLog.Activate(Append);
    FLoggingActive = true;
}

void TkPlotComponent::LogDeactivate()
{
    FDataLog.Deactivate();
    FLoggingActive = false;
}

void TkPlotComponent::ClearAllData()
{
    if (FLoggingActive)
        LogDeactivate();
    FMaster->ClearAllData();
}

void TkPlotComponent::DataPointAdded(TkPlotObject* Object)
{
    if (FLoggingActive) {
        FDataLog.PointAdded(*Object);
        ForgetClockReading();
    }
}

void TkPlotComponent::DoLogNotice(const std::string& Text)
{
    FLogNotices.push_back(Text);
    // Without a message loop there is nobody to tell; the logs' state
    // still says what went wrong.
    if (FLogNotices.size() == 1 && !PostMessage(this, KM_LOGNOTICE, 0, 0))
        FLogNotices.clear();
}

void TkPlotComponent::WndProc(TMessage& Message)
{
    if (Message.Msg != KM_LOGNOTICE) {
        TkCustomComponent::WndProc(Message);
        return;
    }
    // Points, and with them notices, may come from another thread that
    // holds the lock.
    Lock();
    const std::vector<std::string> notices = std::exchange(FLogNotices, {});
    Unlock();
    std::string text;
    for (const std::string& notice : notices)
        text += (text.empty() ? "" : "\r\n\r\n") + notice;
    if (!text.empty())
        throw EInOutError(text);
}
