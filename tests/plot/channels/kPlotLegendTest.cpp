// The legend: which channels it lists, how rows wrap into groups and page
// with the scroll buttons, the texts of its cells and what it draws,
// checked on a recording canvas with known font metrics.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <map>

#include "../core/PlotObjectSupport.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/channels/kPlotLegendButton.h"
#include "plot/core/kPlotPixels.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Application.h"
#include "ui/Font.h"
#include "ui/PopupMenu.h"
#include "ui/RecordingCanvas.h"

namespace {

// A channel that shows a legend what the test put under its name.
class ListedChannel : public TkPlotChannel {
public:
    ListedChannel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks,
                  std::map<std::string, TkPlotLegendChannelData>& Data)
        : TkPlotChannel(AOwner, Callbacks),
          data(Data)
    {
    }
    TkPlotLegendChannelData LegendData() const override { return data[GetName()]; }

private:
    std::map<std::string, TkPlotLegendChannelData>& data;
};

struct LegendPlot : FakePlot {
    std::vector<std::string> clicks;
    void DoObjectClick(TkPlotObject* Object) override { clicks.push_back(Object->GetName()); }
};

std::vector<std::string> Texts(const TRecordingCanvas& Canvas)
{
    std::vector<std::string> texts;
    for (const TCanvasRecord& r : Canvas.Records)
        if (r.Op == TCanvasOp::TextOut)
            texts.push_back(r.Text);
    return texts;
}

class LegendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
        master->AddXAxis();
        master->AddYAxis();
        master->AddLegend();
        legend = master->LegendManager()->GetItem(0);
        for (TFont* font : {legend->GetFont(), legend->GetSelectedItemFont(), legend->GetColumnTitlesFont()}) {
            font->SetName("MS Sans Serif");
            font->SetHeight(-10);
        }
        master->SetChannelClass([this](TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks) {
            return static_cast<TkPlotObject*>(new ListedChannel(Owner, Callbacks, data));
        });
        canvas.Font->Assign(legend->GetFont());
        c = canvas.TextWidth("0");
        h = canvas.TextHeight("0");
        ASSERT_GT(c, 0);
        ASSERT_GT(h, 0);
        rowSpacing = int(std::nearbyint(h * 0.25));
    }
    void AddChannels(int Count)
    {
        for (int i = 0; i < Count; ++i)
            master->AddChannel();
    }
    TkPlotChannelCustom* Channel(int Index) { return master->ChannelManager()->GetItem(Index); }
    void Paint()
    {
        canvas.Records.clear();
        legend->Draw(&canvas, clBlack);
        for (int i = 0; i < master->ChannelManager()->GetCount(); ++i)
            legendRects[Channel(i)->GetName()] = Channel(i)->GetLegendRect();
    }
    int Width(const std::string& Text) { return canvas.TextWidth(Text); }
    // Height of a vertical legend with default margins that holds Rows rows.
    int HeightFor(int Rows) { return 2 * h + Rows * (h + rowSpacing) - rowSpacing; }
    void ClickButton(TkPlotButton* Button)
    {
        const TRect r = Button->GetDrawRect();
        const TPoint p{r.Left + 2, r.Top + 2};
        Button->MouseDown(mbLeft, 0, p, p, nullptr);
        Button->MouseUp(mbLeft, 0, p, p, false, nullptr);
    }

    LegendPlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
    TkPlotLegend* legend = nullptr;
    std::map<std::string, TkPlotLegendChannelData> data;
    std::map<std::string, TRect> legendRects;
    TRecordingCanvas canvas;
    int c = 0, h = 0, rowSpacing = 0;
};

TEST_F(LegendTest, StartsVerticalWithItsDocumentedSettings)
{
    EXPECT_FALSE(legend->GetHorizontal());
    EXPECT_EQ(legend->GetFont()->GetColor(), clWhite);
    EXPECT_EQ(legend->GetColumnTitlesFont()->GetColor(), clAqua);
    EXPECT_EQ(master->LegendManager()->GetItem(0)->GetName(), "Legend 1");
    EXPECT_EQ(legend->GetCaptionColumnYMean(), "Y-Mean");
    EXPECT_EQ(legend->GetRowSpacing(), 0.25);
    legend->SetWrapRowSpacingMin(0.5);
    EXPECT_EQ(legend->GetRowSpacing(), 0.5);  // one setting under two names
}

