// The plot's file operations: thin calls into the classes beside it that
// read and write the files, each failure wrapped in the operation's text.
#include <exception>

#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotDataFile.h"
#include "plot/core/kPlotPropertyFile.h"
#include "rtl/Exception.h"

namespace {

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
    if (FLoggingActive)
        FDataLog.PointAdded(*Object);
}
