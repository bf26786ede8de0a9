#include "plot/core/kPlotObjectManagerCustom.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "rtl/Reader.h"
#include "rtl/StrUtils.h"
#include "rtl/Writer.h"

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
    Writer.WriteCollection(
        GetCount(), [this](int Index) { return GetObject(Index); },
        [this](int Index) { return StreamedClassName(GetObject(Index)); });
}

TkPlotObject* TkPlotObjectManagerCustom::CreateStreamedObject(const std::string& ClassName)
{
    if (!ClassName.empty())
        throw EReadError("Invalid stream format: no object of class " + ClassName + " belongs here");
    return CreateObject();
}

void TkPlotObjectManagerCustom::ReadObjects(TReader& Reader)
{
    Clear();
    TkPlotObject* pending = nullptr;
    try {
        Reader.ReadCollection(
            [&](const std::string& ClassName) -> TPersistent* {
                pending = CreateStreamedObject(ClassName);
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
