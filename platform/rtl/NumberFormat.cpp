#include "rtl/NumberFormat.h"

#include "rtl/Exception.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// A finite double as decimal digits: value = 0.Digits * 10^Exponent.
// Digits has no leading or trailing zeros; it is empty for zero.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

void StripTrailingZeros(TDecimal& D)
{
    while (!D.Digits.empty() && D.Digits.back() == '0')
        D.Digits.pop_back();
    if (D.Digits.empty())
        D.Exponent = 0;
}

// Correctly rounded to Precision significant digits.
TDecimal ToDecimal(double Value, int Precision)
{
    TDecimal D;
    D.Negative = std::signbit(Value);
    if (Value == 0)
        return D;
    char Buf[64];
    const auto R = std::to_chars(Buf, Buf + sizeof(Buf), std::fabs(Value), std::chars_format::scientific,
                                 Precision - 1);
    const std::string_view Text(Buf, R.ptr - Buf);
    const std::size_t E = Text.find('e');
    for (char C : Text.substr(0, E))
        if (C != '.')
            D.Digits += C;
    int Exp = 0;
    std::string_view ExpText = Text.substr(E + 1);
    if (!ExpText.empty() && ExpText[0] == '+')
        ExpText.remove_prefix(1);
    std::from_chars(ExpText.data(), ExpText.data() + ExpText.size(), Exp);
    D.Exponent = Exp + 1;
    StripTrailingZeros(D);
    return D;
}

// Keeps Keep leading digits, rounding half away from zero.
void RoundDigits(TDecimal& D, int Keep)
{
    if (Keep >= static_cast<int>(D.Digits.size()))
        return;
    if (Keep < 0) {
        D.Digits.clear();
        D.Exponent = 0;
        return;
    }
    const bool Up = D.Digits[Keep] >= '5';
    D.Digits.resize(Keep);
    if (Up) {
        int I = Keep - 1;
        while (I >= 0 && D.Digits[I] == '9') {
            D.Digits[I] = '0';
            --I;
        }
        if (I >= 0) {
            ++D.Digits[I];
        } else {
            D.Digits.insert(D.Digits.begin(), '1');
            ++D.Exponent;
        }
    }
    StripTrailingZeros(D);
}

void RoundToDecimals(TDecimal& D, int Decimals)
{
    RoundDigits(D, D.Exponent + Decimals);
}

char DigitAt(const TDecimal& D, int Index)
{
    return (Index >= 0 && Index < static_cast<int>(D.Digits.size())) ? D.Digits[Index] : '0';
}

std::string IntegerDigits(const TDecimal& D)
{
    std::string R;
    for (int I = 0; I < D.Exponent; ++I)
        R += DigitAt(D, I);
    return R;
}

std::string FractionDigits(const TDecimal& D, int Count)
{
    std::string R;
    for (int I = 0; I < Count; ++I)
        R += DigitAt(D, D.Exponent + I);
    return R;
}

std::string GroupThousands(const std::string& Digits)
{
    std::string R;
    const int N = static_cast<int>(Digits.size());
    for (int I = 0; I < N; ++I) {
        if (I > 0 && (N - I) % 3 == 0)
            R += ',';
        R += Digits[I];
    }
    return R;
}

std::string SpecialText(double Value)
{
    if (std::isnan(Value))
        return "NAN";
    return Value > 0 ? "INF" : "-INF";
}

// Whether the decimal reads back as a finite double.
bool FitsDouble(const TDecimal& D)
{
    const std::string Text = "0." + D.Digits + "e" + std::to_string(D.Exponent);
    double V = 0;
    const auto R = std::from_chars(Text.data(), Text.data() + Text.size(), V);
    return R.ec == std::errc() && std::isfinite(V);
}

