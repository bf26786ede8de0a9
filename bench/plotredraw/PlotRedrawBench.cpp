// A whole plot (one X axis, one Y axis with grid lines and labels, one
// trace channel) painted into a 1000 x 600 bitmap, beside QCustomPlot
// drawing the same data at the same size two ways: its own on-screen redraw
// (replot, into its paint buffers, keeping its tick-label cache) and
// toPainter into an image (which switches that cache off). Three sections:
// a million points redrawn unchanged, ten million redrawn unchanged, and a
// live chart whose 50,000-point ring is fed 1000 points a second while it
// is redrawn 30 times a second.
//
// QCustomPlot runs as a user would set it up for speed: adaptive sampling
// on (its default) and anti-aliasing off for every element, like our
// canvas, which never anti-aliases. Its axes are given our axes' tick step
// and minor ticks, so that both sides draw the same number of tick labels.
//
//   bench_plotredraw [million] [tenmillion] [live]   (default: all three)
//   bench_plotredraw profile <points>|live   (ours alone: redrawn for 10 s, or
//                                            the live chart's rounds)
#include <qcustomplot.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/Rounds.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotComponent.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"

namespace {

constexpr int Width = 1000;
constexpr int Height = 600;
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

// What an axis of ours drew last: labels, the step between them, minor
// ticks between two labels.
struct TTicks {
    int Labels = 0;
    int MinorsBetween = 0;
    double Step = 0;
};

TTicks TicksOf(const TkPlotAxis& Axis)
{
    TTicks t;
    int minors = 0;
    for (const TkPlotTickObject& tick : Axis.GetTicks())
        if (tick.Visible)
            (tick.Major ? t.Labels : minors) += 1;
    t.Step = Axis.GetMajorIncrement();
    t.MinorsBetween = t.Labels > 1 ? int(std::lround(double(minors) / (t.Labels - 1))) : 0;
    return t;
}

// QCustomPlot's fixed-step ticker with a set number of minor ticks.
class TFixedTicker : public QCPAxisTickerFixed {
public:
    explicit TFixedTicker(int SubTicks) : FSubTicks(SubTicks) {}

protected:
    int getSubTickCount(double) override { return FSubTicks; }

private:
    int FSubTicks;
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
    void ToPainter()
    {
        QCPPainter painter(&image);
        plot.toPainter(&painter, Width, Height);
    }
    void Replot() { plot.replot(); }
    // Ticks at Ours' step with as many minor ticks between them.
    static void MatchTicks(QCPAxis* Axis, const TTicks& Ours)
    {
        QSharedPointer<TFixedTicker> ticker(new TFixedTicker(Ours.MinorsBetween));
        ticker->setTickStep(Ours.Step);
        ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
        ticker->setTickCount(Ours.Labels);
        Axis->setTicker(ticker);
    }
    static int LabelsOf(const QCPAxis* Axis)
    {
        int n = 0;
        for (double v : Axis->tickVector())
            n += Axis->range().contains(v);
        return n;
    }

    QCustomPlot plot;
    QCPGraph* graph;
    QImage image;
};

void PrintGoal(const char* Name, const std::vector<double>& Ratios, double Goal)
{
    const double m = bench::Median(Ratios);
    std::printf("  goal %s at most %.2f: %s (median %.3f, min %.3f, max %.3f)\n", Name, Goal,
                m <= Goal ? "met" : "MISSED", m, *std::min_element(Ratios.begin(), Ratios.end()),
                *std::max_element(Ratios.begin(), Ratios.end()));
}

// An unchanged redraw of Points points (a sine with a fast ripple, X 0 .. 1).
// With Profile, only ours is redrawn, for ten seconds, for a profiler.
void Unchanged(int Points, int Rounds, double Goal, bool Profile = false)
{
    OurPlot ours;
    TheirPlot theirs;
    {
        QVector<double> keys(Points), values(Points);
        ours.plot.DisableAllTracking();
        for (int i = 0; i < Points; ++i) {
            keys[i] = double(i) / Points;
            values[i] = Signal(i, Points);
            ours.Channel().AddXY(keys[i], values[i]);
        }
        theirs.graph->setData(keys, values, true);
    }
    ours.XAxis().SetMinSpan(0, 1);
    ours.YAxis().SetMinSpan(-1.5, 3);
    theirs.plot.xAxis->setRange(0, 1);
    theirs.plot.yAxis->setRange(-1.5, 1.5);
    ours.Paint();
    if (Profile) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        int n = 0;
        bench::Figures f;
        for (; std::chrono::steady_clock::now() < end; ++n)
            bench::TimeOnce([&] { ours.Paint(); }, f);
        std::printf("%d redraws of %d points in 10 s\n", n, Points);
        bench::Print("ours: TkPlotComponent paint", f);
        return;
    }
    const TTicks x = TicksOf(ours.XAxis()), y = TicksOf(ours.YAxis());
    TheirPlot::MatchTicks(theirs.plot.xAxis, x);
    TheirPlot::MatchTicks(theirs.plot.yAxis, y);
    theirs.Replot();

