#include "rtl/PublishedProperties.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>

#include "rtl/Exception.h"
#include "rtl/StrUtils.h"

namespace {

// A chain of registered bases longer than this can only be a cycle.
constexpr int MaxClassDepth = 64;

std::mutex& RegistryMutex()
{
    static std::mutex m;
    return m;
}

void RequireKind(const TPropInfo& Info, bool Ok)
{
    if (!Ok)
        throw EConvertError("Property " + Info.Name + " is of another kind");
}

}  // namespace

bool IsOrdinalKind(TTypeKind Kind)
{
    return Kind == TTypeKind::tkInteger || Kind == TTypeKind::tkChar || Kind == TTypeKind::tkEnumeration ||
           Kind == TTypeKind::tkSet;
}

bool TPropInfo::IsWritable() const
{
    switch (Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkChar:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet: return static_cast<bool>(SetOrd);
    case TTypeKind::tkFloat: return static_cast<bool>(SetFloat);
    case TTypeKind::tkString: return static_cast<bool>(SetStr);
    case TTypeKind::tkClass:
    case TTypeKind::tkMethod: return HasWriteAccessor;
    case TTypeKind::tkUnknown: break;
    }
    return false;
}

bool TPropInfo::IsReadable() const
{
    return GetOrd || GetFloat || GetStr || GetObject || GetAssigned;
}

bool TPropInfo::IsStored(const TObject* Instance) const
{
    return !StoredFn || StoredFn(Instance);
}

TPropertyRegistry& TPropertyRegistry::Instance()
{
    // Never destroyed: classes may register from static initialisers and be
    // looked up from static destructors.
    static TPropertyRegistry* registry = new TPropertyRegistry;
    return *registry;
}

void TPropertyRegistry::RegisterClass(std::type_index Class, std::string ClassName, std::optional<std::type_index> Base,
                                      std::function<bool(const TObject*)> IsInstance, std::vector<TPropInfo> Props)
{
    std::lock_guard<std::mutex> lock(RegistryMutex());
    auto it = std::find_if(FEntries.begin(), FEntries.end(), [&](const auto& e) { return e->Class == Class; });
    if (it != FEntries.end())
        throw EListError("Class " + ClassName + " is registered twice");
    FEntries.push_back(std::unique_ptr<TClassEntry>(
        new TClassEntry{Class, std::move(ClassName), Base, std::move(IsInstance), std::move(Props), {}, 0}));
    // A new class may be the missing base of others: resolve all again.
    for (auto& e : FEntries)
        Resolve(*e);
}

bool TPropertyRegistry::IsRegistered(std::type_index Class) const
{
    std::lock_guard<std::mutex> lock(RegistryMutex());
    return FindEntry(Class) != nullptr;
}

const TPropertyRegistry::TClassEntry* TPropertyRegistry::FindEntry(std::type_index Class) const
{
    for (const auto& e : FEntries)
        if (e->Class == Class)
            return e.get();
    return nullptr;
}

void TPropertyRegistry::Resolve(TClassEntry& Entry)
{
    std::vector<const TClassEntry*> chain{&Entry};
    while (chain.back()->Base && static_cast<int>(chain.size()) < MaxClassDepth) {
        const TClassEntry* base = FindEntry(*chain.back()->Base);
        if (!base)
            break;
        chain.push_back(base);
    }
    Entry.Depth = static_cast<int>(chain.size());
    Entry.Flat.clear();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        for (const TPropInfo& p : (*it)->Props) {
            auto same = std::find_if(Entry.Flat.begin(), Entry.Flat.end(),
                                     [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
            if (same != Entry.Flat.end())
                *same = &p;  // re-published: new descriptor, first place
            else
                Entry.Flat.push_back(&p);
        }
    }
}

const TPropertyRegistry::TClassEntry* TPropertyRegistry::EntryFor(const TObject* Instance) const
{
    if (!Instance)
        return nullptr;
    if (const TClassEntry* exact = FindEntry(std::type_index(typeid(*Instance))))
        return exact;
    // An unregistered class: the deepest registered class it derives from.
    const TClassEntry* best = nullptr;
    for (const auto& e : FEntries)
        if (e->IsInstance(Instance) && (!best || e->Depth > best->Depth))
            best = e.get();
    return best;
}

TPropList TPropertyRegistry::GetPropList(const TObject* Instance) const
{
    std::lock_guard<std::mutex> lock(RegistryMutex());
    const TClassEntry* e = EntryFor(Instance);
    return e ? e->Flat : TPropList{};
}

std::vector<TPropertyRegistry::TRegisteredClass> TPropertyRegistry::Classes() const
{
    std::lock_guard<std::mutex> lock(RegistryMutex());
    std::vector<TRegisteredClass> classes;
    for (const auto& e : FEntries) {
        const TClassEntry* base = e->Base ? FindEntry(*e->Base) : nullptr;
        classes.push_back({e->ClassName, base ? base->ClassName : std::string()});
    }
    return classes;
}

std::string TPropertyRegistry::GetClassName(const TObject* Instance) const
{
    std::lock_guard<std::mutex> lock(RegistryMutex());
    const TClassEntry* e = EntryFor(Instance);
    return e ? e->ClassName : std::string();
}

const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& Name)
{
    for (const TPropInfo* p : TPropertyRegistry::Instance().GetPropList(Instance))
        if (SameText(p->Name, Name))
            return p;
    return nullptr;
}

