#include "rtl/DateTime.h"

#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"

#include <cmath>
#include <ctime>

namespace {

// Day number of 0001-01-01 relative to 1899-12-30, and the last valid day.
constexpr int MinDay = -693593;
constexpr int MaxDay = 2958465;  // 9999-12-31
constexpr std::int64_t MSecsPerDayInt = 86400000;

const int DaysBeforeMonth[2][13] = {
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};

const char* const ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
const char* const ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* LongDateFormat = "yyyy'年'm'月'd'日'";
constexpr const char* ShortTimeFormat = "hh:nn";

// A date-time split into whole days and milliseconds of the day, rounded to
// the millisecond. Negative values count days back with the time forward,
// as the classic runtime does. Out-of-range or NaN input is clamped.
struct TSplit {
    int Day = 0;
    int MSec = 0;
};

TSplit Split(TDateTime DateTime)
{
    TSplit S;
    if (std::isnan(DateTime))
        return S;
    if (DateTime >= MaxDay + 1.0) {
        S.Day = MaxDay;
        S.MSec = int(MSecsPerDayInt - 1);
        return S;
    }
    if (DateTime <= MinDay - 1.0) {
        S.Day = MinDay;
        return S;
    }
    double IntPart;
    const double Frac = std::modf(DateTime, &IntPart);
    S.Day = int(IntPart);
    std::int64_t MSec = std::llround(std::fabs(Frac) * MSecsPerDay);
    if (MSec >= MSecsPerDayInt) {
        MSec = 0;
        S.Day += DateTime < 0 ? -1 : 1;
    }
    S.MSec = int(MSec);
    // Rounding the last millisecond of the first or the last day carries
    // past the range: keep the day and its last millisecond.
    if (S.Day > MaxDay || S.Day < MinDay) {
        S.Day = S.Day > MaxDay ? MaxDay : MinDay;
        S.MSec = int(MSecsPerDayInt - 1);
    }
    return S;
}

void DayToDate(int Day, int& Year, int& Month, int& DayOfMonth)
{
    // Days since 0001-01-01, then whole 400-, 100-, 4- and 1-year cycles.
    int T = Day - MinDay;
    int Y = 1;
    Y += 400 * (T / 146097);
    T %= 146097;
    int C = T / 36524;
    if (C == 4)
        C = 3;
    Y += 100 * C;
    T -= C * 36524;
    Y += 4 * (T / 1461);
    T %= 1461;
    int YY = T / 365;
    if (YY == 4)
        YY = 3;
    Y += YY;
    T -= YY * 365;
    const int Leap = IsLeapYear(Y) ? 1 : 0;
    int M = 12;
    while (M > 1 && DaysBeforeMonth[Leap][M] > T)
        --M;
    Year = Y;
    Month = M;
    DayOfMonth = T - DaysBeforeMonth[Leap][M] + 1;
}

TDateTime Combine(TDateTime DatePart, TDateTime TimePart)
{
    return DatePart < 0 ? DatePart - TimePart : DatePart + TimePart;
}

std::string Pad(int Value, int Width)
{
    std::string S = IntToStr(Value);
    while (static_cast<int>(S.size()) < Width)
        S.insert(S.begin(), '0');
    return S;
}

bool StartsWithNoCase(std::string_view S, std::size_t At, std::string_view Word)
{
    if (S.size() - At < Word.size())
        return false;
    for (std::size_t I = 0; I < Word.size(); ++I)
        if ((S[At + I] | 0x20) != (Word[I] | 0x20))
            return false;
    return true;
}

// Picture interpreter; Depth guards the pictures that expand into others.
class TDateFormatter {
public:
    explicit TDateFormatter(TDateTime DateTime)
    {
        const TSplit S = Split(DateTime);
        DayToDate(S.Day, Year, Month, Day);
        Hour = S.MSec / 3600000;
        Min = S.MSec / 60000 % 60;
        Sec = S.MSec / 1000 % 60;
        MSec = S.MSec % 1000;
        HasTime = S.MSec != 0;
        WeekDay = DayOfWeek(DateTime) - 1;
    }

