#include "plot/channels/kPlotChannelOPC.h"

#include <cstdio>
#include <type_traits>
#include <utility>
#include <variant>

#include "plot/core/kComponent.h"
#include "plot/core/kOPCDLLLoader.h"
#include "plot/core/kOPCItemManager.h"
#include "plot/core/kOPCManager.h"
#include "plot/core/kOPCVariant.h"
#include "plot/core/kPlotObject.h"
#include "rtl/NumberFormat.h"

TkPlotChannelOPC::TkPlotChannelOPC(TkPlotObject& Channel, TLinks Links)
    : FChannel(Channel),
      FLinks(std::move(Links)),
      FGroups(std::make_unique<TkOPCManager>(nullptr))
{
    FGroups->OnAfterGroupUpdate = [this](TObject*, const std::string&) {
        const std::optional<double> x = NumberOf(*Item(1));
        const std::optional<double> y = NumberOf(*Item(0));
        if (x && y && FLinks.GroupUpdated)
            FLinks.GroupUpdated(*x, *y);
    };
    TkOPCItemManager::TOwnerLinks links;
    links.DesignMode = [this] { return DesignMode(); };
    links.ValueReceived = [this](TkOPCItem* Received) {
        if (Received != Item(0) || !FLinks.ValueReceived)
            return;
        if (const std::optional<double> value = NumberOf(*Received))
            FLinks.ValueReceived(*value, Received->GetTimeStamp());
    };
    links.PropertyKind = [](const std::string&) { return TTypeKind::tkFloat; };
    links.Owner = dynamic_cast<TComponent*>(Channel.GetOwner());
    FItems = std::make_unique<TkOPCItemManager>(std::move(links));
    for (int i = 0; i < 2; ++i)
        FItems->Items(FItems->Add())->SetPropertyName("Data");
}

TkPlotChannelOPC::~TkPlotChannelOPC()
{
    FItems.reset();
    FGroups.reset();
}

TkOPCItem* TkPlotChannelOPC::Item(int Index) const
{
    return FItems->Items(Index);
}

bool TkPlotChannelOPC::DesignMode() const
{
    auto* plot = dynamic_cast<TkComponent*>(FChannel.GetOwner());
    return plot && plot->IsDesignMode();
}

bool TkPlotChannelOPC::Inert() const
{
    return OPCLibraryMissing() || DesignMode();
}

void TkPlotChannelOPC::DisconnectBoth() const
{
    Item(0)->Disconnect();
    Item(1)->Disconnect();
}

std::string TkPlotChannelOPC::GroupSetting() const
{
    return InOwnGroup() ? std::string() : Item(0)->GetGroupName();
}

bool TkPlotChannelOPC::InOwnGroup() const
{
    return FGroups->IndexOfGroup(Item(0)->GetGroupName()) >= 0;
}

std::string TkPlotChannelOPC::AddOwnGroup() const
{
    char name[32];
    std::snprintf(name, sizeof name, "%p", static_cast<const void*>(&FChannel));
    const TkOPCItem* item = Item(0);
    FGroups->AddGroup(name, item->GetComputerName(), item->GetUpdateRate(), item->GetServerName());
    return name;
}

std::optional<double> TkPlotChannelOPC::NumberOf(const TkOPCItem& Item)
{
    if (!OPCQualityIsGood(Item.GetQuality()))
        return std::nullopt;
    return std::visit(
        [](const auto& Value) -> std::optional<double> {
            using V = std::decay_t<decltype(Value)>;
            if constexpr (std::is_same_v<V, std::string>) {
                double number = 0;
                return TryStrToFloat(Value, number) ? std::optional<double>(number) : std::nullopt;
            } else if constexpr (std::is_same_v<V, std::monostate>) {
                return std::nullopt;
            } else {
                return static_cast<double>(Value);
            }
        },
        Item.GetValue().Value);
}
