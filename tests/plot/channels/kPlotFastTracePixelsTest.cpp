// The fast trace's picture compared pixel for pixel with a reference drawn
// point by point: every visible point taken into its column's range one at
// a time, each line drawn with MoveTo and LineTo. Whatever the channel does
// to avoid reading every point must leave the same pixels, for random,
// descending, null-sprinkled and ring-wrapped data, zoomed and scrolled, in
// every data style, and after points were changed in place.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ChannelTestSupport.h"
#include "ui/Bitmap.h"

namespace {

constexpr int Width = 420;
constexpr int Height = 420;

// A log scale as the plot's axes map it: values at or below zero read as 1.
struct LogAxis : FakeAxis {
    int ValueToPixel(double Value) const override
    {
        const double v = Value > 0 ? Value : 1;
        return Pixel0 + int(std::nearbyint((std::log10(v) - std::log10(Min)) /
                                           (std::log10(Min + Span) - std::log10(Min)) * (Pixel1 - Pixel0)));
    }
};

// A linear scale converting as the plot's axes do, through one conversion
// taken for the whole walk, which the walk may also read backwards.
struct LinearAxis : FakeAxis {
    TkPlotPixelScale PixelScale() const override
    {
        return TkPlotPixelScale::Linear(Pixel0, Min, double(Pixel0 - Pixel1) / Span);
    }
    int ValueToPixel(double Value) const override { return PixelScale().Pixel(Value); }
};

using Picture = std::vector<std::uint32_t>;

Picture PixelsOf(TBitmap& Bitmap)
{
    Picture p(std::size_t(Width) * Height);
    for (int y = 0; y < Height; ++y)
        std::memcpy(&p[std::size_t(y) * Width], Bitmap.ScanLine(y), Width * sizeof(std::uint32_t));
    return p;
}

// The fast trace as its rules read, one point at a time.
class ReferenceTrace {
public:
    ReferenceTrace(TkPlotChannel& Channel, TCanvas& Canvas)
        : channel(Channel),
          canvas(Canvas),
          xAxis(*Channel.GetXAxis()),
          yAxis(*Channel.GetYAxis())
    {
    }

    void Draw()
    {
        canvas.Pen->SetColor(channel.GetColor());
        canvas.Pen->SetWidth(0);
        canvas.Pen->SetStyle(psSolid);
        const int first = channel.GetFirstVisibleIndex(), last = channel.GetLastVisibleIndex();
        if (!channel.GetReadyToDraw() || first < 0 || first == last)
            return;
        for (int i = first; i <= last; ++i) {
            double x, y;
            bool empty, null;
            channel.GetDataPoint(i, x, y, empty, null);
            if (empty)
                continue;
            if (null) {
                Flush();
                a1 = a2 = a3 = Column();
                continue;
            }
            const int c = xAxis.ValueToPixel(x);
            if (a1.Empty || a1.Index == c)
                a1.Add(c, x, y);
            else if (a2.Empty || a2.Index == c)
                a2.Add(c, x, y);
            else {
                a3.Add(c, x, y);
                Flush();
                a1 = a3;
                a2 = a3 = Column();
            }
        }
        Flush();
    }

private:
    struct Column {
        bool Empty = true;
        int Index = 0;
        double X = 0, First = 0, Min = 1e301, Max = -1e301, Last = 0;
        void Add(int C, double AX, double Y)
        {
            if (Empty) {
                Empty = false;
                Index = C;
                X = AX;
                First = Y;
            }
            if (Y > Max)
                Max = Y;
            if (Y < Min)
                Min = Y;
            Last = Y;
        }
    };

    void Flush()
    {
        for (const Column* a : {&a1, &a2})
            if (!a->Empty && a->Min != a->Max)
                Line(a->X, a->Max, a->X, a->Min);
        if (!a1.Empty && !a2.Empty)
            Line(a1.X, a1.Last, a2.X, a2.First);
        if (!a2.Empty && !a3.Empty)
            Line(a2.X, a2.Last, a3.X, a3.First);
    }

