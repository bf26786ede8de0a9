#pragma once
// A channel's OPC binding: two items bound to the channel's "Data" (item 0
// gives Y, item 1 may give X) and a group manager of its own, so that the
// two items can share a group and the channel hears when the group has
// updated both. Values and group updates reach the channel on the
// user-interface thread.
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TkOPCItem;
class TkOPCItemManager;
class TkOPCManager;
class TkPlotObject;

class TkPlotChannelOPC {
public:
    struct TLinks {
        // A new value of good quality from item 0, as a number.
        std::function<void(double Value, double TimeStamp)> ValueReceived;
        // A group of the channel's own updated: both items' values.
        std::function<void(double X, double Y)> GroupUpdated;
    };

    TkPlotChannelOPC(TkPlotObject& Channel, TLinks Links);
    // Frees the items before the groups they are in.
    ~TkPlotChannelOPC();
    TkPlotChannelOPC(const TkPlotChannelOPC&) = delete;
    TkPlotChannelOPC& operator=(const TkPlotChannelOPC&) = delete;

    TkOPCItem* Item(int Index) const;
    TkOPCManager* Groups() const { return FGroups.get(); }
    // The plot the channel is on is being designed: nothing connects.
    bool DesignMode() const;
    // Nothing to connect to: without the library, or while designed.
    bool Inert() const;
    void DisconnectBoth() const;
    // Item 0's group as set: blank while it is a group of the own manager,
    // whose name (the channel's address) means nothing once stored.
    std::string GroupSetting() const;
    // A new group in the own manager, named after the channel's address and
    // on item 0's computer, server and update rate; returns its name.
    std::string AddOwnGroup() const;

private:
    bool InOwnGroup() const;
    // An item's last value as a number; none when it is not a good one.
    static std::optional<double> NumberOf(const TkOPCItem& Item);

    TkPlotObject& FChannel;
    TLinks FLinks;
    std::unique_ptr<TkOPCManager> FGroups;
    std::unique_ptr<TkOPCItemManager> FItems;
};
