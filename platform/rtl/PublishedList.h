#pragma once
// Published properties declared in the class body, each in one line beside
// its field, instead of a field, a getter, a setter and a registration line
// that repeats the default:
//
//     class TkPlotLabel : public TkPlotLayoutObject {
//         PUBLISHED_CLASS(TkPlotLabel);
//
//     public:
//         PUBLISHED(std::string, Caption, "", DoLayoutChange());
//         PUBLISHED(TkAlignmentHorizontal, Alignment, kahCenter, DoChange());
//         ...
//
// and once in the class's source file:
//     RegisterPublishedClass<TkPlotLabel, TkPlotLayoutObject>("TkPlotLabel");
//
// The registry lists a class's properties in the order its body declares
// them. A declaration stands in a public part of the body and leaves it
// public; its field is private.
//
// How: each declaration also makes a description of itself, a member
// function template tagged with the line it stands on. Being a template,
// it is compiled only where the class registers, which walks the lines
// after PUBLISHED_CLASS in order and asks each for its description.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "rtl/PublishedProperties.h"

// How many lines after its PUBLISHED_CLASS a class may declare properties.
constexpr int PublishedMaxLines = 512;

// The tag of the description declared on line Line of class T's body.
template <class T, int Line> struct TPublishedLine {
};

// Walks class T's descriptions in line order into a builder.
class TPublishedWalk {
public:
    template <class T> static std::vector<TPropInfo> Describe()
    {
        static_assert(std::is_same_v<typename T::TPublishedSelf, T>, "the class declares no PUBLISHED_CLASS");
        TPropertyListBuilder<T> builder;
        Lines<T>(builder, std::make_integer_sequence<int, PublishedMaxLines>());
        return builder.Take();
    }

private:
    template <class T, int... Line>
    static void Lines(TPropertyListBuilder<T>& Builder, std::integer_sequence<int, Line...>)
    {
        // A list, not a fold: a fold this long nests too deep for some compilers.
        const bool lines[] = {AtLine<T, Line>(Builder)...};
        (void)lines;
    }
    template <class T, int Offset> static bool AtLine(TPropertyListBuilder<T>& Builder)
    {
        using TTag = TPublishedLine<T, T::PublishedFirstLine + Offset>;
        if constexpr (requires { T::PublishedAt(TTag(), Builder); })
            T::PublishedAt(TTag(), Builder);
        return true;
    }
};

// Registers class T (direct published base B, or void for a root) with the
// properties its body declares.
template <class T, class B = void> void RegisterPublishedClass(const std::string& ClassName)
{
    RegisterPublishedClass<T, B>(ClassName, TPublishedWalk::Describe<T>());
}

// How a published value is passed and returned: small values by value,
// strings by reference.
template <class V> using TPublishedValue = std::conditional_t<std::is_scalar_v<V>, V, const V&>;

// The check of a published value: the one given (a function that takes the
// new value by reference, may adjust it and answers false to refuse it), or
// none, which takes any value.
struct TPublishedAny {
    template <class V> bool operator()(const V&) const { return true; }
};
constexpr TPublishedAny PublishedCheck()
{
    return {};
}
template <class F> constexpr F PublishedCheck(F Check)
{
    return Check;
}

// First in the body of a class that declares published properties. The name
// is private, so a derived class that declares properties without its own
// PUBLISHED_CLASS does not compile.
#define PUBLISHED_CLASS(Class)     \
private:                           \
    friend class ::TPublishedWalk; \
    using TPublishedSelf = Class;  \
    static constexpr int PublishedFirstLine = __LINE__

// A published value: the field F<Name> starts at Init, which is also the
// declared default; Get<Name> reads it, and Set<Name> stores a differing
// value and then runs Changed (a call such as DoLayoutChange(), or nothing).
// A check may follow Changed (see PublishedCheck).
#define PUBLISHED(Type, Name, Init, Changed, ...) \
private:                                          \
    Type F##Name = Init;                          \
                                                  \
