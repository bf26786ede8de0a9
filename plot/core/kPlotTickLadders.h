#pragma once
// Where an axis puts its major ticks: the step between two of them, chosen
// from a ladder of round steps so that at most a given number of labels
// fit. Decimal values step by 1, 2 or 5 times a power of ten, prices by
// binary fractions, date-times by clock and calendar units, and log
// scales by whole decades.
#include <cstdint>

#include "rtl/DateTime.h"

enum class TkCalendarStep { None, Months, Years };

struct TkTickIncrement {
    double Increment = 0;  // in value units; months or years when stepping by the calendar
    std::int64_t Count = 0;
    TkCalendarStep Calendar = TkCalendarStep::None;
};

// The smallest of 1, 2 and 5 times a power of ten that divides Span into
// at most MaxCount steps.
TkTickIncrement PlotDecimalIncrement(double Span, int MaxCount);

// Span in days: milliseconds, seconds, minutes and hours in their round
// steps, then days, weeks, months and years. Counts are 64-bit and
// saturate, so no span can overflow them.
TkTickIncrement PlotDateTimeIncrement(double Span, int MaxCount);

// Binary fractions from 1/256 to 1/2, then whole 1, 2 and 5 times a power
// of ten.
TkTickIncrement PlotPriceIncrement(double Span, int MaxCount);

// Decades between two log ticks: the first of 1, 2, 5, ... 200 that keeps
// Decades / step within MaxCount.
int PlotLogDecadeStep(double Decades, int MaxCount);

// The days calendar steps reach: from 1 January of the year 1 to the end
// of 31 December 9999.
constexpr double PlotCalendarFirstDay = -693593;
constexpr double PlotCalendarEndDay = 2958466;

// Calendar steps for ticks. Years stay within 1..9999; a step that would
// leave them does not move the value, which the caller sees as no
// progress (a tick cut short at the end of the calendar would stand off
// the steps of the others).
TDateTime PlotAddMonths(TDateTime Value, std::int64_t Months);
// The first tick of month stepping by Months before Min: the first of the
// month whose number is a multiple of Months (at least January), one step
// back, but not before the calendar's first month. Min's time of day is
// kept.
TDateTime PlotFirstMonthTick(TDateTime Min, std::int64_t Months);
// The first tick of year stepping by Years before Min: 1 January of the
// year that is a multiple of Years, one step back, but not before the
// year 1. Min's time of day is kept.
TDateTime PlotFirstYearTick(TDateTime Min, std::int64_t Years);
