// A whole plot (one X axis, one Y axis with grid lines and labels, one
// trace channel) painted into a 1000 x 600 bitmap, beside QCustomPlot
// drawing the same data into an image of the same size: once with a
// million points, and once as a live chart whose 50,000-point ring is fed
// 1000 points a second while it is redrawn 30 times a second.
//
// QCustomPlot runs as a user would set it up for speed: adaptive sampling
// on (its default) and anti-aliasing off for every element, like our
// canvas, which never anti-aliases.
#include <qcustomplot.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/Rounds.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotKinds.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotComponent.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"

namespace {

constexpr int Width = 1000;
constexpr int Height = 600;
constexpr int Points = 1'000'000;
constexpr int RingPoints = 50'000;
constexpr double PointsPerSecond = 1000;
constexpr double FramesPerSecond = 30;
constexpr double LiveRoundSeconds = 2;

double Signal(int I, int N)
{
    return std::sin(I * 40.0 / N) + 0.3 * std::sin(I * 0.7);
}

// Our plot: toolbar and legend exist (the plot paints only with both) but
// are hidden, so that what is drawn matches QCustomPlot's default face.
class OurPlot {
public:
    OurPlot() : plot(nullptr)
    {
        RegisterPlotKinds(plot.GetMasterManager());
        plot.AddToolBar();
        plot.AddLegend();
        plot.AddXAxis();
        plot.AddYAxis();
        plot.AddDataView();
        plot.AddChannel();
        plot.GetToolBar(0)->SetVisible(false);
        plot.GetLegend(0)->SetVisible(false);
        plot.SetBounds(0, 0, Width, Height);
        bitmap.SetSize(Width, Height);
    }
    TkPlotChannel& Channel() const { return *static_cast<TkPlotChannel*>(plot.GetChannel(0)); }
    TkPlotAxis& XAxis() const { return *plot.GetXAxis(0); }
    TkPlotAxis& YAxis() const { return *plot.GetYAxis(0); }
    void Paint() { plot.PaintToCanvas(bitmap.Canvas); }

    TkPlotComponent plot;
    TBitmap bitmap;
};

class TheirPlot {
public:
    TheirPlot() : image(Width, Height, QImage::Format_RGB32)
    {
        plot.setNotAntialiasedElements(QCP::aeAll);
        graph = plot.addGraph();
        graph->setAdaptiveSampling(true);
        graph->setAntialiased(false);
        plot.resize(Width, Height);
    }
    void Paint()
    {
        QCPPainter painter(&image);
        plot.toPainter(&painter, Width, Height);
    }

    QCustomPlot plot;
    QCPGraph* graph;
    QImage image;
};

void MillionPoints()
{
    OurPlot ours;
    TheirPlot theirs;
    QVector<double> keys(Points), values(Points);
    ours.plot.DisableAllTracking();
    for (int i = 0; i < Points; ++i) {
        keys[i] = double(i) / Points;
        values[i] = Signal(i, Points);
        ours.Channel().AddXY(keys[i], values[i]);
    }
    ours.XAxis().SetMinSpan(0, 1);
    ours.YAxis().SetMinSpan(-1.5, 3);
    theirs.graph->setData(keys, values, true);
    theirs.plot.xAxis->setRange(0, 1);
    theirs.plot.yAxis->setRange(-1.5, 1.5);
    bench::Compare(
        "redraw a plot of 1,000,000 points into a 1000 x 600 bitmap", "ours: TkPlotComponent paint",
        [&] { ours.Paint(); }, "QCustomPlot 2.1 toPainter", [&] { theirs.Paint(); }, 9);
}

// One live round: every frame takes the points that came in since the last
// one, then redraws; between frames the thread sleeps, as a chart's
// program waits for its next timer. Next is the number of points fed so
// far, carried from round to round. Returns the frames drawn.
int LiveRound(int& Next, const std::function<void(int First, int Last)>& Feed, const std::function<void()>& Paint)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const int firstPoint = Next;
    const int frames = int(LiveRoundSeconds * FramesPerSecond);
    int drawn = 0;
    for (int f = 1; f <= frames; ++f) {
        const auto due = start + std::chrono::duration<double>(f / FramesPerSecond);
        std::this_thread::sleep_until(due);
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const int upTo = firstPoint + int(elapsed * PointsPerSecond);
        if (upTo > Next) {
            Feed(Next, upTo);
            Next = upTo;
        }
        Paint();
        ++drawn;
    }
    return drawn;
}