TEST_F(LegendTest, DesiredCountsBelowOneAreStoredAsOne)
{
    legend->SetWrapColDesiredCount(0);
    EXPECT_EQ(legend->GetWrapColDesiredCount(), 1);
    legend->SetWrapRowDesiredCount(-4);
    EXPECT_EQ(legend->GetWrapRowDesiredCount(), 1);
}

TEST_F(LegendTest, TwelveChannelsPageThroughAFiveRowVerticalLegend)
{
    AddChannels(12);
    legend->SetDrawRect(TRect(0, 0, 200, HeightFor(5)));
    Paint();
    EXPECT_EQ(legend->GetGroupCount(), 1);
    EXPECT_EQ(legend->GetRowCount(), 5);
    EXPECT_EQ(Texts(canvas),
              (std::vector<std::string>{"Channel 1", "Channel 2", "Channel 3", "Channel 4", "Channel 5"}));
    TkPlotLegendButton* up = legend->GetScrollUpButton();
    TkPlotLegendButton* down = legend->GetScrollDownButton();
    ASSERT_TRUE(up->GetVisible());
    ASSERT_TRUE(down->GetVisible());
    const int right = 200 - c;  // the rows area ends at the right margin
    EXPECT_EQ(up->GetDrawRect(), TRect(right - 17, h, right + 0, h + 17));
    EXPECT_EQ(down->GetDrawRect(), TRect(right - 17, HeightFor(5) - h - 17, right, HeightFor(5) - h));
    EXPECT_FALSE(up->GetEnabled());
    EXPECT_TRUE(down->GetEnabled());

    for (int first = 1; first <= 11; ++first) {
        ClickButton(down);
        Paint();
        ASSERT_EQ(legend->GetScrollPosition(), first);
        const std::vector<std::string> shown = Texts(canvas);
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.front(), "Channel " + std::to_string(first + 1));
        EXPECT_EQ(int(shown.size()), std::min(5, 12 - first));
    }
    EXPECT_FALSE(down->GetEnabled());
    ClickButton(down);  // already at the last channel
    Paint();
    EXPECT_EQ(legend->GetScrollPosition(), 11);
    EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"Channel 12"}));
    EXPECT_TRUE(up->GetEnabled());
    ClickButton(up);
    Paint();
    EXPECT_EQ(legend->GetScrollPosition(), 10);
    // Rows that scrolled out keep no row rectangle in their channel.
    EXPECT_EQ(legendRects["Channel 1"], TRect());
    EXPECT_NE(legendRects["Channel 11"], TRect());
}

TEST_F(LegendTest, AHeldScrollButtonRepeatsAndTheButtonsWidenTheLegend)
{
    AddChannels(12);
    legend->SetDrawRect(TRect(0, 0, 200, HeightFor(5)));
    const int width = legend->GetRequiredSize(&canvas);
    const int spacing = int(std::nearbyint(c * 0.5));
    EXPECT_EQ(width, c + 16 + spacing + Width("Channel 10") + c + 25);
    TkPlotLegendButton* down = legend->GetScrollDownButton();
    EXPECT_TRUE(down->AutoRepeat);
    const TPoint p{down->GetDrawRect().Left + 1, down->GetDrawRect().Top + 1};
    down->MouseDown(mbLeft, 0, p, p, nullptr);
    down->RepeatTick();
    down->RepeatTick();
    down->MouseUp(mbLeft, 0, p, p, false, nullptr);
    EXPECT_EQ(legend->GetScrollPosition(), 3);
}

TEST_F(LegendTest, RequiredWidthCountsColumnsSpacingsAndMargins)
{
    AddChannels(2);
    legend->SetDrawRect(TRect(0, 0, 300, HeightFor(5)));
    const int spacing = int(std::nearbyint(c * 0.5));
    const int names = Width("Channel 1");
    EXPECT_EQ(legend->GetRequiredSize(&canvas), c + 16 + spacing + names + c);
    legend->SetShowColumnLine(false);
    EXPECT_EQ(legend->GetRequiredSize(&canvas), c + names + c);
    EXPECT_FALSE(legend->GetScrollDownButton()->GetVisible());
    legend->SetHorizontal(true);
    // One group of as many rows as channels.
    EXPECT_EQ(legend->GetRequiredSize(&canvas), h + 2 * (h + rowSpacing) - rowSpacing + h);
    legend->SetWrapRowAutoCountEnabled(false);
    legend->SetWrapRowDesiredCount(1);
    // Fewer rows than channels are at least three.
    EXPECT_EQ(legend->GetRequiredSize(&canvas), h + 3 * (h + rowSpacing) - rowSpacing + h);
}

