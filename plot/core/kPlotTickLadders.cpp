#include "plot/core/kPlotTickLadders.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plot/core/kGPFunctions.h"
#include "rtl/NumberFormat.h"
#include "rtl/Saturating.h"

namespace {

// More months than the calendar holds: any step beyond it saturates.
constexpr std::int64_t CalendarMonths = 12 * 10000;
// The powers of ten a double holds, the smallest one subnormal.
constexpr int SmallestPower = -323;
constexpr int LargestPower = 308;

// Only a span of some size can be divided into steps: nothing, a negative
// span, an infinite one or no number at all has none.
bool Divisible(double Span)
{
    return Span > 0 && std::isfinite(Span);
}

// However few labels fit, one always does.
int AtLeastOne(int MaxCount)
{
    return std::max(MaxCount, 1);
}

// Tries Steps in order on a count of Units; the first whose quotient stays
// within MaxCount - 1 wins.
template <std::size_t Size> bool FitUnits(std::int64_t Units, const std::int64_t (&Steps)[Size], int MaxCount,
                                          double UnitDays, TkTickIncrement& Result)
{
    for (std::int64_t step : Steps)
        if (Units / step <= MaxCount - 1) {
            Result.Increment = double(step) * UnitDays;
            Result.Count = std::max<std::int64_t>(1, Units / step);
            return true;
        }
    return false;
}

// The smallest of 1, 2 and 5 times 10^e, for e from FirstPower upwards,
// that divides Span into at most MaxCount steps; a span beyond every step
// a double holds gets the largest. Powers of ten are doubles: a
// whole-number power would stop growing at the largest integer, and a span
// beyond it would never fit.
double RoundStep(double Span, double MaxCount, int FirstPower)
{
    double step = 0;
    for (int e = std::clamp(FirstPower, SmallestPower, LargestPower); e <= LargestPower; ++e) {
        const double p = std::pow(10.0, e);
        for (double candidate : {p, 2 * p, 5 * p}) {
            if (!std::isfinite(candidate))
                return step;
            step = candidate;
            if (MaxCount >= Span / step)
                return step;
        }
    }
    return step;
}

// Months counted from the start of the year 0, as the calendar's first
// and last month.
constexpr std::int64_t FirstCalendarMonth = 1 * 12;
constexpr std::int64_t LastCalendarMonth = 9999 * 12 + 11;

// Months later (or earlier), held within the calendar's years.
TDateTime AddMonthsWithin(TDateTime Value, std::int64_t Months)
{
    return IncMonth(Value, int(std::clamp(Months, -CalendarMonths, CalendarMonths)));
}

// Source's time of day on the given date (day numbers before 1899-12-30
// carry their time of day as a negative fraction).
TDateTime WithDate(TDateTime Source, int Year, int Month, int Day)
{
    const double time = std::fabs(Source - std::trunc(Source));
    const TDateTime date = EncodeDate(Year, Month, Day);
    return date < 0 ? date - time : date + time;
}

}  // namespace

TkTickIncrement PlotDecimalIncrement(double Span, int MaxCount)
{
    TkTickIncrement r;
    if (!Divisible(Span))
        return r;
    const double n = AtLeastOne(MaxCount);
    // From a power of ten at or just below the answer: the walk up is short.
    r.Increment = RoundStep(Span, n, ClampToInt(std::log10(Span) - 1 - std::log10(n)));
    r.Count = Round(Span / r.Increment);
    return r;
}

