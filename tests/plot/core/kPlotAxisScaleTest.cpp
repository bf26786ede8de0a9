// Values to pixels and back, and to positions in the data view, on linear
// and log scales, reversed or not, over the whole view or a band of it.
#include <gtest/gtest.h>

#include <cmath>

#include "PlotAxisSupport.h"

namespace {

class AxisScaleTest : public AxisPairTest {
protected:
    void SetUp() override
    {
        y->SetDrawRect(TRect(0, 0, 50, 400));
        y->CalcScaleRect(&canvas);
        x->SetDrawRect(TRect(10, 0, 410, 40));
        x->CalcScaleRect(&canvas);
    }
    void Rescale()
    {
        y->CalcScaleRect(&canvas);
        x->CalcScaleRect(&canvas);
    }
};

TEST_F(AxisScaleTest, ValueToPixelInBothOrientations)
{
    EXPECT_EQ(y->ValueToPixel(0), 400);
    EXPECT_EQ(y->ValueToPixel(25), 300);
    EXPECT_EQ(y->ValueToPixel(100), 0);
    EXPECT_EQ(x->ValueToPixel(0), 10);
    EXPECT_EQ(x->ValueToPixel(25), 110);
    EXPECT_EQ(x->ValueToPixel(100), 410);
    EXPECT_EQ(x->GetMinPixel(), 10);
    EXPECT_EQ(x->GetMaxPixel(), 410);
    EXPECT_EQ(x->SpanToPixels(10), 40);
    EXPECT_EQ(y->GetScalePixelLength(), 400);

    y->SetReverseScale(true);
    x->SetReverseScale(true);
    Rescale();
    EXPECT_EQ(y->ValueToPixel(0), 0);
    EXPECT_EQ(y->ValueToPixel(25), 100);
    EXPECT_EQ(x->ValueToPixel(0), 410);
    EXPECT_EQ(x->ValueToPixel(25), 310);
    EXPECT_EQ(x->SpanToPixels(10), 40);
}

TEST_F(AxisScaleTest, PixelsAreClampedOnLinearAndLogScales)
{
    EXPECT_EQ(y->ValueToPixel(1e9), -32000);
    EXPECT_EQ(y->ValueToPixel(-1e9), 32000);
    EXPECT_EQ(x->ValueToPixel(1e300), 32000);
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1, 9);
    Rescale();
    EXPECT_EQ(y->ValueToPixel(1e300), -32000);
    EXPECT_EQ(y->ValueToPixel(1e-300), 32000);
    EXPECT_FALSE(y->ValueOnScale(1e300));
}

TEST_F(AxisScaleTest, PixelToValueIsTheInverseOnEveryScale)
{
    for (bool log : {false, true})
        for (bool reverse : {false, true}) {
            for (TkPlotAxis* axis : {static_cast<TkPlotAxis*>(y.get()), static_cast<TkPlotAxis*>(x.get())}) {
                axis->SetScaleType(log ? kpstLog10 : kpstLinear);
                axis->SetMinSpan(log ? 0.5 : -20, log ? 999.5 : 70);
                axis->SetReverseScale(reverse);
            }
            Rescale();
            for (int p = 0; p <= 400; p += 7) {
                EXPECT_EQ(y->ValueToPixel(y->PixelToValue(p)), p) << log << reverse;
                EXPECT_EQ(x->ValueToPixel(x->PixelToValue(p + 10)), p + 10) << log << reverse;
            }
        }
}

TEST_F(AxisScaleTest, LogPixelsSpreadDecadesEvenly)
{
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1, 999);
    Rescale();
    EXPECT_EQ(y->ValueToPixel(1), 400);
    EXPECT_EQ(y->ValueToPixel(10), 267);
    EXPECT_EQ(y->ValueToPixel(100), 133);
    EXPECT_EQ(y->ValueToPixel(1000), 0);
    EXPECT_DOUBLE_EQ(y->PixelToValue(200), std::pow(10.0, 1.5));
    // Zero and below stand at 1, which log scales cannot go beyond.
    EXPECT_EQ(y->ValueToPixel(0), 400);
}