TPropLocation FindPropertyByPath(TObject* Root, const std::string& Path)
{
    std::set<const TObject*> visited;
    TObject* current = Root;
    std::string rest = Path;
    while (current) {
        if (!visited.insert(current).second)
            return {};
        auto dot = rest.find('.');
        if (dot == std::string::npos) {
            const TPropInfo* info = GetPropInfo(current, rest);
            return info ? TPropLocation{current, info} : TPropLocation{};
        }
        const TPropInfo* holder = GetPropInfo(current, rest.substr(0, dot));
        if (!holder || holder->Kind != TTypeKind::tkClass || !(holder->OwnsObject || holder->SharesObject) ||
            !holder->GetObject)
            return {};
        current = holder->GetObject(current);
        rest = rest.substr(dot + 1);
    }
    return {};
}

std::int64_t GetOrdProp(const TObject* Instance, const TPropInfo& Info)
{
    RequireKind(Info, IsOrdinalKind(Info.Kind) && Info.GetOrd);
    return Info.GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const TPropInfo& Info, std::int64_t Value)
{
    RequireKind(Info, IsOrdinalKind(Info.Kind));
    if (!Info.SetOrd)
        throw EConvertError("Property " + Info.Name + " is read-only");
    CheckOrdRange(Info, Value);
    Info.SetOrd(Instance, Value);
}

void CheckOrdRange(const TPropInfo& Info, std::int64_t Value)
{
    if (Value < Info.MinValue || Value > Info.MaxValue)
        throw EConvertError("Value " + std::to_string(Value) + " is out of range for property " + Info.Name);
}

double GetFloatProp(const TObject* Instance, const TPropInfo& Info)
{
    RequireKind(Info, Info.Kind == TTypeKind::tkFloat && Info.GetFloat);
    return Info.GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const TPropInfo& Info, double Value)
{
    RequireKind(Info, Info.Kind == TTypeKind::tkFloat);
    if (!Info.SetFloat)
        throw EConvertError("Property " + Info.Name + " is read-only");
    Info.SetFloat(Instance, Value);
}

std::string GetStrProp(const TObject* Instance, const TPropInfo& Info)
{
    RequireKind(Info, Info.Kind == TTypeKind::tkString && Info.GetStr);
    return Info.GetStr(Instance);
}

void SetStrProp(TObject* Instance, const TPropInfo& Info, const std::string& Value)
{
    RequireKind(Info, Info.Kind == TTypeKind::tkString);
    if (!Info.SetStr)
        throw EConvertError("Property " + Info.Name + " is read-only");
    Info.SetStr(Instance, Value);
}

TObject* GetObjectProp(const TObject* Instance, const TPropInfo& Info)
{
    RequireKind(Info, Info.Kind == TTypeKind::tkClass && Info.GetObject);
    return Info.GetObject(Instance);
}

std::string GetEnumName(const TPropInfo& Info, std::int64_t Value)
{
    if (Value < 0 || Value >= static_cast<std::int64_t>(Info.EnumNames.size()))
        return {};
    return Info.EnumNames[static_cast<std::size_t>(Value)];
}

std::int64_t GetEnumValue(const TPropInfo& Info, const std::string& Name)
{
    for (std::size_t i = 0; i < Info.EnumNames.size(); ++i)
        if (SameText(Info.EnumNames[i], Name))
            return static_cast<std::int64_t>(i);
    return -1;
}
