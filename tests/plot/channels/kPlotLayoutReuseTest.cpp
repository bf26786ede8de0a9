// A plot that keeps its layout and ticks while nothing they depend on
// changed paints the same picture as one that computes them at every
// paint. Two plots go through the same run side by side, one of them
// computing everything each time, and every pixel is compared after each
// step.
#include <gtest/gtest.h>

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

}  // namespace