public:                                           \
    PUBLISHED_PLACE_(Type, #Type, Name, F##Name, std::optional<Type>(Init), Changed, __VA_ARGS__)
// The same without a declared default: always written.
#define PUBLISHED_NODEFAULT(Type, Name, Init, Changed, ...) \
private:                                                    \
    Type F##Name = Init;                                    \
                                                            \
public:                                                     \
    PUBLISHED_PLACE_(Type, #Type, Name, F##Name, std::nullopt, Changed, __VA_ARGS__)
// The same for a value kept elsewhere, at Place (a member of a field's
// structure); Default is the declared default, or std::nullopt for none.
#define PUBLISHED_MEMBER(Type, Name, Place, Default, Changed, ...) \
    PUBLISHED_PLACE_(Type, #Type, Name, Place, std::optional<Type>(Default), Changed, __VA_ARGS__)

// Published values kept together in a field F<Prefix> of type Group, one
// property per member named: Prefix followed by the member's name, typed
// by the member (so a colour, which is an integer to C++, is declared on
// its own instead). The defaults are those of Init. Changed may name
// PublishedMember, the member pointer of the value that changed, where the
// members ask for different actions.
//     PUBLISHED_GROUP(TkPlotCharMargins, Margin, TkPlotCharMargins{}, DoLayoutChange(), Left, Top, Right, Bottom);
#define PUBLISHED_GROUP(Group, Prefix, Init, Changed, ...) \
    PUBLISHED_GROUP_CHECKED(Group, Prefix, Init, Changed, PublishedCheck(), __VA_ARGS__)
// The same with Check (see PublishedCheck) for every member.
#define PUBLISHED_GROUP_CHECKED(Group, Prefix, Init, Changed, Check, ...)                          \
private:                                                                                           \
    Group F##Prefix = Init;                                                                        \
                                                                                                   \
public:                                                                                            \
    PUBLISHED_FOR_EACH_(PUBLISHED_MEMBER_ACCESSORS_, (Group, Prefix, Changed, Check), __VA_ARGS__) \
    PUBLISHED_BLOCK(PUBLISHED_FOR_EACH_(PUBLISHED_MEMBER_DESCRIPTION_, (Group, Prefix, Init), __VA_ARGS__))

// A property read and written through the class's own (or inherited)
// Get<Name> and Set<Name>, which carry more than a plain value does; the
// declared default, when given, follows the name.
#define PUBLISHED_ACCESSORS(Type, Name, ...)                                                                       \
    PUBLISHED_BLOCK(Builder.template Property<Type>(#Name, &TPublishedSelf::Get##Name, &TPublishedSelf::Set##Name, \
                                                    std::optional<Type>(__VA_ARGS__), #Type);)
// A published value kept in a public data member Name (no accessors);
// the declared default, when given, follows Init.
#define PUBLISHED_DATA(Type, Name, Init, ...)                                                            \
    Type Name = Init;                                                                                    \
    PUBLISHED_BLOCK(Builder.template Property<Type>(#Name, &TPublishedSelf::Name, &TPublishedSelf::Name, \
                                                    std::optional<Type>(__VA_ARGS__), #Type);)
// A property whose value is worked out rather than kept: Get<Name> answers
// Reading (an expression) and Set<Name> runs Writing (a statement on
// Value); the declared default, when given, follows.
#define PUBLISHED_VIA(Type, Name, Reading, Writing, ...) \
    Type Get##Name() const                               \
    {                                                    \
        return Reading;                                  \
    }                                                    \
    void Set##Name(TPublishedValue<Type> Value)          \
    {                                                    \
        Writing;                                         \
    }                                                    \
    PUBLISHED_ACCESSORS(Type, Name, __VA_ARGS__)
// A property read through Get<Name> that cannot be written.
#define PUBLISHED_READONLY(Type, Name) \
    PUBLISHED_BLOCK(Builder.template Property<Type>(#Name, &TPublishedSelf::Get##Name, nullptr, std::nullopt, #Type);)
// An event (a handler member of the class or of a base, or a reference to
// one kept elsewhere), published as assigned or not.
#define PUBLISHED_EVENT(Type, Name) PUBLISHED_BLOCK(PUBLISHED_EVENT_DESCRIPTION(Type, Name))
// An object the class owns and publishes, made by Make, as a field
// F<Name> and Get<Name>; Type is the object's published type.
#define PUBLISHED_OBJECT(Type, Name, Make) \
private:                                   \
    std::unique_ptr<Type> F##Name = Make;  \
                                           \
public:                                    \
    Type* Get##Name() const                \
    {                                      \
        return F##Name.get();              \
    }                                      \
    PUBLISHED_BLOCK(Builder.Object(#Name, #Type, &TPublishedSelf::Get##Name);)
// Any other descriptor, as a call of TPropertyListBuilder (a set, an object
// the class does not own), in its place among the declarations.
#define PUBLISHED_WITH(Call) PUBLISHED_BLOCK(Builder.Call;)
// Descriptions written as statements on Builder, a TPropertyListBuilder of
// the class (for declarations that a macro list makes on one line).
#define PUBLISHED_BLOCK(...)                                                                                       \
private:                                                                                                           \
    template <class TBuilder> static void PublishedAt(TPublishedLine<TPublishedSelf, __LINE__>, TBuilder& Builder) \
    {                                                                                                              \
        __VA_ARGS__                                                                                                \
    }                                                                                                              \
                                                                                                                   \
public:                                                                                                            \
    static_assert(__LINE__ - PublishedFirstLine < PublishedMaxLines, "published declarations beyond the lines walked")
#define PUBLISHED_EVENT_DESCRIPTION(Type, Name) \
    Builder.Method(#Name, #Type, [](const auto& Object) { return static_cast<bool>(Object.Name); });

// ---- the parts of the declarations above

// Get<Name>, Set<Name> and the description of the value at Place; Written
// is the type as the declaration spells it.
#define PUBLISHED_PLACE_(Type, Written, Name, Place, Default, Changed, ...)                                        \
    TPublishedValue<Type> Get##Name() const                                                                        \
    {                                                                                                              \
        return Place;                                                                                              \
    }                                                                                                              \
    void Set##Name(TPublishedValue<Type> Value)                                                                    \
    {                                                                                                              \
        if (!PublishedCheck(__VA_ARGS__)(Value) || Value == Place)                                                 \
            return;                                                                                                \
        Place = Value;                                                                                             \
        Changed;                                                                                                   \
    }                                                                                                              \
    PUBLISHED_BLOCK(Builder.template Property<Type>(#Name, &TPublishedSelf::Get##Name, &TPublishedSelf::Set##Name, \
                                                    Default, Written);)

#define PUBLISHED_MEMBER_ACCESSORS_(Context, Member) PUBLISHED_MEMBER_ACCESSORS_I_(PUBLISHED_UNPACK_ Context, Member)
#define PUBLISHED_MEMBER_ACCESSORS_I_(...) PUBLISHED_MEMBER_ACCESSORS_II_(__VA_ARGS__)
#define PUBLISHED_MEMBER_ACCESSORS_II_(Group, Prefix, Changed, Check, Member) \
    TPublishedValue<decltype(Group::Member)> Get##Prefix##Member() const      \
    {                                                                         \
        return F##Prefix.Member;                                              \
    }                                                                         \
    void Set##Prefix##Member(TPublishedValue<decltype(Group::Member)> Value)  \
    {                                                                         \
        if (!Check(Value) || Value == F##Prefix.Member)                       \
            return;                                                           \
        F##Prefix.Member = Value;                                             \
        [[maybe_unused]] constexpr auto PublishedMember = &Group::Member;     \
        Changed;                                                              \
    }

#define PUBLISHED_MEMBER_DESCRIPTION_(Context, Member) \
    PUBLISHED_MEMBER_DESCRIPTION_I_(PUBLISHED_UNPACK_ Context, Member)
#define PUBLISHED_MEMBER_DESCRIPTION_I_(...) PUBLISHED_MEMBER_DESCRIPTION_II_(__VA_ARGS__)
#define PUBLISHED_MEMBER_DESCRIPTION_II_(Group, Prefix, Init, Member)                                         \
    Builder.template Property<decltype(Group::Member)>(#Prefix #Member, &TPublishedSelf::Get##Prefix##Member, \
                                                       &TPublishedSelf::Set##Prefix##Member,                  \
                                                       std::optional<decltype(Group::Member)>(Group(Init).Member));

#define PUBLISHED_UNPACK_(...) __VA_ARGS__

// Macro(Context, Member) for each member name, by repeated rescans (up to 16).
#define PUBLISHED_FOR_EACH_(Macro, Context, ...) \
    __VA_OPT__(PUBLISHED_EXPAND_(PUBLISHED_FOR_EACH_NEXT_(Macro, Context, __VA_ARGS__)))
#define PUBLISHED_FOR_EACH_NEXT_(Macro, Context, Member, ...) \
    Macro(Context, Member) __VA_OPT__(PUBLISHED_FOR_EACH_AGAIN_ PUBLISHED_PARENS_(Macro, Context, __VA_ARGS__))
#define PUBLISHED_FOR_EACH_AGAIN_() PUBLISHED_FOR_EACH_NEXT_
#define PUBLISHED_PARENS_ ()
#define PUBLISHED_EXPAND_(...) \
    PUBLISHED_EXPAND4_(PUBLISHED_EXPAND4_(PUBLISHED_EXPAND4_(PUBLISHED_EXPAND4_(__VA_ARGS__))))
#define PUBLISHED_EXPAND4_(...) \
    PUBLISHED_EXPAND1_(PUBLISHED_EXPAND1_(PUBLISHED_EXPAND1_(PUBLISHED_EXPAND1_(__VA_ARGS__))))
#define PUBLISHED_EXPAND1_(...) __VA_ARGS__
