#pragma once
// A value as the OPC client library types it, the scaling an item applies
// to a received value, and the hand-over of received values from the
// library's own layout.
#include <cstdint>
#include <string>

#include "plot/core/kComponent.h"
#include "plot/core/kOPCEntryPoints.h"

// The library's value type (KOPC_VT_...) with the value: integers of every
// width as int64 (a 64-bit unsigned value beyond its range as double),
// floating-point types and dates as double, booleans and strings as such.
struct TkOPCVariant {
    std::uint16_t VarType = KOPC_VT_EMPTY;
    TkVariant Value;
};

// Both quality bits of a good OPC value.
constexpr int OPCQualityGood = 0xC0;
inline bool OPCQualityIsGood(int Quality)
{
    return (Quality & OPCQualityGood) == OPCQualityGood;
}

// Takes over Value: a string it holds is freed.
TkOPCVariant OPCVariantFromLibrary(kopc_variant& Value);

// Value x Scalar (when Scalar is not 0), then + Offset (when Offset is not
// 0): floating-point types as such, integer types rounded to the nearest
// integer (halves to even); other types are left alone.
TkOPCVariant ScaleOPCValue(const TkOPCVariant& Value, double Scalar, double Offset);