std::string GeneralText(double Value, int Precision)
{
    if (!std::isfinite(Value))
        return SpecialText(Value);
    Precision = std::clamp(Precision, 1, 17);
    TDecimal D = ToDecimal(Value, Precision);
    if (D.Exponent > std::numeric_limits<double>::max_exponent10 && !FitsDouble(D)) {
        // Rounded up past the largest double, the text would read back as
        // no number at all: cut the digits instead.
        D = ToDecimal(Value, 17);
        D.Digits.resize(std::min<std::size_t>(D.Digits.size(), Precision));
        StripTrailingZeros(D);
    }
    if (D.Digits.empty())
        return "0";
    std::string R = D.Negative ? "-" : "";
    if (D.Exponent > Precision || D.Exponent < -3) {
        R += D.Digits[0];
        if (D.Digits.size() > 1) {
            R += '.';
            R.append(D.Digits, 1);
        }
        R += 'E';
        R += std::to_string(D.Exponent - 1);
        return R;
    }
    const std::string Int = IntegerDigits(D);
    R += Int.empty() ? "0" : Int;
    const int Frac = static_cast<int>(D.Digits.size()) - D.Exponent;
    if (Frac > 0) {
        R += '.';
        R += FractionDigits(D, Frac);
    }
    return R;
}

std::string FixedText(double Value, int Decimals, bool Thousands)
{
    if (!std::isfinite(Value))
        return SpecialText(Value);
    TDecimal D = ToDecimal(Value, 15);
    RoundToDecimals(D, Decimals);
    std::string Int = IntegerDigits(D);
    if (Int.empty())
        Int = "0";
    std::string R = (D.Negative && !D.Digits.empty()) ? "-" : "";
    R += Thousands ? GroupThousands(Int) : Int;
    if (Decimals > 0) {
        R += '.';
        R += FractionDigits(D, Decimals);
    }
    return R;
}

// "d.dddE+ddd" with Precision significant digits.
std::string ScientificText(double Value, int Precision)
{
    if (!std::isfinite(Value))
        return SpecialText(Value);
    Precision = std::clamp(Precision, 1, 17);
    TDecimal D = ToDecimal(Value, Precision);
    std::string R = D.Negative && !D.Digits.empty() ? "-" : "";
    R += DigitAt(D, 0);
    if (Precision > 1) {
        R += '.';
        for (int I = 1; I < Precision; ++I)
            R += DigitAt(D, I);
    }
    const int Exp = D.Digits.empty() ? 0 : D.Exponent - 1;
    R += Exp < 0 ? "E-" : "E+";
    std::string E = std::to_string(std::abs(Exp));
    while (E.size() < 3)
        E.insert(E.begin(), '0');
    return R + E;
}

std::string_view TrimView(std::string_view S)
{
    while (!S.empty() && static_cast<unsigned char>(S.front()) <= ' ')
        S.remove_prefix(1);
    while (!S.empty() && static_cast<unsigned char>(S.back()) <= ' ')
        S.remove_suffix(1);
    return S;
}

bool IsHexDigit(char C)
{
    return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F');
}

// Parses an integer; hexadecimal may use the full unsigned width of Bits
// and is then taken as that many bits of two's complement.
bool ParseInteger(std::string_view S, int Bits, std::int64_t& Value)
{
    S = TrimView(S);
    bool Negative = false;
    if (!S.empty() && (S[0] == '-' || S[0] == '+')) {
        Negative = S[0] == '-';
        S.remove_prefix(1);
    }
    int Base = 10;
    if (!S.empty() && S[0] == '$') {
        Base = 16;
        S.remove_prefix(1);
    } else if (S.size() >= 2 && S[0] == '0' && (S[1] == 'x' || S[1] == 'X')) {
        Base = 16;
        S.remove_prefix(2);
    }
    if (S.empty())
        return false;
    for (char C : S)
        if (Base == 16 ? !IsHexDigit(C) : !(C >= '0' && C <= '9'))
            return false;
    std::uint64_t Magnitude = 0;
    const auto R = std::from_chars(S.data(), S.data() + S.size(), Magnitude, Base);
    if (R.ec != std::errc() || R.ptr != S.data() + S.size())
        return false;
    const std::uint64_t Limit = Bits == 64 ? std::numeric_limits<std::uint64_t>::max() : (std::uint64_t(1) << Bits) - 1;
    const std::uint64_t SignedMax = Limit >> 1;
    if (Base == 16 && Magnitude <= Limit) {
        // A full-width hex pattern wraps into the negative range.
        if (Negative && Magnitude > SignedMax)
            return false;
        const std::int64_t V = Magnitude > SignedMax ? static_cast<std::int64_t>(Magnitude - Limit - 1)
                                                     : static_cast<std::int64_t>(Magnitude);
        Value = Negative ? -V : V;
        return true;
    }
    if (Negative ? Magnitude > SignedMax + 1 : Magnitude > SignedMax)
        return false;
    Value = Negative ? static_cast<std::int64_t>(0 - Magnitude) : static_cast<std::int64_t>(Magnitude);
    return true;
}

}  // namespace

