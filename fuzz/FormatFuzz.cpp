// Format and FormatFloat: any format string with any arguments gives text
// or a conversion error, and the directives agree with each other and with
// the plain conversions.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"

namespace {

// "-0", "-0.00" and the like read as their unsigned form.
std::string WithoutNegativeZero(std::string S)
{
    if (!S.empty() && S[0] == '-' && S.find_first_not_of("-0.,") == std::string::npos)
        S.erase(0, 1);
    return S;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    FuzzedDataProvider in(Data, Size);
    const auto i = in.ConsumeIntegral<int>();
    const auto i64 = in.ConsumeIntegral<std::int64_t>();
    const double x = in.ConsumeFloatingPoint<double>();
    const double moderate = in.ConsumeFloatingPointInRange<double>(-1e12, 1e12);
    const int precision = in.ConsumeIntegralInRange<int>(0, 6);
    const std::string s = in.ConsumeRandomLengthString(16);
    const std::string picture = in.ConsumeRandomLengthString(24);
    const std::string format = in.ConsumeRemainingBytesAsString();

    FUZZ_CHECK(Format("%d", i64) == IntToStr(i64));
    FUZZ_CHECK(Format("%s", s) == s);
    FUZZ_CHECK(Format("%g", x) == FloatToStr(x));
    if (i >= 0)
        FUZZ_CHECK(Format("%x", i) == IntToHex(i, 1));
    const std::string padded = Format("%*d", precision + 3, i);
    FUZZ_CHECK(padded.size() >= size_t(precision + 3) &&
               padded.find_first_not_of(' ') == padded.size() - IntToStr(i).size());

    // Fixed notation two ways (both keep 15 significant digits): the picture and the directive round alike.
    const std::string zeros = precision ? "0." + std::string(size_t(precision), '0') : "0";
    const std::string fixed = Format("%.*f", precision, moderate);
    FUZZ_CHECK(WithoutNegativeZero(FormatFloat(zeros, moderate)) == WithoutNegativeZero(fixed));
    FUZZ_CHECK(WithoutNegativeZero(FormatFloat("#,##" + zeros, moderate)) ==
               WithoutNegativeZero(Format("%.*n", precision, moderate)));
    double back = 0;
    FUZZ_CHECK(TryStrToFloat(fixed, back) &&
               std::fabs(back - moderate) <=
                   0.5 * std::pow(10.0, -precision) * (1 + 1e-9) + std::fabs(moderate) * 1e-14);

    // Anything at all: text or a conversion error.
    for (const std::string* f : {&format, &picture}) {
        try {
            (void)Format(*f, {TFormatArg(i), TFormatArg(x), TFormatArg(s), TFormatArg(i64)});
        } catch (const EConvertError&) {
        }
        try {
            (void)FormatFloat(*f, x);
        } catch (const EConvertError&) {
        }
    }
    return 0;
}
