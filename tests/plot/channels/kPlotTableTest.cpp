// The text table: how its columns are sized from their texts, what it draws
// of titles, cells and grid, and how it pages through rows that do not fit
// with its scroll buttons, checked on a recording canvas with known font
// metrics.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../core/PlotObjectSupport.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotTable.h"
#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotMasterManager.h"
#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/Font.h"
#include "ui/RecordingCanvas.h"

namespace {

struct TablePlot : FakePlot {
    std::vector<std::string> clicks;
    void DoObjectClick(TkPlotObject* Object) override { clicks.push_back(Object->GetName()); }
};

struct Text {
    std::string Value;
    int X, Y;
    TColor Color;
    bool operator==(const Text&) const = default;
};

int Round(double Value)
{
    return int(std::lround(Value));
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
        table = master->TableManager()->GetItem(master->AddTable());
        for (TFont* font : {table->GetDataFont(), table->GetColumnTitlesFont()}) {
            font->SetName("MS Sans Serif");
            font->SetHeight(-10);
        }
        table->GetDataFont()->SetHeight(-13);
        canvas.Font->Assign(table->GetColumnTitlesFont());
        c = canvas.TextWidth("0");
        h = canvas.TextHeight("0");
        canvas.Font->Assign(table->GetDataFont());
        d = canvas.TextWidth("0");
        rowHeight = canvas.TextHeight("0") + Round(canvas.TextHeight("0") * 0.5);
        ASSERT_GT(c, 0);
        ASSERT_NE(c, d);  // the two fonts' sizes stay apart in what follows
    }
    int TitleWidth(const std::string& Value)
    {
        canvas.Font->Assign(table->GetColumnTitlesFont());
        return canvas.TextWidth(Value);
    }
    int DataWidth(const std::string& Value)
    {
        canvas.Font->Assign(table->GetDataFont());
        return canvas.TextWidth(Value);
    }
    void Paint()
    {
        canvas.Records.clear();
        table->Draw(&canvas, clBlack);
    }
    std::vector<Text> Texts() const
    {
        std::vector<Text> texts;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::TextOut && !r.Text.empty())
                texts.push_back({r.Text, r.Args[0], r.Args[1], r.Font.Color});
        return texts;
    }
    std::vector<std::string> Values() const
    {
        std::vector<std::string> values;
        for (const Text& t : Texts())
            values.push_back(t.Value);
        return values;
    }
    int Count(TCanvasOp Op) const
    {
        int n = 0;
        for (const TCanvasRecord& r : canvas.Records)
            n += r.Op == Op;
        return n;
    }
    void Click(TkPlotButton* Button)
    {
        const TPoint p{Button->GetDrawRect().Left + 2, Button->GetDrawRect().Top + 2};
        Button->MouseDown(mbLeft, 0, p, p, nullptr);
        Button->MouseUp(mbLeft, 0, p, p, false, nullptr);
    }
    // Ten rows of one column, sized for three.
    void TenRowsSizedForThree()
    {
        table->AddColumn("Row");
        for (int i = 0; i < 10; ++i)
            table->AddRow("Row " + std::to_string(i));
        table->SetRowsMax(3);
        table->SetDrawRect(TRect(0, 0, 300, 1000));
        table->GetRequiredSize(&canvas);
        table->SetDrawRect(TRect(0, 0, 300, table->GetRequiredHeight()));
        Paint();
    }

    TablePlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
    TkPlotTable* table = nullptr;
    TRecordingCanvas canvas;
    int c = 0, h = 0, d = 0, rowHeight = 0;
};

