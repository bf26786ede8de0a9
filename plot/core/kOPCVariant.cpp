#include "plot/core/kOPCVariant.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "plot/core/kOPCWideString.h"

namespace {

bool OPCIntegerType(std::uint16_t VarType)
{
    switch (VarType) {
    case KOPC_VT_I1:
    case KOPC_VT_I2:
    case KOPC_VT_I4:
    case KOPC_VT_I8:
    case KOPC_VT_UI1:
    case KOPC_VT_UI2:
    case KOPC_VT_UI4:
    case KOPC_VT_UI8: return true;
    default: return false;
    }
}

bool FloatType(std::uint16_t VarType)
{
    return VarType == KOPC_VT_R4 || VarType == KOPC_VT_R8;
}

bool FitsType(std::uint16_t VarType, std::int64_t Value)
{
    const auto within = [Value](auto Sample) {
        using T = decltype(Sample);
        return Value >= std::int64_t(std::numeric_limits<T>::min()) &&
               (Value < 0 || std::uint64_t(Value) <= std::uint64_t(std::numeric_limits<T>::max()));
    };
    switch (VarType) {
    case KOPC_VT_I1: return within(std::int8_t());
    case KOPC_VT_I2: return within(std::int16_t());
    case KOPC_VT_I4: return within(std::int32_t());
    case KOPC_VT_UI1: return within(std::uint8_t());
    case KOPC_VT_UI2: return within(std::uint16_t());
    case KOPC_VT_UI4: return within(std::uint32_t());
    case KOPC_VT_UI8: return Value >= 0;
    default: return true;
    }
}

template <class F> TkOPCVariant Apply(const TkOPCVariant& Value, F Operation)
{
    if (FloatType(Value.VarType))
        return {Value.VarType, Operation(std::get<double>(Value.Value))};
    if (!OPCIntegerType(Value.VarType))
        return Value;
    const double rounded = std::nearbyint(Operation(static_cast<double>(std::get<std::int64_t>(Value.Value))));
    // A result its type cannot hold widens rather than wraps: to a 64-bit
    // integer, or beyond that to a double.
    if (!(rounded >= -0x1p63 && rounded < 0x1p63))
        return {KOPC_VT_R8, rounded};
    const auto result = static_cast<std::int64_t>(rounded);
    return {FitsType(Value.VarType, result) ? Value.VarType : std::uint16_t(KOPC_VT_I8), result};
}

}  // namespace

TkOPCVariant OPCVariantFromLibrary(kopc_variant& Value)
{
    TkOPCVariant result;
    result.VarType = Value.vt;
    switch (Value.vt) {
    case KOPC_VT_BSTR: result.Value = OPCNarrowString(Value.s); break;
    case KOPC_VT_BOOL: result.Value = Value.i != 0; break;
    case KOPC_VT_R4:
    case KOPC_VT_R8:
    case KOPC_VT_DATE: result.Value = Value.d; break;
    case KOPC_VT_UI8:
        if (Value.u <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            result.Value = static_cast<std::int64_t>(Value.u);
        } else {
            result.VarType = KOPC_VT_R8;
            result.Value = static_cast<double>(Value.u);
        }
        break;
    default:
        if (OPCIntegerType(Value.vt))
            result.Value = Value.i;
        else
            result.VarType = KOPC_VT_EMPTY;  // a type this program does not read
        break;
    }
    std::free(Value.s);
    Value.s = nullptr;
    return result;
}

TkOPCVariant ScaleOPCValue(const TkOPCVariant& Value, double Scalar, double Offset)
{
    TkOPCVariant result = Value;
    if (Scalar != 0)
        result = Apply(result, [Scalar](double v) { return v * Scalar; });
    if (Offset != 0)
        result = Apply(result, [Offset](double v) { return v + Offset; });
    return result;
}
