#include "plot/core/kPlotObjectManager.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "rtl/Reader.h"
#include "rtl/StrUtils.h"
#include "rtl/Writer.h"

// ---------------------------------------------------------------- TkPlotObjectManagerCustom

TkPlotObjectManagerCustom::TkPlotObjectManagerCustom(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : FOwner(AOwner),
      FCallbacks(CheckPlotCallbacks(AOwner, Callbacks, "Owner must be Assigned"))
{
    NamesChanged();
}

void TkPlotObjectManagerCustom::NamesChanged()
{
    static std::uint64_t last = 0;
    FNamesVersion = ++last;
}

void TkPlotObjectManagerCustom::Free(TkPlotObjectManagerCustom* Manager)
{
    if (!Manager)
        return;
    Manager->Clear();
    Manager->FCallbacks.OnRemove(Manager);
    delete Manager;
}

void TkPlotObjectManagerCustom::WriteObjects(TWriter& Writer) const
{
    Writer.WriteCollection(GetCount(), [this](int Index) { return GetObject(Index); });
}

void TkPlotObjectManagerCustom::ReadObjects(TReader& Reader)
{
    Clear();
    TkPlotObject* pending = nullptr;
    try {
        Reader.ReadCollection(
            [&]() -> TPersistent* {
                pending = CreateObject();
                return pending;
            },
            [&](TPersistent*) {
                TkPlotObject* done = std::exchange(pending, nullptr);
                done->DoInsert();
            });
    } catch (...) {
        if (pending)
            TkPlotObject::Free(pending);
        throw;
    }
}

void TkPlotObjectManagerCustom::DoInsert()
{
    FCallbacks.OnInsert(this);
}

void TkPlotObjectManagerCustom::RemoveObject(TkPlotObject* Object)
{
    auto it = std::find(FItems.rbegin(), FItems.rend(), Object);
    if (it == FItems.rend())
        return;
    FItems.erase(std::next(it).base());
    NamesChanged();
    ObjectRemoved(Object);
    FCallbacks.OnChange(this);
}

void TkPlotObjectManagerCustom::NotifyObjectRenamed(TkPlotObject* Object)
{
    NamesChanged();
    for (TkPlotObject* o : std::vector<TkPlotObject*>(FItems))
        o->ObjectRenamed(Object);
}

void TkPlotObjectManagerCustom::NotifyObjectFocused(TkPlotObject* Object)
{
    for (TkPlotObject* o : std::vector<TkPlotObject*>(FItems))
        o->ObjectFocused(Object);
}

void TkPlotObjectManagerCustom::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FItems.erase(FItems.begin() + Index);
    NamesChanged();
}

TkPlotObject* TkPlotObjectManagerCustom::GetObject(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<std::size_t>(Index)];
}

int TkPlotObjectManagerCustom::IndexOf(const TkPlotObject* Object) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Object);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TkPlotObjectManagerCustom::IndexOfName(const std::string& Name) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (SameText(FItems[i]->GetName(), Name))
            return static_cast<int>(i);
    return -1;
}

TkPlotObject* TkPlotObjectManagerCustom::FindByName(const std::string& Name) const
{
    const int i = IndexOfName(Name);
    return i < 0 ? nullptr : FItems[static_cast<std::size_t>(i)];
}

void TkPlotObjectManagerCustom::AddUnique(TkPlotObject* Object)
{
    if (IndexOf(Object) < 0) {
        FItems.push_back(Object);
        NamesChanged();
    }
}

std::string TkPlotObjectManagerCustom::MakeDefaultName() const
{
    const std::string stem = GetDefaultName();
    std::int64_t highest = 0;
    for (const TkPlotObject* o : FItems) {
        const std::string& name = o->GetName();
        if (name.size() < stem.size() || !SameText(name.substr(0, stem.size()), stem))
            continue;
        std::string rest = name.substr(stem.size());
        rest.erase(0, rest.find_first_not_of(' '));
        std::int64_t n = 0;
        // The largest number has no next one; such a name cannot clash.
        if (TryStrToInt64(rest, n) && n > highest && n < std::numeric_limits<std::int64_t>::max())
            highest = n;
    }
    return stem + " " + IntToStr(highest + 1);
}

bool TkPlotObjectManagerCustom::AddAndName(TkPlotObject* Object, const TkPlotKind& Kind)
{
    if (!Object || Object->Kind() != Kind)
        return false;
    AddUnique(Object);
    return true;
}

// ---------------------------------------------------------------- TkPlotObjectOwnedManager