TEST_F(TableTest, StartsStandingWithItsDocumentedLooks)
{
    EXPECT_EQ(table->GetName(), "Table 1");
    EXPECT_FALSE(table->GetHorizontal());
    EXPECT_EQ(table->GetDataFont()->GetColor(), clWhite);
    EXPECT_EQ(table->GetColumnTitlesFont()->GetColor(), clAqua);
    EXPECT_TRUE(table->GetDataFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(table->GetUpButton()->GetName(), "PlotTableUpButton");
    EXPECT_EQ(table->GetDownButton()->GetName(), "PlotTableDownButton");
    EXPECT_TRUE(table->GetUpButton()->AutoRepeat);
}

TEST_F(TableTest, WithoutRowsOrWithoutColumnsItNeedsNoSpaceAndDrawsNothing)
{
    table->SetDrawRect(TRect(0, 0, 300, 300));
    table->AddColumn("A");
    EXPECT_EQ(table->GetRequiredSize(&canvas), 0);
    Paint();
    EXPECT_TRUE(canvas.Records.empty());
    table->DeleteAllColumns();
    table->AddRow("a\nb");
    EXPECT_EQ(table->GetRequiredSize(&canvas), 0);
    Paint();
    EXPECT_TRUE(canvas.Records.empty());
}

TEST_F(TableTest, ColumnsTakeTheirWidthFromTheirTextsOrTheirCharacters)
{
    table->AddColumn("Name");
    table->AddColumn("Value");
    TkPlotTableColumn unit = table->GetColumn(table->AddColumn("Unit"));
    unit.AutoWidth = false;
    unit.Width = 5;
    table->SetColumn(2, unit);
    TkPlotTableColumn hidden = table->GetColumn(table->AddColumn("Hidden"));
    hidden.Visible = false;
    table->SetColumn(3, hidden);
    table->AddRow("Channel 1\n3.25\nV\nnot shown");
    table->AddRow("Ch 2\n12345.678");  // no unit: an empty third cell
    table->SetDrawRect(TRect(0, 0, 1000, 1000));

    const int spacingC = Round(c * 2.0), spacingD = Round(d * 2.0);
    const int name = std::max(TitleWidth("Name") + spacingC + c, DataWidth("Channel 1") + spacingD + d);
    const int value = std::max(TitleWidth("Value") + spacingC + c, DataWidth("12345.678") + spacingD + d);
    EXPECT_EQ(table->GetRequiredSize(&canvas), c + name + value + 5 * d + c);
    EXPECT_EQ(table->GetColumn(0).PixelWidth, name);
    EXPECT_EQ(table->GetColumn(0).Width, name / d);
    EXPECT_EQ(table->GetColumn(3).PixelWidth, 0);
    EXPECT_EQ(table->GetRequiredHeight(), h + h + 2 * rowHeight + h);
    table->SetHorizontal(true);
    EXPECT_EQ(table->GetRequiredSize(&canvas), h + h + 2 * rowHeight + h);

    EXPECT_EQ(table->GetCell(1, 1), "12345.678");
    EXPECT_EQ(table->GetCell(2, 1), "");
    Paint();
    EXPECT_EQ(Values(),
              (std::vector<std::string>{"Name", "Value", "Unit", "Channel 1", "3.25", "V", "Ch 2", "12345.678"}));
}

TEST_F(TableTest, TitlesAndCellsAreAlignedAndColouredPerColumn)
{
    table->AddColumn("T");
    TkPlotTableColumn column = table->GetColumn(0);
    column.AutoWidth = false;
    column.Width = 20;
    column.TitleAlignment = kahLeft;
    column.TitleMargin = 2;
    column.TitleFontColor = clRed;
    column.DataAlignment = kahRight;
    column.DataMargin = 1;
    column.DataFontColor = clYellow;
    table->SetColumn(0, column);
    table->AddRow("x");
    table->SetDrawRect(TRect(10, 20, 1000, 1000));
    Paint();
    const int left = 10 + c, top = 20 + h, right = left + 20 * d;
    const std::vector<Text> texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].X, left + 2 * c);
    EXPECT_EQ(texts[0].Color, clRed);
    EXPECT_EQ(texts[1].X, right - d - DataWidth("x"));
    EXPECT_EQ(texts[1].Color, clYellow);

    // The grid: its background, a line left of each column and after the
    // last, one at the top, over each row and under the last.
    bool filled = false;
    for (const TCanvasRecord& r : canvas.Records)
        if (r.Op == TCanvasOp::FillRect)
            filled = r.Args == std::vector<int>{left, top, right, top + h + rowHeight} && r.Brush.Color == 0x808080;
    EXPECT_TRUE(filled);
    EXPECT_EQ(Count(TCanvasOp::LineTo), 2 + 3);
    table->SetGridLinesShow(false);
    table->SetGridBackGroundTransparent(true);
    Paint();
    EXPECT_EQ(Count(TCanvasOp::LineTo), 0);
    EXPECT_EQ(Count(TCanvasOp::FillRect), 0);
    table->SetColumnTitlesVisible(false);
    Paint();
    EXPECT_EQ(Values(), std::vector<std::string>{"x"});
}

