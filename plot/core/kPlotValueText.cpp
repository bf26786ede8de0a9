#include "plot/core/kPlotValueText.h"

#include <cmath>

#include "rtl/DateTime.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"

namespace {

const char* const Unknown = "Unknown";

std::string Fixed(double Value, int Decimals)
{
    return Trim(Format("%.*f", std::clamp(Decimals, 0, MaxDecimals), Value));
}

// Metric prefix of a power of ten that is a multiple of three.
const char* Prefix(int Exponent)
{
    static const char* const prefixes[] = {"y", "z", "a", "f", "p", "n", "µ", "m", "",
                                           "K", "M", "G", "T", "P", "E", "Z", "Y"};
    return prefixes[(Exponent + 24) / 3];
}

std::string PrefixText(double Value, const TkPlotTextSettings& S, const TkPlotValueTextAxis& Axis)
{
    const int e = Value == 0 ? 0 : static_cast<int>(Trunc(Trunc(std::log10(std::fabs(Value)) / 3) * 3.0));
    if (e < -24 || e > 24)
        return Unknown;
    const double scaled = Value / std::pow(10.0, e);
    const int decimals = PlotDecimalCount(S.Precision, S.PrecisionStyle, scaled);
    std::string text = Fixed(scaled, decimals) + Prefix(e);
    if (Axis.Span > 1e-10 && Value > -1e-12 && Value < 1e-12)
        text = "0." + std::string(static_cast<std::size_t>(decimals), '0');
    return text;
}

bool InCalendar(double Value)
{
    // Years 1 to 9999; outside them there is no date to write. The first
    // day's times lie below its day number: before 30 December 1899 the
    // time of day counts away from zero.
    return Value > -693594.0 && Value < 2958466.0;
}

std::string DateTimeText(double Value, const std::string& Picture)
{
    if (!InCalendar(Value))
        return Unknown;
    if (!Picture.empty() && (Picture[0] == 'J' || Picture[0] == 'j'))
        return Trim(IntToStr(Trunc(Value)) + " " + FormatDateTime(Picture.substr(1), Value));
    return Trim(FormatDateTime(Picture, Value));
}

// Whole units, a point, then 32nds as two digits and eighths of a 32nd as
// one: 101.5 is "101.160". A negative price is the positive one with a sign.
std::string Price32ndsText(double Value)
{
    const bool negative = Value < 0;
    const double v = std::fabs(Value) + 1.0 / 512;
    double whole = std::trunc(v);
    std::int64_t t = Round((v - whole) * 1024);
    if (t >= 1024) {  // rounding reached the next whole unit
        whole += 1;
        t -= 1024;
    }
    std::string text = Format("%.0f", whole) + "." + (t / 32 < 10 ? "0" : "") + IntToStr(t / 32) +
                       IntToStr((t % 32) / 4);
    if (negative && (whole != 0 || t / 4 != 0))
        text = "-" + text;
    return text;
}

std::size_t CharacterCount(const std::string& Text)
{
    std::size_t n = 0;
    for (unsigned char c : Text)
        n += (c & 0xC0) != 0x80;
    return n;
}

}  // namespace

int PlotDecimalCount(int Precision, TkPrecisionStyle Style, double R)
{
    if (Style == kpsFixedDecimalPoints)
        return std::clamp(Precision, 0, MaxDecimals);
    if (Precision <= 0)
        return 0;
    const double d = std::fabs(R);
    std::int64_t n = 0;
    if (d != 0 && std::isfinite(d))
        n = Precision - (Trunc(std::log10(d)) + 1);
    if (d < 1)
        n += 1;
    return static_cast<int>(std::clamp<std::int64_t>(n, 0, MaxDecimals));
}

std::string PlotValueToText(const TkPlotTextSettings& S, double& MinLength, const TkPlotValueTextAxis& Axis,
                            double Value)
{
    std::string text = Unknown;
    if (!std::isfinite(Value))
        return text;
    switch (S.Style) {
    case kptfValue:
        if (!Axis.Log10) {
            text = Fixed(Value, PlotDecimalCount(S.Precision, S.PrecisionStyle, Axis.Span));
        } else {
            if (Value <= 0)
                return text;  // no customizing and no adjusting for a value a log axis cannot show
            std::int64_t n = Axis.LabelsPrecision;
            if (Axis.LabelsPrecisionStyle != kpsFixedDecimalPoints)
                n = Axis.LabelsPrecision - 1 - Trunc(std::log10(Value));
            text = Fixed(Value, static_cast<int>(std::clamp<std::int64_t>(n, 0, MaxDecimals)));
        }
        break;
    case kptfExponent: {
        const int digits = S.PrecisionStyle == kpsSignificantDigits ? S.Precision : S.Precision + 1;
        text = Trim(Format("%.*e", std::clamp(digits, 0, 20), Value));
        break;
    }
    case kptfPrefix: text = PrefixText(Value, S, Axis); break;
    case kptfDateTime: text = DateTimeText(Value, S.DateTimeFormat); break;
    case kptfPrice32nds: text = std::fabs(Value) < 9e15 ? Price32ndsText(Value) : Unknown; break;
    case kptfThousands: {
        const int decimals = PlotDecimalCount(S.Precision, S.PrecisionStyle, Axis.Span);
        std::string picture = "#,#0";
        if (decimals > 0)
            picture += "." + std::string(static_cast<std::size_t>(decimals), '0');
        text = Trim(FormatFloat(picture, Value));
        break;
    }
    }
    if (Axis.Customize)
        Axis.Customize(Value, text);
    if (S.MinLengthAutoAdjust && Axis.LabelsAdjusting)
        MinLength = std::max(MinLength, static_cast<double>(CharacterCount(text)));
    return text;
}

std::string PlotSingleLine(std::string Text)
{
    for (std::size_t at; (at = Text.find("\r\n")) != std::string::npos;)
        Text.replace(at, 2, " ");
    for (char& c : Text)
        if (c == '\r')
            c = ' ';
    return Text;
}