    void Append(std::string_view F, std::string& R, int Depth)
    {
        if (Depth > 2)
            return;
        bool LastWasHour = false;
        const bool Use12 = UsesTwelveHours(F);
        std::size_t I = 0;
        while (I < F.size()) {
            const char C = F[I];
            const char L = static_cast<char>(C | 0x20);
            auto Count = [&](char Letter) {
                std::size_t N = 0;
                while (I + N < F.size() && (F[I + N] | 0x20) == Letter)
                    ++N;
                return N;
            };
            if (C == '"' || C == '\'') {
                const std::size_t End = F.find(C, I + 1);
                const std::size_t Stop = End == std::string_view::npos ? F.size() : End;
                R.append(F.substr(I + 1, Stop - I - 1));
                I = Stop == F.size() ? Stop : Stop + 1;
                continue;
            }
            if (L == 'a') {
                LastWasHour = false;
                if (StartsWithNoCase(F, I, "am/pm")) {
                    const bool Lower = F[I] == 'a';
                    R += Hour < 12 ? (Lower ? "am" : "AM") : (Lower ? "pm" : "PM");
                    I += 5;
                } else if (StartsWithNoCase(F, I, "a/p")) {
                    const bool Lower = F[I] == 'a';
                    R += Hour < 12 ? (Lower ? "a" : "A") : (Lower ? "p" : "P");
                    I += 3;
                } else if (StartsWithNoCase(F, I, "ampm")) {
                    R += Hour < 12 ? "AM" : "PM";
                    I += 4;
                } else {
                    R += C;
                    ++I;
                }
                continue;
            }
            switch (L) {
            case 'y': {
                const std::size_t N = Count('y');
                R += N <= 2 ? Pad(Year % 100, 2) : Pad(Year, 4);
                I += N;
                LastWasHour = false;
                break;
            }
            case 'm': {
                const std::size_t N = Count('m');
                if (LastWasHour && N <= 2)
                    R += N == 1 ? IntToStr(Min) : Pad(Min, 2);
                else if (N == 1)
                    R += IntToStr(Month);
                else if (N == 2)
                    R += Pad(Month, 2);
                else if (N == 3)
                    R += ShortMonthNames[Month - 1];
                else
                    R += LongMonthNames[Month - 1];
                I += N;
                LastWasHour = false;
                break;
            }
            case 'd': {
                const std::size_t N = Count('d');
                if (N == 1)
                    R += IntToStr(Day);
                else if (N == 2)
                    R += Pad(Day, 2);
                else if (N == 3)
                    R += ShortDayNames[WeekDay];
                else if (N == 4)
                    R += LongDayNames[WeekDay];
                else if (N == 5)
                    Append(ShortDateFormat, R, Depth + 1);
                else
                    Append(LongDateFormat, R, Depth + 1);
                I += N;
                LastWasHour = false;
                break;
            }
            case 'h': {
                const std::size_t N = Count('h');
                int H = Hour;
                if (Use12) {
                    H = Hour % 12;
                    if (H == 0)
                        H = 12;
                }
                R += N == 1 ? IntToStr(H) : Pad(H, 2);
                I += N;
                LastWasHour = true;
                break;
            }
            case 'n': {
                const std::size_t N = Count('n');
                R += N == 1 ? IntToStr(Min) : Pad(Min, 2);
                I += N;
                LastWasHour = false;
                break;
            }
            case 's': {
                const std::size_t N = Count('s');
                R += N == 1 ? IntToStr(Sec) : Pad(Sec, 2);
                I += N;
                LastWasHour = false;
                break;
            }
            case 'z': {
                const std::size_t N = Count('z');
                R += N < 3 ? IntToStr(MSec) : Pad(MSec, 3);
                I += N;
                LastWasHour = false;
                break;
            }
            case 't': {
                const std::size_t N = Count('t');
                Append(N == 1 ? ShortTimeFormat : LongTimeFormat, R, Depth + 1);
                I += N;
                LastWasHour = false;
                break;
            }
            case 'c': {
                Append(ShortDateFormat, R, Depth + 1);
                if (HasTime) {
                    R += ' ';
                    Append(LongTimeFormat, R, Depth + 1);
                }
                I += Count('c');
                LastWasHour = false;
                break;
            }
            case '/':
                R += '-';
                ++I;
                break;
            default:
                // Any other letter ends an hour for the m-means-minutes rule.
                if (L >= 'a' && L <= 'z')
                    LastWasHour = false;
                R += C;
                ++I;
                break;
            }
        }
    }

private:
    static bool UsesTwelveHours(std::string_view F)
    {
        char Quote = 0;
        for (std::size_t I = 0; I < F.size(); ++I) {
            if (Quote) {
                if (F[I] == Quote)
                    Quote = 0;
            } else if (F[I] == '"' || F[I] == '\'') {
                Quote = F[I];
            } else if (StartsWithNoCase(F, I, "am/pm") || StartsWithNoCase(F, I, "a/p") ||
                       StartsWithNoCase(F, I, "ampm")) {
                return true;
            }
        }
        return false;
    }

