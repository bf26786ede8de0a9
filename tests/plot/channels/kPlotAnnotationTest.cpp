#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "ChannelTestSupport.h"
#include "plot/channels/kPlotAnnotation.h"
#include "ui/RecordingCanvas.h"

namespace {

// A data view from (20, 10) to (220, 110): 50 percent across and up is
// (120, 60). The channel's axes put 0 .. 10 over pixels 0 .. 100, Y
// upwards.
class Annotation : public ChannelTest {
protected:
    void SetUp() override
    {
        ChannelTest::SetUp();
        channel = AddChannel();
        master->AddDataView();
        view = master->DataViewManager()->GetItem(0);
        view->SetDrawRect(TRect(20, 10, 220, 110));
        annotation = master->AnnotationManager()->GetItem(master->AddAnnotation());
        annotation->SetDataView(view);
        annotation->SetChannelName(channel->GetName());
        plot.selectMode = true;
    }

    // The shapes drawn, without the clip changes.
    std::vector<TCanvasRecord> Drawn()
    {
        TRecordingCanvas canvas(TSize(300, 200));
        annotation->Draw(&canvas, clBlack);
        std::vector<TCanvasRecord> shapes;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op != TCanvasOp::SetClip && r.Op != TCanvasOp::RemoveClip)
                shapes.push_back(r);
        return shapes;
    }

    // The box of a centred ellipse at (X, Y), Width by Height.
    std::vector<int> Ellipse(double X, double Y, double Width, double Height)
    {
        annotation->SetStyle(kpasEllipse2);
        annotation->SetX(X);
        annotation->SetY(Y);
        annotation->SetWidth(Width);
        annotation->SetHeight(Height);
        std::vector<TCanvasRecord> r = Drawn();
        if (r.size() != 1 || r[0].Op != TCanvasOp::Ellipse)
            return {};
        return r[0].Args;
    }

    bool Hits(TPoint P) { return annotation->HitTest(annotation->MakeMouseData(P)); }

    TkPlotChannel* channel = nullptr;
    TkPlotDataView* view = nullptr;
    TkPlotAnnotation* annotation = nullptr;
};

TEST_F(Annotation, CoordinatesFollowTheDataViewOrTheChannelOneByOne)
{
    EXPECT_EQ(Ellipse(50, 50, 10, 20), (std::vector<int>{110, 50, 130, 70}));
    annotation->SetReference(kprtChannel);
    EXPECT_EQ(Ellipse(5, 5, 2, 4), (std::vector<int>{40, 30, 60, 70}));
    annotation->SetReference(kprtXChannelYDataView);
    EXPECT_EQ(Ellipse(5, 50, 2, 20), (std::vector<int>{40, 50, 60, 70}));
    annotation->SetReference(kprtXDataViewYChannel);
    EXPECT_EQ(Ellipse(50, 5, 10, 4), (std::vector<int>{110, 30, 130, 70}));
    // One coordinate on the channel, the others as the reference says.
    annotation->SetReference(kprtDataView);
    annotation->SetReferencePositionX(kpriChannel);
    EXPECT_EQ(Ellipse(5, 50, 10, 20), (std::vector<int>{40, 50, 60, 70}));
    annotation->SetReference(kprtChannel);
    annotation->SetReferencePositionX(kpriDataView);
    annotation->SetReferenceSizeY(kpriDataView);
    EXPECT_EQ(Ellipse(50, 5, 2, 20), (std::vector<int>{110, 40, 130, 60}));
}

TEST_F(Annotation, WithTheAxesTurnedXRunsUpTheViewAndYAcrossIt)
{
    annotation->SetXYAxesReverse(true);
    EXPECT_EQ(Ellipse(25, 50, 10, 20), (std::vector<int>{100, 80, 140, 90}));
    annotation->SetReference(kprtChannel);
    EXPECT_EQ(Ellipse(5, 3, 2, 4), (std::vector<int>{50, 40, 90, 60}));
}

TEST_F(Annotation, OnTheChannelItKeepsInsideTheChannelsAxesWhenThePlotSaysSo)
{
    auto clips = [&] {
        TRecordingCanvas canvas(TSize(300, 200));
        annotation->Draw(&canvas, clBlack);
        std::vector<std::vector<int>> out;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::SetClip)
                out.push_back(r.Args);
        return out;
    };
    annotation->SetStyle(kpasRectangle);
    annotation->SetReference(kprtChannel);
    annotation->SetX(5);
    annotation->SetY(5);
    annotation->SetWidth(2);
    annotation->SetHeight(2);
    EXPECT_TRUE(clips().empty());
    plot.clipAnnotations = true;
    EXPECT_EQ(clips(), (std::vector<std::vector<int>>{{0, 0, 101, 101}}));
    annotation->SetReference(kprtXChannelYDataView);
    EXPECT_TRUE(clips().empty());
    annotation->SetClipToAxes(true);
    EXPECT_EQ(clips(), (std::vector<std::vector<int>>{{0, 0, 101, 101}}));
}

