#pragma once
// Published properties: per class an ordered list of property descriptors
// (base class first) with kind, accessors, declared default, stored flag,
// enumeration names and nested objects. Property files, look-ups by dotted
// path, the OPC binding and the editor all go through this registry.
#include <cstdint>
#include <functional>
#include <string_view>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "rtl/Object.h"
#include "rtl/PublishedEnum.h"

// Kinds as the run-time type information of the original class library
// knows them. Boolean is an enumeration (False, True) and a colour is an
// integer; TypeName tells them apart where that matters.
enum class TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
};

// True for the kinds whose value is an ordinal (integer, char, enumeration, set).
bool IsOrdinalKind(TTypeKind Kind);

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::tkUnknown;
    std::string TypeName;  // "Integer", "Boolean", "TColor", "Double", ...

    // Accessors by kind; an empty setter makes the property read-only.
    std::function<std::int64_t(const TObject*)> GetOrd;
    std::function<void(TObject*, std::int64_t)> SetOrd;
    std::function<double(const TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<std::string(const TObject*)> GetStr;
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<TObject*(const TObject*)> GetObject;
    // Methods (events): whether a handler is assigned.
    std::function<bool(const TObject*)> GetAssigned;
    // Write accessor of class and method properties (they have no typed setter).
    bool HasWriteAccessor = false;

    // Sub-object held by a class property is owned by its holder (a font, a
    // pen); only owned sub-objects are followed by dotted paths and writers.
    bool OwnsObject = false;
    // A sub-object that another object owns, shown here as a part of this
    // one (the plot's title font, its title label's): dotted paths and
    // property-text files follow it like an owned one; the component
    // stream leaves it to its owner.
    bool SharesObject = false;

    // Declared default for ordinal kinds; none means "always written".
    std::optional<std::int64_t> Default;
    // Stored specifier; empty means stored.
    std::function<bool(const TObject*)> StoredFn;

    // Enumeration value names, in ordinal order (also the element names of a set).
    std::vector<std::string> EnumNames;
    // Ordinal range; for enumerations 0 .. EnumNames.size() - 1.
    std::int64_t MinValue = INT32_MIN;
    std::int64_t MaxValue = INT32_MAX;

    bool IsWritable() const;
    bool IsReadable() const;
    bool IsStored(const TObject* Instance) const;
};

using TPropList = std::vector<const TPropInfo*>;

// The registry. Classes register once with their direct published base;
// an object's list is that of the most derived registered class it is an
// instance of, base class properties first. A property registered again by
// a derived class (re-published, e.g. with another default) keeps the place
// of its first declaration.
class TPropertyRegistry {
public:
    static TPropertyRegistry& Instance();

    void RegisterClass(std::type_index Class, std::string ClassName, std::optional<std::type_index> Base,
                       std::function<bool(const TObject*)> IsInstance, std::vector<TPropInfo> Props);
    bool IsRegistered(std::type_index Class) const;

    // Ordered published properties of the object's class; empty when the
    // object's class and none of its bases is registered.
    TPropList GetPropList(const TObject* Instance) const;
    // Class name as registered for the object's class ("" when unknown).
    std::string GetClassName(const TObject* Instance) const;

    // Every registered class with the name of its registered base ("" for a
    // root or a base never registered), in the order of registration.
    struct TRegisteredClass {
        std::string Name;
        std::string BaseName;
    };
    std::vector<TRegisteredClass> Classes() const;

private:
    struct TClassEntry {
        std::type_index Class;
        std::string ClassName;
        std::optional<std::type_index> Base;
        std::function<bool(const TObject*)> IsInstance;
        std::vector<TPropInfo> Props;
        TPropList Flat;  // resolved list, base first
        int Depth = 0;
    };
    const TClassEntry* FindEntry(std::type_index Class) const;
    const TClassEntry* EntryFor(const TObject* Instance) const;
    void Resolve(TClassEntry& Entry);

    std::vector<std::unique_ptr<TClassEntry>> FEntries;
};

