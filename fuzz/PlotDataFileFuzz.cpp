// A plot's data file from an untrusted source, in either layout: reading
// it into a two-channel plot ends (no layout loops without reading), fails
// only with a read or conversion error, and whatever the plot then holds
// saves in the plot's own format and reads back into a plot that saves the
// same bytes.
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "plot/channels/kPlot.h"
#include "plot/core/kPlotDataFile.h"
#include "rtl/Exception.h"
#include "ui/Application.h"

namespace {

std::unique_ptr<TkPlot> MakePlot(bool Compact)
{
    auto plot = std::make_unique<TkPlot>(nullptr);
    plot->AddChannel();
    plot->SetDataFileFormat(Compact ? kpdffCompactInterval : kpdffText);
    return plot;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Application->Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string bytes(reinterpret_cast<const char*>(Data), Size);
    const bool compact = Size > 0 && (Data[0] & 1);
    auto plot = MakePlot(compact);
    try {
        TkPlotDataFile(*plot).Read(bytes);
    } catch (const Exception&) {
        // Invalid Data, or a cell that is no number: what was read stays.
    }
    const std::string saved = TkPlotDataFile(*plot).Bytes();
    auto copy = MakePlot(compact);
    TkPlotDataFile(*copy).Read(saved);
    const std::string again = TkPlotDataFile(*copy).Bytes();
    auto third = MakePlot(compact);
    TkPlotDataFile(*third).Read(again);
    FUZZ_CHECK(TkPlotDataFile(*third).Bytes() == again);
    return 0;
}