std::string IntToStr(std::int64_t Value)
{
    char Buf[32];
    const auto R = std::to_chars(Buf, Buf + sizeof(Buf), Value);
    return std::string(Buf, R.ptr);
}

std::string IntToHex(std::int64_t Value, int Digits)
{
    char Buf[32];
    const auto R = std::to_chars(Buf, Buf + sizeof(Buf), static_cast<std::uint64_t>(Value), 16);
    std::string S = UpperCase(std::string_view(Buf, R.ptr - Buf));
    if (static_cast<int>(S.size()) < Digits)
        S.insert(0, Digits - S.size(), '0');
    return S;
}

bool TryStrToInt(std::string_view S, int& Value)
{
    std::int64_t V;
    if (!ParseInteger(S, 32, V))
        return false;
    Value = static_cast<int>(V);
    return true;
}

bool TryStrToInt64(std::string_view S, std::int64_t& Value)
{
    return ParseInteger(S, 64, Value);
}

int StrToInt(std::string_view S)
{
    int V;
    if (!TryStrToInt(S, V))
        throw EConvertError("'" + std::string(S) + "' is not a valid integer value");
    return V;
}

std::int64_t StrToInt64(std::string_view S)
{
    std::int64_t V;
    if (!TryStrToInt64(S, V))
        throw EConvertError("'" + std::string(S) + "' is not a valid integer value");
    return V;
}

int StrToIntDef(std::string_view S, int Default)
{
    int V;
    return TryStrToInt(S, V) ? V : Default;
}

std::int64_t StrToInt64Def(std::string_view S, std::int64_t Default)
{
    std::int64_t V;
    return TryStrToInt64(S, V) ? V : Default;
}

std::string FloatToStr(double Value)
{
    return GeneralText(Value, 15);
}

std::string FloatToStrExact(double Value)
{
    if (std::isinf(Value))
        Value = std::copysign(std::numeric_limits<double>::max(), Value);
    // Fifteen digits keep a typed value as it was typed; seventeen always
    // give back the very same double.
    for (int Precision = 15; Precision < 17; ++Precision) {
        std::string Text = GeneralText(Value, Precision);
        double Back;
        if (TryStrToFloat(Text, Back) && Back == Value)
            return Text;
    }
    return GeneralText(Value, 17);
}

