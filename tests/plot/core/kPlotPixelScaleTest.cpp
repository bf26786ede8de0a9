// The conversion a trace applies to many values gives, value for value,
// what rounding the exact offset to the nearest pixel (ties to even) and
// clamping it gives: halves, far values, infinities and NaN included.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "plot/core/kPlotPixelScale.h"
#include "plot/core/kPlotPixels.h"

namespace {

std::vector<double> Values(double Min, double Span)
{
    std::vector<double> v = {Min,
                             Min + Span,
                             Min - Span * 1e12,
                             Min + Span * 1e12,
                             1e308,
                             -1e308,
                             0,
                             -0.0,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min()};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> around(Min - Span, Min + 2 * Span);
    for (int i = 0; i < 20000; ++i)
        v.push_back(around(random));
    return v;
}

// Values for a linear scale from Min by Factor: those above, every half of
// a pixel within 2000 of Min, and offsets about where an int runs out.
std::vector<double> ScaleValues(double Min, double Factor)
{
    std::vector<double> values = Values(Min, 1000);
    for (int h = -2000; h < 2000; ++h)
        values.push_back(Min + (h + 0.5) / Factor);
    for (double edge : {std::ldexp(1.0, 30), std::ldexp(1.0, 31)})
        for (double d : {-1.5, -0.5, 0.0, 0.5, 1.5})
            for (double sign : {1.0, -1.0})
                values.push_back(Min + sign * (edge + d) / Factor);
    return values;
}

TEST(PixelScale, LinearRoundsAsTheNearestPixelTiesToEvenAndClamps)
{
    // A factor of 1 or 0.5 puts many values on exact halves of a pixel.
    for (double factor : {1.0, -0.5, 2.5, -937.0 / 3, 1e-3}) {
        const int p0 = 517;
        const double min = -3.25;
        const TkPlotPixelScale s = TkPlotPixelScale::Linear(p0, min, factor);
        const std::vector<double> values = ScaleValues(min, factor);
        for (double v : values)
            ASSERT_EQ(s.Pixel(v), ClampPixel(p0 - std::nearbyint((v - min) * factor))) << v << " at " << factor;
    }
    EXPECT_EQ(TkPlotPixelScale::Linear(10, 0, 1).Pixel(2.5), 8);
    EXPECT_EQ(TkPlotPixelScale::Linear(10, 0, 1).Pixel(3.5), 6);
}

// A pixel's span holds a value only where the value turns into that pixel,
// and every value that does, but those on a half-way mark; nothing for a
// clamped pixel or another kind of scale.
TEST(PixelScale, ALinearPixelsSpanHoldsExactlyTheValuesThatTurnIntoIt)
{
    for (double factor : {1.0, -0.5, 2.5, -937.0 / 3, 1e-3}) {
        const int p0 = 517;
        const double min = -3.25;
        const TkPlotPixelScale s = TkPlotPixelScale::Linear(p0, min, factor);
        const std::vector<double> values = ScaleValues(min, factor);
        for (double v : values) {
            const int pixel = s.Pixel(v);
            const double offset = (v - min) * factor;
            const bool halfWay = offset - std::floor(offset) == 0.5;
            const bool clamped = pixel == PixelLimit || pixel == -PixelLimit;
            ASSERT_EQ(s.Span(pixel).Holds(v), !halfWay && !clamped && v == v) << v << " at " << factor;
            ASSERT_FALSE(s.Span(pixel + 1).Holds(v)) << v << " at " << factor;
            ASSERT_FALSE(s.Span(pixel - 1).Holds(v)) << v << " at " << factor;
        }
    }
    EXPECT_FALSE(TkPlotPixelScale::Constant(3).Span(3).Holds(0));
    EXPECT_FALSE(TkPlotPixelScale::Log(400, -2, 400, 5).Span(200).Holds(1));
}

TEST(PixelScale, LogTakesValuesUpToZeroAsOne)
{
    const int p0 = 400, p1 = 0;
    const double m = 0.01, decades = std::log10(1000.0) - std::log10(m);
    const TkPlotPixelScale s = TkPlotPixelScale::Log(p0, std::log10(m), p0 - p1, decades);
    for (double v : Values(m, 1000)) {
        const double offset = (std::log10(v > 0 ? v : 1) - std::log10(m)) * (p0 - p1) / decades;
        ASSERT_EQ(s.Pixel(v), ClampPixel(p0 - std::nearbyint(offset))) << v;
    }
    EXPECT_EQ(s.Pixel(-5), s.Pixel(1));
}

TEST(PixelScale, ConstantAndThroughAnotherConversion)
{
    EXPECT_EQ(TkPlotPixelScale::Constant(33).Pixel(std::nan("")), 33);
    const int offset = 7;
    const TkPlotPixelScale s = TkPlotPixelScale::Through(
        &offset, [](const void* o, double v) { return *static_cast<const int*>(o) + int(v); });
    EXPECT_EQ(s.Pixel(5.9), 12);
}

}  // namespace