TEST_F(LegendTest, AHorizontalLegendWithAutomaticGroupsBalancesGroupsAndRows)
{
    AddChannels(5);
    legend->SetHorizontal(true);
    legend->SetShowColumnLine(false);
    legend->SetWrapColAutoCountEnabled(true);
    const int g = 2 * h;  // WrapColSpacingMin 2
    const int groupWidth = Width("Channel 1");
    // Room for four groups beside the 25 pixels of the buttons.
    legend->SetDrawRect(TRect(0, 0, 2 * c + 25 + 4 * groupWidth + 3 * g + 1, 100));
    legend->CalcLayout(&canvas);
    // Four groups fit; rows ceil(5 / 4) = 2, and two rows need only ceil(5 / 2) = 3 groups.
    EXPECT_EQ(legend->GetGroupCount(), 3);
    EXPECT_EQ(legend->GetRowCount(), 2);
    ASSERT_EQ(legend->GetItems().size(), 5u);
    const std::vector<TkPlotLegendItem>& items = legend->GetItems();
    EXPECT_EQ(items[2].Group, 2);
    EXPECT_EQ(items[2].Row, 1);
    EXPECT_EQ(items[4].Group, 3);
    EXPECT_EQ(items[4].Row, 1);
    // Groups spread evenly over the width less the buttons' room.
    const int spread = (4 * groupWidth + 3 * g + 1 - 3 * groupWidth) / 2;
    EXPECT_EQ(items[2].GroupLeft - items[0].GroupLeft, groupWidth + spread);
    EXPECT_EQ(items[1].RowTop - items[0].RowTop, h + rowSpacing);
    EXPECT_EQ(legend->GetRequiredSize(&canvas), h + 2 * (h + rowSpacing) - rowSpacing + h);
}

TEST_F(LegendTest, WrapMaximumsOfZeroKeepOneGroupAndOneRow)
{
    AddChannels(3);
    legend->SetHorizontal(true);
    legend->SetWrapColAutoCountEnabled(true);
    legend->SetWrapColAutoCountMax(0);
    legend->SetDrawRect(TRect(0, 0, 400, 100));
    legend->CalcLayout(&canvas);
    EXPECT_EQ(legend->GetGroupCount(), 1);
    EXPECT_EQ(legend->GetRowCount(), 3);

    legend->SetHorizontal(false);
    legend->SetWrapRowAutoCountMax(0);
    legend->SetDrawRect(TRect(0, 0, 200, 400));
    Paint();
    EXPECT_EQ(legend->GetGroupCount(), 1);
    EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"Channel 1", "Channel 2", "Channel 3"}));
}

TEST_F(LegendTest, AnEmptyLegendDrawsOnlyItsBackgroundWhateverItsMeasures)
{
    AddChannels(3);
    for (const char* name : {"Channel 1", "Channel 2", "Channel 3"})
        data[name].VisibleInLegend = false;
    legend->SetBackGroundTransparent(false);
    // Columns and spacings of no size at all.
    legend->SetShowColumnLine(false);
    legend->SetWrapColSpacingMin(0);
    legend->SetRowSpacing(0);
    legend->SetChannelNameMaxWidth(0.01);
    for (bool horizontal : {false, true}) {
        legend->SetHorizontal(horizontal);
        legend->SetDrawRect(TRect(5, 5, 105, 55));
        Paint();
        ASSERT_EQ(canvas.Records.size(), 1u);
        EXPECT_EQ(canvas.Records[0].Op, TCanvasOp::FillRect);
        EXPECT_EQ(canvas.Records[0].Args, (std::vector<int>{5, 5, 105, 55}));
        EXPECT_EQ(canvas.Records[0].Brush.Color, clGray);
        EXPECT_FALSE(legend->GetScrollUpButton()->GetVisible());
        EXPECT_FALSE(legend->GetScrollDownButton()->GetVisible());
    }
}

