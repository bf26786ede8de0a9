// Axis value texts: the six styles, the two precision styles, minimum
// length growth, the plot's customizing hook and one-line readouts.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/core/kPlotValueText.h"

namespace {

std::string Text(TkPlotTextSettings S, double Value, TkPlotValueTextAxis Axis = {})
{
    double minLength = S.MinLength;
    return PlotValueToText(S, minLength, Axis, Value);
}

TkPlotTextSettings Style(TkPlotTextFormat F, int Precision = 3, TkPrecisionStyle P = kpsSignificantDigits)
{
    TkPlotTextSettings s;
    s.Style = F;
    s.Precision = Precision;
    s.PrecisionStyle = P;
    return s;
}

TEST(kPlotValueText, DecimalsFollowTheSpanForSignificantDigits)
{
    EXPECT_EQ(PlotDecimalCount(3, kpsSignificantDigits, 100), 0);
    EXPECT_EQ(PlotDecimalCount(3, kpsSignificantDigits, 10), 1);
    EXPECT_EQ(PlotDecimalCount(3, kpsSignificantDigits, 0.5), 3);
    EXPECT_EQ(PlotDecimalCount(3, kpsSignificantDigits, 0), 1);
    EXPECT_EQ(PlotDecimalCount(0, kpsSignificantDigits, 0.001), 0);
    EXPECT_EQ(PlotDecimalCount(4, kpsFixedDecimalPoints, 1e9), 4);
    // Absurd settings are bounded, not obeyed.
    EXPECT_EQ(PlotDecimalCount(1 << 30, kpsFixedDecimalPoints, 1), MaxDecimals);
    EXPECT_EQ(PlotDecimalCount(1 << 30, kpsSignificantDigits, 1e-300), MaxDecimals);
    EXPECT_EQ(PlotDecimalCount(-5, kpsFixedDecimalPoints, 1), 0);

    TkPlotValueTextAxis axis;
    axis.Span = 100;
    EXPECT_EQ(Text(Style(kptfValue), 20, axis), "20");
    axis.Span = 10;
    EXPECT_EQ(Text(Style(kptfValue), 2, axis), "2.0");
    axis.Span = 0.5;
    EXPECT_EQ(Text(Style(kptfValue), -0.25, axis), "-0.250");
    EXPECT_EQ(Text(Style(kptfValue, 2, kpsFixedDecimalPoints), 3.14159, axis), "3.14");
    const std::string huge = Text(Style(kptfValue, 1 << 30, kpsFixedDecimalPoints), 1, axis);
    EXPECT_EQ(huge.substr(0, 3), "1.0");
    EXPECT_LE(huge.size(), 2u + MaxDecimals);
}

TEST(kPlotValueText, LogAxesCountDigitsFromTheValueAndRefuseNonPositiveValues)
{
    TkPlotValueTextAxis axis;
    axis.Log10 = true;
    axis.LabelsPrecision = 3;
    EXPECT_EQ(Text(Style(kptfValue), 1000, axis), "1000");
    EXPECT_EQ(Text(Style(kptfValue), 2, axis), "2.00");
    EXPECT_EQ(Text(Style(kptfValue), 0.02, axis), "0.020");
    int customized = 0;
    axis.Customize = [&](double, std::string&) { ++customized; };
    EXPECT_EQ(Text(Style(kptfValue), 0, axis), "Unknown");
    EXPECT_EQ(Text(Style(kptfValue), -3, axis), "Unknown");
    EXPECT_EQ(customized, 0);
    // The label settings apply whichever text is made.
    axis.LabelsPrecision = 1;
    axis.LabelsPrecisionStyle = kpsFixedDecimalPoints;
    EXPECT_EQ(Text(Style(kptfValue, 6), 2, axis), "2.0");
}

TEST(kPlotValueText, PrefixedValues)
{
    EXPECT_EQ(Text(Style(kptfPrefix), 1500), "1.50K");
    EXPECT_EQ(Text(Style(kptfPrefix), 0.5), "0.500");
    EXPECT_EQ(Text(Style(kptfPrefix), 0.0005), "0.500m");
    // The exponent is truncated toward zero, a third at a time.
    EXPECT_EQ(Text(Style(kptfPrefix), -2.5e-6), "-0.00250m");
    EXPECT_EQ(Text(Style(kptfPrefix), 2.5e-7), "0.250µ");
    EXPECT_EQ(Text(Style(kptfPrefix), 7e24), "7.00Y");
    EXPECT_EQ(Text(Style(kptfPrefix), 1e30), "Unknown");
    EXPECT_EQ(Text(Style(kptfPrefix), 1e-30), "Unknown");
    EXPECT_EQ(Text(Style(kptfPrefix), 0), "0.0");
    TkPlotValueTextAxis tiny;
    tiny.Span = 1e-11;
    EXPECT_EQ(Text(Style(kptfPrefix), 0, tiny), "0.0");
}

TEST(kPlotValueText, DateTimesPricesExponentsAndThousands)
{
    EXPECT_EQ(Text(Style(kptfDateTime), 0.5), "12:00:00");
    TkPlotTextSettings julian = Style(kptfDateTime);
    julian.DateTimeFormat = "Jhh:nn";
    EXPECT_EQ(Text(julian, 2.25), "2 06:00");
    TkPlotTextSettings date = Style(kptfDateTime);
    date.DateTimeFormat = "yyyy-mm-dd";
    EXPECT_EQ(Text(date, 2958465), "9999-12-31");
    EXPECT_EQ(Text(date, -693593), "0001-01-01");
    EXPECT_EQ(Text(date, 2958466), "Unknown");
    EXPECT_EQ(Text(date, -693594), "Unknown");
    // Before 30 December 1899 the time of day counts away from zero: the
    // first day of the calendar runs from -693593 to -693594.
    TkPlotTextSettings minutes = Style(kptfDateTime);
    minutes.DateTimeFormat = "yyyy-mm-dd hh:nn";
    EXPECT_EQ(Text(minutes, -693593.5), "0001-01-01 12:00");
    EXPECT_EQ(Text(date, 1e300), "Unknown");

    EXPECT_EQ(Text(Style(kptfPrice32nds), 101.5), "101.160");
    EXPECT_EQ(Text(Style(kptfPrice32nds), 101.25), "101.080");
    EXPECT_EQ(Text(Style(kptfPrice32nds), 101 + 3.0 / 256), "101.003");
    EXPECT_EQ(Text(Style(kptfPrice32nds), -101.5), "-101.160");
    EXPECT_EQ(Text(Style(kptfPrice32nds), -0.25), "-0.080");
    // Rounding that reaches the next whole unit carries into it.
    EXPECT_EQ(Text(Style(kptfPrice32nds), 101.9978), "102.000");

    EXPECT_EQ(Text(Style(kptfExponent), 1500), "1.50E+003");
    EXPECT_EQ(Text(Style(kptfExponent, 3, kpsFixedDecimalPoints), 1500), "1.500E+003");

    TkPlotValueTextAxis axis;
    axis.Span = 10;
    EXPECT_EQ(Text(Style(kptfThousands), 1234567.25, axis), "1,234,567.3");
    axis.Span = 1000;
    EXPECT_EQ(Text(Style(kptfThousands), -1234567, axis), "-1,234,567");

    EXPECT_EQ(Text(Style(kptfValue), std::nan("")), "Unknown");
}

TEST(kPlotValueText, TheCustomizeHookAndMinimumLengthGrowth)
{
    TkPlotValueTextAxis axis;
    axis.Customize = [](double v, std::string& t) {
        if (v == 5)
            t = "five\r\nunits";
    };
    TkPlotTextSettings s = Style(kptfValue);
    s.MinLengthAutoAdjust = true;
    double minLength = 5;
    EXPECT_EQ(PlotValueToText(s, minLength, axis, 5), "five\r\nunits");
    EXPECT_EQ(minLength, 5) << "grows only while the labels are measured";
    axis.LabelsAdjusting = true;
    PlotValueToText(s, minLength, axis, 5);
    EXPECT_EQ(minLength, 11);
    PlotValueToText(s, minLength, axis, 7);
    EXPECT_EQ(minLength, 11) << "never shrinks";
    s.MinLengthAutoAdjust = false;
    double fixed = 2;
    PlotValueToText(s, fixed, axis, 5);
    EXPECT_EQ(fixed, 2);

    EXPECT_EQ(PlotSingleLine("five\r\nunits\rhere"), "five units here");
}

}  // namespace
