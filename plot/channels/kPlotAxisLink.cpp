#include "plot/channels/kPlotAxisLink.h"

#include <array>
#include <memory>

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

TkPlotChannelAxisFinder PlotAxisFinder(TkPlotMasterManager& Master)
{
    auto links = std::make_shared<std::array<TkPlotAxisLink, 2>>();
    return [&Master, links](const TkPlotKind& Kind, const std::string& Name) -> TkPlotChannelAxis* {
        const bool x = Kind == TkPlotObjectKind::XAxis;
        const TkPlotKindManager* axes = Master.KindManager(Kind);
        TkPlotObject* found = axes ? axes->FindByName(Name) : nullptr;
        if (!found)
            return nullptr;
        TkPlotAxisLink& link = (*links)[x ? 0 : 1];
        link.Axis = static_cast<TkPlotAxis*>(found);
        return &link;
    };
}
