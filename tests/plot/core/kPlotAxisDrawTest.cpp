// What an axis asks of the layout and what it draws: scale line, ticks,
// labels in four rotations, title and grid lines, checked on a recording
// canvas with known font metrics (a "0" 5 pixels wide and 12 high).
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "PlotAxisSupport.h"
#include "ui/Font.h"

namespace {

struct Line {
    int x1, y1, x2, y2;
    friend bool operator==(const Line&, const Line&) = default;
};
struct Text {
    int x, y;
    std::string text;
    int orientation;
    friend bool operator==(const Text&, const Text&) = default;
};
std::ostream& operator<<(std::ostream& s, const Line& l)
{
    return s << "(" << l.x1 << "," << l.y1 << ")-(" << l.x2 << "," << l.y2 << ")";
}
std::ostream& operator<<(std::ostream& s, const Text& t)
{
    return s << "'" << t.text << "' at " << t.x << "," << t.y << " turned " << t.orientation;
}

std::vector<Line> Lines(const TRecordingCanvas& Canvas)
{
    std::vector<Line> lines;
    for (const TCanvasRecord& r : Canvas.Records)
        if (r.Op == TCanvasOp::LineTo)
            lines.push_back({r.Points[0].X, r.Points[0].Y, r.Args[0], r.Args[1]});
    return lines;
}

std::vector<Text> Texts(const TRecordingCanvas& Canvas)
{
    std::vector<Text> texts;
    for (const TCanvasRecord& r : Canvas.Records)
        if (r.Op == TCanvasOp::TextOut)
            texts.push_back({r.Args[0], r.Args[1], r.Text, r.Font.Orientation});
    return texts;
}

class AxisDrawTest : public AxisPairTest {
protected:
    void SetUp() override { PlaceWithSmallLabels(10, 410); }
    void Paint(TkPlotAxis& Axis)
    {
        Axis.CalcTicks(&canvas);
        canvas.Records.clear();
        Axis.PreDraw(&canvas);
        Axis.Draw(&canvas, clBlack);
    }
};

TEST_F(AxisDrawTest, LeftAxisDrawsLabelsScaleLineAndTicks)
{
    Paint(*y);
    EXPECT_EQ(y->GetSide(), 0);
    std::vector<Text> texts;
    std::vector<Line> lines{{45, 0, 45, 401}};
    for (int v = 0; v <= 100; v += 5) {
        const int p = 400 - 4 * v;
        if (v % 10 == 0) {
            const std::string label = std::to_string(v);
            // Right-aligned 15 pixels left of the layout edge, centred on the tick.
            texts.push_back({35 - 5 * int(label.size()), p - 6, label, 0});
        }
        lines.push_back({45, p, v % 10 == 0 ? 38 : 42, p});
    }
    EXPECT_EQ(Texts(canvas), texts);
    EXPECT_EQ(Lines(canvas), lines);
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::LineTo) {
            EXPECT_EQ(r.Pen.Color, clWhite);
        }
}

TEST_F(AxisDrawTest, BottomAxisWithLabelsTurnedAQuarter)
{
    x->SetLabelsRotation(ira090);
    x->SetMinorCount(0);
    Paint(*x);
    EXPECT_EQ(x->GetSide(), 3);
    std::vector<Text> texts;
    std::vector<Line> lines{{10, 405, 411, 405}};
    for (int v = 0; v <= 100; v += 10) {
        const int p = 10 + 4 * v;
        const std::string label = std::to_string(v);
        // Reading upwards, its foot 15 + its length below the layout top.
        texts.push_back({p - 6, 415 + 5 * int(label.size()), label, 900});
        lines.push_back({p, 405, p, 412});
    }
    EXPECT_EQ(Texts(canvas), texts);
    EXPECT_EQ(Lines(canvas), lines);
}

TEST_F(AxisDrawTest, FarSideAxesMirrorTheirLabels)
{
    y->SetFarSide(true);
    y->SetLabelsRotation(ira180);
    y->SetScaleLinesShow(false);
    Paint(*y);
    EXPECT_EQ(y->GetSide(), 2);
    EXPECT_TRUE(Lines(canvas).empty());
    const std::vector<Text> texts = Texts(canvas);
    ASSERT_EQ(texts.size(), 11u);
    // Without ticks the labels stand 5 + 3 pixels off the left edge; turned
    // half round, the text starts at the right of its box.
    EXPECT_EQ(texts[1], (Text{8 + 10, 360 + 6, "10", 1800}));

    x->SetFarSide(true);
    x->SetMinorCount(0);
    x->SetLabelsRotation(ira270);
    Paint(*x);
    EXPECT_EQ(x->GetSide(), 1);
    EXPECT_EQ(Lines(canvas).front(), (Line{10, 435, 410, 435}));
    EXPECT_EQ(Texts(canvas)[1], (Text{50 + 6, 440 - 15 - 10, "10", 2700}));
}

