#include "plot/channels/kPlotAxisLink.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"

double TkPlotAxisLink::GetMin() const
{
    return Axis->GetMin();
}

double TkPlotAxisLink::GetSpan() const
{
    return Axis->GetSpan();
}

int TkPlotAxisLink::ValueToPixel(double Value) const
{
    return Axis->ValueToPixel(Value);
}

TkPlotPixelScale TkPlotAxisLink::PixelScale() const
{
    return Axis->GetPixelScale();
}

double TkPlotAxisLink::PixelToValue(int Pixel) const
{
    return Axis->PixelToValue(Pixel);
}

std::string TkPlotAxisLink::GetLabelText(double Value)
{
    return Axis->GetLabelText(Value);
}

std::string TkPlotAxisLink::GetCursorText(double Value)
{
    return Axis->GetCursorText(Value);
}

std::string TkPlotAxisLink::GetCursorPlainText(double Value)
{
    return Axis->GetCursorPlainText(Value);
}

double TkPlotAxisLink::GetCursorScaler() const
{
    return Axis->GetCursorScaler();
}

void TkPlotAxisLink::TrackNewValue(double Value)
{
    Axis->TrackNewValue(Value);
}

namespace {

// A channel asks for its axes at every point added: the answer is kept
// until the axes of the kind change (one comes or goes, or is renamed).
struct TAxisLookup {
    TkPlotAxisLink Link;
    const TkPlotKindManager* Axes = nullptr;
    std::uint64_t Version = 0;
    std::string Name;
    bool Found = false;
};

}  // namespace

TkPlotChannelAxisFinder PlotAxisFinder(TkPlotMasterManager& Master)
{
    auto lookups = std::make_shared<std::array<TAxisLookup, 2>>();
    return [&Master, lookups](const TkPlotKind& Kind, const std::string& Name) -> TkPlotChannelAxis* {
        TAxisLookup& l = (*lookups)[Kind == TkPlotObjectKind::XAxis ? 0 : 1];
        const TkPlotKindManager* axes = Master.KindManager(Kind);
        if (!axes)
            return nullptr;
        if (axes != l.Axes || axes->GetNamesVersion() != l.Version || Name != l.Name) {
            TkPlotObject* found = axes->FindByName(Name);
            l.Link.Axis = static_cast<TkPlotAxis*>(found);
            l.Found = found != nullptr;
            l.Axes = axes;
            l.Version = axes->GetNamesVersion();
            l.Name = Name;
        }
        return l.Found ? &l.Link : nullptr;
    };
}