TEST_F(AxisScaleTest, ALogSpanTooSmallToTellFromMinSitsInTheMiddle)
{
    y->SetScaleType(kpstLog10);
    y->SetMinSpan(1e20, 1);
    Rescale();
    EXPECT_EQ(y->ValueToPixel(1e20), 200);
    EXPECT_TRUE(std::isfinite(y->ValueToPercent(1e20)));
}

// The data view's own rule: percent Y grows upwards over its height.
int ViewPixelY(double Percent, int Top, int Height)
{
    return int(std::nearbyint(Height * (100 - Percent) / 100 + Top));
}

TEST_F(AxisScaleTest, PercentOfTheDataViewOnAnAxisThatSpansOnlyABand)
{
    // The data view is 0..400; this axis takes its middle half.
    y->SetStopPercent(75);
    y->SetStartPercent(25);
    y->SetDrawRect(TRect(0, 100, 50, 300));
    for (bool log : {false, true})
        for (bool reverse : {false, true}) {
            y->SetScaleType(log ? kpstLog10 : kpstLinear);
            y->SetMinSpan(log ? 1 : 0, log ? 999 : 100);
            y->SetReverseScale(reverse);
            y->CalcScaleRect(&canvas);
            EXPECT_DOUBLE_EQ(y->ValueToPercent(y->GetMin()), reverse ? 0.75 : 0.25);
            EXPECT_DOUBLE_EQ(y->ValueToPercent(y->GetMax()), reverse ? 0.25 : 0.75);
            for (double v : {1.0, 10.0, 30.0, 100.0}) {
                const double f = y->ValueToPercent(v);
                EXPECT_NEAR(y->PercentToValue(f), v, 1e-9) << log << reverse << v;
                // The value is drawn where the data view puts that percent.
                EXPECT_EQ(ViewPixelY(f * 100, 0, 400), y->ValueToPixel(v)) << log << reverse << v;
            }
        }
    // Log and reversed: 10 is one decade of three down from the top.
    EXPECT_NEAR(y->ValueToPercent(10), 0.25 + 0.5 * (2.0 / 3), 1e-12);
}

TEST_F(AxisScaleTest, ADegenerateScaleNeverDividesByZero)
{
    y->SetDrawRect(TRect(0, 100, 50, 100));
    y->CalcScaleRect(&canvas);
    EXPECT_EQ(y->GetScalePixelLength(), 0);
    EXPECT_EQ(y->PixelToValue(100), 0);
    EXPECT_EQ(y->ValueToPixel(55), 100);
    y->CalcTicks(&canvas);
    for (const TkPlotTickObject& tick : y->GetTicks()) {
        EXPECT_TRUE(std::isfinite(tick.Value));
        EXPECT_EQ(tick.Position, 100);
    }
    y->SetStartStopPercent(40, 40);
    EXPECT_EQ(y->PercentToValue(0.4), 0);
    EXPECT_TRUE(std::isfinite(y->ValueToPercent(50)));

    x->SetDrawRect(TRect(10, 0, 10, 40));
    x->SetScaleType(kpstLog10);
    x->CalcScaleRect(&canvas);
    EXPECT_EQ(x->PixelToValue(10), 1);
    x->CalcTicks(&canvas);
    EXPECT_FALSE(x->GetTicks().empty());
}

TEST_F(AxisScaleTest, AZeroSpanReadsBackAsTheSmallestAndMapsToTheMiddle)
{
    y->SetSpan(0);
    EXPECT_EQ(y->GetSpan(), 1e-300);
    Rescale();
    EXPECT_EQ(y->ValueToPixel(0), 200);
    EXPECT_EQ(y->ValueToPixel(12345), 200);
    y->CalcTicks(&canvas);
    ASSERT_EQ(y->GetTicks().size(), 1u);
    EXPECT_TRUE(y->GetTicks()[0].Major);
    EXPECT_EQ(y->GetTicks()[0].Position, 200);
}

}  // namespace