    bench::Figures our, painter, replot, warm;
    bench::TimeOnce([&] { theirs.ToPainter(); }, warm);
    for (int r = 0; r < Rounds; ++r) {
        bench::TimeOnce([&] { ours.Paint(); }, our);
        bench::TimeOnce([&] { theirs.ToPainter(); }, painter);
        bench::TimeOnce([&] { theirs.Replot(); }, replot);
    }
    std::printf("redraw a plot of %d points, unchanged, into 1000 x 600 (%d interleaved rounds)\n", Points, Rounds);
    std::printf("  tick labels X / Y: ours %d / %d, QCustomPlot %d / %d\n", x.Labels, y.Labels,
                TheirPlot::LabelsOf(theirs.plot.xAxis), TheirPlot::LabelsOf(theirs.plot.yAxis));
    bench::Print("ours: TkPlotComponent paint", our);
    bench::Print("QCustomPlot 2.1 replot", replot);
    bench::Print("QCustomPlot 2.1 toPainter", painter);
    bench::PrintRatios("ours/replot", our, replot);
    bench::PrintRatios("ours/toPainter", our, painter);
    PrintGoal("ours/replot (wall)", bench::RoundRatios(our.WallMs, replot.WallMs), Goal);
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

// With Profile, only ours runs, for five rounds, for a profiler.
void LiveRing(bool Profile = false)
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
    // QCustomPlot has no ring: the oldest points are removed and the axis
    // scrolled by hand, as its users do for a live chart. Each way of
    // drawing gets a plot of its own, fed alike.
    TheirPlot replotted, painted;
    for (TheirPlot* t : {&replotted, &painted})
        t->plot.yAxis->setRange(-1.5, 1.5);
    for (int i = 0; i < RingPoints; ++i) {
        ours.Channel().AddXY(x(i), y(i));
        for (TheirPlot* t : {&replotted, &painted})
            t->graph->addData(x(i), y(i));
    }
    for (TheirPlot* t : {&replotted, &painted})
        t->plot.xAxis->setRange(x(RingPoints - 1) - span, x(RingPoints - 1));
    ours.Paint();
    const TTicks xt = TicksOf(ours.XAxis()), yt = TicksOf(ours.YAxis());
    for (TheirPlot* t : {&replotted, &painted}) {
        TheirPlot::MatchTicks(t->plot.xAxis, xt);
        TheirPlot::MatchTicks(t->plot.yAxis, yt);
    }

    const auto feedOurs = [&](int First, int Last) {
        for (int i = First; i < Last; ++i)
            ours.Channel().AddXY(x(i), y(i));
    };
    const auto feedTheirs = [&](TheirPlot& Theirs) {
        return [&, T = &Theirs](int First, int Last) {
            for (int i = First; i < Last; ++i)
                T->graph->addData(x(i), y(i));
            const double last = x(Last - 1);
            T->graph->data()->removeBefore(last - span + 0.5 / PointsPerSecond);
            T->plot.xAxis->setRange(last - span, last);
        };
    };

