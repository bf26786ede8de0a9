#include "rtl/DateTime.h"

#include "rtl/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TDateTime At(int Y, int M, int D, int H = 0, int N = 0, int S = 0, int Z = 0)
{
    return EncodeDate(Y, M, D) + EncodeTime(H, N, S, Z);
}

}  // namespace

TEST(DateTime, EncodeCountsDaysFrom18991230)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2024, 2, 29), 45351.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST(DateTime, EncodeRejectsInvalidParts)
{
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateTime, DecodeRoundTripsAndRoundsToTheMillisecond)
{
    for (const auto& [Y, M, D] : {std::tuple{1, 1, 1},
                                  {1899, 12, 29},
                                  {1900, 2, 28},
                                  {1900, 3, 1},
                                  {2000, 2, 29},
                                  {2023, 12, 31},
                                  {2024, 3, 1},
                                  {9999, 12, 31}}) {
        int Y2, M2, D2;
        // Before the epoch a time of day is subtracted, as the classic runtime does.
        const TDateTime Day = EncodeDate(Y, M, D);
        DecodeDate(Day < 0 ? Day - 0.75 : Day + 0.75, Y2, M2, D2);
        EXPECT_EQ(std::tuple(Y2, M2, D2), std::tuple(Y, M, D));
    }
    int H, N, S, Z;
    DecodeTime(At(2024, 5, 6, 13, 45, 30, 123), H, N, S, Z);
    EXPECT_EQ(std::tuple(H, N, S, Z), std::tuple(13, 45, 30, 123));
    // Just below midnight rounds into the next day consistently.
    const TDateTime AlmostMidnight = EncodeDate(2024, 5, 6) + 1.0 - 1e-10;
    int Y, M, D;
    DecodeDate(AlmostMidnight, Y, M, D);
    DecodeTime(AlmostMidnight, H, N, S, Z);
    EXPECT_EQ(std::tuple(Y, M, D, H, N), std::tuple(2024, 5, 7, 0, 0));
    // Before 1899-12-30 the time of day counts forward within the day.
    DecodeDate(-1.25, Y, M, D);
    DecodeTime(-1.25, H, N, S, Z);
    EXPECT_EQ(std::tuple(Y, M, D, H), std::tuple(1899, 12, 29, 6));
    // Garbage does not crash.
    DecodeDate(std::nan(""), Y, M, D);
    EXPECT_EQ(std::tuple(Y, M, D), std::tuple(1899, 12, 30));
    DecodeDate(1e300, Y, M, D);
    EXPECT_EQ(std::tuple(Y, M, D), std::tuple(9999, 12, 31));
}