void TkPlotObjectOwnedManager::RemoveObject(TkPlotObject* Object)
{
    // Every manager hears every removal, so objects here drop references to
    // objects of other kinds too (a channel its axis, a cursor its view).
    for (TkPlotObject* o : std::vector<TkPlotObject*>(Items()))
        if (o != Object)
            o->ObjectRemoved(Object);
    TkPlotObjectManagerCustom::RemoveObject(Object);
}

void TkPlotObjectOwnedManager::Clear()
{
    for (TkPlotObject* o : std::vector<TkPlotObject*>(Items()))
        TkPlotObject::Free(o);
}

// ---------------------------------------------------------------- TkPlotObjectManager

TkPlotObject* TkPlotObjectManager::CreateObject()
{
    throw Exception("Object Manager does not support creation of objects");
}

void TkPlotObjectManager::ClearFocus()
{
    for (TkPlotObject* o : std::vector<TkPlotObject*>(Items()))
        o->SetFocused(false);
}

void TkPlotObjectManager::SetShiftState(TShiftState Value)
{
    FShiftState = Value;
    for (TkPlotObject* o : Items())
        o->SetShiftState(Value);
}

template <class F> void TkPlotObjectManager::ForEachFocused(F Call)
{
    // Focus is read as each object's turn comes, and the list is read afresh
    // each time: a handler may move the focus or free objects.
    for (int i = 0; i < GetCount(); ++i) {
        TkPlotObject* o = GetObject(i);
        if (o->GetFocused())
            Call(o);
    }
}

void TkPlotObjectManager::MouseDown(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen,
                                    TPopupMenu* Menu)
{
    ForEachFocused([&](TkPlotObject* o) { o->MouseDown(Button, Shift, Client, Screen, Menu); });
}

void TkPlotObjectManager::MouseMove(TShiftState Shift, TPoint Client)
{
    ForEachFocused([&](TkPlotObject* o) { o->MouseMove(Shift, Client); });
}

void TkPlotObjectManager::MouseUp(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen,
                                  bool DoubleClickPending, TPopupMenu* Menu)
{
    ForEachFocused([&](TkPlotObject* o) { o->MouseUp(Button, Shift, Client, Screen, DoubleClickPending, Menu); });
}

void TkPlotObjectManager::KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu)
{
    ForEachFocused([&](TkPlotObject* o) { o->KeyDown(Key, Shift, Menu); });
}

bool TkPlotObjectManager::MouseWheel(int WheelDelta, TShiftState Shift, TPoint Client)
{
    bool handled = false;
    ForEachFocused([&](TkPlotObject* o) { handled = o->MouseWheel(WheelDelta, Shift, Client) || handled; });
    return handled;
}

void TkPlotObjectManager::DetachCallbacks()
{
    for (TkPlotObject* o : Items()) {
        o->Callbacks.OnRemove = nullptr;
        o->Callbacks.OnChange = nullptr;
        o->OnLayoutChange = nullptr;
    }
}

// ---------------------------------------------------------------- per-kind managers

TkPlotKindManager::TkPlotKindManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks,
                                     TkPlotMasterManager& Master, const TkPlotKind& Kind)
    : TkPlotObjectOwnedManager(AOwner, Callbacks),
      FMaster(Master),
      FKind(Kind),
      FObjectClass(Kind.NewObject ? TkPlotObjectClass(Kind.NewObject) : TkPlotObjectClass())
{
}

TkPlotObject* TkPlotKindManager::CreateObject()
{
    if (!FObjectClass)
        throw Exception(std::string("No class is registered for ") + FKind.DefaultName + " objects");
    return CreateObject(FObjectClass);
}

TkPlotObject* TkPlotKindManager::CreateObject(const TkPlotObjectClass& Class)
{
    TkPlotObject* object = Class(GetOwner(), GetCallbacks());
    try {
        // An object of another kind would be filed by no manager of the
        // plot and never freed.
        if (object->Kind() != FKind)
            throw Exception(std::string("The class makes no ") + FKind.DefaultName + " objects");
        if (FKind.Link)
            FKind.Link(*object, FMaster);
    } catch (...) {
        TkPlotObject::Free(object);
        throw;
    }
    return object;
}

void TkPlotKindManager::AddObject(TkPlotObject* Object)
{
    if (!AddAndName(Object, FKind) || !FKind.NamesObjects)
        return;
    if (Object->GetName().empty()) {
        Object->SetName(MakeDefaultName());
        if (FKind.FirstLinks)
            FKind.FirstLinks(*Object, FMaster);
        return;
    }
    // Look-ups go by name: a name another object of the kind already has
    // (ignoring case) is replaced by a fresh one.
    if (IndexOfName(Object->GetName()) != IndexOf(Object))
        Object->ReplaceNameUnannounced(MakeDefaultName());
}