TEST_F(LegendTest, ColumnsAndSpacingsOfNoWidthStillLayTheRowsOut)
{
    AddChannels(3);
    legend->SetShowColumnLine(false);
    legend->SetWrapColSpacingMin(0);
    legend->SetChannelNameMaxWidth(0.01);  // a name column of no width
    for (bool horizontal : {false, true}) {
        legend->SetHorizontal(horizontal);
        legend->SetDrawRect(TRect(0, 0, 100, 200));
        legend->CalcLayout(&canvas);
        EXPECT_GE(legend->GetGroupCount(), 1);
        EXPECT_EQ(legend->GetLastVisibleIndex(), 2) << horizontal;
    }
}

// Margins and spacings of a million million characters are more pixels
// than an int holds: the sizes they add up to stay at least the largest a pixel may be,
// never wrapping round to small or negative ones, and every row keeps a
// name cell that is no rectangle turned inside out.
TEST_F(LegendTest, MarginsAndSpacingsBeyondAnyScreenGiveTheLargestSizes)
{
    AddChannels(3);
    legend->SetWrapColAutoCountEnabled(true);
    legend->SetWrapRowSpacingAuto(true);
    // Room for one group only: its three rows are spaced.
    legend->SetDrawRect(TRect(10, 10, 110, 300));
    struct Case {
        void (*Set)(TkPlotLegend&, double);
        double Default;
        bool Across;  // adds to the width of a vertical legend
        bool Down;    // adds to the height of a horizontal one
    };
    const Case cases[] = {
        {[](TkPlotLegend& l, double v) { l.SetMarginLeft(v); }, 1, true, false},
        {[](TkPlotLegend& l, double v) { l.SetMarginTop(v); }, 1, false, true},
        {[](TkPlotLegend& l, double v) { l.SetMarginRight(v); }, 1, true, false},
        {[](TkPlotLegend& l, double v) { l.SetMarginBottom(v); }, 1, false, true},
        {[](TkPlotLegend& l, double v) { l.SetColumnSpacing(v); }, 0.5, true, false},
        {[](TkPlotLegend& l, double v) { l.SetRowSpacing(v); }, 0.25, false, true},
        {[](TkPlotLegend& l, double v) { l.SetWrapColSpacingMin(v); }, 2, false, false},
    };
    for (const Case& test : cases)
        for (bool horizontal : {false, true}) {
            SCOPED_TRACE(testing::Message() << "case " << &test - cases << (horizontal ? " horizontal" : " vertical"));
            legend->SetHorizontal(horizontal);
            test.Set(*legend, 1e12);
            Paint();
            if ((test.Across && !horizontal) || (test.Down && horizontal)) {
                EXPECT_GE(legend->GetRequiredSize(&canvas), PixelLimit);
            }
            EXPECT_GT(legend->GetRequiredWidth(), 0);
            EXPECT_GT(legend->GetRequiredHeight(), 0);
            for (const TkPlotLegendItem& item : legend->GetItems()) {
                EXPECT_LE(item.NameCell.Left, item.NameCell.Right);
                EXPECT_LE(item.NameCell.Top, item.NameCell.Bottom);
                EXPECT_GE(item.NameCell.Left, 10);
                EXPECT_GE(item.NameCell.Top, 10);
            }
            test.Set(*legend, test.Default);
        }
}

TEST_F(LegendTest, HugeStoredMeasuresLayOutAndDrawWithinTheDrawingRange)
{
    // Stored measures and counts may be anything; the layout made of them
    // must neither wrap around nor leave the range the drawing layer takes.
    AddChannels(3);
    legend->SetLineColumnWidth(INT_MAX);
    legend->SetLineColumnHeight(INT_MAX);
    legend->SetMarginLeft(-1e12);
    legend->SetMarginBottom(1e12);
    legend->SetColumnSpacing(1e12);
    legend->SetRowSpacing(1e12);
    legend->SetWrapColSpacingMin(1e12);
    legend->SetChannelNameMaxWidth(1e12);
    legend->SetWrapColDesiredCount(INT_MAX);
    legend->SetWrapColAutoCountMax(INT_MAX);
    legend->SetWrapRowAutoCountEnabled(false);
    legend->SetWrapRowDesiredCount(INT_MAX);
    legend->SetShowColumnYValue(true);
    for (bool horizontal : {false, true}) {
        legend->SetHorizontal(horizontal);
        legend->SetDrawRect(TRect(0, 0, 300, 200));
        EXPECT_GT(legend->GetRequiredSize(&canvas), 0) << horizontal;
        Paint();
        ASSERT_FALSE(canvas.Records.empty());
        for (const TCanvasRecord& r : canvas.Records) {
            for (int a : r.Args)
                EXPECT_LE(std::abs(a), 1000000) << r.Name() << " " << horizontal;
            for (const TPoint& p : r.Points)
                EXPECT_LE(std::max(std::abs(p.X), std::abs(p.Y)), 1000000) << r.Name() << " " << horizontal;
        }
    }
}