TEST_F(Annotation, ATextBoxAtFiftyFiftySitsInTheMiddleOfTheDataView)
{
    annotation->SetStyle(kpasTextBox);
    annotation->SetText("Alarm");
    annotation->SetOuterMargin(6);
    annotation->SetX(50);
    annotation->SetY(50);
    std::vector<TCanvasRecord> r = Drawn();
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r[0].Op, TCanvasOp::Rectangle);
    const TRect box(r[0].Args[0], r[0].Args[1], r[0].Args[2], r[0].Args[3]);
    EXPECT_NEAR((box.Left + box.Right) / 2.0, 120, 1);
    EXPECT_NEAR((box.Top + box.Bottom) / 2.0, 60, 1);
    EXPECT_GE(box.Width(), 12);
    EXPECT_TRUE(annotation->GetDrawn());
    EXPECT_EQ(annotation->GetDrawnRect(), box);
}

TEST_F(Annotation, TheLinesOfATextLineUpAsTextLineAlignmentSays)
{
    annotation->SetText("A longer line\nab");
    annotation->SetX(50);
    annotation->SetY(50);
    auto lines = [&] {
        std::vector<std::pair<int, std::string>> out;
        for (const TCanvasRecord& r : Drawn())
            if (r.Op == TCanvasOp::TextOut)
                out.push_back({r.Args[0], r.Text});
        return out;
    };
    annotation->SetTextLineAlignment(kahLeft);
    auto left = lines();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].first, left[1].first);
    EXPECT_EQ(left[1].second, "ab");
    annotation->SetTextLineAlignment(kahRight);
    auto right = lines();
    ASSERT_EQ(right.size(), 2u);
    TRecordingCanvas measure;
    measure.Font->Assign(annotation->GetFont());
    EXPECT_EQ(right[0].first + measure.TextWidth(right[0].second), right[1].first + measure.TextWidth("ab"));
    EXPECT_EQ(right[0].first, left[0].first);
}

TEST_F(Annotation, AMissingChannelHidesItWithoutErrorAndItsNameFollowsRenames)
{
    annotation->SetReference(kprtChannel);
    channel->SetName("Flow");
    EXPECT_EQ(annotation->GetChannelName(), "Flow");
    EXPECT_EQ(Ellipse(5, 5, 2, 4), (std::vector<int>{40, 30, 60, 70}));
    hasYAxis = false;
    EXPECT_NO_THROW(EXPECT_TRUE(Drawn().empty()));
    EXPECT_FALSE(annotation->GetDrawn());
    hasYAxis = true;
    // Delete only takes the channel off the list; freeing it stays ours.
    master->ChannelManager()->Delete(0);
    EXPECT_NO_THROW(EXPECT_TRUE(Drawn().empty()));
    TkPlotObject::Free(channel);
    // A data view coordinate still needs the data view.
    annotation->SetReference(kprtDataView);
    annotation->ObjectRemoved(view);
    EXPECT_NO_THROW(EXPECT_TRUE(Drawn().empty()));
}

TEST_F(Annotation, ASlantingLineCannotBeHitALineAcrossTheViewCanWithinFivePixels)
{
    annotation->SetStyle(kpasLine);
    annotation->SetX(10);
    annotation->SetY(10);
    annotation->SetX2(90);
    annotation->SetY2(90);
    ASSERT_EQ(Drawn().size(), 2u);
    EXPECT_FALSE(annotation->GetDrawn());
    EXPECT_FALSE(Hits(Point(120, 60)));
    // A vertical line wholly above the view is not drawn.
    annotation->SetX(50);
    annotation->SetY(150);
    annotation->SetX2(50);
    annotation->SetY2(250);
    EXPECT_TRUE(Drawn().empty());

    annotation->SetStyle(kpasLineX);
    std::vector<TCanvasRecord> r = Drawn();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].Points[0], Point(120, 10));
    EXPECT_EQ(r[1].Args, (std::vector<int>{120, 110}));
    EXPECT_TRUE(Hits(Point(125, 30)));
    EXPECT_TRUE(Hits(Point(115, 30)));
    EXPECT_FALSE(Hits(Point(126, 30)));
    EXPECT_FALSE(Hits(Point(114, 30)));
    plot.selectMode = false;  // interaction only in select mode
    EXPECT_FALSE(Hits(Point(120, 30)));
    annotation->SetSelectModeOnlyInteraction(false);
    EXPECT_TRUE(Hits(Point(120, 30)));

    annotation->SetStyle(kpasLineY);
    annotation->SetY(50);
    Drawn();
    EXPECT_TRUE(Hits(Point(200, 65)));
    EXPECT_FALSE(Hits(Point(200, 66)));
}

