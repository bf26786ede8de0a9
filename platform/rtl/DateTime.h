#pragma once
// Date-times as days since 1899-12-30 (fraction = time of day), local time.
#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;

// Milliseconds in a day, and the date-time units.
inline constexpr double MSecsPerDay = 86400000.0;
inline constexpr double OneHour = 1.0 / 24.0;
inline constexpr double OneMinute = 1.0 / 1440.0;
inline constexpr double OneSecond = 1.0 / 86400.0;
inline constexpr double OneMillisecond = 1.0 / 86400000.0;

// Wall clock, local time. Only for time stamps; intervals use MonotonicClock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Raise EConvertError on an invalid date or time; the Try forms return false.
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Value);
void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec);

bool IsLeapYear(int Year);
int DaysInMonth(int Year, int Month);
// Adds months, keeping the time of day; the day is clamped to the month's end.
TDateTime IncMonth(TDateTime DateTime, int NumberOfMonths = 1);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime DateTime);

// The short date and long time formats of this system.
inline constexpr const char* ShortDateFormat = "yyyy-mm-dd";
inline constexpr const char* LongTimeFormat = "hh:nn:ss";

// Pictures: yyyy yy m mm mmm mmmm d dd ddd dddd ddddd (short date) dddddd
// (long date "2024年3月5日"), h hh n nn s ss z zzz (m or mm after h or hh is
// minutes), am/pm a/p ampm (12-hour clock), c (short date, then the long
// time unless it is midnight), t tt (short and long time), "text" and
// 'text', / (date separator '-') and : (time separator ':'). Month and day
// names are English. An empty picture means "c".
std::string FormatDateTime(std::string_view Format, TDateTime DateTime);

std::string DateToStr(TDateTime DateTime);
std::string TimeToStr(TDateTime DateTime);
std::string DateTimeToStr(TDateTime DateTime);
// Reads "yyyy-mm-dd" (also with '/' or '.' as separator, one- or two-digit
// month and day). StrToDate raises EConvertError "'S' is not a valid date".
bool TryStrToDate(std::string_view S, TDateTime& Value);
TDateTime StrToDate(std::string_view S);
// Reads "hh:nn[:ss[.zzz]]". StrToTime raises EConvertError "'S' is not a valid time".
bool TryStrToTime(std::string_view S, TDateTime& Value);
TDateTime StrToTime(std::string_view S);
// Date, optionally followed by a blank and a time.
bool TryStrToDateTime(std::string_view S, TDateTime& Value);
TDateTime StrToDateTime(std::string_view S);
