#pragma once
// One published property of a charting component bound to one item of an
// OPC server: received values are scaled, offset and handed to the owner
// (which writes them into the property); the program's own changes of the
// property can be written back to the server.
#include <cstdint>
#include <string>

#include "plot/core/kOPCCallbackRoute.h"
#include "plot/core/kOPCItemHost.h"
#include "plot/core/kOPCVariant.h"
#include "rtl/PublishedList.h"

class TkOPCItem : public TPersistent {
    PUBLISHED_CLASS(TkOPCItem);

public:
    explicit TkOPCItem(TkOPCItemHost* Manager);
    // Removes the subscription; a failure to do so is not raised here.
    ~TkOPCItem() override;

    const std::string& GetPropertyName() const { return FPropertyName; }
    // Also learns the kind of the property from the owner.
    void SetPropertyName(const std::string& Value);
    PUBLISHED_ACCESSORS(std::string, PropertyName);
    PUBLISHED_NODEFAULT(std::string, GroupName, "", AddressChanged());
    PUBLISHED_NODEFAULT(std::string, ComputerName, "Local", AddressChanged());
    PUBLISHED_NODEFAULT(std::string, ServerName, "", AddressChanged());
    PUBLISHED_NODEFAULT(std::string, ItemName, "", AddressChanged());
    // 0 means no scaling, no offset.
    PUBLISHED_NODEFAULT(double, Scalar, 0, );
    PUBLISHED_NODEFAULT(double, Offset, 0, );
    PUBLISHED_NODEFAULT(int, UpdateRate, 500, AddressChanged());
    bool GetUpdateSuspended() const;
    PUBLISHED_READONLY(bool, UpdateSuspended);
    bool GetAutoConnect() const { return FAutoConnect; }
    // Switching it on connects, unless the owner is loading.
    void SetAutoConnect(bool Value);
    PUBLISHED_ACCESSORS(bool, AutoConnect);
    // The owner's error indication follows the quality of the values.
    PUBLISHED_NODEFAULT(bool, AutoError, false, if (FAutoError) UpdateErrorIndication());

    // Subscribes (an old subscription is removed first) when the library is
    // there, not in design mode, and the property, a group or server and the
    // item are named.
    void Connect();
    void Disconnect();
    bool Active() const;
    void SendData(const TkVariant& Value) const;
    // The owner's error indication on unless the item is live with a value
    // of good quality (only with AutoError, an owner and the library).
    void UpdateErrorIndication() const;

    TTypeKind GetPropertyKind() const { return FPropertyKind; }
    std::int32_t GetHandle() const { return FHandle; }
    const TkOPCVariant& GetValue() const { return FValue; }
    double GetTimeStamp() const { return FTimeStamp; }
    std::uint16_t GetQuality() const { return FQuality; }

private:
    void AddressChanged();
    void RemoveSubscription();
    void NewData(const TkOPCSample& Sample);

    std::string FPropertyName;
    TTypeKind FPropertyKind = TTypeKind::tkUnknown;
    bool FAutoConnect = true;
    std::int32_t FHandle = 0;
    TkOPCCallbackRoute::TRouteId FRoute = 0;
    TkOPCVariant FValue;
    double FTimeStamp = 0;
    std::uint16_t FQuality = 0;
    TkOPCItemHost* FManager;
};