TEST_F(TableTest, RowsBeyondRowsMaxArePagedWithTheButtons)
{
    TenRowsSizedForThree();
    EXPECT_EQ(table->GetRequiredHeight(), h + h + 3 * rowHeight + h);
    EXPECT_EQ(Values(), (std::vector<std::string>{"Row", "Row 0", "Row 1", "Row 2"}));
    TkPlotTableButton* up = table->GetUpButton();
    TkPlotTableButton* down = table->GetDownButton();
    ASSERT_TRUE(up->GetVisible());
    ASSERT_TRUE(down->GetVisible());
    EXPECT_FALSE(up->GetEnabled());
    EXPECT_TRUE(down->GetEnabled());
    // Beside the grid, centred on the first and the last row shown.
    const int gridRight = c + table->GetColumn(0).PixelWidth, dataTop = h + h;
    const int first = dataTop + rowHeight / 2, last = dataTop + 2 * rowHeight + rowHeight / 2;
    EXPECT_EQ(up->GetDrawRect(), TRect(gridRight + 5, first - 8, gridRight + 22, first + 9));
    EXPECT_EQ(down->GetDrawRect(), TRect(gridRight + 5, last - 8, gridRight + 22, last + 9));
    EXPECT_EQ(table->GetRequiredSize(&canvas), c + table->GetColumn(0).PixelWidth + c + 22);

    Click(down);
    Paint();
    EXPECT_EQ(Values(), (std::vector<std::string>{"Row", "Row 1", "Row 2", "Row 3"}));
    EXPECT_TRUE(up->GetEnabled());
    // Held, the button repeats; it stops with the last row at the bottom.
    const TPoint p{down->GetDrawRect().Left + 1, down->GetDrawRect().Top + 1};
    down->MouseDown(mbLeft, 0, p, p, nullptr);
    for (int i = 0; i < 12; ++i)
        down->RepeatTick();
    down->MouseUp(mbLeft, 0, p, p, false, nullptr);
    Paint();
    EXPECT_EQ(table->GetFirstVisibleRow(), 7);
    EXPECT_EQ(table->GetLastVisibleRow(), 9);
    EXPECT_EQ(Values(), (std::vector<std::string>{"Row", "Row 7", "Row 8", "Row 9"}));
    EXPECT_FALSE(down->GetEnabled());
    Click(up);
    Paint();
    EXPECT_EQ(table->GetFirstVisibleRow(), 6);

    // Room for every row: no buttons, from the first row.
    table->SetRowsMax(0);
    table->SetDrawRect(TRect(0, 0, 300, 1000));
    Paint();
    EXPECT_FALSE(up->GetVisible());
    EXPECT_EQ(table->GetFirstVisibleRow(), 0);
    EXPECT_EQ(table->GetLastVisibleRow(), 9);
}

TEST_F(TableTest, RowsThatDoNotFitTheRectangleAreCut)
{
    TenRowsSizedForThree();
    table->SetRowsMax(0);
    table->SetDrawRect(TRect(0, 0, 300, h + h + 4 * rowHeight + rowHeight / 2 + h));
    Paint();
    EXPECT_EQ(table->GetLastVisibleRow(), 3);
    EXPECT_TRUE(table->GetDownButton()->GetVisible());
}

