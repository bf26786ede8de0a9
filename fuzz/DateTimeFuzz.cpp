// Date text: a calendar date encodes and decodes to itself, whatever reads
// as a date writes back as text that reads as the same date, and any
// picture formats any date-time without failing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>

#include "FuzzCheck.h"
#include "rtl/DateTime.h"
#include "rtl/Exception.h"

namespace {

bool ModelValidDate(int Y, int M, int D)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Y < 1 || Y > 9999 || M < 1 || M > 12 || D < 1)
        return false;
    const bool leap = (Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0;
    return D <= days[M - 1] + (M == 2 && leap ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    FuzzedDataProvider in(Data, Size);
    const int y = in.ConsumeIntegralInRange<int>(-2, 10001);
    const int m = in.ConsumeIntegralInRange<int>(-1, 13);
    const int d = in.ConsumeIntegralInRange<int>(-1, 32);
    const int hh = in.ConsumeIntegralInRange<int>(-1, 24);
    const int nn = in.ConsumeIntegralInRange<int>(-1, 60);
    const int ss = in.ConsumeIntegralInRange<int>(-1, 60);
    const double any = in.ConsumeFloatingPoint<double>();
    const std::string picture = in.ConsumeRandomLengthString(32);
    const std::string text = in.ConsumeRemainingBytesAsString();

    TDateTime date = 0;
    const bool valid = TryEncodeDate(y, m, d, date);
    FUZZ_CHECK(valid == ModelValidDate(y, m, d));
    if (valid) {
        int yy = 0, mm = 0, dd = 0;
        DecodeDate(date, yy, mm, dd);
        FUZZ_CHECK(yy == y && mm == m && dd == d);
        TDateTime back = 0;
        FUZZ_CHECK(TryStrToDate(DateToStr(date), back) && back == date);
    }
    TDateTime time = 0;
    const bool validTime = TryEncodeTime(hh, nn, ss, 0, time);
    FUZZ_CHECK(validTime == (hh >= 0 && hh < 24 && nn >= 0 && nn < 60 && ss >= 0 && ss < 60));
    if (validTime) {
        TDateTime back = 0;
        FUZZ_CHECK(TryStrToTime(TimeToStr(time), back) && std::fabs(back - time) < OneMillisecond / 2);
        if (valid) {
            FUZZ_CHECK(TryStrToDateTime(DateTimeToStr(date + time), back) &&
                       std::fabs(back - (date + time)) < OneMillisecond);
        }
    }

    TDateTime read = 0;
    if (TryStrToDate(text, read)) {
        int yy = 0, mm = 0, dd = 0;
        DecodeDate(read, yy, mm, dd);
        FUZZ_CHECK(ModelValidDate(yy, mm, dd));
        TDateTime back = 0;
        FUZZ_CHECK(TryStrToDate(DateToStr(read), back) && back == read);
    }
    if (TryStrToDateTime(text, read)) {
        TDateTime back = 0;
        FUZZ_CHECK(TryStrToDateTime(DateTimeToStr(read), back) && std::fabs(back - read) < OneSecond);
    }

    // Any picture, any value: text or a conversion error, nothing worse.
    for (double value : {date + time, any, read}) {
        try {
            (void)FormatDateTime(picture, value);
        } catch (const EConvertError&) {
        }
    }
    return 0;
}