void LiveRing()
{
    // X in seconds: point I arrives at I / 1000 s; the ring holds the last 50 s.
    const double span = RingPoints / PointsPerSecond;
    const auto x = [](int I) { return I / PointsPerSecond; };
    const auto y = [](int I) { return std::sin(I * 0.01) + 0.3 * std::sin(I * 0.7); };

    OurPlot ours;
    ours.Channel().SetRingBufferSize(RingPoints);
    ours.XAxis().SetTrackingStyle(kptsScrollSmooth);
    ours.XAxis().SetMinSpan(0, span);
    ours.YAxis().SetTrackingEnabled(false);
    ours.YAxis().SetMinSpan(-1.5, 3);
    TheirPlot theirs;
    theirs.plot.yAxis->setRange(-1.5, 1.5);
    for (int i = 0; i < RingPoints; ++i) {
        ours.Channel().AddXY(x(i), y(i));
        theirs.graph->addData(x(i), y(i));
    }
    theirs.plot.xAxis->setRange(x(RingPoints - 1) - span, x(RingPoints - 1));

    const auto feedOurs = [&](int First, int Last) {
        for (int i = First; i < Last; ++i)
            ours.Channel().AddXY(x(i), y(i));
    };
    // QCustomPlot has no ring: the oldest points are removed and the axis
    // scrolled by hand, as its users do for a live chart.
    const auto feedTheirs = [&](int First, int Last) {
        for (int i = First; i < Last; ++i)
            theirs.graph->addData(x(i), y(i));
        const double last = x(Last - 1);
        theirs.graph->data()->removeBefore(last - span + 0.5 / PointsPerSecond);
        theirs.plot.xAxis->setRange(last - span, last);
    };

    bench::Figures ourFigures, theirFigures;
    int ourFrames = 0, theirFrames = 0, ourNext = RingPoints, theirNext = RingPoints;
    constexpr int Rounds = 5;
    for (int r = 0; r < Rounds; ++r) {
        bench::TimeOnce([&] { ourFrames += LiveRound(ourNext, feedOurs, [&] { ours.Paint(); }); }, ourFigures);
        bench::TimeOnce([&] { theirFrames += LiveRound(theirNext, feedTheirs, [&] { theirs.Paint(); }); },
                        theirFigures);
    }
    std::printf(
        "live chart: a %d-point ring fed %.0f points/s, redrawn at %.0f frames/s into 1000 x 600 "
        "(%d rounds of %.0f s)\n",
        RingPoints, PointsPerSecond, FramesPerSecond, Rounds, LiveRoundSeconds);
    std::printf("  points held at the end: ours %d, QCustomPlot %d\n", ours.Channel().GetCount(),
                theirs.graph->data()->size());
    const auto share = [](const bench::Figures& F) {
        std::vector<double> s;
        for (std::size_t i = 0; i < F.WallMs.size(); ++i)
            s.push_back(100 * F.CpuMs[i] / F.WallMs[i]);
        return s;
    };
    const std::vector<double> ourShare = share(ourFigures), theirShare = share(theirFigures);
    const auto print = [](const char* Name, const std::vector<double>& S, int Frames) {
        std::printf("  %-34s cpu share %% median %6.2f min %6.2f max %6.2f | frames %d\n", Name, bench::Median(S),
                    *std::min_element(S.begin(), S.end()), *std::max_element(S.begin(), S.end()), Frames);
    };
    print("ours: TkPlotComponent", ourShare, ourFrames);
    print("QCustomPlot 2.1", theirShare, theirFrames);
    std::printf("  ratio ours/theirs: cpu share %.2f\n", bench::Median(ourShare) / bench::Median(theirShare));
}

}  // namespace

int main()
{
    Application->Initialize();
    MillionPoints();
    LiveRing();
    return 0;
}