TEST_F(Annotation, DraggingACornerResizesTheBoxAndReleasingFinishesOnce)
{
    annotation->SetStyle(kpasRectangle);
    annotation->SetUserCanSize(true);
    EXPECT_EQ(Ellipse(50, 50, 10, 20), (std::vector<int>{110, 50, 130, 70}));
    annotation->SetStyle(kpasRectangle);
    annotation->SetFocused(true);
    Drawn();
    EXPECT_EQ(annotation->GetHandle(3), TRect(127, 67, 133, 73));
    EXPECT_TRUE(Hits(Point(132, 72)));  // a handle reaches beyond the box
    EXPECT_EQ(annotation->GetMouseCursor(Point(130, 70)), crSizeNWSE);
    EXPECT_EQ(annotation->GetMouseCursor(Point(130, 50)), crSizeNESW);
    EXPECT_EQ(annotation->GetMouseCursor(Point(120, 60)), crSizeAll);

    plot.objectEvents.clear();
    annotation->MouseDown(mbLeft, 0, Point(130, 70), Point(0, 0), nullptr);
    annotation->MouseMove(0, Point(140, 80));
    EXPECT_DOUBLE_EQ(annotation->GetX(), 52.5);
    EXPECT_DOUBLE_EQ(annotation->GetY(), 45);
    EXPECT_DOUBLE_EQ(annotation->GetWidth(), 15);
    EXPECT_DOUBLE_EQ(annotation->GetHeight(), 30);
    annotation->MouseMove(0, Point(150, 80));
    EXPECT_DOUBLE_EQ(annotation->GetWidth(), 20);
    annotation->MouseUp(mbLeft, 0, Point(150, 80), Point(0, 0), false, nullptr);
    const std::string name = annotation->GetName();
    EXPECT_EQ(plot.objectEvents,
              (std::vector<std::string>{name + " coordinates", name + " resized", name + " coordinates",
                                        name + " resized", name + " finished"}));

    // Moving keeps the size; a move that changed nothing finishes nothing.
    annotation->SetUserCanMove(true);
    Drawn();
    plot.objectEvents.clear();
    annotation->MouseDown(mbLeft, 0, Point(125, 60), Point(0, 0), nullptr);
    annotation->MouseUp(mbLeft, 0, Point(125, 60), Point(0, 0), false, nullptr);
    EXPECT_TRUE(plot.objectEvents.empty());
    annotation->MouseDown(mbLeft, 0, Point(125, 60), Point(0, 0), nullptr);
    annotation->MouseMove(0, Point(105, 70));
    annotation->MouseUp(mbLeft, 0, Point(105, 70), Point(0, 0), false, nullptr);
    EXPECT_DOUBLE_EQ(annotation->GetX(), 45);
    EXPECT_DOUBLE_EQ(annotation->GetY(), 35);
    EXPECT_DOUBLE_EQ(annotation->GetWidth(), 20);
    EXPECT_EQ(plot.objectEvents,
              (std::vector<std::string>{name + " moved", name + " coordinates", name + " finished"}));
}

}  // namespace

// Values that a file or a program may store, however far off the view:
// they draw and hit as far as the view goes (whole covered, or nothing),
// and no pixel arithmetic leaves the integer range on the way.
class AnnotationFarOff : public Annotation {
protected:
    static TRect BoxOf(const std::vector<TCanvasRecord>& Shapes)
    {
        for (const TCanvasRecord& r : Shapes)
            if (r.Op == TCanvasOp::Rectangle || r.Op == TCanvasOp::Ellipse)
                return TRect(r.Args[0], r.Args[1], r.Args[2], r.Args[3]);
        return TRect();
    }
    static bool Covers(const TRect& Box, const TRect& View)
    {
        return Box.Left <= View.Left && Box.Top <= View.Top && Box.Right >= View.Right && Box.Bottom >= View.Bottom;
    }
    static constexpr double Inf = std::numeric_limits<double>::infinity();
    static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    const TRect viewRect{20, 10, 220, 110};
    const TPoint middle{120, 60};
};

TEST_F(AnnotationFarOff, SizesBeyondAnyScreenCoverTheView)
{
    for (TkPlotReferenceType reference : {kprtDataView, kprtChannel}) {
        annotation->SetReference(reference);
        for (double size : {1e300, -1e300, Inf, -Inf}) {
            SCOPED_TRACE(testing::Message() << "reference " << reference << ", size " << size);
            annotation->SetStyle(kpasRectangle);
            annotation->SetX(reference == kprtChannel ? 5 : 50);
            annotation->SetY(reference == kprtChannel ? 5 : 50);
            annotation->SetWidth(size);
            annotation->SetHeight(size);
            EXPECT_TRUE(Covers(BoxOf(Drawn()), viewRect));
            EXPECT_TRUE(Hits(middle));
        }
    }
}

