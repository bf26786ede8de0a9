#pragma once
// The published names of an enumeration, declared once with it:
//     PUBLISHED_ENUM(TkPlotScaleType, kpstLinear, kpstLog10);
// declares the enumeration and its names, so that a property of that type
// needs no list of names (and no cast from an ordinal) where it is declared.
// An enumeration declared elsewhere gets its names with
// PUBLISHED_ENUM_NAMES, listed in the same order, in its own namespace.
#include <string>
#include <string_view>
#include <vector>

struct TPublishedEnumInfo {
    const char* TypeName;
    const char* Names;  // "a, b, c"
};

// The names of a comma-separated list as the macros spell it.
std::vector<std::string> SplitPublishedNames(std::string_view List);

// Found by argument-dependent look-up beside the enumeration; one without
// names does not compile as a property.
template <class E> constexpr TPublishedEnumInfo PublishedEnumInfoOf()
{
    return PublishedEnumInfo(static_cast<const E*>(nullptr));
}

template <class E> std::vector<std::string> PublishedEnumNames()
{
    return SplitPublishedNames(PublishedEnumInfoOf<E>().Names);
}

// The enumerators may not be given values: a name's place is its ordinal.
#define PUBLISHED_ENUM(Name, ...) \
    enum Name { __VA_ARGS__ };    \
    PUBLISHED_ENUM_NAMES(Name, __VA_ARGS__)

#define PUBLISHED_ENUM_NAMES(Name, ...)                         \
    constexpr TPublishedEnumInfo PublishedEnumInfo(const Name*) \
    {                                                           \
        return {#Name, #__VA_ARGS__};                           \
    }                                                           \
    static_assert(true)