TEST_F(TableTest, ADisabledTableKeepsItsButtonsWhereTheyWere)
{
    TenRowsSizedForThree();
    const TRect up = table->GetUpButton()->GetDrawRect();
    table->SetEnabled(false);
    table->SetDrawRect(TRect(0, 50, 300, 50 + table->GetRequiredHeight()));
    Paint();
    EXPECT_TRUE(table->GetUpButton()->GetVisible());
    EXPECT_TRUE(table->GetDownButton()->GetVisible());
    EXPECT_EQ(table->GetUpButton()->GetDrawRect(), up);
    table->SetEnabled(true);
    Paint();
    EXPECT_EQ(table->GetUpButton()->GetDrawRect(), TRect(up.Left, up.Top + 50, up.Right, up.Bottom + 50));
}

TEST_F(TableTest, AButtonIsFoundUnderThePointAndAReleaseOnTheTableIsAClick)
{
    TenRowsSizedForThree();
    const TRect down = table->GetDownButton()->GetDrawRect();
    EXPECT_EQ(table->GetObjectAt({down.Left + 1, down.Top + 1}), table->GetDownButton());
    EXPECT_EQ(table->GetObjectAt({2, 2}), table);
    table->MouseDown(mbLeft, 0, {2, 2}, {2, 2}, nullptr);
    table->MouseUp(mbLeft, 0, {3, 3}, {3, 3}, false, nullptr);
    table->MouseDown(mbLeft, 0, {2, 2}, {2, 2}, nullptr);
    table->MouseUp(mbLeft, 0, {900, 3}, {900, 3}, false, nullptr);
    EXPECT_EQ(plot.clicks, std::vector<std::string>{"Table 1"});
}

TEST_F(TableTest, CellsAreWrittenIntoTheirRowsLines)
{
    table->AddColumn("A");
    table->AddColumn("B");
    table->AddColumn("C");
    table->AddRow("");
    table->SetCell(2, 0, "c");
    EXPECT_EQ(table->GetRow(0), "\n\nc");
    table->SetCell(0, 0, "a");
    EXPECT_EQ(table->GetCell(0, 0), "a");
    EXPECT_EQ(table->GetCell(1, 0), "");
    EXPECT_EQ(table->GetCell(2, 0), "c");
    EXPECT_THROW(table->GetCell(3, 0), Exception);
    EXPECT_THROW(table->GetCell(0, 1), Exception);
}

// The chart control adds tables by index, lays them out beside the data
// view and paints them; a deleted one is gone from the picture.
TEST(TableOnAPlot, TheChartLaysOutAndPaintsItsTables)
{
    Application->Initialize();
    TkPlot chart(nullptr);
    chart.SetBounds(0, 0, 600, 400);
    auto* table = dynamic_cast<TkPlotTable*>(chart.GetTable(chart.AddTable()));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(chart.GetTableCount(), 1);
    table->AddColumn("Peak");
    table->AddRow("12.5");
    const auto paint = [&] {
        TRecordingCanvas canvas(TSize(chart.GetWidth(), chart.GetHeight()));
        chart.PaintToCanvas(&canvas);
        std::vector<std::string> texts;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::TextOut && (r.Text == "Peak" || r.Text == "12.5"))
                texts.push_back(r.Text);
        return texts;
    };
    EXPECT_EQ(paint(), (std::vector<std::string>{"Peak", "12.5"}));
    const TRect view = static_cast<TkPlotLayoutObject*>(chart.GetDataView(0))->GetDrawRect();
    EXPECT_GT(table->GetWidth(), 0);
    EXPECT_TRUE(table->GetDrawRect().Left >= view.Right || table->GetDrawRect().Right <= view.Left);
    chart.DeleteTable(0);
    EXPECT_EQ(chart.GetTableCount(), 0);
    EXPECT_TRUE(paint().empty());
}

}  // namespace