    int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0, WeekDay = 0;
    bool HasTime = false;
};

// Reads 1..MaxDigits decimal digits.
bool ReadNumber(std::string_view S, std::size_t& I, int MaxDigits, int& Value)
{
    int N = 0;
    Value = 0;
    while (I < S.size() && S[I] >= '0' && S[I] <= '9' && N < MaxDigits) {
        Value = Value * 10 + (S[I] - '0');
        ++I;
        ++N;
    }
    return N > 0;
}

std::string_view TrimBlanks(std::string_view S)
{
    while (!S.empty() && static_cast<unsigned char>(S.front()) <= ' ')
        S.remove_prefix(1);
    while (!S.empty() && static_cast<unsigned char>(S.back()) <= ' ')
        S.remove_suffix(1);
    return S;
}

bool ParseDate(std::string_view S, std::size_t& I, TDateTime& Value)
{
    int Y, M, D;
    if (!ReadNumber(S, I, 4, Y) || I >= S.size())
        return false;
    const char Sep = S[I];
    if (Sep != '-' && Sep != '/' && Sep != '.')
        return false;
    ++I;
    if (!ReadNumber(S, I, 2, M) || I >= S.size() || S[I] != Sep)
        return false;
    ++I;
    if (!ReadNumber(S, I, 2, D))
        return false;
    return TryEncodeDate(Y, M, D, Value);
}

bool ParseTime(std::string_view S, std::size_t& I, TDateTime& Value)
{
    int H, N, Sec = 0, MS = 0;
    if (!ReadNumber(S, I, 2, H) || I >= S.size() || S[I] != ':')
        return false;
    ++I;
    if (!ReadNumber(S, I, 2, N))
        return false;
    if (I < S.size() && S[I] == ':') {
        ++I;
        if (!ReadNumber(S, I, 2, Sec))
            return false;
        if (I < S.size() && S[I] == '.') {
            ++I;
            const std::size_t Start = I;
            if (!ReadNumber(S, I, 3, MS))
                return false;
            for (std::size_t K = I - Start; K < 3; ++K)
                MS *= 10;
        }
    }
    return TryEncodeTime(H, N, Sec, MS, Value);
}

}  // namespace

bool IsLeapYear(int Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month)
{
    if (Month < 1 || Month > 12)
        return 0;
    static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    const int Y = Year - 1;
    const int Days = Y * 365 + Y / 4 - Y / 100 + Y / 400 + DaysBeforeMonth[IsLeapYear(Year) ? 1 : 0][Month] + Day;
    Value = Days - 693594;
    return true;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Value)
{
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        return false;
    Value = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime V;
    if (!TryEncodeDate(Year, Month, Day, V))
        throw EConvertError("Invalid argument to date encode");
    return V;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    TDateTime V;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, V))
        throw EConvertError("Invalid argument to time encode");
    return V;
}

void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day)
{
    DayToDate(Split(DateTime).Day, Year, Month, Day);
}

void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec)
{
    const int T = Split(DateTime).MSec;
    Hour = T / 3600000;
    Min = T / 60000 % 60;
    Sec = T / 1000 % 60;
    MSec = T % 1000;
}

