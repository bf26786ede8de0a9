// A plot that keeps its layout and ticks while nothing they depend on
// changed paints the same picture as one that computes them at every
// paint. Two plots go through the same run side by side, one of them
// computing everything each time, and every pixel is compared after each
// step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotComponent.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"

namespace {

class Plot : public TkPlotComponent {
public:
    Plot() : TkPlotComponent(nullptr)
    {
        Application->Initialize();
        SetBounds(0, 0, 520, 340);
        AddToolBar();
        AddLegend();
        AddXAxis();
        AddYAxis();
        AddDataView();
        AddChannel();
        AddChannel();
        GetXAxis(0)->SetTitle("Time");
        GetXAxis(0)->SetTitleShow(true);
        GetXAxis(0)->SetSpan(10);
        GetYAxis(0)->SetTitle("Pressure");
        GetYAxis(0)->SetTitleShow(true);
        GetYAxis(0)->SetSpan(5);
    }
    TkPlotChannel* Channel(int Index) { return static_cast<TkPlotChannel*>(GetChannel(Index)); }
    TkPlotLegend* Legend() { return static_cast<TkPlotLegend*>(GetLegend(0)); }

    // Through the plot's own buffer, as the screen gets it.
    std::vector<std::uint32_t> Picture()
    {
        TBitmap picture(GetWidth(), GetHeight());
        PaintBuffered(picture.Canvas);
        std::vector<std::uint32_t> pixels(std::size_t(GetWidth()) * GetHeight());
        for (int y = 0; y < GetHeight(); ++y)
            std::memcpy(&pixels[std::size_t(y) * GetWidth()], picture.ScanLine(y), GetWidth() * sizeof(std::uint32_t));
        return pixels;
    }
};

class LayoutReuse : public ::testing::Test {
protected:
    void SetUp() override { computing.SetLayoutReuse(false); }

    // Step applied to both plots, then both painted twice: the second paint
    // of the reusing plot is the one that keeps what the first computed.
    void Step(const std::string& What, const std::function<void(Plot&)>& Change)
    {
        Change(reusing);
        Change(computing);
        for (int paint = 0; paint < 2; ++paint) {
            const std::vector<std::uint32_t> expected = computing.Picture();
            const std::vector<std::uint32_t> got = reusing.Picture();
            ASSERT_EQ(got.size(), expected.size()) << What;
            std::size_t differing = 0;
            for (std::size_t i = 0; i < got.size(); ++i)
                differing += got[i] != expected[i];
            ASSERT_EQ(differing, 0u) << What << ", paint " << paint;
        }
    }

    Plot reusing, computing;
};

TEST_F(LayoutReuse, EveryPaintOfARunShowsWhatComputingEverythingShows)
{
    Step("first paint", [](Plot&) {});
    // Points past the axes' ends: the X axis scrolls, the Y axis grows and
    // its labels widen, which moves the data view.
    for (int i = 0; i < 30; ++i)
        Step("point " + std::to_string(i), [i](Plot& p) {
            p.Channel(0)->AddXY(i, i * i * 3.7);
            p.Channel(1)->AddXY(i + 0.5, -i * 11.0);
        });
    Step("legend shows values", [](Plot& p) { p.Legend()->SetShowColumnYValue(true); });
    Step("a value that widens the legend", [](Plot& p) { p.Channel(0)->AddXY(31, 123456789.0); });
    Step("axis title", [](Plot& p) { p.GetYAxis(0)->SetTitle("Pressure at the inlet"); });
    Step("axis range", [](Plot& p) { p.GetYAxis(0)->SetMinSpan(-0.001, 0.002); });
    Step("resize", [](Plot& p) { p.SetBounds(0, 0, 610, 280); });
    Step("smaller", [](Plot& p) { p.SetBounds(0, 0, 300, 200); });
    Step("painted on another canvas", [](Plot& p) {
        TBitmap other(p.GetWidth(), p.GetHeight());
        p.PaintToCanvas(other.Canvas);
    });
    Step("label added", [](Plot& p) {
        static_cast<TkPlotLabel*>(p.GetLabel(p.AddLabel()))->SetCaption("A label with a long caption");
    });
    Step("table added", [](Plot& p) { p.AddTable(); });
    Step("table removed", [](Plot& p) { p.DeleteTable(0); });
    Step("second Y axis", [](Plot& p) { p.AddYAxis(); });
    Step("its removal", [](Plot& p) { p.DeleteYAxis(1); });
    Step("channel hidden", [](Plot& p) { p.Channel(1)->SetVisible(false); });
    Step("axis focused", [](Plot& p) { p.GetXAxis(0)->SetFocused(true); });
    Step("axis hidden", [](Plot& p) { p.GetYAxis(0)->SetVisible(false); });
    Step("cleared", [](Plot& p) { p.Channel(0)->Clear(); });
}

// Points added and ranges moved leave every property as it was: the plot
// then computes the ticks once and keeps the layout where the objects
// measure as before. Each step here changes only what the plot shows,
// some of them so that a measure moves (wider labels, a wider legend) or an
// axis placed at a value of another moves with its range.
TEST_F(LayoutReuse, PointsAndRangesAloneShowWhatComputingEverythingShows)
{
    Step("set up", [](Plot& p) {
        p.Legend()->SetShowColumnYValue(true);
        p.GetXAxis(0)->SetTrackingStyle(kptsScrollSmooth);
    });
    for (int i = 0; i < 60; ++i)
        Step("point " + std::to_string(i), [i](Plot& p) {
            // Magnitudes that grow by steps widen the Y labels and the
            // legend's value now and then; the X axis scrolls.
            p.Channel(0)->AddXY(i * 0.7, std::pow(10.0, i / 12) * (i % 7));
            p.Channel(1)->AddXY(i * 0.7 + 0.2, -(i % 5) * 1.5);
        });
    Step("Y range by hand", [](Plot& p) { p.GetYAxis(0)->SetMinSpan(-2, 4); });
    Step("Y range moved", [](Plot& p) { p.GetYAxis(0)->SetMin(-3.5); });
    Step("narrower labels", [](Plot& p) { p.GetYAxis(0)->SetMinSpan(0, 3); });
    Step("X range moved", [](Plot& p) { p.GetXAxis(0)->SetMin(12.25); });
    Step("X span", [](Plot& p) { p.GetXAxis(0)->SetSpan(1e-4); });
    Step("an X axis at Y = 1", [](Plot& p) {
        p.AddXAxis();
        p.GetXAxis(1)->SetCartesianStyle(kpcsChild);
        p.GetXAxis(1)->SetCartesianChildRefAxisName(p.GetYAxis(0)->GetName());
        p.GetXAxis(1)->SetCartesianChildRefValue(1);
    });
    Step("it moves with the Y range", [](Plot& p) { p.GetYAxis(0)->SetMin(-1); });
    Step("and with the points", [](Plot& p) { p.Channel(0)->AddXY(43, 250); });
}

}  // namespace
