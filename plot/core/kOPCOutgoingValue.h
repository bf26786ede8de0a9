#pragma once
// A value laid out for the OPC client library; it keeps the text it points
// to.
#include <string>

#include "plot/core/kComponent.h"
#include "plot/core/kOPCEntryPoints.h"

class TkOPCOutgoingValue {
public:
    explicit TkOPCOutgoingValue(const TkVariant& Value);
    TkOPCOutgoingValue(const TkOPCOutgoingValue&) = delete;
    TkOPCOutgoingValue& operator=(const TkOPCOutgoingValue&) = delete;
    const kopc_variant* Get() const { return &FValue; }

private:
    std::u16string FText;
    kopc_variant FValue{};
};