TEST_F(LegendTest, CellTextsFollowTheChannelItsAxesAndItsPoints)
{
    AddChannels(2);
    Channel(0)->SetTitleText("  ");
    Channel(1)->SetYAxisName("nowhere");
    data["Channel 2"].Count = 4;
    data["Channel 2"].LastX = 2.5;
    legend->SetShowColumnLine(false);
    legend->SetShowColumnXAxisTitle(true);
    legend->SetShowColumnYAxisTitle(true);
    legend->SetShowColumnXValue(true);
    legend->SetShowColumnYValue(true);
    legend->SetShowColumnYMax(true);
    legend->SetShowColumnYMin(true);
    legend->SetShowColumnYMean(true);
    auto* xAxis = static_cast<TkPlotAxis*>(master->XAxisManager()->GetObject(0));
    xAxis->SetTitle("");
    legend->SetDrawRect(TRect(0, 0, 600, HeightFor(5)));
    Paint();
    const std::string x = xAxis->GetLegendText(2.5);
    EXPECT_EQ(Texts(canvas),
              (std::vector<std::string>{"Channel 1", "X-Axis 1", "Y-Axis 1", "Empty", "Empty", "Empty", "Empty",
                                        "Empty", "Channel 2", "X-Axis 1", "None", x, "N/A", "N/A", "N/A", "N/A"}));
}

TEST_F(LegendTest, InCursorModeTheValueColumnsShowTheCursorReadouts)
{
    AddChannels(1);
    data["Channel 1"].CursorXText = "12:00:01";
    data["Channel 1"].CursorYText = "3.25";
    legend->SetShowColumnLine(false);
    legend->SetCursorValuesMode(true);
    legend->SetDrawRect(TRect(0, 0, 600, HeightFor(5)));
    Paint();
    EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"Channel 1", "12:00:01", "3.25"}));
}

TEST_F(LegendTest, ColumnTitlesHeadEveryGroupAndPushTheRowsDown)
{
    AddChannels(1);
    legend->SetShowColumnLine(false);
    legend->SetShowColumnYAxisTitle(true);
    legend->SetColumnTitlesVisible(true);
    legend->SetDrawRect(TRect(0, 0, 400, 200));
    canvas.Font->Assign(legend->GetColumnTitlesFont());
    const int titleHeight = canvas.TextHeight("0");
    Paint();
    EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"Title", "Y-Axis", "Channel 1", "Y-Axis 1"}));
    EXPECT_EQ(legend->GetItems()[0].RowTop, h + titleHeight + titleHeight / 4);
    for (const TCanvasRecord& r : canvas.Records) {
        if (r.Op == TCanvasOp::TextOut && r.Text == "Title") {
            EXPECT_EQ(r.Font.Color, clAqua);
        }
    }
}

TEST_F(LegendTest, ScrollButtonsAreRaisedSquaresWithATriangleGreyWhenDisabled)
{
    AddChannels(12);
    legend->SetDrawRect(TRect(0, 0, 200, HeightFor(5)));
    Paint();
    std::vector<const TCanvasRecord*> triangles;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::Polygon)
            triangles.push_back(&r);
    ASSERT_EQ(triangles.size(), 2u);
    const TRect up = legend->GetScrollUpButton()->GetDrawRect();
    const int cx = (up.Left + up.Right) / 2, cy = (up.Top + up.Bottom) / 2;
    EXPECT_EQ(triangles[0]->Points, (std::vector<TPoint>{{cx - 4, cy + 2}, {cx + 4, cy + 2}, {cx, cy - 2}}));
    EXPECT_EQ(triangles[0]->Brush.Color, clGray);  // nothing above the first row
    EXPECT_EQ(triangles[1]->Brush.Color, clBlack);
}

TEST_F(LegendTest, DropsItsFocusWhenAnotherObjectTakesItAndOffersTheEditor)
{
    AddChannels(1);
    legend->SetFocused(true);
    Channel(0)->SetFocused(true);
    EXPECT_FALSE(legend->GetFocused());
    TPopupMenu menu(nullptr);
    legend->BuildPopupMenu(&menu);
    ASSERT_EQ(menu.Items->Count(), 1);
    EXPECT_EQ(menu.Items->Items(0)->GetCaption(), "Edit...");
}

