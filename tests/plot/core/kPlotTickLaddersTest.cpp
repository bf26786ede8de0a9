// The steps between major ticks: decimal, date-time, price and log ladders,
// and the calendar steps of date-time axes.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <random>

#include "CalendarSupport.h"
#include "plot/core/kPlotTickLadders.h"

namespace {

TEST(DecimalIncrement, IsTheSmallestOneTwoFiveStepThatFits)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> exponent(-290, 290);
    std::uniform_real_distribution<double> mantissa(1, 10);
    std::uniform_int_distribution<int> counts(1, 60);
    for (int i = 0; i < 3000; ++i) {
        const double span = mantissa(random) * std::pow(10.0, std::floor(exponent(random)));
        const int n = counts(random);
        double expected = 0;
        for (int k = -310; k <= 308 && expected == 0; ++k)
            for (double m : {1.0, 2.0, 5.0})
                if (expected == 0 && n >= span / (m * std::pow(10.0, k)))
                    expected = m * std::pow(10.0, k);
        const TkTickIncrement got = PlotDecimalIncrement(span, n);
        ASSERT_EQ(got.Increment, expected) << "span " << span << " count " << n;
        EXPECT_EQ(got.Count, std::llround(span / expected));
        EXPECT_EQ(got.Calendar, TkCalendarStep::None);
    }
}

TEST(DecimalIncrement, KnownSpans)
{
    EXPECT_EQ(PlotDecimalIncrement(100, 10).Increment, 10);
    EXPECT_EQ(PlotDecimalIncrement(100, 10).Count, 10);
    EXPECT_EQ(PlotDecimalIncrement(100, 11).Increment, 10);
    EXPECT_EQ(PlotDecimalIncrement(100, 9).Increment, 20);
    EXPECT_EQ(PlotDecimalIncrement(100, 4).Increment, 50);
    EXPECT_DOUBLE_EQ(PlotDecimalIncrement(0.5, 10).Increment, 0.05);
    EXPECT_EQ(PlotDecimalIncrement(1e300, 1).Increment, 1e300);
}

struct DateTimeCase {
    double Span;       // days
    double Increment;  // days, or months or years when calendar stepping
    std::int64_t Count;
    TkCalendarStep Calendar;
};

TEST(DateTimeIncrement, ClockAndCalendarStepsFromOneSecondToFortyYears)
{
    const double s = 1.0 / 86400;
    // Eleven labels fit: a step fits when the span holds at most 10 of it.
    const DateTimeCase cases[] = {
        {1 * s, 0.1 * s, 10, TkCalendarStep::None},
        {5 * s, 0.5 * s, 10, TkCalendarStep::None},
        {10 * s, 1 * s, 10, TkCalendarStep::None},
        {11 * s, 2 * s, 5, TkCalendarStep::None},
        {60 * s, 10 * s, 6, TkCalendarStep::None},
        {600 * s, 60 * s, 10, TkCalendarStep::None},
        {3600 * s, 600 * s, 6, TkCalendarStep::None},
        {1, 4.0 / 24, 6, TkCalendarStep::None},
        {7, 1, 7, TkCalendarStep::None},
        {60, 7, 8, TkCalendarStep::None},
        {200, 1, 6, TkCalendarStep::Months},
        {1095, 6, 5, TkCalendarStep::Months},
        {14610, 5, 8, TkCalendarStep::Years},
    };
    for (const DateTimeCase& c : cases) {
        const TkTickIncrement got = PlotDateTimeIncrement(c.Span, 11);
        EXPECT_NEAR(got.Increment, c.Increment, 1e-12) << "span " << c.Span;
        EXPECT_EQ(got.Count, c.Count) << "span " << c.Span;
        EXPECT_EQ(got.Calendar, c.Calendar) << "span " << c.Span;
    }
}

TEST(DateTimeIncrement, HugeSpansSaturateInsteadOfOverflowing)
{
    for (double span : {1e6, 1e12, 1e18, 1e300}) {
        const TkTickIncrement got = PlotDateTimeIncrement(span, 10);
        EXPECT_EQ(got.Calendar, TkCalendarStep::Years) << span;
        EXPECT_GE(got.Count, 1) << span;
        EXPECT_LE(got.Count, 9) << span;
        EXPECT_GT(got.Increment, 0) << span;
    }
}

