#include "plot/core/kOPCOutgoingValue.h"

#include <cstdint>
#include <limits>
#include <variant>

#include "plot/core/kOPCWideString.h"

TkOPCOutgoingValue::TkOPCOutgoingValue(const TkVariant& Value)
{
    struct TVisitor {
        TkOPCOutgoingValue& Out;
        void operator()(std::monostate) const { Out.FValue.vt = KOPC_VT_EMPTY; }
        void operator()(bool v) const
        {
            Out.FValue.vt = KOPC_VT_BOOL;
            Out.FValue.i = v ? -1 : 0;
        }
        void operator()(std::int64_t v) const
        {
            const bool narrow = v >= std::numeric_limits<std::int32_t>::min() &&
                                v <= std::numeric_limits<std::int32_t>::max();
            Out.FValue.vt = narrow ? KOPC_VT_I4 : KOPC_VT_I8;
            Out.FValue.i = v;
        }
        void operator()(double v) const
        {
            Out.FValue.vt = KOPC_VT_R8;
            Out.FValue.d = v;
        }
        void operator()(const std::string& v) const
        {
            Out.FText = OPCWideString(v);
            Out.FValue.vt = KOPC_VT_BSTR;
            Out.FValue.s = Out.FText.data();
        }
    };
    std::visit(TVisitor{*this}, Value);
}