TEST_F(LegendTest, ALimitedNameColumnEndsLongNamesInAnEllipsis)
{
    AddChannels(1);
    Channel(0)->SetTitleText("Foaming-chamber-pressure");
    legend->SetChannelNameMaxWidth(10);
    legend->SetDrawRect(TRect(0, 0, 400, 200));
    Paint();
    ASSERT_EQ(legend->GetItems().size(), 1u);
    const TRect cell = legend->GetItems()[0].NameCell;
    EXPECT_EQ(cell.Width(), 10 * c);
    const std::vector<std::string> texts = Texts(canvas);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_LE(Width(texts[0]), 10 * c);
    EXPECT_EQ(texts[0].substr(0, 4), "Foam");
    EXPECT_EQ(texts[0].substr(texts[0].size() - 3), "...");
}

TEST_F(LegendTest, LineSamplesAreFixedPatternsInTheChannelColour)
{
    AddChannels(1);
    data["Channel 1"].TraceLineStyle = psDashDotDot;
    legend->SetDrawRect(TRect(0, 0, 200, HeightFor(5)));
    Paint();
    std::vector<std::vector<int>> segments;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::LineTo) {
            EXPECT_EQ(r.Pen.Color, Channel(0)->GetColor());
            EXPECT_EQ(r.Pen.Style, psSolid);
            segments.push_back({r.Points[0].X, r.Points[0].Y, r.Args[0], r.Args[1]});
        }
    const int mid = h + h / 2;  // first row's middle
    std::vector<std::vector<int>> expected;
    for (int y = mid - 1; y <= mid + 1; ++y)
        for (auto [a, b] : {std::pair{0, 5}, {7, 9}, {11, 13}})
            expected.push_back({c + a, y, c + b, y});
    EXPECT_EQ(segments, expected);
}

TEST_F(LegendTest, AFocusedChannelIsHighlightedAndRowsLeadToTheirChannels)
{
    AddChannels(2);
    legend->SetDrawRect(TRect(0, 0, 200, HeightFor(5)));
    Channel(1)->SetFocused(true);
    Paint();
    const TRect cell = legend->GetItems()[1].NameCell;
    bool filled = false;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::FillRect && r.Args == std::vector<int>{cell.Left, cell.Top, cell.Right, cell.Bottom})
            filled = r.Brush.Color == clYellow;
    EXPECT_TRUE(filled);
    EXPECT_EQ(legend->GetObjectAt({cell.Left + 1, cell.Top + 1}), Channel(1));
    EXPECT_EQ(legendRects["Channel 2"], cell);
    EXPECT_EQ(legend->GetObjectAt({199, HeightFor(5) - 1}), legend);
}

TEST_F(LegendTest, AReleaseInsideAPressOnTheLegendIsAClick)
{
    legend->SetDrawRect(TRect(0, 0, 100, 100));
    legend->MouseDown(mbLeft, 0, {10, 10}, {10, 10}, nullptr);
    legend->MouseUp(mbLeft, 0, {20, 20}, {20, 20}, false, nullptr);
    legend->MouseDown(mbLeft, 0, {10, 10}, {10, 10}, nullptr);
    legend->MouseUp(mbLeft, 0, {200, 20}, {200, 20}, false, nullptr);
    EXPECT_EQ(plot.clicks, (std::vector<std::string>{"Legend 1"}));
    legend->MouseUp(mbLeft, 0, {20, 20}, {20, 20}, false, nullptr);  // no press
    EXPECT_EQ(plot.clicks.size(), 1u);
}

TEST(LegendOnAPlot, AClickOnTheLegendIsThePlotsLegendClick)
{
    Application->Initialize();
    TkPlotComponent chart(nullptr);
    chart.AddLegend();
    chart.AddLegend();
    std::vector<int> clicks;
    chart.OnClickLegend = [&](int Index) { clicks.push_back(Index); };
    auto* legend = static_cast<TkPlotLegend*>(chart.GetLegend(1));
    legend->SetDrawRect(TRect(0, 0, 50, 50));
    legend->MouseDown(mbLeft, 0, {10, 10}, {10, 10}, nullptr);
    legend->MouseUp(mbLeft, 0, {12, 12}, {12, 12}, false, nullptr);
    EXPECT_EQ(clicks, std::vector<int>{1});
}

}  // namespace