TEST(DateTime, DecodeAtAndBeyondTheEndsOfTheCalendar)
{
    auto Decoded = [](TDateTime V) {
        int Y, M, D, H, N, S, Z;
        DecodeDate(V, Y, M, D);
        DecodeTime(V, H, N, S, Z);
        return std::vector<int>{Y, M, D, H, N, S, Z};
    };
    using V = std::vector<int>;
    const TDateTime First = EncodeDate(1, 1, 1);
    const TDateTime Last = EncodeDate(9999, 12, 31);
    EXPECT_EQ(Decoded(First), (V{1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Decoded(First - 0.5), (V{1, 1, 1, 12, 0, 0, 0}));
    EXPECT_EQ(Decoded(First + 1), (V{1, 1, 2, 0, 0, 0, 0}));
    // The first day's last instant, whose millisecond rounds past the range.
    EXPECT_EQ(Decoded(First - 1 + 1e-9), (V{1, 1, 1, 23, 59, 59, 999}));
    EXPECT_EQ(Decoded(First - 0.99999999), (V{1, 1, 1, 23, 59, 59, 999}));
    EXPECT_EQ(Decoded(First - 1), (V{1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Decoded(First - 1000), (V{1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Decoded(-1e300), (V{1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Decoded(Last), (V{9999, 12, 31, 0, 0, 0, 0}));
    EXPECT_EQ(Decoded(Last + 0.5), (V{9999, 12, 31, 12, 0, 0, 0}));
    EXPECT_EQ(Decoded(Last - 1), (V{9999, 12, 30, 0, 0, 0, 0}));
    EXPECT_EQ(Decoded(Last + 1 - 1e-9), (V{9999, 12, 31, 23, 59, 59, 999}));
    EXPECT_EQ(Decoded(Last + 1), (V{9999, 12, 31, 23, 59, 59, 999}));
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", First - 1 + 1e-9), "0001-01-01 23:59:59.999");
}

TEST(DateTime, CalendarHelpers)
{
    EXPECT_EQ(DayOfWeek(0), 7);                         // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 2, 29)), 5);   // Thursday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);    // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);  // Sunday, negative day number
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 11, 15), 14), EncodeDate(2025, 1, 15));
    EXPECT_DOUBLE_EQ(IncMonth(At(2024, 1, 10, 18), 1), At(2024, 2, 10, 18));
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
}

TEST(DateTime, FormatDateTimePictures)
{
    const TDateTime T = At(2024, 3, 5, 14, 7, 9, 45);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", T), "2024-03-05 14:07:09.045");
    EXPECT_EQ(FormatDateTime("yyyymmddhhnnss", T), "20240305140709");
    EXPECT_EQ(FormatDateTime("yy/m/d h:n:s.z", T), "24-3-5 14:7:9.45");
    EXPECT_EQ(FormatDateTime("hh:mm", T), "14:07");  // m after h is minutes
    EXPECT_EQ(FormatDateTime("hh\"h\"mm", T), "14h07");
    EXPECT_EQ(FormatDateTime("hh x mm", T), "14 x 03");  // a letter in between ends the hour
    EXPECT_EQ(FormatDateTime("mm", T), "03");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", T), "2:07 pm");
    EXPECT_EQ(FormatDateTime("hh AM/PM", At(2024, 1, 1, 0, 30)), "12 AM");
    EXPECT_EQ(FormatDateTime("h a/p", At(2024, 1, 1, 12)), "12 p");
    EXPECT_EQ(FormatDateTime("\"Date:\" dd 'at' hh", T), "Date: 05 at 14");
    EXPECT_EQ(FormatDateTime("ddd dddd mmm mmmm", T), "Tue Tuesday Mar March");
    EXPECT_EQ(FormatDateTime("ddddd", T), "2024-03-05");
    EXPECT_EQ(FormatDateTime("dddddd", T), "2024年3月5日");
    EXPECT_EQ(FormatDateTime("tt", T), "14:07:09");
    EXPECT_EQ(FormatDateTime("t", T), "14:07");
    EXPECT_EQ(FormatDateTime("c", T), "2024-03-05 14:07:09");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "2024-03-05");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", EncodeTime(23, 59, 59, 999) + 0.0000000001), "23:59:59");
    EXPECT_EQ(DateToStr(T), "2024-03-05");
    EXPECT_EQ(TimeToStr(T), "14:07:09");
    EXPECT_EQ(DateTimeToStr(T), "2024-03-05 14:07:09");
}

TEST(DateTime, ParsesTheShortDateFormat)
{
    EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 2024/3/5 "), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("2024.12.31"), EncodeDate(2024, 12, 31));
    TDateTime V = 1.0;
    for (const char* Bad : {"", "2024-02-30", "2024-3", "2024-03/05", "05.03.2024x", "abc", "2024-03-05 10:00"})
        EXPECT_FALSE(TryStrToDate(Bad, V)) << Bad;
    EXPECT_EQ(V, 1.0);
    try {
        StrToDate("31.02.");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, "'31.02.' is not a valid date");
    }
    EXPECT_DOUBLE_EQ(StrToTime("06:00"), 0.25);
    EXPECT_DOUBLE_EQ(StrToTime("14:07:09.5"), EncodeTime(14, 7, 9, 500));
    EXPECT_FALSE(TryStrToTime("25:00", V));
    EXPECT_DOUBLE_EQ(StrToDateTime("2024-03-05 14:07:09"), At(2024, 3, 5, 14, 7, 9));
    EXPECT_EQ(StrToDateTime("2024-03-05"), EncodeDate(2024, 3, 5));
}

TEST(DateTime, NowIsTheLocalWallClock)
{
    const std::time_t Before = std::time(nullptr);
    const TDateTime N = Now();
    const std::time_t After = std::time(nullptr);
    std::tm B{}, A{};
    localtime_r(&Before, &B);
    localtime_r(&After, &A);
    const TDateTime Lo = At(B.tm_year + 1900, B.tm_mon + 1, B.tm_mday, B.tm_hour, B.tm_min, B.tm_sec);
    const TDateTime Hi = At(A.tm_year + 1900, A.tm_mon + 1, A.tm_mday, A.tm_hour, A.tm_min, A.tm_sec) + OneSecond;
    EXPECT_GE(N, Lo);
    EXPECT_LE(N, Hi);
    EXPECT_EQ(Date(), std::floor(Date()));
    EXPECT_LT(Time(), 1.0);
}