    // Cut as the channel cuts any line of its own.
    void Line(double X1, double Y1, double X2, double Y2)
    {
        TPoint a, b;
        if (!channel.ClippedLine(xAxis, yAxis, X1, Y1, X2, Y2, a, b))
            return;
        canvas.MoveTo(a.X, a.Y);
        canvas.LineTo(b.X, b.Y);
    }

    TkPlotChannel& channel;
    TCanvas& canvas;
    const TkPlotChannelAxis& xAxis;
    const TkPlotChannelAxis& yAxis;
    Column a1, a2, a3;
};

// Axes: X 0 .. 10 over pixels 10 .. 410, Y 0 .. 10 over pixels 310 .. 10.
class FastTracePixels : public ChannelTest {
protected:
    void SetUp() override
    {
        ChannelTest::SetUp();
        for (FakeAxis* a :
             {static_cast<FakeAxis*>(&xAxis), static_cast<FakeAxis*>(&logAxis), static_cast<FakeAxis*>(&linearAxis)}) {
            a->Pixel0 = 10;
            a->Pixel1 = 410;
        }
        yAxis.Pixel0 = 310;
        yAxis.Pixel1 = 10;
    }

    TkPlotChannel* Channel(TkPlotDataStyle Style)
    {
        TkPlotChannel* c = AddChannel();
        c->SetDataStyle(Style);
        c->SetColor(clBlue);
        return c;
    }

    // Both pictures of the channel as the axes stand; a failure names the case.
    void ExpectSamePicture(TkPlotChannel* Channel, const std::string& Case)
    {
        TBitmap drawn(Width, Height), reference(Width, Height);
        Channel->PreDraw(drawn.Canvas);
        Channel->Draw(drawn.Canvas, clWhite);
        Channel->PreDraw(reference.Canvas);
        ReferenceTrace(*Channel, *reference.Canvas).Draw();
        const Picture a = PixelsOf(drawn), b = PixelsOf(reference);
        std::size_t differ = 0, firstDiffer = 0, traced = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            traced += (b[i] & 0xFFFFFF) != 0xFFFFFF;
            if (a[i] != b[i] && differ++ == 0)
                firstDiffer = i;
        }
        EXPECT_EQ(differ, 0u) << Case << ": first at (" << firstDiffer % Width << ", " << firstDiffer / Width << ")";
        EXPECT_GT(traced, 0u) << Case << ": the reference drew nothing";
    }

    // Views of the data: all of it, zoomed in at a few places, scrolled
    // step by step, and zoomed out.
    void ExpectSameInEveryView(TkPlotChannel* Channel, const std::string& Case, double Lo, double Hi)
    {
        const double span = Hi - Lo;
        struct View {
            double Min, Span;
        };
        std::vector<View> views{{Lo, span}, {Lo, 3 * span}};
        for (double at : {0.1, 0.37, 0.8})
            views.push_back({Lo + at * span, span / 37});
        for (int step = 0; step < 5; ++step)
            views.push_back({Lo + span * (0.2 + step * 0.0013), span / 2});
        for (const View& v : views) {
            xAxis.Min = logAxis.Min = linearAxis.Min = v.Min;
            xAxis.Span = logAxis.Span = linearAxis.Span = v.Span;
            ExpectSamePicture(Channel, Case + " in view " + std::to_string(v.Min) + " + " + std::to_string(v.Span));
        }
        xAxis.Min = logAxis.Min = linearAxis.Min = 0;
        xAxis.Span = logAxis.Span = linearAxis.Span = 10;
    }

    static double Wander(std::mt19937& Random, double& Y)
    {
        Y += std::uniform_real_distribution<double>(-0.4, 0.4)(Random);
        Y = std::clamp(Y, 0.5, 9.5);
        return Y;
    }

    std::mt19937 random{20240611};
    LogAxis logAxis;
    LinearAxis linearAxis;
    const std::vector<TkPlotDataStyle> styles{kpdsStandard, kpdsCompact, kpdsCompactInterval, kpdsFullFeature};
};

