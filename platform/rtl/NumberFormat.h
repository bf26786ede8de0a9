#pragma once
// Number <-> text conversion that never depends on the C locale: '.' is
// always written, '.' and ',' are accepted on reading.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

std::string IntToStr(std::int64_t Value);
// Upper-case hexadecimal, zero-padded to at least Digits digits. Negative
// values are shown as their 64-bit two's complement.
std::string IntToHex(std::int64_t Value, int Digits);

// Decimal with optional sign, or hexadecimal with a "$", "0x" or "0X" prefix.
// Leading and trailing blanks are allowed. Out-of-range values fail.
// StrToInt raises EConvertError "'S' is not a valid integer value".
bool TryStrToInt(std::string_view S, int& Value);
bool TryStrToInt64(std::string_view S, std::int64_t& Value);
int StrToInt(std::string_view S);
std::int64_t StrToInt64(std::string_view S);
int StrToIntDef(std::string_view S, int Default);
std::int64_t StrToInt64Def(std::string_view S, std::int64_t Default);

// General format with up to 15 significant digits: fixed notation when the
// decimal exponent is in -4..14, otherwise like "1.5E20" or "1E-5";
// "NAN", "INF", "-INF". Near the largest double the last digit is cut
// rather than rounded up, so that the text still reads back as a number.
std::string FloatToStr(double Value);
// The text that files store: FloatToStr's layout with only as many more
// significant digits (up to 17) as it takes to read back exactly Value.
// An infinity, which no number text reads back as, is stored as the
// largest finite value of its sign; NaN stays "NAN".
std::string FloatToStrExact(double Value);
// Accepts '.' or ',' as decimal separator, optional exponent, surrounding
// blanks. StrToFloat raises EConvertError "'S' is not a valid floating point value".
bool TryStrToFloat(std::string_view S, double& Value);
double StrToFloat(std::string_view S);
double StrToFloatDef(std::string_view S, double Default);

// Picture formatting: "0" digit, "#" optional digit, "." decimal point,
// "," thousands separator, "E+00"/"E-00"/"e+00" exponent, quoted text,
// and up to three ';' sections (positive; negative; zero).
std::string FormatFloat(std::string_view Format, double Value);

// Round half to even; result clamped like ClampToInt64.
std::int64_t Round(double Value);
// Round half to even; result clamped like ClampToInt (a pixel, a count).
int RoundToInt(double Value);
// Truncate toward zero; result clamped like ClampToInt64.
std::int64_t Trunc(double Value);
// The one double-to-integer conversion: NaN gives 0, values outside the
// range give the nearest end, everything else is truncated toward zero.
std::int64_t ClampToInt64(double Value);
int ClampToInt(double Value);

// One argument of Format.
class TFormatArg {
public:
    struct TPointer {
        std::uintptr_t Address;
    };
    using TValue = std::variant<std::int64_t, double, std::string, TPointer>;

    TFormatArg(int V) : FValue(std::int64_t(V)) {}
    TFormatArg(unsigned V) : FValue(std::int64_t(V)) {}
    TFormatArg(long V) : FValue(std::int64_t(V)) {}
    TFormatArg(unsigned long V) : FValue(std::int64_t(V)) {}
    TFormatArg(long long V) : FValue(std::int64_t(V)) {}
    TFormatArg(unsigned long long V) : FValue(std::int64_t(V)) {}
    TFormatArg(double V) : FValue(V) {}
    TFormatArg(float V) : FValue(double(V)) {}
    TFormatArg(const char* V) : FValue(std::string(V ? V : "")) {}
    TFormatArg(std::string V) : FValue(std::move(V)) {}
    TFormatArg(std::string_view V) : FValue(std::string(V)) {}
    TFormatArg(char V) : FValue(std::string(1, V)) {}
    TFormatArg(const void* V) : FValue(TPointer{reinterpret_cast<std::uintptr_t>(V)}) {}

    const TValue& Value() const { return FValue; }

private:
    TValue FValue;
};

// printf-like formatting with the classic runtime's rules:
// %[index:][-][width][.prec]type, '*' taking width or precision from the
// arguments. d u: integer, precision = minimum digits ("%.2d" -> "05").
// x: upper-case hex, precision = minimum digits. f: fixed, default 2
// decimals. n: like f with thousands separators. m: like n. e: scientific
// with prec significant digits (default 15) and a 3-digit exponent
// ("1.23E+003"). g: general like FloatToStr with prec digits (default 15).
// s: string, precision = maximum length. p: pointer as hex. %%: percent.
// Halves round away from zero on the shortest decimal form. A mismatch
// between a directive and its argument, a missing argument, or a width or
// precision beyond 1048576 (a "*" one below -1048576), raises EConvertError
// "Format 'fmt' invalid or incompatible with argument".
std::string Format(std::string_view Fmt, std::initializer_list<TFormatArg> Args);

template <class... A> std::string Format(std::string_view Fmt, const A&... Args)
{
    return Format(Fmt, std::initializer_list<TFormatArg>{TFormatArg(Args)...});
}
