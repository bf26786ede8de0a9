#include "plot/core/kOPCItemManager.h"

#include <algorithm>

#include "rtl/Exception.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"

TkOPCItemManager::TkOPCItemManager() = default;

TkOPCItemManager::TkOPCItemManager(TOwnerLinks Links) : FLinks(std::move(Links)) {}

TkOPCItemManager::~TkOPCItemManager()
{
    Clear();
}

int TkOPCItemManager::Add()
{
    FItems.push_back(std::make_unique<TkOPCItem>(this));
    return Count() - 1;
}

void TkOPCItemManager::Clear()
{
    for (auto& item : FItems)
        item.reset();
    FItems.clear();
}

TkOPCItem* TkOPCItemManager::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[static_cast<std::size_t>(Index)].get();
}

int TkOPCItemManager::IndexOf(const TkOPCItem* Item) const
{
    const auto found = std::find_if(FItems.begin(), FItems.end(), [Item](const auto& p) { return p.get() == Item; });
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

void TkOPCItemManager::ValueReceived(TkOPCItem* Item) const
{
    if (FLinks.ValueReceived)
        FLinks.ValueReceived(Item);
}

TTypeKind TkOPCItemManager::PropertyKind(const std::string& PropertyName) const
{
    return FLinks.PropertyKind ? FLinks.PropertyKind(PropertyName) : TTypeKind::tkUnknown;
}

void TkOPCItemManager::ReadItems(TReader& Reader)
{
    Clear();
    try {
        Reader.ReadCollection(
            [this]() -> TPersistent* {
                FReading = true;
                return Items(Add());
            },
            [this](TPersistent* Read) {
                FReading = false;
                auto* item = static_cast<TkOPCItem*>(Read);
                if (item->GetAutoError())
                    item->UpdateErrorIndication();
                if (item->GetAutoConnect() && !IsDesignMode())
                    item->Connect();
            });
    } catch (...) {
        FReading = false;
        throw;
    }
}

void TkOPCItemManager::WriteItems(TWriter& Writer) const
{
    Writer.WriteCollection(Count(), [this](int Index) { return Items(Index); });
}
