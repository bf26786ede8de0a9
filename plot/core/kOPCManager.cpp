#include "plot/core/kOPCManager.h"

#include "plot/core/kOPCDLLLoader.h"
#include "plot/core/kOPCGroupStream.h"
#include "rtl/Exception.h"
#include "rtl/PublishedProperties.h"
#include "rtl/Reader.h"
#include "rtl/StrUtils.h"
#include "rtl/Writer.h"
#include "ui/Canvas.h"
#include "ui/PopupMenu.h"

namespace {

constexpr int ManagerSize = 28;

const bool Registered = [] {
    RegisterPublishedClass<TkOPCGroupStream>("TkOPCGroupStream");
    using T = TkOPCManager;
    RegisterPublishedClass<TkOPCManager>(
        "TkOPCManager",
        TPropertyListBuilder<T>()
            .Integer(
                "Width", [](const T& c) { return c.GetWidth(); }, [](T& c, std::int64_t v) { c.SetWidth(int(v)); },
                ManagerSize)
            .Integer(
                "Height", [](const T& c) { return c.GetHeight(); }, [](T& c, std::int64_t v) { c.SetHeight(int(v)); },
                ManagerSize)
            .Boolean(
                "Visible", [](const T& c) { return c.GetVisible(); },
                [](T& c, std::int64_t v) { c.SetVisible(v != 0); }, false)
            .Object(
                "PopupMenu", "TPopupMenu", [](const T& c) { return c.GetPopupMenu(); }, false)
            .Method("OnAfterGroupUpdate", "TGroupUpdateEvent", [](const T& c) { return bool(c.OnAfterGroupUpdate); })
            .Method("OnBeforeGroupUpdate", "TGroupUpdateEvent", [](const T& c) { return bool(c.OnBeforeGroupUpdate); })
            .Take());
    return true;
}();

}  // namespace

TkOPCManager::TkOPCManager(TComponent* AOwner) : TCustomControl(AOwner)
{
    (void)Registered;
    FAccepted = TkOPCDLL::Instance().ManagerCreated() != 0;
    SetBounds(GetLeft(), GetTop(), ManagerSize, ManagerSize);
    if (!(ComponentState() & csDesigning))
        SetVisible(false);
    FRoute = TkOPCCallbackRoute::OpenGroups([this](std::int32_t Group, bool Begin) { GroupUpdate(Group, Begin); });
}

TkOPCManager::~TkOPCManager()
{
    while (!FGroups.empty()) {
        try {
            DeleteGroup(0);
        } catch (const std::exception&) {
            // The group is gone on this side whatever the library says.
            FGroups.erase(FGroups.begin());
        }
    }
    TkOPCCallbackRoute::Close(FRoute);
    if (FAccepted)
        TkOPCDLL::Instance().ManagerDestroyed();
}

void TkOPCManager::SetBounds(int ALeft, int ATop, int, int)
{
    TCustomControl::SetBounds(ALeft, ATop, ManagerSize, ManagerSize);
}

int TkOPCManager::AddGroup(const std::string& Name, const std::string& ComputerName, int UpdateRate,
                           const std::string& OPCServerName)
{
    FGroups.push_back(std::make_unique<TkOPCGroupObject>(Name, ComputerName, OPCServerName, UpdateRate));
    if (!OPCLibraryMissing())
        FGroups.back()->FHandle = TkOPCDLL::Instance().GroupAdd(Name, ComputerName, OPCServerName, UpdateRate,
                                                                TkOPCCallbackRoute::GroupCallback(FRoute));
    return GroupCount() - 1;
}

void TkOPCManager::DeleteGroup(int Index)
{
    TkOPCGroupObject* group = Groups(Index);
    if (group->FHandle != 0)
        TkOPCDLL::Instance().GroupDelete(group->FHandle);
    FGroups.erase(FGroups.begin() + Index);
}

void TkOPCManager::ClearGroups()
{
    while (!FGroups.empty())
        DeleteGroup(0);
}

TkOPCGroupObject* TkOPCManager::Groups(int Index) const
{
    if (Index < 0 || Index >= GroupCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FGroups[static_cast<std::size_t>(Index)].get();
}

int TkOPCManager::IndexOfGroup(const std::string& Name) const
{
    const std::string wanted = UpperCase(Name);
    for (int i = 0; i < GroupCount(); ++i)
        if (UpperCase(FGroups[static_cast<std::size_t>(i)]->GetName()) == wanted)
            return i;
    return -1;
}

TkOPCGroupObject* TkOPCManager::GroupByHandle(std::int32_t Handle) const
{
    for (const auto& group : FGroups)
        if (group->FHandle == Handle)
            return group.get();
    return nullptr;
}

void TkOPCManager::GroupUpdate(std::int32_t Handle, bool Begin)
{
    const TkOPCGroupObject* group = Handle != 0 ? GroupByHandle(Handle) : nullptr;
    const std::string name = group ? group->GetName() : std::string();
    const TGroupUpdateEvent& event = Begin ? OnBeforeGroupUpdate : OnAfterGroupUpdate;
    if (event)
        event(this, name);
}

void TkOPCManager::DefineProperties(TFiler& Filer)
{
    TCustomControl::DefineProperties(Filer);
    // A full image (written to restore after a failed read) says "none"
    // too, so that reading it back empties what the failed read filled.
    const auto* writer = dynamic_cast<const TWriter*>(&Filer);
    Filer.DefineProperty(
        "Groups", [this](TReader& R) { ReadGroups(R); }, [this](TWriter& W) { WriteGroups(W); },
        (writer && writer->WriteDefaults) || !FGroups.empty());
}

void TkOPCManager::ReadGroups(TReader& Reader)
{
    ClearGroups();
    std::unique_ptr<TkOPCGroupStream> record;
    Reader.ReadCollection(
        [&]() -> TPersistent* {
            record = std::make_unique<TkOPCGroupStream>();
            return record.get();
        },
        [&](TPersistent*) {
            AddGroup(record->GetName(), record->GetComputerName(), record->GetUpdateRate(), record->GetOPCServerName());
        });
}

void TkOPCManager::WriteGroups(TWriter& Writer) const
{
    TkOPCGroupStream record;
    Writer.WriteCollection(GroupCount(), [&](int Index) -> const TPersistent* {
        const TkOPCGroupObject* group = Groups(Index);
        record.SetName(group->GetName());
        record.SetComputerName(group->GetComputerName());
        record.SetOPCServerName(group->GetOPCServerName());
        record.SetUpdateRate(group->GetUpdateRate());
        return &record;
    });
}

void TkOPCManager::Paint()
{
    const TRect r(0, 0, GetWidth(), GetHeight());
    Canvas->Pen->SetColor(clBtnHighlight);
    Canvas->MoveTo(r.Left, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Top);
    Canvas->LineTo(r.Right - 1, r.Top);
    Canvas->Pen->SetColor(clBtnShadow);
    Canvas->LineTo(r.Right - 1, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Bottom - 1);
}
