#include <algorithm>

#include <gtest/gtest.h>

#include "plot/channels/kPlotLegend.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/editor/kPlotLayoutViewer.h"
#include "rtl/PublishedProperties.h"
#include "ui/Application.h"
#include "ui/RecordingCanvas.h"

namespace {

// The viewer over a plot with an X and a Y axis and a hidden legend. Block
// sizes follow the font's height on this machine, so the points the tests
// press are read from what the viewer laid out.
class LayoutViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&owner);
        x = Add(TkPlotObjectKind::XAxis);
        y = Add(TkPlotObjectKind::YAxis);
        legend = Add(TkPlotObjectKind::Legend);
        legend->SetVisible(false);
        viewer = std::make_unique<TkPlotLayoutViewer>(nullptr);
        viewer->SetBounds(0, 0, 400, 300);
        viewer->SetLayoutManager(master->LayoutManager());
        viewer->OnChange = [this](TObject*) { ++changes; };
        Paint();
        ASSERT_GT(viewer->Model().BlockSize(), 0);
    }

    TkPlotLayoutObject* Add(const TkPlotKind& Kind)
    {
        const int index = master->Add(Kind);
        return static_cast<TkPlotLayoutObject*>(master->KindManager(Kind)->GetObject(index));
    }
    void Paint()
    {
        canvas.Records.clear();
        viewer->PaintToCanvas(&canvas);
    }
    // The fill drawn over exactly R, or none.
    const TCanvasRecord* FillOf(const TRect& R) const
    {
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::FillRect && r.Args == std::vector<int>{R.Left, R.Top, R.Right, R.Bottom})
                return &r;
        return nullptr;
    }
    std::vector<const TCanvasRecord*> Texts(const std::string& Text) const
    {
        std::vector<const TCanvasRecord*> found;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::TextOut && r.Text == Text)
                found.push_back(&r);
        return found;
    }
    static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

    TkPlotObjectOwner owner;
    std::unique_ptr<TkPlotMasterManager> master;
    TkPlotLayoutObject *x = nullptr, *y = nullptr, *legend = nullptr;
    std::unique_ptr<TkPlotLayoutViewer> viewer;
    TRecordingCanvas canvas{TSize(400, 300)};
    int changes = 0;
};

TEST_F(LayoutViewerTest, ObjectsAreDrawnAsNamedBlocksHiddenOnesCrossHatched)
{
    TkPlotTranslationObject* pair = master->TranslationManager()->Add();
    pair->SetOriginalString(x->GetName());
    pair->SetReplacementString("Time");
    viewer->SetTranslationManager(master->TranslationManager());
    Paint();

    ASSERT_GE(canvas.Records.size(), 2u);
    EXPECT_EQ(canvas.Records[0].Brush.Color, clBlue);
    EXPECT_EQ(canvas.Records[0].Args, (std::vector<int>{0, 0, 400, 300}));
    EXPECT_EQ(canvas.Records[1].Brush.Color, clWhite);
    EXPECT_EQ(canvas.Records[1].Args, (std::vector<int>{5, 5, 395, 295}));
    for (const TkPlotLayoutObject* o : {x, y, legend}) {
        const TCanvasRecord* fill = FillOf(o->GetViewerRect());
        ASSERT_NE(fill, nullptr) << o->GetName();
        EXPECT_EQ(fill->Brush.Color, clSilver);
        EXPECT_EQ(fill->Brush.Style, o == legend ? bsDiagCross : bsSolid);
    }
    // The data view shows once, by its name.
    EXPECT_EQ(Texts("Data View").size(), 1u);
    ASSERT_EQ(Texts("Time").size(), 1u);
    EXPECT_EQ(Texts("Time")[0]->Font.Orientation, 0);
    ASSERT_EQ(Texts(y->GetName()).size(), 1u);
    EXPECT_EQ(Texts(y->GetName())[0]->Font.Orientation, 900);
    EXPECT_EQ(Texts(y->GetName())[0]->Font.Name, "Arial");
}

TEST_F(LayoutViewerTest, ADropMovesTheObjectAndFiresOnChangeOnce)
{
    const TPoint from = Centre(y->GetViewerRect());
    const TRect d = viewer->Model().DataViewRect();
    // A press and release without a drop changes nothing.
    viewer->HandleMouseDown(mbLeft, ssLeft, from.X, from.Y);
    viewer->HandleMouseUp(mbLeft, 0, from.X, from.Y);
    EXPECT_EQ(changes, 0);

    viewer->HandleMouseDown(mbLeft, ssLeft, from.X, from.Y);
    viewer->HandleMouseMove(ssLeft, d.Right - 2, from.Y);
    Paint();
    ASSERT_NE(FillOf(y->GetViewerRect()), nullptr);
    EXPECT_EQ(FillOf(y->GetViewerRect())->Brush.Color, clYellow);
    const auto feedback = std::find_if(canvas.Records.begin(), canvas.Records.end(),
                                       [](const TCanvasRecord& r) { return r.Op == TCanvasOp::Rectangle; });
    ASSERT_NE(feedback, canvas.Records.end());
    EXPECT_EQ(feedback->Pen.Width, 2);
    EXPECT_EQ(feedback->Pen.Color, clBlack);
    EXPECT_EQ(feedback->Brush.Style, bsClear);

    viewer->HandleMouseUp(mbLeft, 0, d.Right - 2, from.Y);
    EXPECT_EQ(changes, 1);
    // The editor's property pages see the handler as assigned.
    const TPropInfo* event = GetPropInfo(viewer.get(), "OnChange");
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->Kind, TTypeKind::tkMethod);
    Paint();
    EXPECT_GE(y->GetViewerRect().Left, viewer->Model().DataViewRect().Right);
}

TEST_F(LayoutViewerTest, AnEndInReachShowsTheSizingCursor)
{
    const TRect r = y->GetViewerRect();
    viewer->HandleMouseMove(0, r.Left + 1, r.Top + 1);
    EXPECT_EQ(viewer->GetCursor(), crSizeNS);
    viewer->HandleMouseMove(0, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(viewer->GetCursor(), crDefault);
    const TRect h = x->GetViewerRect();
    viewer->HandleMouseMove(0, h.Right - 2, h.Top + 1);
    EXPECT_EQ(viewer->GetCursor(), crSizeWE);
}

}  // namespace
