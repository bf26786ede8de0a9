// Where an axis puts its ticks for a known scale length and font.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <iomanip>
#include <random>
#include <set>

#include "CalendarSupport.h"
#include "PlotAxisSupport.h"
#include "rtl/DateTime.h"
#include "ui/Font.h"

namespace {

std::vector<double> Values(const TkPlotAxis& Axis, bool Major)
{
    std::vector<double> values;
    for (const TkPlotTickObject& tick : Axis.GetTicks())
        if (tick.Major == Major && tick.Visible)
            values.push_back(tick.Value);
    return values;
}

// Labels in a font whose "0" is 5 pixels wide and 12 high: with the
// default separation of two, labels stacked up an axis are 36 pixels apart.
class AxisTicksTest : public AxisPairTest {
protected:
    void SetUp() override { PlaceWithSmallLabels(0, 650); }
};

TEST_F(AxisTicksTest, ElevenLabelsUpFourHundredPixelsStepByTenWithMinorsBetween)
{
    y->CalcTicks(&canvas);
    EXPECT_EQ(y->GetMajorIncrement(), 10);
    EXPECT_EQ(y->GetMinorIncrement(), 5);
    std::vector<double> majors, minors;
    for (int v = 0; v <= 100; v += 10)
        majors.push_back(v);
    for (int v = 5; v < 100; v += 10)
        minors.push_back(v);
    EXPECT_EQ(Values(*y, true), majors);
    EXPECT_EQ(Values(*y, false), minors);
    for (const TkPlotTickObject& tick : y->GetTicks()) {
        EXPECT_EQ(tick.Position, 400 - int(4 * tick.Value));
        EXPECT_EQ(tick.Label, tick.Major ? std::to_string(int(tick.Value)) : "");
    }
}

TEST_F(AxisTicksTest, WithoutMinorsMajorsAreExactlyOneIncrementApart)
{
    y->SetMinorCount(0);
    y->SetMinSpan(-3.7, 41);
    y->CalcTicks(&canvas);
    const std::vector<double> majors = Values(*y, true);
    ASSERT_GE(majors.size(), 5u);
    EXPECT_TRUE(Values(*y, false).empty());
    for (std::size_t i = 1; i < majors.size(); ++i)
        EXPECT_DOUBLE_EQ(majors[i] - majors[i - 1], y->GetMajorIncrement());
}

// Room for a single label, and a range no step of the ladder divides: a
// step wider than the range would miss it altogether, unless the range
// holds one of its multiples (0 here for the second).
TEST_F(AxisTicksTest, AScaleWithRoomForOneLabelStillShowsOne)
{
    y->SetDrawRect(TRect(0, 0, 50, 45));
    for (const double min : {29.4118, -97.6744, 165.116}) {
        SCOPED_TRACE(min);
        y->SetMinSpan(min, 211.765);
        y->CalcTicks(&canvas);
        const std::vector<double> majors = Values(*y, true);
        ASSERT_FALSE(majors.empty());
        for (const double value : majors) {
            EXPECT_TRUE(value >= y->GetMin() && value <= y->GetMax()) << value;
            EXPECT_EQ(std::fmod(value, y->GetMajorIncrement()), 0) << value;
        }
        for (const TkPlotTickObject& tick : y->GetTicks())
            EXPECT_TRUE(!tick.Major || !tick.Label.empty());
    }
}

// How far Value is from a whole number of Steps, in steps.
double OffStep(double Value, double Step)
{
    const double steps = Value / Step;
    return std::fabs(steps - std::nearbyint(steps));
}

// 1, 2 or 5 times a power of ten, or 2.5 times one where a step of 5 was
// halved to give two labels.
bool IsRoundStep(double Step)
{
    const double mantissa = Step / std::pow(10.0, std::floor(std::log10(Step)));
    for (const double round : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (std::fabs(mantissa - round) < 1e-9)
            return true;
    return false;
}

// A scale of 251 pixels along the axis with room for a single label: the
// X axis's labels, 25 pixels wide, want 46 widths of "0" between them,
// the Y axis's 21 heights of "0" apart.
void PlaceForOneLabel(TkPlotAxis& Axis)
{
    if (Axis.IsHorizontal()) {
        Axis.SetDrawRect(TRect(0, 400, 251, 440));
        Axis.SetLabelSeparation(45);
    } else {
        Axis.SetDrawRect(TRect(0, 0, 50, 251));
        Axis.SetLabelSeparation(20);
    }
}

// A range shorter than the ladder's step for one label, met by a multiple
// of that step: the ticks stand on the step's round values.
TEST_F(AxisTicksTest, AShortRangeWithRoomForOneLabelKeepsTheLaddersRoundTicks)
{
    for (TkPlotAxis* axis : {static_cast<TkPlotAxis*>(y.get()), static_cast<TkPlotAxis*>(x.get())}) {
        SCOPED_TRACE(axis->IsHorizontal() ? "horizontal" : "vertical");
        PlaceForOneLabel(*axis);
        axis->SetMinSpan(44.838862714927515, 0.0078006953539946095);
        axis->CalcTicks(&canvas);
        ASSERT_EQ(axis->GetScalePixelLength(), 251);
        EXPECT_DOUBLE_EQ(axis->GetMajorIncrement(), 0.01);
        const std::vector<double> majors = Values(*axis, true);
        const std::vector<double> minors = Values(*axis, false);
        ASSERT_EQ(majors.size(), 1u);
        ASSERT_EQ(minors.size(), 1u);
        EXPECT_NEAR(majors[0], 44.84, 1e-12);
        EXPECT_NEAR(minors[0], 44.845, 1e-12);
    }
}

// Short ranges anywhere, on scales with room for one or two labels: every
// tick stands on a whole number of round steps, and a major tick with its
// label is always on the scale.
TEST_F(AxisTicksTest, ShortRangesGetMajorTicksOnRoundStepsOnly)
{
    std::mt19937 random(17);
    std::uniform_real_distribution<double> min(-1000, 1000);
    std::uniform_real_distribution<double> decades(-4, 2);
    for (int i = 0; i < 2000; ++i) {
        TkPlotAxis& axis = i % 2 ? static_cast<TkPlotAxis&>(*x) : static_cast<TkPlotAxis&>(*y);
        PlaceForOneLabel(axis);
        // Every fourth scale has room for two labels.
        if (i % 4 >= 2)
            axis.SetLabelSeparation(axis.IsHorizontal() ? 20 : 9);
        axis.SetMinorCount(i % 3);
        axis.SetMinSpan(min(random), std::pow(10.0, decades(random)));
        axis.CalcTicks(&canvas);
        SCOPED_TRACE(::testing::Message()
                     << std::setprecision(17) << "min " << axis.GetMin() << " span " << axis.GetSpan() << " minors "
                     << axis.GetMinorCount() << " " << (axis.IsHorizontal() ? "horizontal" : "vertical"));
        const double major = axis.GetMajorIncrement();
        const double minor = axis.GetMinorIncrement();
        ASSERT_TRUE(IsRoundStep(major)) << major;
        const std::vector<double> majors = Values(axis, true);
        ASSERT_FALSE(majors.empty());
        for (const double value : majors)
            EXPECT_LT(OffStep(value, major), 1e-6) << value;
        for (const double value : Values(axis, false))
            EXPECT_LT(OffStep(value, minor), 1e-6) << value;
        for (const TkPlotTickObject& tick : axis.GetTicks())
            EXPECT_TRUE(!tick.Major || !tick.Label.empty());
    }
}

TEST_F(AxisTicksTest, LogAxisOverThreeDecades)
{
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1, 999);
    y->CalcTicks(&canvas);
    EXPECT_EQ(Values(*y, true), (std::vector<double>{1, 10, 100, 1000}));
    const std::vector<double> minorValues = Values(*y, false);
    const std::multiset<double> minors(minorValues.begin(), minorValues.end());
    std::multiset<double> expected;
    for (double power : {1, 10, 100})
        for (int k = 2; k <= 9; ++k)
            expected.insert(k * power);
    EXPECT_EQ(minors, expected);
    EXPECT_EQ(y->GetTicks().front().Position, 400);
}

TEST_F(AxisTicksTest, LogAxisUnderADecadeUsesTheLinearStepsAtLogPixels)
{
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(2, 8);
    y->SetMinorCount(0);
    y->CalcTicks(&canvas);
    EXPECT_EQ(Values(*y, true), (std::vector<double>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    for (const TkPlotTickObject& tick : y->GetTicks())
        EXPECT_EQ(tick.Position, 400 - int(std::nearbyint(std::log10(tick.Value / 2) / std::log10(5.0) * 400)));
}

TEST_F(AxisTicksTest, DesiredIncrementAndStart)
{
    y->SetDesiredIncrement(25);
    y->SetMinorCount(0);
    y->CalcTicks(&canvas);
    EXPECT_EQ(Values(*y, true), (std::vector<double>{0, 25, 50, 75, 100}));
    y->SetDesiredIncrement(10);
    y->SetDesiredStart(5);
    y->CalcTicks(&canvas);
    EXPECT_EQ(Values(*y, true), (std::vector<double>{5, 15, 25, 35, 45, 55, 65, 75, 85, 95}));
}

TEST_F(AxisTicksTest, ADesiredStartFarAboveAStepTooSmallToMoveItStillEnds)
{
    // At 1e20 a double moves by 16384; the steps here are a few thousand.
    y->SetMinSpan(1e20, 4e4);
    y->SetDesiredStart(1e20 + 32768);
    y->CalcTicks(&canvas);
    EXPECT_FALSE(y->GetTicks().empty());
    EXPECT_LE(y->GetTicks().size(), 5001u);
}

TEST_F(AxisTicksTest, RunawayTickListsAreCutToOneTickInTheMiddle)
{
    y->SetDrawRect(TRect(0, 0, 50, 200000));
    y->CalcTicks(&canvas);
    ASSERT_EQ(y->GetTicks().size(), 1u);
    EXPECT_EQ(y->GetTicks()[0].Value, 50);

    y->SetDrawRect(TRect(0, 0, 50, 400));
    y->SetMinorCount(1000000000);
    y->CalcTicks(&canvas);
    ASSERT_EQ(y->GetTicks().size(), 1u);
    EXPECT_EQ(y->GetTicks()[0].Value, 50);
}

TEST_F(AxisTicksTest, PriceAxisStepsInEighths)
{
    y->SetLabelsFormatStyle(kptfPrice32nds);
    y->SetMinSpan(100, 1);
    y->SetMinorCount(0);
    y->CalcTicks(&canvas);
    EXPECT_EQ(y->GetMajorIncrement(), 0.125);
    EXPECT_EQ(Values(*y, true).size(), 9u);
    EXPECT_EQ(y->GetTicks().front().Label, "100.000");
    EXPECT_EQ(y->GetTicks()[4].Label, "100.160");
}

TEST_F(AxisTicksTest, ExtremeRangesInEveryStyleStayFinite)
{
    const std::pair<double, double> ranges[] = {{1e300, 1e-300}, {-1e300, 1e300}, {0, 1e300},   {-5e299, 1e-300},
                                                {1e20, 1},       {-3e6, 7e6},     {2.5e6, 1e5}, {0.5, 1e-12}};
    for (TkPlotScaleType scale : {kpstLinear, kpstLog10})
        for (TkPlotTextFormat style :
             {kptfValue, kptfExponent, kptfPrefix, kptfDateTime, kptfPrice32nds, kptfThousands})
            for (const auto& [min, span] : ranges) {
                y->SetScaleType(scale);
                y->SetLabelsFormatStyle(style);
                y->SetMinSpan(min, span);
                y->CalcTicks(&canvas);
                y->Draw(&canvas, clBlack);
                canvas.Records.clear();
                EXPECT_LE(y->GetTicks().size(), 5001u) << min << " " << span << " " << style;
                for (const TkPlotTickObject& tick : y->GetTicks())
                    EXPECT_TRUE(tick.Position >= 0 && tick.Position <= 400) << min << " " << span << " " << style;
            }
}

// Settings as hostile as their setters let through, drawn at random from
// values at the edges of what a double, an int and the calendar hold, on
// scales from no pixel to far more than a screen: every tick generation
// ends, with at most the cut-off list.
TEST_F(AxisTicksTest, TickGenerationEndsWhateverTheRangeAndSettings)
{
    const double values[] = {NAN,     INFINITY, -INFINITY, DBL_MAX, -DBL_MAX,
                             1e300,   -1e300,   1e24,      -1e24,   1e19,
                             2958466, 2593224,  -693594,   -182625, 36525,
                             1,       0.5,      0,         -1,      1e-300,
                             -1e-300, 5e-324,   1e-12,     -200,    DayNumber(1900, 3, 1)};
    const int counts[] = {INT_MIN, -5, 0, 1, 2, 9, 5000, 5001, INT_MAX};
    const int lengths[] = {0, 1, 7, 400, 200000};
    std::mt19937 random(2024);
    auto any = [&random](const auto& Pool) {
        return Pool[std::uniform_int_distribution<std::size_t>(0, std::size(Pool) - 1)(random)];
    };
    for (int i = 0; i < 4000; ++i) {
        TkPlotAxis& axis = i % 2 ? static_cast<TkPlotAxis&>(*x) : static_cast<TkPlotAxis&>(*y);
        axis.SetScaleType(i % 7 == 0 ? kpstLog10 : kpstLinear);
        axis.SetLabelsFormatStyle(TkPlotTextFormat(i % 6));
        axis.SetMinSpan(any(values), any(values));
        axis.SetDesiredStart(i % 3 ? 0 : any(values));
        axis.SetDesiredIncrement(i % 5 ? 0 : any(values));
        axis.SetMinorCount(any(counts));
        axis.SetLabelSeparation(any(values));
        axis.SetLabelsVisible(i % 4 != 0);
        const int length = any(lengths);
        axis.SetDrawRect(i % 2 ? TRect(0, 400, length, 440) : TRect(0, 0, 50, length));
        axis.CalcTicks(&canvas);
        EXPECT_LE(axis.GetTicks().size(), 5001u)
            << "min " << axis.GetMin() << " span " << axis.GetSpan() << " style " << i % 6 << " length " << length;
    }
}

// Labels like "2023-03-01" are 50 pixels wide: with their separation one
// label fits in 65 pixels, ten in the 650 of this axis.
class DateTimeTicksTest : public AxisTicksTest {
protected:
    void SetUp() override
    {
        AxisTicksTest::SetUp();
        x->SetLabelsFormatStyle(kptfDateTime);
        x->SetDateTimeFormat("yyyy-mm-dd");
    }
};

TEST_F(DateTimeTicksTest, MonthStepsFallOnTheFirstOfTheMonth)
{
    x->SetMinSpan(DayNumber(2023, 1, 15), 400);
    x->CalcTicks(&canvas);
    EXPECT_EQ(x->GetMajorIncrement(), 2);
    EXPECT_EQ(Values(*x, true),
              (std::vector<double>{DayNumber(2023, 3, 1), DayNumber(2023, 5, 1), DayNumber(2023, 7, 1),
                                   DayNumber(2023, 9, 1), DayNumber(2023, 11, 1), DayNumber(2024, 1, 1)}));
    EXPECT_TRUE(Values(*x, false).empty());
    EXPECT_EQ(x->GetTicks().front().Label, "2023-03-01");
}

TEST_F(DateTimeTicksTest, YearStepsFallOnTheFirstOfJanuary)
{
    x->SetMinSpan(DayNumber(1990, 7, 1), 14610);
    x->CalcTicks(&canvas);
    EXPECT_EQ(x->GetMajorIncrement(), 5);
    std::vector<double> expected;
    for (int year = 1995; year <= 2030; year += 5)
        expected.push_back(DayNumber(year, 1, 1));
    EXPECT_EQ(Values(*x, true), expected);
}

TEST_F(DateTimeTicksTest, YearStepsFromTheTwentyNinthOfFebruary)
{
    x->SetMinSpan(DayNumber(2024, 2, 29), 14610);
    ASSERT_NO_THROW(x->CalcTicks(&canvas));
    std::vector<double> expected;
    for (int year = 2025; year <= 2060; year += 5)
        expected.push_back(DayNumber(year, 1, 1));
    EXPECT_EQ(Values(*x, true), expected);
}

// Ticks cover the whole scale the axis shows, however long it is and on
// whichever side of 30 December 1899 it starts.
TEST_F(DateTimeTicksTest, YearStepsReachTheEndOfAScaleOfCenturies)
{
    x->SetMinSpan(DayNumber(1900, 3, 1), 100000);
    x->CalcTicks(&canvas);
    EXPECT_EQ(x->GetMajorIncrement(), 50);
    // 1 January 1900 lies within the scale's first pixel.
    std::vector<double> expected;
    for (int year = 1900; year <= 2150; year += 50)
        expected.push_back(DayNumber(year, 1, 1));
    EXPECT_EQ(Values(*x, true), expected);
}

TEST_F(DateTimeTicksTest, MonthStepsStartAtTheScaleBeforeThirtiethDecember1899)
{
    x->SetMinSpan(-200, 300);
    ASSERT_EQ(x->GetMin(), DayNumber(1899, 6, 13));
    x->CalcTicks(&canvas);
    EXPECT_EQ(x->GetMajorIncrement(), 1);
    std::vector<double> expected;
    for (int month = 7; month <= 12; ++month)
        expected.push_back(DayNumber(1899, unsigned(month), 1));
    for (int month = 1; month <= 4; ++month)
        expected.push_back(DayNumber(1900, unsigned(month), 1));
    EXPECT_EQ(Values(*x, true), expected);
}

// Beyond the years the calendar holds there is no date to put a tick on:
// the ticks stop at its ends.
TEST_F(DateTimeTicksTest, CalendarStepsStopAtTheEndsOfTheCalendar)
{
    x->SetMinSpan(DayNumber(9100, 1, 1), 1e6);
    x->CalcTicks(&canvas);
    EXPECT_EQ(x->GetMajorIncrement(), 500);
    EXPECT_EQ(Values(*x, true), std::vector<double>{DayNumber(9500, 1, 1)});

    x->SetMinSpan(DayNumber(1, 1, 1) - 1e6, 1e6 + 400);
    x->CalcTicks(&canvas);
    EXPECT_EQ(Values(*x, true), std::vector<double>{DayNumber(1, 1, 1)});
}

TEST_F(DateTimeTicksTest, StepsNeverChangeTheRangeWhilePainting)
{
    x->SetMinSpan(-10, 400);
    x->CalcTicks(&canvas);
    EXPECT_EQ(x->GetMin(), -10);
    EXPECT_EQ(x->GetSpan(), 400);

    for (double span : {5e4, 1e300}) {
        x->SetMinSpan(3e6, span);
        plot.events.clear();
        x->CalcTicks(&canvas);
        EXPECT_EQ(x->GetMin(), 3e6);
        EXPECT_EQ(x->GetSpan(), span);
        for (const std::string& event : plot.events)
            EXPECT_EQ(event.rfind("label", 0), 0u) << event;
    }
}

}  // namespace