TEST_F(AnnotationFarOff, AnOuterMarginBeyondAnyScreenBoxesTheTextRoundTheView)
{
    annotation->SetStyle(kpasTextBox);
    annotation->SetText("Alarm");
    annotation->SetX(50);
    annotation->SetY(50);
    for (int margin : {1 << 30, INT_MAX}) {
        SCOPED_TRACE(margin);
        annotation->SetOuterMargin(margin);
        const std::vector<TCanvasRecord> shapes = Drawn();
        EXPECT_TRUE(Covers(BoxOf(shapes), viewRect));
        EXPECT_TRUE(Hits(middle));
        // The text still stands in the middle of its box.
        const auto text = std::find_if(shapes.begin(), shapes.end(),
                                       [](const TCanvasRecord& r) { return r.Op == TCanvasOp::TextOut; });
        ASSERT_NE(text, shapes.end());
        EXPECT_NEAR(text->Args[0], middle.X, 60);
        EXPECT_NEAR(text->Args[1], middle.Y, 60);
    }
    // A margin as far the other way leaves no box to draw.
    annotation->SetOuterMargin(INT_MIN);
    EXPECT_TRUE(BoxOf(Drawn()).Width() <= 0);
    EXPECT_FALSE(Hits(middle));
}

TEST_F(AnnotationFarOff, ALineAcrossTheViewAtNoPlaceOnItIsNeitherDrawnNorHit)
{
    for (TkPlotAnnotationStyle style : {kpasLineX, kpasLineY})
        for (double at : {1e300, -1e300, Inf, -Inf}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " at " << at);
            annotation->SetStyle(style);
            annotation->SetX(at);
            annotation->SetY(at);
            EXPECT_TRUE(Drawn().empty());
            EXPECT_FALSE(annotation->GetDrawn());
            for (TPoint p : {Point(20, 10), Point(219, 109), middle})
                EXPECT_FALSE(Hits(p));
        }
}

// Every style with every coordinate, size and margin at each far value in
// turn, drawn and hit at the view's corners and middle: what reaches the
// canvas stays within a few screens of the view (with the arithmetic
// checked for overflow, any step out of the int range fails here too).
TEST_F(AnnotationFarOff, EveryStyleDrawsWithAnyValueFarOff)
{
    using Setter = void (*)(TkPlotAnnotation&, double);
    const Setter setters[] = {
        [](TkPlotAnnotation& a, double v) { a.SetX(v); },
        [](TkPlotAnnotation& a, double v) { a.SetY(v); },
        [](TkPlotAnnotation& a, double v) { a.SetX2(v); },
        [](TkPlotAnnotation& a, double v) { a.SetY2(v); },
        [](TkPlotAnnotation& a, double v) { a.SetWidth(v); },
        [](TkPlotAnnotation& a, double v) { a.SetHeight(v); },
        [](TkPlotAnnotation& a, double v) { a.SetTextHorzMargin(v); },
        [](TkPlotAnnotation& a, double v) { a.SetTextVertMargin(v); },
    };
    annotation->SetText("Alarm");
    annotation->AddPoint(10, 10);
    annotation->AddPoint(90, 40);
    annotation->AddPoint(50, 90);
    annotation->SetFocused(true);
    for (TkPlotReferenceType reference : {kprtDataView, kprtChannel})
        for (int style = kpasText; style <= kpasRectangle2; ++style)
            for (TkAlignmentHorizontal horz : {kahLeft, kahRight})
                for (std::size_t which = 0; which < std::size(setters); ++which)
                    for (double far : {1e300, -1e300, Inf, -Inf, NaN}) {
                        SCOPED_TRACE(testing::Message() << "reference " << reference << ", style " << style
                                                        << ", setter " << which << ", value " << far);
                        annotation->SetReference(reference);
                        annotation->SetStyle(static_cast<TkPlotAnnotationStyle>(style));
                        annotation->SetTextHorzAlignment(horz);
                        annotation->SetTextVertAlignment(horz == kahLeft ? kavTop : kavBottom);
                        for (std::size_t other = 0; other < std::size(setters); ++other)
                            setters[other](*annotation, other == which ? far : 5);
                        constexpr int Reach = 1 << 20;
                        for (const TCanvasRecord& r : Drawn()) {
                            for (int v : r.Args)
                                EXPECT_LE(std::abs(std::int64_t(v)), Reach) << r.Name();
                            for (const TPoint& p : r.Points)
                                EXPECT_TRUE(std::abs(std::int64_t(p.X)) <= Reach &&
                                            std::abs(std::int64_t(p.Y)) <= Reach)
                                    << r.Name();
                        }
                        for (TPoint p : {Point(20, 10), Point(219, 109), middle})
                            Hits(p);
                    }
}
