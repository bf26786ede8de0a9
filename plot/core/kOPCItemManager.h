#pragma once
// The OPC items of one component, in order, with the links through which
// they reach their owner; stored in the owner's stream as a collection.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plot/core/kOPCItem.h"
#include "plot/core/kOPCItemHost.h"

class TReader;
class TWriter;

class TkOPCItemManager : public TObject, public TkOPCItemHost {
public:
    struct TOwnerLinks {
        std::function<bool()> DesignMode;
        std::function<void(TkOPCItem* Item)> ValueReceived;
        std::function<TTypeKind(const std::string& PropertyName)> PropertyKind;
        TComponent* Owner = nullptr;
    };

    TkOPCItemManager();
    explicit TkOPCItemManager(TOwnerLinks Links);
    // Frees the items first to last.
    ~TkOPCItemManager() override;

    // A new item bound to this manager, appended; returns its index.
    int Add();
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TkOPCItem* Items(int Index) const;
    int IndexOf(const TkOPCItem* Item) const;
    bool HasItems() const { return !FItems.empty(); }

    // False when no query is set.
    bool IsDesignMode() const override { return FLinks.DesignMode && FLinks.DesignMode(); }
    void ValueReceived(TkOPCItem* Item) const override;
    TTypeKind PropertyKind(const std::string& PropertyName) const override;
    TComponent* GetOwner() const override { return FLinks.Owner; }
    bool IsReading() const override { return FReading; }

    // Reading replaces the items; each item read updates its owner's error
    // indication (AutoError) and connects (AutoConnect, not in design mode).
    void ReadItems(TReader& Reader);
    void WriteItems(TWriter& Writer) const;

private:
    TOwnerLinks FLinks;
    std::vector<std::unique_ptr<TkOPCItem>> FItems;
    bool FReading = false;
};
