// A trace channel of 10 thousand to 1 million points drawn on a 1000 x 400
// bitmap with its min/max trace, beside one polyline through every point
// on the same canvas; and the same precomputed points added to a channel
// one by one (with its statistics, axis tracking and change notification),
// and to a whole plot's channel, beside adding them to the bare point list.
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/Rounds.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotChannelAxis.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataNullList.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"

namespace {

constexpr int Width = 1000;
constexpr int Height = 400;

// X 0 .. 1 over the bitmap's width, Y -1.5 .. 1.5 over its height.
struct LinearAxis : TkPlotChannelAxis {
    double Min = 0, Span = 1;
    int Pixel0 = 0, Pixel1 = Width;
    double GetMin() const override { return Min; }
    double GetSpan() const override { return Span; }
    int ValueToPixel(double Value) const override
    {
        return Pixel0 + int(std::nearbyint((Value - Min) / Span * (Pixel1 - Pixel0)));
    }
    double PixelToValue(int Pixel) const override { return Min + double(Pixel - Pixel0) / (Pixel1 - Pixel0) * Span; }
    std::string GetLabelText(double) override { return {}; }
    std::string GetCursorText(double) override { return {}; }
    std::string GetCursorPlainText(double) override { return {}; }
    double GetCursorScaler() const override { return 1; }
    void TrackNewValue(double) override {}
};

double Signal(int I, int N)
{
    return std::sin(I * 40.0 / N) + 0.3 * std::sin(I * 0.7);
}

}  // namespace

int main()
{
    Application->Initialize();
    TkPlotObjectOwner owner;
    TkPlotMasterManager master(&owner);
    LinearAxis xAxis, yAxis;
    yAxis.Min = -1.5;
    yAxis.Span = 3;
    yAxis.Pixel0 = Height;
    yAxis.Pixel1 = 0;
    TBitmap bitmap;
    bitmap.SetSize(Width, Height);

    for (int n : {10'000, 100'000, 1'000'000}) {
        auto* channel = static_cast<TkPlotChannel*>(master.ChannelManager()->GetObject(master.AddChannel()));
        channel->AxisFinder = [&](const TkPlotKind& Kind, const std::string&) -> TkPlotChannelAxis* {
            return Kind == TkPlotObjectKind::XAxis ? &xAxis : &yAxis;
        };
        std::vector<TPoint> polyline;
        for (int i = 0; i < n; ++i) {
            const double x = double(i) / n, y = Signal(i, n);
            channel->AddXY(x, y);
            polyline.push_back(TPoint(xAxis.ValueToPixel(x), yAxis.ValueToPixel(y)));
        }
        bench::Compare(
            "draw " + std::to_string(n) + " points", "min/max trace",
            [&] {
                channel->PreDraw(bitmap.Canvas);
                channel->Draw(bitmap.Canvas, clBlack);
            },
            "polyline through every point", [&] { bitmap.Canvas->Polyline(polyline); });
        TkPlotObject::Free(channel);
    }

    // Adding points: the values are worked out once, before the rounds, so
    // that both sides time only the adding. On some machines the
    // application's start leaves the processor in a state in which plain
    // floating-point code runs many times slower; a sine per point inside
    // the rounds would then weigh far more than the adding being compared.
    constexpr int Adds = 1'000'000;
    std::vector<double> ys(Adds);
    for (int i = 0; i < Adds; ++i)
        ys[i] = Signal(i, Adds);
    const auto bareList = [&] {
        TkPlotDataNullList list;
        for (int i = 0; i < Adds; ++i)
            list.Add(i, ys[i], false, false);
    };
    bench::Compare(
        "add " + std::to_string(Adds) + " points", "TkPlotChannel::AddXY",
        [&] {
            auto* channel = static_cast<TkPlotChannel*>(master.ChannelManager()->GetObject(master.AddChannel()));
            channel->AxisFinder = [&](const TkPlotKind& Kind, const std::string&) -> TkPlotChannelAxis* {
                return Kind == TkPlotObjectKind::XAxis ? &xAxis : &yAxis;
            };
            for (int i = 0; i < Adds; ++i)
                channel->AddXY(i, ys[i]);
            TkPlotObject::Free(channel);
        },
        "TkPlotDataNullList::Add", bareList, 5);
    // The same into a channel of a whole plot, as the application adds
    // its points: the plot's own axes track them, and every point asks the
    // plot for a repaint at its frame rate.
    bench::Compare(
        "add " + std::to_string(Adds) + " points to a plot", "TkPlot channel AddXY",
        [&] {
            TkPlot plot(nullptr);
            TkPlotChannel* channel = plot.Channel(0);
            for (int i = 0; i < Adds; ++i)
                channel->AddXY(i, ys[i]);
        },
        "TkPlotDataNullList::Add", bareList, 5);
    return 0;
}
