#pragma once
// Integer sums, differences and products that stop at the ends of their
// type instead of wrapping round. Layouts add up pixel sizes that settings
// can make as large as an int holds (a margin of a million characters, a
// count of a billion columns); a wrapped sum would turn such a size into a
// small or negative one, while a saturated one still reads as "too big".
#include <cstdint>
#include <limits>
#include <type_traits>

template <class T> constexpr T SatAdd(T A, T B)
{
    static_assert(std::is_integral_v<T>);
    T sum;
    if (!__builtin_add_overflow(A, B, &sum))
        return sum;
    return B > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
}

// Any number of terms, added from the left; once at an end, a sum stays
// there unless a term of the other sign brings it back.
template <class T, class... Rest> constexpr T SatAdd(T A, T B, T C, Rest... More)
{
    return SatAdd(SatAdd(A, B), C, More...);
}

template <class T> constexpr T SatSub(T A, T B)
{
    static_assert(std::is_integral_v<T>);
    T difference;
    if (!__builtin_sub_overflow(A, B, &difference))
        return difference;
    return B < 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
}

template <class T> constexpr T SatMul(T A, T B)
{
    static_assert(std::is_integral_v<T>);
    T product;
    if (!__builtin_mul_overflow(A, B, &product))
        return product;
    return (A < 0) != (B < 0) ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
}

// Halfway between two ints, as (A + B) / 2 gives it (toward zero), without
// the sum overflowing.
constexpr int Middle(int A, int B)
{
    return static_cast<int>((std::int64_t(A) + B) / 2);
}