bool TryStrToFloat(std::string_view S, double& Value)
{
    S = TrimView(S);
    std::string Text;
    std::size_t I = 0;
    if (I < S.size() && (S[I] == '-' || S[I] == '+')) {
        if (S[I] == '-')
            Text += '-';
        ++I;
    }
    int MantissaDigits = 0;
    bool SeenPoint = false;
    for (; I < S.size(); ++I) {
        const char C = S[I];
        if (C >= '0' && C <= '9') {
            Text += C;
            ++MantissaDigits;
        } else if ((C == '.' || C == ',') && !SeenPoint) {
            Text += '.';
            SeenPoint = true;
        } else {
            break;
        }
    }
    if (MantissaDigits == 0)
        return false;
    if (I < S.size() && (S[I] == 'e' || S[I] == 'E')) {
        Text += 'e';
        ++I;
        if (I < S.size() && (S[I] == '-' || S[I] == '+')) {
            if (S[I] == '-')
                Text += '-';
            ++I;
        }
        int ExpDigits = 0;
        for (; I < S.size() && S[I] >= '0' && S[I] <= '9'; ++I, ++ExpDigits)
            Text += S[I];
        if (ExpDigits == 0)
            return false;
    }
    if (I != S.size())
        return false;
    double V = 0;
    const auto R = std::from_chars(Text.data(), Text.data() + Text.size(), V);
    if (R.ec != std::errc() || R.ptr != Text.data() + Text.size() || !std::isfinite(V))
        return false;
    Value = V;
    return true;
}

double StrToFloat(std::string_view S)
{
    double V;
    if (!TryStrToFloat(S, V))
        throw EConvertError("'" + std::string(S) + "' is not a valid floating point value");
    return V;
}

double StrToFloatDef(std::string_view S, double Default)
{
    double V;
    return TryStrToFloat(S, V) ? V : Default;
}

std::int64_t ClampToInt64(double Value)
{
    if (std::isnan(Value))
        return 0;
    // 2^63 is exactly representable; everything below it fits.
    if (Value >= 9223372036854775808.0)
        return std::numeric_limits<std::int64_t>::max();
    if (Value < -9223372036854775808.0)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(Value);
}

int RoundToInt(double Value)
{
    return ClampToInt(std::nearbyint(Value));
}

