// The plot's file operations: thin calls into the classes beside it that
// read and write the files, each failure wrapped in the operation's text.
#include <exception>

#include "plot/core/kPlotComponent.h"
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
