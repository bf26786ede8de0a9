#include "plot/core/kOPCItem.h"

#include <utility>

#include "plot/core/kComponent.h"
#include "plot/core/kOPCDLLLoader.h"
#include "rtl/StrUtils.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkOPCItem>("TkOPCItem");
    return true;
}();

TkComponent* ChartingOwner(const TkOPCItemHost* Manager)
{
    return Manager ? dynamic_cast<TkComponent*>(Manager->GetOwner()) : nullptr;
}

}  // namespace

TkOPCItem::TkOPCItem(TkOPCItemHost* Manager) : FManager(Manager)
{
    (void)Registered;
}

TkOPCItem::~TkOPCItem()
{
    try {
        Disconnect();
    } catch (const std::exception&) {
        // The item is gone either way; its callbacks were closed off.
    }
}

void TkOPCItem::SetPropertyName(const std::string& Value)
{
    FPropertyName = Value;
    FPropertyKind = FManager ? FManager->PropertyKind(Value) : TTypeKind::tkUnknown;
}

void TkOPCItem::AddressChanged()
{
    if (Active())
        Connect();
}

void TkOPCItem::SetAutoConnect(bool Value)
{
    FAutoConnect = Value;
    if (OPCLibraryMissing() || !FManager || !FManager->GetOwner() || !FAutoConnect)
        return;
    const TComponent* owner = FManager->GetOwner();
    const auto* charting = dynamic_cast<const TkComponent*>(owner);
    if (!(charting ? charting->IsLoading() : owner->IsLoading()) && !FManager->IsReading())
        Connect();
}

bool TkOPCItem::GetUpdateSuspended() const
{
    return !OPCLibraryMissing() && FHandle != 0 && TkOPCDLL::Instance().SignalGetUpdateSuspended(FHandle);
}

void TkOPCItem::Connect()
{
    if (OPCLibraryMissing() || !FManager || FManager->IsDesignMode())
        return;
    if (FAutoError)
        UpdateErrorIndication();
    // Whatever follows, the old subscription goes: two would both write
    // into the property.
    RemoveSubscription();
    if (Trim(FPropertyName).empty() || (Trim(FGroupName).empty() && Trim(FServerName).empty()) ||
        Trim(FItemName).empty())
        return;
    const TkOPCCallbackRoute::TRouteId route = TkOPCCallbackRoute::OpenData(
        [this](const TkOPCSample& Sample) { NewData(Sample); });
    try {
        const std::uint16_t requested = FPropertyKind == TTypeKind::tkString ? KOPC_VT_BSTR : KOPC_VT_EMPTY;
        FHandle = TkOPCDLL::Instance().SignalAdd(FComputerName, FServerName, FItemName, FGroupName, FUpdateRate, false,
                                                 requested, TkOPCCallbackRoute::SignalCallback(route));
    } catch (...) {
        TkOPCCallbackRoute::Close(route);
        throw;
    }
    FRoute = route;
}

void TkOPCItem::Disconnect()
{
    if (!OPCLibraryMissing())
        RemoveSubscription();
}

void TkOPCItem::RemoveSubscription()
{
    if (FHandle == 0)
        return;
    const std::int32_t handle = std::exchange(FHandle, 0);
    const TkOPCCallbackRoute::TRouteId route = std::exchange(FRoute, 0);
    try {
        TkOPCDLL::Instance().SignalRemove(handle);
    } catch (...) {
        TkOPCCallbackRoute::Close(route);
        throw;
    }
    TkOPCCallbackRoute::Close(route);
}

bool TkOPCItem::Active() const
{
    return FManager && !FManager->IsDesignMode() && !OPCLibraryMissing() && FHandle != 0 &&
           TkOPCDLL::Instance().SignalGetActive(FHandle);
}

void TkOPCItem::SendData(const TkVariant& Value) const
{
    if (!OPCLibraryMissing())
        TkOPCDLL::Instance().SignalSendData(FHandle, Value);
}

void TkOPCItem::UpdateErrorIndication() const
{
    TkComponent* owner = ChartingOwner(FManager);
    if (!FAutoError || !owner || OPCLibraryMissing())
        return;
    owner->SetErrorActive(!(Active() && OPCQualityIsGood(FQuality)));
}

void TkOPCItem::NewData(const TkOPCSample& Sample)
{
    FValue = Sample.Value;
    FTimeStamp = Sample.TimeStamp;
    FQuality = Sample.Quality;
    const bool good = OPCQualityIsGood(FQuality);
    if (good)
        FValue = ScaleOPCValue(FValue, FScalar, FOffset);
    if (FAutoError) {
        TkComponent* owner = ChartingOwner(FManager);
        if (owner && Active())
            owner->SetErrorActive(!good);
    }
    if (FManager)
        FManager->ValueReceived(this);
}
