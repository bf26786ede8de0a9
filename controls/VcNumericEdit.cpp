#include "controls/VcNumericEdit.h"

#include "rtl/NumberFormat.h"

#include <algorithm>
#include <cmath>

TVcNumericEdit::TVcNumericEdit(TComponent* AOwner) : TVcEdit(AOwner)
{
    SetText(Formatted(FValue));
}

double TVcNumericEdit::Limited(double Value) const
{
    if (FIntegersOnly)
        Value = double(Round(Value));
    if (FCheckRange && FMax >= FMin)
        Value = std::clamp(Value, FMin, FMax);
    return Value;
}

std::string TVcNumericEdit::Formatted(double Value) const
{
    return FormatFloat(FIntegersOnly ? "0" : FDisplayFormat, Value);
}

double TVcNumericEdit::GetValue() const
{
    // The text still showing the value as it was set is no edit: the display
    // format rounds what is shown, not the value.
    if (GetText() == Formatted(FValue))
        return FValue;
    double V = 0;
    if (!TryStrToFloat(GetText(), V) || !std::isfinite(V))
        return FValue;
    return Limited(V);
}

void TVcNumericEdit::SetValue(double Value)
{
    FValue = Limited(Value);
    SetText(Formatted(FValue));
}

int TVcNumericEdit::AsInteger() const
{
    return static_cast<int>(std::clamp<std::int64_t>(Round(GetValue()), INT32_MIN, INT32_MAX));
}

void TVcNumericEdit::SetIntegersOnly(bool Value)
{
    // Read under the old format, so an unedited value keeps its precision.
    const double Current = GetValue();
    FIntegersOnly = Value;
    SetValue(Current);
}

void TVcNumericEdit::SetDisplayFormat(const std::string& Value)
{
    const double Current = GetValue();
    FDisplayFormat = Value;
    SetValue(Current);
}

void TVcNumericEdit::DoExit()
{
    double V = 0;
    if (TryStrToFloat(GetText(), V) && std::isfinite(V))
        SetValue(V);
    TVcEdit::DoExit();
}
