// Number text: whatever reads as a number writes back as text that reads
// as the same number, and every number written reads back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "rtl/NumberFormat.h"

namespace {

// The 15 significant digits FloatToStr keeps are what must survive.
void CheckFloatRoundTrip(double X)
{
    const std::string text = FloatToStr(X);
    double back = 0;
    FUZZ_CHECK(TryStrToFloat(text, back));
    FUZZ_CHECK(FloatToStr(back) == text);
    // Files written where ',' is the decimal separator read the same.
    std::string comma = text;
    if (const auto dot = comma.find('.'); dot != std::string::npos) {
        comma[dot] = ',';
        FUZZ_CHECK(TryStrToFloat(comma, back) && FloatToStr(back) == text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    FuzzedDataProvider in(Data, Size);
    const auto i64 = in.ConsumeIntegral<std::int64_t>();
    const auto i32 = in.ConsumeIntegral<int>();
    const double x = in.ConsumeFloatingPoint<double>();
    const std::string text = in.ConsumeRemainingBytesAsString();

    FUZZ_CHECK(StrToInt64(IntToStr(i64)) == i64);
    FUZZ_CHECK(StrToInt(IntToStr(i32)) == i32);
    if (i64 >= 0)
        FUZZ_CHECK(StrToInt64("$" + IntToHex(i64, 1)) == i64);
    CheckFloatRoundTrip(x);

    int n = 0;
    if (TryStrToInt(text, n)) {
        FUZZ_CHECK(StrToInt(IntToStr(n)) == n);
        std::int64_t wide = 0;
        // A full 32-bit hexadecimal pattern reads as a negative Integer.
        FUZZ_CHECK(TryStrToInt64(text, wide) && static_cast<std::uint32_t>(wide) == static_cast<std::uint32_t>(n));
    }
    std::int64_t w = 0;
    if (TryStrToInt64(text, w))
        FUZZ_CHECK(StrToInt64(IntToStr(w)) == w);
    double f = 0;
    if (TryStrToFloat(text, f) && std::isfinite(f))
        CheckFloatRoundTrip(f);
    return 0;
}