TDateTime Now()
{
    timespec Ts{};
    clock_gettime(CLOCK_REALTIME, &Ts);
    std::tm Tm{};
    localtime_r(&Ts.tv_sec, &Tm);
    // A leap second shows as 59.999.
    const int Sec = Tm.tm_sec > 59 ? 59 : Tm.tm_sec;
    const int MSec = Tm.tm_sec > 59 ? 999 : int(Ts.tv_nsec / 1000000);
    return EncodeDate(Tm.tm_year + 1900, Tm.tm_mon + 1, Tm.tm_mday) + EncodeTime(Tm.tm_hour, Tm.tm_min, Sec, MSec);
}

TDateTime Date()
{
    return std::floor(Now());
}

TDateTime Time()
{
    const TDateTime N = Now();
    return N - std::floor(N);
}

TDateTime IncMonth(TDateTime DateTime, int NumberOfMonths)
{
    int Y, M, D;
    DecodeDate(DateTime, Y, M, D);
    const TSplit S = Split(DateTime);
    long long Total = (long long)Y * 12 + (M - 1) + NumberOfMonths;
    if (Total < 12)
        Total = 12;  // 0001-01
    if (Total > 9999LL * 12 + 11)
        Total = 9999LL * 12 + 11;
    Y = int(Total / 12);
    M = int(Total % 12) + 1;
    if (D > DaysInMonth(Y, M))
        D = DaysInMonth(Y, M);
    return Combine(EncodeDate(Y, M, D), S.MSec / MSecsPerDay);
}

int DayOfWeek(TDateTime DateTime)
{
    // 1899-12-30 was a Saturday.
    const int Day = Split(DateTime).Day;
    const int R = ((Day + 6) % 7 + 7) % 7;
    return R + 1;
}

std::string FormatDateTime(std::string_view Format, TDateTime DateTime)
{
    std::string R;
    TDateFormatter Formatter(DateTime);
    Formatter.Append(Format.empty() ? std::string_view("c") : Format, R, 0);
    return R;
}

std::string DateToStr(TDateTime DateTime)
{
    return FormatDateTime(ShortDateFormat, DateTime);
}

std::string TimeToStr(TDateTime DateTime)
{
    return FormatDateTime(LongTimeFormat, DateTime);
}

std::string DateTimeToStr(TDateTime DateTime)
{
    return FormatDateTime("c", DateTime);
}

bool TryStrToDate(std::string_view S, TDateTime& Value)
{
    S = TrimBlanks(S);
    std::size_t I = 0;
    TDateTime V;
    if (!ParseDate(S, I, V) || I != S.size())
        return false;
    Value = V;
    return true;
}

TDateTime StrToDate(std::string_view S)
{
    TDateTime V;
    if (!TryStrToDate(S, V))
        throw EConvertError("'" + std::string(S) + "' is not a valid date");
    return V;
}

bool TryStrToTime(std::string_view S, TDateTime& Value)
{
    S = TrimBlanks(S);
    std::size_t I = 0;
    TDateTime V;
    if (!ParseTime(S, I, V) || I != S.size())
        return false;
    Value = V;
    return true;
}

TDateTime StrToTime(std::string_view S)
{
    TDateTime V;
    if (!TryStrToTime(S, V))
        throw EConvertError("'" + std::string(S) + "' is not a valid time");
    return V;
}

bool TryStrToDateTime(std::string_view S, TDateTime& Value)
{
    S = TrimBlanks(S);
    std::size_t I = 0;
    TDateTime D, T = 0;
    if (!ParseDate(S, I, D))
        return false;
    if (I < S.size()) {
        if (S[I] != ' ')
            return false;
        while (I < S.size() && S[I] == ' ')
            ++I;
        if (!ParseTime(S, I, T))
            return false;
    }
    if (I != S.size())
        return false;
    Value = Combine(D, T);
    return true;
}

TDateTime StrToDateTime(std::string_view S)
{
    TDateTime V;
    if (!TryStrToDateTime(S, V))
        throw EConvertError("'" + std::string(S) + "' is not a valid date and time");
    return V;
}