// Whatever span and count reach them, the ladders end and give a step
// that moves a value, or none at all.
TEST(Ladders, EndForHostileSpansAndCounts)
{
    const double spans[] = {NAN, INFINITY, -INFINITY, -1e300, -1, 0, 5e-324, 1e-300, 0.7, 1e24, 1e300, DBL_MAX};
    const int counts[] = {INT_MIN, -1, 0, 1, 2, 11, INT_MAX};
    for (double span : spans)
        for (int n : counts) {
            for (const TkTickIncrement& got :
                 {PlotDecimalIncrement(span, n), PlotDateTimeIncrement(span, n), PlotPriceIncrement(span, n)}) {
                EXPECT_FALSE(got.Increment < 0) << span << " " << n;
                EXPECT_GE(got.Count, 0) << span << " " << n;
            }
            const int step = PlotLogDecadeStep(span, n);
            EXPECT_TRUE(step >= 1 && step <= 200) << span << " " << n;
        }
}

// A span of a billion years or more, where only one label fits: the
// year ladder used to look for a step it could not reach.
TEST(DateTimeIncrement, OneLabelOverTheLongestSpansIsOneStep)
{
    for (double span : {1e12, 1e19, 1e24, 1e300}) {
        const TkTickIncrement got = PlotDateTimeIncrement(span, 1);
        EXPECT_EQ(got.Calendar, TkCalendarStep::Years) << span;
        EXPECT_EQ(got.Count, 1) << span;
        EXPECT_GT(got.Increment, 0) << span;
    }
}

TEST(PriceIncrement, BinaryFractionsThenWholeSteps)
{
    EXPECT_EQ(PlotPriceIncrement(1, 10).Increment, 1.0 / 8);
    EXPECT_EQ(PlotPriceIncrement(1, 10).Count, 8);
    EXPECT_EQ(PlotPriceIncrement(0.03, 10).Increment, 1.0 / 256);
    EXPECT_EQ(PlotPriceIncrement(0.03, 10).Count, 7);
    EXPECT_EQ(PlotPriceIncrement(4, 10).Increment, 1.0 / 2);
    EXPECT_EQ(PlotPriceIncrement(10, 10).Increment, 1);
    EXPECT_EQ(PlotPriceIncrement(30, 10).Increment, 5);
    EXPECT_EQ(PlotPriceIncrement(30, 10).Count, 6);
    // A span smaller than the finest fraction counts no whole step of it.
    EXPECT_EQ(PlotPriceIncrement(1.0 / 512, 10).Increment, 1);
    EXPECT_EQ(PlotPriceIncrement(1.0 / 512, 10).Count, 0);
}

TEST(PriceIncrement, SpansBeyondTheLargestIntegerStillFindAStep)
{
    const TkTickIncrement got = PlotPriceIncrement(1e300, 10);
    EXPECT_GE(got.Increment, 1e299);
    EXPECT_LE(1e300 / got.Increment, 10);
}

TEST(LogDecadeStep, FirstStepThatKeepsTheCountWithinTheLimit)
{
    EXPECT_EQ(PlotLogDecadeStep(3, 10), 1);
    EXPECT_EQ(PlotLogDecadeStep(15, 10), 2);
    EXPECT_EQ(PlotLogDecadeStep(40, 10), 5);
    EXPECT_EQ(PlotLogDecadeStep(600, 5), 200);
}

TEST(CalendarSteps, MonthTicksStartOnTheFirstOfAMonthMultiple)
{
    // 2023-05-17 12:00 by 3 months: the 3rd month, one step back.
    const double min = DayNumber(2023, 5, 17) + 0.5;
    EXPECT_EQ(PlotFirstMonthTick(min, 3), DayNumber(2022, 12, 1) + 0.5);
    // Below the first multiple the month is January.
    EXPECT_EQ(PlotFirstMonthTick(DayNumber(2023, 2, 10), 3), DayNumber(2022, 10, 1));
    EXPECT_EQ(PlotAddMonths(DayNumber(2022, 12, 1), 3), DayNumber(2023, 3, 1));
}

TEST(CalendarSteps, YearTicksNeverMakeTheTwentyNinthOfFebruaryInACommonYear)
{
    // From 29 February 2024 back to 2020 and on by one year: 1 January
    // each time.
    EXPECT_EQ(PlotFirstYearTick(DayNumber(2024, 2, 29), 5), DayNumber(2015, 1, 1));
    EXPECT_EQ(PlotFirstYearTick(DayNumber(2024, 2, 29), 1), DayNumber(2023, 1, 1));
    EXPECT_EQ(PlotAddMonths(DayNumber(2023, 1, 1), 12), DayNumber(2024, 1, 1));
}

TEST(CalendarSteps, StepsStopAtTheEndsOfTheCalendar)
{
    const double last = DayNumber(9999, 12, 1);
    EXPECT_EQ(PlotAddMonths(last, 1000000000000LL), last);
    EXPECT_EQ(PlotAddMonths(DayNumber(1, 1, 1), -5), DayNumber(1, 1, 1));
    EXPECT_EQ(PlotFirstYearTick(DayNumber(1900, 6, 1), 1000000), DayNumber(1, 1, 1));
}

}  // namespace