TEST_F(FastTracePixels, DenseDataUpAndDownInEveryDataStyle)
{
    for (TkPlotDataStyle style : styles)
        for (bool descending : {false, true}) {
            TkPlotChannel* c = Channel(style);
            double y = 5;
            const int n = 60'000;
            for (int i = 0; i < n; ++i)
                c->AddXY(descending ? 10 - 10.0 * i / n : 10.0 * i / n, Wander(random, y));
            ExpectSameInEveryView(c, "style " + std::to_string(style) + (descending ? " descending" : " ascending"), 0,
                                  10);
        }
}

TEST_F(FastTracePixels, RandomStepsWithNullAndEmptyPoints)
{
    for (TkPlotDataStyle style : {kpdsStandard, kpdsFullFeature}) {
        TkPlotChannel* c = Channel(style);
        std::uniform_real_distribution<double> step(0, 2e-4), y(0, 10);
        std::uniform_int_distribution<int> kind(0, 199);
        double x = 0;
        while (x < 10) {
            x += step(random);
            const int k = kind(random);
            c->AddPointCore(x, k == 1 ? 1e6 : y(random), k == 0, k == 1);
        }
        ExpectSameInEveryView(c, "style " + std::to_string(style), 0, 10);
    }
}

TEST_F(FastTracePixels, AWrappedRingScrolledAndZoomed)
{
    for (TkPlotDataStyle style : styles) {
        TkPlotChannel* c = Channel(style);
        c->SetRingBufferSize(30'000);
        double y = 5;
        for (int i = 0; i < 75'001; ++i)
            c->AddXY(i * 1e-4, Wander(random, y));
        ExpectSameInEveryView(c, "style " + std::to_string(style), 4.5, 7.5);
        // More points after a drawing: the picture follows them.
        for (int i = 75'001; i < 80'000; ++i)
            c->AddXY(i * 1e-4, Wander(random, y));
        ExpectSameInEveryView(c, "style " + std::to_string(style) + " fed on", 5, 8);
    }
}

TEST_F(FastTracePixels, PointsChangedInPlaceAfterADrawing)
{
    TkPlotChannel* c = Channel(kpdsStandard);
    double y = 5;
    for (int i = 0; i < 50'000; ++i)
        c->AddXY(i * 2e-4, Wander(random, y));
    ExpectSamePicture(c, "before the changes");
    std::uniform_int_distribution<int> index(0, 49'999);
    for (int k = 0; k < 40; ++k)
        c->SetDataY(index(random), k % 2 ? 0.2 : 9.8);
    for (int k = 0; k < 10; ++k)
        c->SetDataNull(index(random), true);
    c->SetDataEmpty(index(random), true);
    c->SetDataX(49'999, 9.9999);
    ExpectSameInEveryView(c, "changed", 0, 10);
    // A ring smaller than the points drops the oldest of them.
    c->SetRingBufferSize(48'766);
    ExpectSameInEveryView(c, "first points dropped", 0, 10);
    c->SetRingBufferSize(0);
    c->Clear();
    for (int i = 0; i < 20'000; ++i)
        c->AddXY(5 + i * 2e-4, Wander(random, y));
    ExpectSameInEveryView(c, "cleared and filled again", 5, 9);
}

TEST_F(FastTracePixels, PointsOutOfXOrder)
{
    TkPlotChannel* c = Channel(kpdsStandard);
    c->SetDrawOutOfOrderXValues(true);
    std::uniform_real_distribution<double> x(0, 10), y(0, 10);
    for (int i = 0; i < 20'000; ++i)
        c->AddXY(i % 100 < 50 ? i * 5e-4 : x(random), y(random));
    ExpectSameInEveryView(c, "out of order", 0, 10);
}

TEST_F(FastTracePixels, ALogScaleAcrossZero)
{
    for (bool descending : {false, true}) {
        TkPlotChannel* c = Channel(kpdsStandard);
        c->AxisFinder = [this](const TkPlotKind& Kind, const std::string&) -> TkPlotChannelAxis* {
            return Kind == TkPlotObjectKind::XAxis ? static_cast<TkPlotChannelAxis*>(&logAxis) : &yAxis;
        };
        double y = 5;
        const int n = 40'000;
        for (int i = 0; i < n; ++i)
            c->AddXY(descending ? 12 - 16.0 * i / n : -4 + 16.0 * i / n, Wander(random, y));
        ExpectSameInEveryView(c, descending ? "descending" : "ascending", 0.01, 10);
    }
}

// X converted by one linear conversion for the whole walk, as the plot's
// axes convert: ascending and descending in every data style, sprinkled
// with null and empty points, a wrapped ring, and X far from zero in a
// narrow view, where the rounding of each conversion matters most.
TEST_F(FastTracePixels, ALinearScaleInEveryDataStyle)
{
    const auto onLinearX = [this](TkPlotChannel* C) {
        C->AxisFinder = [this](const TkPlotKind& Kind, const std::string&) -> TkPlotChannelAxis* {
            return Kind == TkPlotObjectKind::XAxis ? static_cast<TkPlotChannelAxis*>(&linearAxis) : &yAxis;
        };
        return C;
    };
    double y = 5;
    for (TkPlotDataStyle style : styles)
        for (bool descending : {false, true}) {
            TkPlotChannel* c = onLinearX(Channel(style));
            const int n = 60'000;
            for (int i = 0; i < n; ++i)
                c->AddXY(descending ? 10 - 10.0 * i / n : -2 + 12.0 * i / n, Wander(random, y));
            ExpectSameInEveryView(c, "style " + std::to_string(style) + (descending ? " descending" : " ascending"), 0,
                                  10);
        }
    TkPlotChannel* nulls = onLinearX(Channel(kpdsStandard));
    std::uniform_int_distribution<int> kind(0, 199);
    for (int i = 0; i < 60'000; ++i) {
        const int k = kind(random);
        nulls->AddPointCore(i * 1.7e-4, k == 1 ? 1e6 : Wander(random, y), k == 0, k == 1);
    }
    ExpectSameInEveryView(nulls, "null and empty points", 0, 10);
    TkPlotChannel* ring = onLinearX(Channel(kpdsFullFeature));
    ring->SetRingBufferSize(30'000);
    for (int i = 0; i < 75'001; ++i)
        ring->AddXY(i * 1e-4, Wander(random, y));
    ExpectSameInEveryView(ring, "wrapped ring", 4.5, 7.5);
    TkPlotChannel* far = onLinearX(Channel(kpdsStandard));
    for (int i = 0; i < 60'000; ++i)
        far->AddXY(46'000 + i * 1e-9, Wander(random, y));
    ExpectSameInEveryView(far, "far from zero", 46'000, 46'000 + 6e-5);
    // Columns of uneven length, runs of equal X, and in the whole view
    // every fourth step on a mark between two columns: where a column ends
    // is often not where the one before suggests.
    TkPlotChannel* uneven = onLinearX(Channel(kpdsStandard));
    std::uniform_int_distribution<int> gap(0, 2);
    for (int i = 0, step = 0; i < 1600; ++i, step += gap(random))
        uneven->AddXY(step / 160.0, Wander(random, y));
    ExpectSameInEveryView(uneven, "uneven columns", 0, 10);
}

// Lines cut at the Y axis' range, lines to points far beyond it pulled
// in, and the axes swapped on screen.
TEST_F(FastTracePixels, ClippedToTheAxesFarOffAndSwapped)
{
    TkPlotChannel* c = Channel(kpdsStandard);
    double y = 5;
    for (int i = 0; i < 50'000; ++i)
        c->AddXY(i * 2e-4, i % 5000 == 7 ? 1e4 : i % 5000 == 9 ? -1e4 : Wander(random, y));
    for (bool clip : {false, true})
        for (bool swapped : {false, true}) {
            c->SetClipToAxes(clip);
            c->SetXYAxesReverse(swapped);
            yAxis.Min = 3;
            yAxis.Span = 4;
            const std::string name = std::string(clip ? "clipped" : "not clipped") + (swapped ? ", swapped" : "");
            ExpectSameInEveryView(c, name, 0, 10);
            yAxis.Min = 0;
            yAxis.Span = 10;
            ExpectSamePicture(c, name + ", whole Y range");
        }
}

}  // namespace