TEST_F(AxisDrawTest, TitleStandsAtTheOuterEdgeTurnedForAVerticalAxis)
{
    y->SetTitle("Bar");
    y->SetTitleShow(true);
    y->SetLabelsVisible(false);
    Paint(*y);
    // Title font: 10 points, 7 pixels a character and 16 high.
    ASSERT_EQ(Texts(canvas).size(), 1u);
    EXPECT_EQ(Texts(canvas)[0], (Text{5, 211, "Bar", 900}));

    x->SetTitle("Time");
    x->SetTitleShow(true);
    x->SetLabelsVisible(false);
    Paint(*x);
    EXPECT_EQ(Texts(canvas)[0], (Text{196, 419, "Time", 0}));

    x->SetTitle("   ");
    Paint(*x);
    EXPECT_TRUE(Texts(canvas).empty());
}

TEST_F(AxisDrawTest, RequiredSizeAndEndMargins)
{
    y->CalcTicks(&canvas);
    // Inner 5 + outer 5 + ticks 7 + label margin 3 + widest label 25.
    EXPECT_EQ(y->GetRequiredSize(&canvas), 45);
    EXPECT_EQ(y->GetTitleOffset(), 40);
    y->SetTitleShow(true);
    // Title: 16 high, a quarter of that as margin.
    EXPECT_EQ(y->GetRequiredSize(&canvas), 65);
    EXPECT_EQ(y->GetRequiredEndMargin(&canvas), 6);
    y->SetLabelsRotation(ira090);
    EXPECT_EQ(y->GetRequiredEndMargin(&canvas), 12);

    x->SetTitle("Time");
    x->SetTitleShow(true);
    x->SetTitleRotated(true);
    // Labels 12 high along it; the turned title 28 deep plus 4.
    EXPECT_EQ(x->GetRequiredSize(&canvas), 5 + 5 + 7 + 3 + 12 + 32);
    EXPECT_EQ(x->GetRequiredEndMargin(&canvas), 12);

    y->SetTitleShow(false);
    y->SetLabelsVisible(false);
    y->SetScaleLinesShow(false);
    EXPECT_EQ(y->GetRequiredSize(&canvas), 10);
    EXPECT_EQ(y->GetRequiredEndMargin(&canvas), 0);
}

TEST_F(AxisDrawTest, HugeMarginsAskForMuchRoomAndNeverForLess)
{
    // Stored margins may be anything; their sum must not wrap around.
    y->CalcTicks(&canvas);
    y->SetInnerMargin(INT_MAX);
    EXPECT_GT(y->GetRequiredSize(&canvas), 45);
    EXPECT_GT(y->GetTitleOffset(), 40);
    y->SetInnerMargin(5);
    y->SetLabelsMargin(1e12);
    y->SetTitleShow(true);
    y->SetTitleMargin(1e12);
    EXPECT_GT(y->GetRequiredSize(&canvas), 65);
}

TEST_F(AxisDrawTest, HugeStoredSizesDrawWithinTheDrawingRange)
{
    // Stored sizes may be anything; what is drawn from them must neither
    // wrap around nor leave the range the drawing layer can take.
    for (TkPlotAxis* axis : {static_cast<TkPlotAxis*>(y.get()), static_cast<TkPlotAxis*>(x.get())}) {
        axis->SetTitle("Huge");
        axis->SetTitleShow(true);
        axis->SetInnerMargin(INT_MAX);
        axis->SetOuterMargin(INT_MIN);
        axis->SetMajorLength(INT_MAX);
        axis->SetMinorLength(INT_MIN);
        axis->SetLabelsMargin(1e12);
        axis->SetTitleMargin(-1e12);
        axis->SetStackingEndsMargin(1e12);
        axis->SetLabelsMinLength(1e12);
        axis->SetStartStacked(true);
        EXPECT_LE(std::abs(axis->GetRequiredSize(&canvas)), 32000);
        Paint(*axis);
        ASSERT_FALSE(canvas.Records.empty());
        for (const TCanvasRecord& r : canvas.Records) {
            for (int a : r.Args)
                EXPECT_LE(std::abs(a), 200000) << r.Name();
            for (const TPoint& p : r.Points)
                EXPECT_LE(std::max(std::abs(p.X), std::abs(p.Y)), 200000) << r.Name();
        }
    }
}

