#include <gtest/gtest.h>

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