TkTickIncrement PlotDateTimeIncrement(double Span, int MaxCount)
{
    TkTickIncrement r;
    if (!Divisible(Span))
        return r;
    MaxCount = AtLeastOne(MaxCount);
    static const std::int64_t msSteps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500};
    static const std::int64_t secSteps[] = {1, 2, 5, 10, 15, 20, 30};
    static const std::int64_t minSteps[] = {1, 2, 5, 10, 15, 20, 30};
    static const std::int64_t hourSteps[] = {1, 2, 4, 6, 12};
    static const std::int64_t daySteps[] = {1, 7, 14};
    if (FitUnits(DateTimeToMilliseconds(Span), msSteps, MaxCount, OneMillisecond, r) ||
        FitUnits(DateTimeToSeconds(Span), secSteps, MaxCount, OneSecond, r) ||
        FitUnits(DateTimeToMinutes(Span), minSteps, MaxCount, OneMinute, r) ||
        FitUnits(DateTimeToHours(Span), hourSteps, MaxCount, OneHour, r))
        return r;
    const std::int64_t days = Trunc(Span);
    if (FitUnits(days, daySteps, MaxCount, 1.0, r))
        return r;
    static const std::int64_t monthDays[][2] = {{1, 31}, {2, 61}, {3, 92}, {6, 183}};
    for (const auto& m : monthDays)
        if (days / m[1] <= MaxCount - 1) {
            r.Increment = double(m[0]);
            r.Count = std::max<std::int64_t>(1, days / m[1]);
            r.Calendar = TkCalendarStep::Months;
            return r;
        }
    r.Calendar = TkCalendarStep::Years;
    // Steps grow tenfold until one fits. The first step too long for a day
    // count to hold takes any span, so the walk ends there at the latest.
    for (std::int64_t q = 1;; q = SatMul<std::int64_t>(q, 10))
        for (std::int64_t years : {1, 2, 5}) {
            const std::int64_t stepDays = SatMul<std::int64_t>(q, 365 * years);
            const std::int64_t count = days / stepDays;
            if (count <= MaxCount - 1 || stepDays == std::numeric_limits<std::int64_t>::max()) {
                r.Increment = double(q) * double(years);
                r.Count = std::max<std::int64_t>(1, count);
                return r;
            }
        }
}

TkTickIncrement PlotPriceIncrement(double Span, int MaxCount)
{
    TkTickIncrement r;
    if (!Divisible(Span))
        return r;
    const double n = AtLeastOne(MaxCount);
    for (double step : {1.0 / 256, 1.0 / 128, 1.0 / 64, 1.0 / 32, 1.0 / 16, 1.0 / 8, 1.0 / 4, 1.0 / 2})
        if (n >= Span / step) {
            r.Increment = step;
            r.Count = Trunc(Span / step);
            if (r.Count != 0)
                return r;
            break;
        }
    r.Increment = RoundStep(Span, n, 0);
    r.Count = Trunc(Span / r.Increment);
    return r;
}

int PlotLogDecadeStep(double Decades, int MaxCount)
{
    for (int step : {1, 2, 5, 10, 20, 50, 100})
        if (Decades / step <= MaxCount)
            return step;
    return 200;
}

TDateTime PlotAddMonths(TDateTime Value, std::int64_t Months)
{
    int year, month, day;
    DecodeDate(Value, year, month, day);
    const std::int64_t target = std::int64_t(year) * 12 + (month - 1) +
                                std::clamp(Months, -CalendarMonths, CalendarMonths);
    if (target < FirstCalendarMonth || target > LastCalendarMonth)
        return Value;
    return AddMonthsWithin(Value, Months);
}

TDateTime PlotFirstMonthTick(TDateTime Min, std::int64_t Months)
{
    int year, month, day;
    DecodeDate(Min, year, month, day);
    const std::int64_t step = std::max<std::int64_t>(1, Months);
    const std::int64_t first = std::max<std::int64_t>(1, month / step * step);
    return AddMonthsWithin(WithDate(Min, year, int(first), 1), -step);
}

TDateTime PlotFirstYearTick(TDateTime Min, std::int64_t Years)
{
    int year, month, day;
    DecodeDate(Min, year, month, day);
    // Day and month go to 1 January first: the year alone could make
    // 29 February of a common year.
    const TDateTime newYear = WithDate(Min, year, 1, 1);
    // A step beyond the calendar saturates anyway.
    const std::int64_t step = std::clamp<std::int64_t>(Years, 1, CalendarMonths / 12);
    const std::int64_t multiple = year / step * step;
    return AddMonthsWithin(newYear, (multiple - year - step) * 12);
}
