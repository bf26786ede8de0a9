// The channel kind. Its manager holds channels of every class derived from
// TkPlotChannelCustom; a new one is a trace channel unless the plot says
// otherwise (TkPlotMasterManager::SetChannelClass, or Add with a class).
// The plot's stream names each trace or X-Y channel's class.
#include <algorithm>
#include <iterator>
#include <typeinfo>

#include "plot/channels/kPlotAxisLink.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kXYPlotChannel.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"

namespace {

// The first palette colour that the fewest channels use (the new one
// included, with the colour it has so far); red while there is one channel.
TColor NextChannelColor(const TkPlotTypedKindManager<TkPlotChannelCustom>& Channels)
{
    static constexpr TColor Palette[] = {
        0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080, 0x008000, 0x008080,
        0x800000, 0x800080, 0x808000, 0x808080, 0x0000C0, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000,
        0xC0C0C0, 0x0080FF, 0x8000FF, 0x8080FF, 0xFF0080, 0xFF8000, 0xFF8080, 0x00FF80, 0x80FF00, 0x80FF80,
    };
    if (Channels.GetCount() < 2)
        return Palette[0];
    int counts[std::size(Palette)] = {};
    for (int i = 0; i < Channels.GetCount(); ++i) {
        const TColor c = Channels.GetItem(i)->GetColor();
        for (std::size_t p = 0; p < std::size(Palette); ++p)
            if (Palette[p] == c)
                ++counts[p];
    }
    const std::size_t best = std::min_element(std::begin(counts), std::end(counts)) - std::begin(counts);
    return Palette[best];
}

// A new channel is titled with its name, takes the next free colour and
// is drawn against the first axes.
void FirstLinks(TkPlotObject& Object, TkPlotMasterManager& Master)
{
    auto& channel = static_cast<TkPlotChannelCustom&>(Object);
    channel.SetTitleText(channel.GetName());
    channel.SetColor(NextChannelColor(*Master.ChannelManager()));
    if (const TkPlotObject* x = Master.FirstOf(TkPlotObjectKind::XAxis))
        channel.SetXAxisName(x->GetName());
    if (const TkPlotObject* y = Master.FirstOf(TkPlotObjectKind::YAxis))
        channel.SetYAxisName(y->GetName());
}

// A plot holds trace and X-Y channels side by side.
constexpr TkPlotNamedClass ChannelClasses[] = {
    {"TkPlotChannel", NewPlotObject<TkPlotChannel>, &typeid(TkPlotChannel)},
    {"TkXYPlotChannel", NewPlotObject<TkXYPlotChannel>, &typeid(TkXYPlotChannel)},
};

}  // namespace

constinit const TkPlotKind TkPlotObjectKind::Channel{
    .Name = "Channel",
    .DefaultName = "Channel",
    .Order = 600,
    // Freed before the axes it is drawn against.
    .FreeOrder = 350,
    .NewManager = NewPlotKindManager<TkPlotChannelCustom>,
    .NewObject = NewPlotObject<TkPlotChannel>,
    .Link =
        [](TkPlotObject& Object, TkPlotMasterManager& Master) {
            static_cast<TkPlotChannelCustom&>(Object).AxisFinder = PlotAxisFinder(Master);
        },
    .FirstLinks = FirstLinks,
    .Classes = ChannelClasses,
    .PreDrawn = true,
    // Drawn once the pre-draw pass found it drawable.
    .Paint =
        [](const TkPlotObject& Object) {
            return Object.GetPrepared() ? TkPlotPaintPlace{.Stage = TkPlotPaintPlace::InDataView, .Group = 'F'}
                                        : TkPlotPaintPlace{};
        },
    // The hint of a data point goes as the mouse moves on.
    .HintHidesOnMove = true,
    .ConfigRank = 10,
    .ConfigLoad = TkPlotConfigLoad::Replace,
};

namespace {

const bool Registered = RegisterPlotKind(TkPlotObjectKind::Channel);

}  // namespace