// Typed builder for one class's own descriptors. T is the class. A getter
// is a callable over T, a const member function or a data member; a setter
// is a callable over T and the value, a member function taking one value,
// a data member, or nullptr for a read-only property. So a property takes
// one line:
//     .Integer("InputSize", &TComBuffer::InputSize, &TComBuffer::SetInputSize, 1024)
template <class T> class TPropertyListBuilder {
public:
    template <class G, class S> TPropertyListBuilder& Integer(const std::string& Name, G Get, S Set,
                                                              std::optional<std::int64_t> Default = std::nullopt,
                                                              const std::string& TypeName = "Integer")
    {
        TPropInfo& p = Add(Name, TTypeKind::tkInteger, TypeName);
        BindOrd(p, Get, Set);
        p.Default = Default;
        return *this;
    }
    template <class G, class S> TPropertyListBuilder& Color(const std::string& Name, G Get, S Set,
                                                            std::optional<std::int64_t> Default = std::nullopt)
    {
        return Integer(Name, Get, Set, Default, "TColor");
    }
    template <class G, class S> TPropertyListBuilder& Char(const std::string& Name, G Get, S Set,
                                                           std::optional<std::int64_t> Default = std::nullopt)
    {
        TPropInfo& p = Add(Name, TTypeKind::tkChar, "Char");
        BindOrd(p, Get, Set);
        // A char getter reads as 0..255, not as a negative number.
        p.GetOrd = [Get](const TObject* o) -> std::int64_t {
            auto value = std::invoke(Get, Cast(o));
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, char>)
                return static_cast<unsigned char>(value);
            else
                return static_cast<std::int64_t>(value);
        };
        p.Default = Default;
        p.MinValue = 0;
        p.MaxValue = 255;
        return *this;
    }
    template <class G, class S>
    TPropertyListBuilder& Boolean(const std::string& Name, G Get, S Set, std::optional<bool> Default = std::nullopt)
    {
        return Enumeration(Name, "Boolean", {"False", "True"}, Get, Set,
                           Default ? std::optional<std::int64_t>(*Default ? 1 : 0) : std::nullopt);
    }
    template <class G, class S> TPropertyListBuilder& Enumeration(const std::string& Name, const std::string& TypeName,
                                                                  std::vector<std::string> Names, G Get, S Set,
                                                                  std::optional<std::int64_t> Default = std::nullopt)
    {
        TPropInfo& p = Add(Name, TTypeKind::tkEnumeration, TypeName);
        BindOrd(p, Get, Set);
        p.Default = Default;
        p.MinValue = 0;
        p.MaxValue = static_cast<std::int64_t>(Names.size()) - 1;
        p.EnumNames = std::move(Names);
        return *this;
    }
    // A set of up to 32 elements, held as a bit mask (bit n for element n).
    template <class G, class S> TPropertyListBuilder& Set(const std::string& Name, const std::string& TypeName,
                                                          std::vector<std::string> Elements, G Get, S Set,
                                                          std::optional<std::int64_t> Default = std::nullopt)
    {
        TPropInfo& p = Add(Name, TTypeKind::tkSet, TypeName);
        BindOrd(p, Get, Set);
        p.Default = Default;
        p.MinValue = 0;
        p.MaxValue = Elements.size() >= 32 ? 0xFFFFFFFFLL : ((1LL << Elements.size()) - 1);
        p.EnumNames = std::move(Elements);
        return *this;
    }
    template <class G, class S>
    TPropertyListBuilder& Float(const std::string& Name, G Get, S Set, const std::string& TypeName = "Double")
    {
        TPropInfo& p = Add(Name, TTypeKind::tkFloat, TypeName);
        p.GetFloat = [Get](const TObject* o) { return static_cast<double>(std::invoke(Get, Cast(o))); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetFloat = [Set](TObject* o, double v) { CallSet(Set, Cast(o), v); };
        return *this;
    }
    template <class G, class S> TPropertyListBuilder& String(const std::string& Name, G Get, S Set)
    {
        TPropInfo& p = Add(Name, TTypeKind::tkString, "String");
        p.GetStr = [Get](const TObject* o) { return std::string(std::invoke(Get, Cast(o))); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetStr = [Set](TObject* o, const std::string& v) { CallSet(Set, Cast(o), v); };
        return *this;
    }
    // A property whose kind, type name and enumeration names follow from its
    // C++ type V: bool is Boolean, an enumeration is itself (with its
    // PUBLISHED_ENUM names), char is Char, another integer is Integer,
    // floating point is Double, a string is String. Written is the type as a
    // declaration spells it: an integer spelt as a type of the class library
    // (a T and a capital: TColor, TCursor) keeps that name. The declared
    // default counts for ordinal kinds only.
    template <class V, class G, class S> TPropertyListBuilder& Property(const std::string& Name, G Get, S Set,
                                                                        std::optional<V> Default = std::nullopt,
                                                                        std::string_view Written = {})
    {
        std::optional<std::int64_t> ordinal;
        if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
            if (Default)
                ordinal = static_cast<std::int64_t>(*Default);
        if constexpr (std::is_same_v<V, bool>)
            return Boolean(Name, Get, Set, Default);
        else if constexpr (std::is_enum_v<V>)
            return Enumeration(Name, PublishedEnumInfoOf<V>().TypeName, PublishedEnumNames<V>(), Get, Set, ordinal);
        else if constexpr (std::is_same_v<V, char>)
            return Char(Name, Get, Set, ordinal);
        else if constexpr (std::is_integral_v<V>)
            return Integer(Name, Get, Set, ordinal, IsLibraryTypeName(Written) ? std::string(Written) : "Integer");
        else if constexpr (std::is_floating_point_v<V>)
            return Float(Name, Get, Set);
        else
            return String(Name, Get, Set);
    }
    // A nested object; Owned when the holder owns it (followed by paths).
    // Writable tells whether the original property had a setter (Assign).
    template <class G> TPropertyListBuilder& Object(const std::string& Name, const std::string& TypeName, G Get,
                                                    bool Owned = true, bool Writable = true)
    {
        TPropInfo& p = Add(Name, TTypeKind::tkClass, TypeName);
        p.GetObject = [Get](const TObject* o) -> TObject* { return ObjectOf(std::invoke(Get, Cast(o))); };
        p.OwnsObject = Owned;
        p.HasWriteAccessor = Writable;
        return *this;
    }
    // An event; Get tells whether a handler is assigned.
    template <class G> TPropertyListBuilder& Method(const std::string& Name, const std::string& TypeName, G Get)
    {
        TPropInfo& p = Add(Name, TTypeKind::tkMethod, TypeName);
        p.GetAssigned = [Get](const TObject* o) { return static_cast<bool>(std::invoke(Get, Cast(o))); };
        p.HasWriteAccessor = true;
        return *this;
    }
    // The last added object property shares its object (see SharesObject).
    TPropertyListBuilder& Shared()
    {
        FProps.back().SharesObject = true;
        return *this;
    }
    // Ordinal range of the last added property: values outside it are
    // refused where properties are set by name (files, streams).
    TPropertyListBuilder& Range(std::int64_t Min, std::int64_t Max)
    {
        FProps.back().MinValue = Min;
        FProps.back().MaxValue = Max;
        return *this;
    }
    // Stored specifier of the last added property.
    template <class F> TPropertyListBuilder& Stored(F Fn)
    {
        FProps.back().StoredFn = [Fn](const TObject* o) { return static_cast<bool>(std::invoke(Fn, Cast(o))); };
        return *this;
    }

    std::vector<TPropInfo> Take() { return std::move(FProps); }

private:
    static bool IsLibraryTypeName(std::string_view Name)
    {
        return Name.size() > 1 && Name[0] == 'T' && Name[1] >= 'A' && Name[1] <= 'Z';
    }
    static T& Cast(TObject* o) { return dynamic_cast<T&>(*o); }
    static const T& Cast(const TObject* o) { return dynamic_cast<const T&>(*o); }

    TPropInfo& Add(const std::string& Name, TTypeKind Kind, const std::string& TypeName)
    {
        TPropInfo p;
        p.Name = Name;
        p.Kind = Kind;
        p.TypeName = TypeName;
        FProps.push_back(std::move(p));
        return FProps.back();
    }
    template <class G, class S> static void BindOrd(TPropInfo& p, G Get, S Set)
    {
        p.GetOrd = [Get](const TObject* o) { return static_cast<std::int64_t>(std::invoke(Get, Cast(o))); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetOrd = [Set](TObject* o, std::int64_t v) { CallSet(Set, Cast(o), v); };
    }

    // The value a member setter takes: its one parameter's type, or the data
    // member's own type; callables get the value as it is.
    template <class S> struct SetterValue {
        using type = void;
    };
    template <class C, class R, class A> struct SetterValue<R (C::*)(A)> {
        using type = std::remove_cvref_t<A>;
    };
    template <class C, class R, class A> struct SetterValue<R (C::*)(A) noexcept> {
        using type = std::remove_cvref_t<A>;
    };
    template <class S, class V> static void CallSet(S Set, T& o, const V& v)
    {
        if constexpr (std::is_member_object_pointer_v<S>)
            o.*Set = static_cast<std::remove_cvref_t<decltype(o.*Set)>>(v);
        else if constexpr (std::is_member_function_pointer_v<S>)
            (o.*Set)(static_cast<typename SetterValue<S>::type>(v));
        else
            Set(o, v);
    }
    template <class P> static TObject* ObjectOf(P* Object) { return const_cast<std::remove_const_t<P>*>(Object); }
    template <class P> static TObject* ObjectOf(P& Object) { return const_cast<std::remove_const_t<P>*>(&Object); }

    std::vector<TPropInfo> FProps;
};

// Registers class T (direct published base B, or void for a root) with the
// descriptors it introduces.
template <class T, class B = void>
void RegisterPublishedClass(const std::string& ClassName, std::vector<TPropInfo> Props)
{
    std::optional<std::type_index> base;
    if constexpr (!std::is_void_v<B>)
        base = std::type_index(typeid(B));
    TPropertyRegistry::Instance().RegisterClass(
        std::type_index(typeid(T)), ClassName, base,
        [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; }, std::move(Props));
}

// Property of the object by name (ASCII case-insensitive), or null.
const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& Name);

// A property reached by a dotted path such as "Font.Color": the object that
// holds it and its descriptor. Only owned (or shared) sub-objects are
// followed, and an object is never visited twice, so the walk always ends.
struct TPropLocation {
    TObject* Instance = nullptr;
    const TPropInfo* Info = nullptr;
    explicit operator bool() const { return Info != nullptr; }
};
TPropLocation FindPropertyByPath(TObject* Root, const std::string& Path);

// Typed access. The setters raise EConvertError for a read-only property or
// a property of another kind; SetOrdProp raises it for an enumeration,
// Boolean, char or set value out of the property's range.
std::int64_t GetOrdProp(const TObject* Instance, const TPropInfo& Info);
void SetOrdProp(TObject* Instance, const TPropInfo& Info, std::int64_t Value);
// The range check of SetOrdProp alone, for readers that check a whole
// input before they set anything.
void CheckOrdRange(const TPropInfo& Info, std::int64_t Value);
double GetFloatProp(const TObject* Instance, const TPropInfo& Info);
void SetFloatProp(TObject* Instance, const TPropInfo& Info, double Value);
std::string GetStrProp(const TObject* Instance, const TPropInfo& Info);
void SetStrProp(TObject* Instance, const TPropInfo& Info, const std::string& Value);
TObject* GetObjectProp(const TObject* Instance, const TPropInfo& Info);

// Name of an enumeration value ("" when out of range) and ordinal of a name
// (ASCII case-insensitive; -1 when unknown).
std::string GetEnumName(const TPropInfo& Info, std::int64_t Value);
std::int64_t GetEnumValue(const TPropInfo& Info, const std::string& Name);