TEST_F(AxisDrawTest, StackedEndsKeepAMarginForTheEndLabels)
{
    y->SetStartStacked(true);
    y->SetEndStacked(true);
    y->SetLabelsVisible(false);
    y->CalcScaleRect(&canvas);
    // Half of a label's 12 and a half "0"'s 6.
    EXPECT_EQ(y->GetScaleRect(), TRect(0, 9, 50, 391));
    EXPECT_EQ(y->GetOuterRect(), TRect(2, 0, 48, 400));
    EXPECT_EQ(y->ValueToPixel(0), 391);

    x->SetStartStacked(true);
    x->CalcScaleRect(&canvas);
    // Half the widest label (25) and half a "0" (2.5), each rounded to even.
    EXPECT_EQ(x->GetScaleRect(), TRect(24, 400, 410, 440));
    EXPECT_EQ(x->GetOuterRect(), TRect(10, 402, 424, 438));
}

TEST_F(AxisDrawTest, CrossingAxesOccupyTheirLinesTicksAndLabelsButHaveNoTitleOrEndMargin)
{
    x->SetCartesianStyle(kpcsMaster);
    x->SetMinorCount(0);
    x->SetTitle("Time");
    x->SetTitleShow(true);
    x->SetStartStacked(true);
    EXPECT_EQ(x->GetRequiredEndMargin(&canvas), 0);
    Paint(*x);
    EXPECT_EQ(x->GetSide(), 3);
    EXPECT_EQ(x->GetScaleRect(), TRect(10, 400, 410, 440));
    for (const Text& t : Texts(canvas))
        EXPECT_NE(t.text, "Time");
    ASSERT_FALSE(plot.occupied.empty());
    EXPECT_EQ(plot.occupied.front(), TRect(10, 400, 411, 401));
    // Line on the layout top, ticks across it.
    EXPECT_EQ(Lines(canvas).front(), (Line{10, 400, 411, 400}));
    EXPECT_EQ(Lines(canvas)[1], (Line{10, 395, 10, 404}));

    // A label whose place is taken is left out.
    plot.occupied.clear();
    const TRect firstLabel(10 - 2, 400 + 4 + 3, 10 + 2, 400 + 4 + 3 + 12);
    plot.refused.push_back(firstLabel);
    Paint(*x);
    EXPECT_EQ(Texts(canvas).front().text, "10");
}

TEST_F(AxisDrawTest, GridLinesAtTheVisibleTicks)
{
    y->CalcTicks(&canvas);
    canvas.Records.clear();
    y->DrawGridLines(&canvas, TRect(50, 0, 450, 400), 0, 2, clGray, clGreen, kpglsDot, kpglsDash, false, true);
    const std::vector<Line> lines = Lines(canvas);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], (Line{50, 360, 450, 360}));
    const TCanvasRecord& last = canvas.Records.back();
    EXPECT_EQ(last.Pen.Style, psDash);
    EXPECT_EQ(last.Pen.Width, 2);
    EXPECT_EQ(last.Pen.Color, clGreen);

    y->SetGridLinesVisible(false);
    canvas.Records.clear();
    y->DrawGridLines(&canvas, TRect(50, 0, 450, 400), 0, 2, clGray, clGreen, kpglsDot, kpglsDash, true, true);
    EXPECT_TRUE(canvas.Records.empty());
}

TEST_F(AxisDrawTest, HitTestAndNothingDrawnWhenHidden)
{
    y->CalcTicks(&canvas);
    TkPlotMouseData inside;
    inside.Received = TPoint{10, 200};
    EXPECT_TRUE(y->HitTest(inside));
    inside.Received = TPoint{60, 200};
    EXPECT_FALSE(y->HitTest(inside));
    y->SetVisible(false);
    canvas.Records.clear();
    y->Draw(&canvas, clBlack);
    EXPECT_TRUE(canvas.Records.empty());
}

}  // namespace
