#pragma once
// A small non-visual control that owns named OPC groups, so that items
// which must update together share one group, and reports each group's
// updates. Hidden at run time.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plot/core/kOPCCallbackRoute.h"
#include "plot/core/kOPCGroupObject.h"
#include "ui/Control.h"
#include "ui/CustomControl.h"

class TReader;
class TWriter;

using TGroupUpdateEvent = std::function<void(TObject* Sender, const std::string& GroupName)>;

class TkOPCManager : public TCustomControl {
public:
    explicit TkOPCManager(TComponent* AOwner);
    // Deletes every group; failures are not raised here.
    ~TkOPCManager() override;

    // Appends a group, subscribed when the library is there; returns its index.
    int AddGroup(const std::string& Name, const std::string& ComputerName, int UpdateRate,
                 const std::string& OPCServerName);
    void DeleteGroup(int Index);
    void ClearGroups();
    int GroupCount() const { return static_cast<int>(FGroups.size()); }
    TkOPCGroupObject* Groups(int Index) const;
    // Ignoring case; -1 when absent.
    int IndexOfGroup(const std::string& Name) const;
    TkOPCGroupObject* GroupByHandle(std::int32_t Handle) const;
    // Whether the library took this manager on.
    bool GetAccepted() const { return FAccepted; }

    TGroupUpdateEvent OnBeforeGroupUpdate;
    TGroupUpdateEvent OnAfterGroupUpdate;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    void Paint() override;

private:
    void GroupUpdate(std::int32_t Handle, bool Begin);
    void ReadGroups(TReader& Reader);
    void WriteGroups(TWriter& Writer) const;

    bool FAccepted = false;
    TkOPCCallbackRoute::TRouteId FRoute = 0;
    std::vector<std::unique_ptr<TkOPCGroupObject>> FGroups;
};