    bench::Figures our, replot, painter;
    int frames[3] = {0, 0, 0}, next[3] = {RingPoints, RingPoints, RingPoints};
    constexpr int Rounds = 5;
    if (Profile) {
        for (int r = 0; r < Rounds; ++r)
            bench::TimeOnce([&] { frames[0] += LiveRound(next[0], feedOurs, [&] { ours.Paint(); }); }, our);
        std::printf("%d frames, cpu share %% median %.2f\n", frames[0],
                    bench::Median(bench::RoundRatios(our.CpuMs, our.WallMs)) * 100);
        return;
    }
    for (int r = 0; r < Rounds; ++r) {
        bench::TimeOnce([&] { frames[0] += LiveRound(next[0], feedOurs, [&] { ours.Paint(); }); }, our);
        bench::TimeOnce([&] { frames[1] += LiveRound(next[1], feedTheirs(replotted), [&] { replotted.Replot(); }); },
                        replot);
        bench::TimeOnce([&] { frames[2] += LiveRound(next[2], feedTheirs(painted), [&] { painted.ToPainter(); }); },
                        painter);
    }
    std::printf(
        "live chart: a %d-point ring fed %.0f points/s, redrawn at %.0f frames/s into 1000 x 600 "
        "(%d interleaved rounds of %.0f s)\n",
        RingPoints, PointsPerSecond, FramesPerSecond, Rounds, LiveRoundSeconds);
    std::printf(
        "  tick labels X / Y: ours %d / %d, QCustomPlot %d / %d; points held at the end: ours %d, "
        "QCustomPlot %d\n",
        xt.Labels, yt.Labels, TheirPlot::LabelsOf(replotted.plot.xAxis), TheirPlot::LabelsOf(replotted.plot.yAxis),
        ours.Channel().GetCount(), replotted.graph->data()->size());
    const auto share = [](const bench::Figures& F) {
        std::vector<double> s;
        for (std::size_t i = 0; i < F.WallMs.size(); ++i)
            s.push_back(100 * F.CpuMs[i] / F.WallMs[i]);
        return s;
    };
    const auto print = [](const char* Name, const std::vector<double>& S, int Frames) {
        std::printf("  %-34s cpu share %% median %6.2f min %6.2f max %6.2f | frames %d\n", Name, bench::Median(S),
                    *std::min_element(S.begin(), S.end()), *std::max_element(S.begin(), S.end()), Frames);
    };
    print("ours: TkPlotComponent", share(our), frames[0]);
    print("QCustomPlot 2.1 replot", share(replot), frames[1]);
    print("QCustomPlot 2.1 toPainter", share(painter), frames[2]);
    const std::vector<double> toReplot = bench::RoundRatios(share(our), share(replot));
    const std::vector<double> toPainter = bench::RoundRatios(share(our), share(painter));
    std::printf("  ratio ours/replot    cpu share median %6.3f min %6.3f max %6.3f\n", bench::Median(toReplot),
                *std::min_element(toReplot.begin(), toReplot.end()),
                *std::max_element(toReplot.begin(), toReplot.end()));
    std::printf("  ratio ours/toPainter cpu share median %6.3f min %6.3f max %6.3f\n", bench::Median(toPainter),
                *std::min_element(toPainter.begin(), toPainter.end()),
                *std::max_element(toPainter.begin(), toPainter.end()));
    PrintGoal("ours/replot (cpu share)", toReplot, 0.5);
}

}  // namespace

int main(int argc, char** argv)
{
    Application->Initialize();
    const auto wanted = [&](const char* Section) {
        if (argc < 2)
            return true;
        if (std::strcmp(argv[1], "profile") == 0)
            return false;
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], Section) == 0)
                return true;
        return false;
    };
    if (wanted("million"))
        Unchanged(1'000'000, 9, 0.5);
    if (wanted("tenmillion"))
        Unchanged(10'000'000, 7, 0.1);
    if (wanted("live"))
        LiveRing();
    // For a profiler: ours alone, redrawn for ten seconds.
    if (argc == 3 && std::strcmp(argv[1], "profile") == 0) {
        if (std::strcmp(argv[2], "live") == 0)
            LiveRing(true);
        else
            Unchanged(std::atoi(argv[2]), 0, 0, true);
    }
    return 0;
}