int ClampToInt(double Value)
{
    if (std::isnan(Value))
        return 0;
    if (Value >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (Value <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(Value);
}

std::int64_t Round(double Value)
{
    return ClampToInt64(std::nearbyint(Value));
}

std::int64_t Trunc(double Value)
{
    return ClampToInt64(Value);
}

// ---------------------------------------------------------------- FormatFloat

namespace {

// One ';' section of a number picture, analysed.
struct TPicture {
    std::string_view Text;
    int IntPlaceholders = 0;
    int MinIntDigits = 0;
    int FracMin = 0;
    int FracMax = 0;
    bool Thousands = false;
    bool Scientific = false;
    bool ExpAlwaysSign = false;
    int ExpDigits = 0;
    bool HasPlaceholders = false;
};

// Splits at ';' outside quotes.
std::vector<std::string_view> SplitSections(std::string_view Format)
{
    std::vector<std::string_view> Sections;
    std::size_t Start = 0;
    char Quote = 0;
    for (std::size_t I = 0; I < Format.size(); ++I) {
        const char C = Format[I];
        if (Quote) {
            if (C == Quote)
                Quote = 0;
        } else if (C == '"' || C == '\'') {
            Quote = C;
        } else if (C == ';') {
            Sections.push_back(Format.substr(Start, I - Start));
            Start = I + 1;
        }
    }
    Sections.push_back(Format.substr(Start));
    return Sections;
}

bool IsExponentAt(std::string_view S, std::size_t I)
{
    return (S[I] == 'E' || S[I] == 'e') && I + 1 < S.size() && (S[I + 1] == '+' || S[I + 1] == '-');
}

TPicture AnalysePicture(std::string_view Text)
{
    TPicture P;
    P.Text = Text;
    bool AfterPoint = false;
    int FirstZero = -1;
    char Quote = 0;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const char C = Text[I];
        if (Quote) {
            if (C == Quote)
                Quote = 0;
            continue;
        }
        if (C == '"' || C == '\'') {
            Quote = C;
        } else if (C == '0' || C == '#') {
            P.HasPlaceholders = true;
            if (AfterPoint) {
                ++P.FracMax;
                if (C == '0')
                    P.FracMin = P.FracMax;
            } else {
                if (C == '0' && FirstZero < 0)
                    FirstZero = P.IntPlaceholders;
                ++P.IntPlaceholders;
            }
        } else if (C == '.' && !AfterPoint) {
            AfterPoint = true;
        } else if (C == ',') {
            P.Thousands = true;
        } else if (IsExponentAt(Text, I) && P.HasPlaceholders) {
            P.Scientific = true;
            P.ExpAlwaysSign = Text[I + 1] == '+';
            std::size_t J = I + 2;
            while (J < Text.size() && Text[J] == '0' && P.ExpDigits < 4) {
                ++P.ExpDigits;
                ++J;
            }
            break;
        }
    }
    P.MinIntDigits = FirstZero < 0 ? 0 : P.IntPlaceholders - FirstZero;
    return P;
}

// Lays the digits into the picture: the whole integer part appears at the
// first integer placeholder, fraction digits one per placeholder.
std::string RenderPicture(const TPicture& P, const std::string& Int, const std::string& Frac,
                          const std::string& Exponent)
{
    std::string R;
    bool AfterPoint = false;
    bool IntDone = false;
    std::size_t FracUsed = 0;
    char Quote = 0;
    const std::string_view T = P.Text;
    for (std::size_t I = 0; I < T.size(); ++I) {
        const char C = T[I];
        if (Quote) {
            if (C == Quote)
                Quote = 0;
            else
                R += C;
            continue;
        }
        if (C == '"' || C == '\'') {
            Quote = C;
        } else if (C == '0' || C == '#') {
            if (!AfterPoint) {
                if (!IntDone)
                    R += Int;
                IntDone = true;
            } else if (FracUsed < Frac.size()) {
                R += Frac[FracUsed++];
            }
        } else if (C == '.' && !AfterPoint) {
            if (!IntDone)
                R += Int;
            IntDone = true;
            AfterPoint = true;
            if (!Frac.empty())
                R += '.';
        } else if (C == ',') {
            // Thousands are grouped into Int already.
        } else if (P.Scientific && IsExponentAt(T, I)) {
            R += Exponent;
            I += 1;
            while (I + 1 < T.size() && T[I + 1] == '0')
                ++I;
        } else {
            R += C;
        }
    }
    return R;
}

// Formats the magnitude of Value with picture P; Negative tells whether the
// rounded result is non-zero and negative.
std::string FormatWithPicture(const TPicture& P, double Value, bool& IsZero)
{
    std::string Int, Frac, Exponent;
    if (P.Scientific) {
        const int IntDigits = std::max(1, P.IntPlaceholders);
        TDecimal D = ToDecimal(Value, 15);
        RoundDigits(D, IntDigits + P.FracMax);
        IsZero = D.Digits.empty();
        int Exp = IsZero ? 0 : D.Exponent - IntDigits;
        for (int I = 0; I < IntDigits; ++I)
            Int += DigitAt(D, I);
        Frac = std::string();
        for (int I = 0; I < P.FracMax; ++I)
            Frac += DigitAt(D, IntDigits + I);
        while (static_cast<int>(Frac.size()) > P.FracMin && Frac.back() == '0')
            Frac.pop_back();
        std::string E = std::to_string(std::abs(Exp));
        while (static_cast<int>(E.size()) < P.ExpDigits)
            E.insert(E.begin(), '0');
        Exponent = "E";
        if (Exp < 0)
            Exponent += '-';
        else if (P.ExpAlwaysSign)
            Exponent += '+';
        Exponent += E;
        // Keep the picture's letter case for the exponent mark.
        for (char C : P.Text)
            if (C == 'e' || C == 'E') {
                Exponent[0] = C;
                break;
            }
    } else {
        TDecimal D = ToDecimal(Value, 15);
        RoundToDecimals(D, P.FracMax);
        IsZero = D.Digits.empty();
        Int = IntegerDigits(D);
        if (static_cast<int>(Int.size()) < P.MinIntDigits)
            Int.insert(0, P.MinIntDigits - Int.size(), '0');
        if (P.Thousands)
            Int = GroupThousands(Int);
        Frac = FractionDigits(D, P.FracMax);
        while (static_cast<int>(Frac.size()) > P.FracMin && Frac.back() == '0')
            Frac.pop_back();
    }
    return RenderPicture(P, Int, Frac, Exponent);
}

}  // namespace

std::string FormatFloat(std::string_view Format, double Value)
{
    if (!std::isfinite(Value))
        return SpecialText(Value);
    const std::vector<std::string_view> Sections = SplitSections(Format);
    if (Format.empty())
        return FloatToStr(Value);

    const bool Negative = Value < 0;
    const bool HasNegativeSection = Sections.size() >= 2 && !Sections[1].empty();
    const bool HasZeroSection = Sections.size() >= 3 && !Sections[2].empty();
    const TPicture Main = AnalysePicture(Negative && HasNegativeSection ? Sections[1] : Sections[0]);

    bool IsZero = false;
    std::string Text = FormatWithPicture(Main, std::fabs(Value), IsZero);
    if (IsZero && HasZeroSection) {
        const TPicture ZeroPicture = AnalysePicture(Sections[2]);
        return FormatWithPicture(ZeroPicture, 0.0, IsZero);
    }
    if (Negative && !HasNegativeSection && !IsZero)
        Text.insert(Text.begin(), '-');
    return Text;
}

// ---------------------------------------------------------------- Format

namespace {

constexpr int MaxWidth = 1 << 20;

[[noreturn]] void FormatError(std::string_view Fmt)
{
    throw EConvertError("Format '" + std::string(Fmt) + "' invalid or incompatible with argument");
}

std::string ApplyWidth(std::string S, int Width, bool LeftAlign)
{
    if (Width > static_cast<int>(S.size())) {
        if (LeftAlign)
            S.append(Width - S.size(), ' ');
        else
            S.insert(0, Width - S.size(), ' ');
    }
    return S;
}

std::string PadDigits(std::string Digits, int Precision)
{
    if (Precision > static_cast<int>(Digits.size()))
        Digits.insert(0, Precision - Digits.size(), '0');
    return Digits;
}

}  // namespace

std::string Format(std::string_view Fmt, std::initializer_list<TFormatArg> Args)
{
    const TFormatArg* ArgList = Args.begin();
    const std::size_t ArgCount = Args.size();
    std::size_t NextArg = 0;
    auto TakeArg = [&]() -> const TFormatArg::TValue& {
        if (NextArg >= ArgCount)
            FormatError(Fmt);
        return ArgList[NextArg++].Value();
    };
    // A width or precision beyond MaxWidth is a mistake, not a request for
    // megabytes of padding. A '*' may give a negative number (a negative
    // width aligns left); its size is bounded the same way.
    auto ReadNumber = [&](std::size_t& I, int& Number) {
        if (I < Fmt.size() && Fmt[I] == '*') {
            const auto& V = TakeArg();
            if (!std::holds_alternative<std::int64_t>(V))
                FormatError(Fmt);
            const std::int64_t N = std::get<std::int64_t>(V);
            if (N > MaxWidth || N < -MaxWidth)
                FormatError(Fmt);
            Number = static_cast<int>(N);
            ++I;
            return true;
        }
        bool Any = false;
        Number = 0;
        while (I < Fmt.size() && Fmt[I] >= '0' && Fmt[I] <= '9') {
            Number = Number * 10 + (Fmt[I] - '0');
            if (Number > MaxWidth)
                FormatError(Fmt);
            Any = true;
            ++I;
        }
        return Any;
    };

    std::string R;
    std::size_t I = 0;
    while (I < Fmt.size()) {
        const char C = Fmt[I++];
        if (C != '%') {
            R += C;
            continue;
        }
        if (I >= Fmt.size())
            FormatError(Fmt);
        if (Fmt[I] == '%') {
            R += '%';
            ++I;
            continue;
        }
        // [index:] selects the argument for this and the following directives.
        {
            std::size_t J = I;
            std::size_t Index = 0;
            while (J < Fmt.size() && Fmt[J] >= '0' && Fmt[J] <= '9' && Index < ArgCount + 1)
                Index = Index * 10 + std::size_t(Fmt[J++] - '0');
            if (J > I && J < Fmt.size() && Fmt[J] == ':') {
                NextArg = Index;
                I = J + 1;
            }
        }
        bool LeftAlign = false;
        if (I < Fmt.size() && Fmt[I] == '-') {
            LeftAlign = true;
            ++I;
        }
        int Width = 0;
        ReadNumber(I, Width);
        if (Width < 0) {
            LeftAlign = true;
            Width = -Width;
        }
        int Precision = -1;
        if (I < Fmt.size() && Fmt[I] == '.') {
            ++I;
            if (!ReadNumber(I, Precision))
                Precision = 0;
        }
        if (I >= Fmt.size())
            FormatError(Fmt);
        const char Type = static_cast<char>(Fmt[I] | 0x20);
        ++I;
        const auto& V = TakeArg();
        const bool IsInt = std::holds_alternative<std::int64_t>(V);
        const bool IsFloat = std::holds_alternative<double>(V);
        auto FloatValue = [&]() -> double {
            if (IsFloat)
                return std::get<double>(V);
            if (IsInt)
                return double(std::get<std::int64_t>(V));
            FormatError(Fmt);
        };
        std::string Text;
        switch (Type) {
        case 'd':
        case 'u': {
            if (!IsInt)
                FormatError(Fmt);
            std::int64_t N = std::get<std::int64_t>(V);
            bool Minus = false;
            std::string Digits;
            if (Type == 'u') {
                const std::uint64_t U = (N < 0 && N >= std::numeric_limits<std::int32_t>::min())
                                            ? std::uint64_t(std::uint32_t(N))
                                            : std::uint64_t(N);
                Digits = std::to_string(U);
            } else {
                Minus = N < 0;
                Digits = std::to_string(Minus ? 0 - std::uint64_t(N) : std::uint64_t(N));
            }
            Text = (Minus ? "-" : "") + PadDigits(Digits, Precision);
            break;
        }
        case 'x': {
            if (!IsInt)
                FormatError(Fmt);
            const std::int64_t N = std::get<std::int64_t>(V);
            const std::uint64_t U = (N < 0 && N >= std::numeric_limits<std::int32_t>::min())
                                        ? std::uint64_t(std::uint32_t(N))
                                        : std::uint64_t(N);
            Text = PadDigits(IntToHex(std::int64_t(U), 0), Precision);
            break;
        }
        case 'p': {
            if (!std::holds_alternative<TFormatArg::TPointer>(V))
                FormatError(Fmt);
            Text = IntToHex(std::int64_t(std::get<TFormatArg::TPointer>(V).Address), int(sizeof(void*) * 2));
            break;
        }
        case 'f': Text = FixedText(FloatValue(), Precision < 0 ? 2 : std::min(Precision, 18), false); break;
        case 'n':
        case 'm': Text = FixedText(FloatValue(), Precision < 0 ? 2 : std::min(Precision, 18), true); break;
        case 'e': Text = ScientificText(FloatValue(), Precision < 0 ? 15 : Precision); break;
        case 'g': Text = GeneralText(FloatValue(), Precision < 0 ? 15 : Precision); break;
        case 's': {
            if (!std::holds_alternative<std::string>(V))
                FormatError(Fmt);
            Text = std::get<std::string>(V);
            if (Precision >= 0 && Precision < static_cast<int>(Text.size()))
                Text.resize(Precision);
            break;
        }
        default: FormatError(Fmt);
        }
        R += ApplyWidth(std::move(Text), Width, LeftAlign);
    }
    return R;
}
