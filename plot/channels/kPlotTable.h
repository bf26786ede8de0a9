#pragma once
// A grid of texts that stands in the plot layout beside the data view:
// column titles over rows of cells, with grid lines and a background, and
// two scroll buttons when not all rows fit. A row is one string whose
// lines are its cells, column by column.
#include <memory>
#include <string>
#include <vector>

#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotTableButton.h"
#include "plot/core/kPlotLayoutObject.h"
#include "rtl/PublishedList.h"
#include "ui/Color.h"

class TFont;

namespace TkPlotObjectKind {
extern const TkPlotKind Table;
}  // namespace TkPlotObjectKind

// One column of a table, in display order. Margins and the width in
// characters count widths of "0" (the title's in the titles' font, the
// rest in the data font).
struct TkPlotTableColumn {
    // Set by the layout.
    int PixelWidth = 0;
    std::string Title;
    double Width = 10;
    // A hidden column takes no space and draws nothing.
    bool Visible = true;
    TkAlignmentHorizontal TitleAlignment = kahCenter;
    double TitleMargin = 0;
    TColor TitleFontColor = clAqua;
    TkAlignmentHorizontal DataAlignment = kahCenter;
    double DataMargin = 0;
    TColor DataFontColor = clWhite;
    // As wide as its widest text; Width then follows.
    bool AutoWidth = true;
};

class TkPlotTable : public TkPlotLayoutObject {
    PUBLISHED_CLASS(TkPlotTable);

public:
    TkPlotTable(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // ---- columns
    int GetColumnCount() const { return int(FColumns.size()); }
    const TkPlotTableColumn& GetColumn(int Index) const;
    void SetColumn(int Index, const TkPlotTableColumn& Value);
    // A visible, auto-width column titled Title at the end; answers its index.
    int AddColumn(const std::string& Title);
    void DeleteColumn(int Index);
    void DeleteAllColumns();

    // ---- rows
    int GetRowCount() const { return int(FRows.size()); }
    const std::string& GetRow(int Index) const;
    void SetRow(int Index, const std::string& Text);
    int AddRow(const std::string& Text);
    void DeleteRow(int Index);
    void DeleteAllRows();
    // The line Column of row Row; empty where the row has fewer lines.
    std::string GetCell(int Column, int Row) const;
    // Writes the line, adding empty lines before it where the row is short.
    void SetCell(int Column, int Row, const std::string& Text);

    // ---- scrolling, as the last layout left it
    int GetFirstVisibleRow() const { return FFirstVisibleRow; }
    int GetLastVisibleRow() const { return FLastVisibleRow; }
    TkPlotTableButton* GetUpButton() const { return FUpButton; }
    TkPlotTableButton* GetDownButton() const { return FDownButton; }

    // ---- published properties
    PUBLISHED(double, MarginLeft, 1, DoLayoutChange());
    PUBLISHED(double, MarginTop, 1, DoLayoutChange());
    PUBLISHED(double, MarginRight, 1, DoLayoutChange());
    PUBLISHED(double, MarginBottom, 1, DoLayoutChange());
    PUBLISHED(TColor, GridBackGroundColor, TColor(0x808080), DoChange());
    PUBLISHED(bool, GridBackGroundTransparent, false, DoChange());
    PUBLISHED(TColor, GridLinesColor, clWhite, DoChange());
    PUBLISHED(bool, GridLinesShow, true, DoChange());
    PUBLISHED_OBJECT(TFont, DataFont, MakeFont(clWhite));
    PUBLISHED(double, ColumnSpacing, 2, DoLayoutChange());
    PUBLISHED(double, RowSpacing, 0.5, DoLayoutChange());
    PUBLISHED(int, RowsMax, 0, DoLayoutChange());
    PUBLISHED(bool, ColumnTitlesVisible, true, DoLayoutChange());
    PUBLISHED_OBJECT(TFont, ColumnTitlesFont, MakeFont(clAqua));

    // The layout's required height when horizontal, else its width.
    int GetRequiredSize(TCanvas* Canvas) override;
    int GetRequiredWidth() const { return FRequiredWidth; }
    int GetRequiredHeight() const { return FRequiredHeight; }
    void Draw(TCanvas* Canvas, TColor BackColor) override;
    // A scroll button under P, else the table.
    TkPlotObject* GetObjectAt(TPoint P) override;
    void ObjectFocused(TkPlotObject* Object) override;
    void BuildPopupMenu(TPopupMenu* Menu) override;

protected:
    ~TkPlotTable() override;
    // A release of a press on the table, inside it, is the plot's click.
    void DoMouseUp(const TkPlotMouseData& Mouse) override;

private:
    static std::unique_ptr<TFont> MakeFont(TColor Color);
    void CheckColumn(int Index) const;
    void CheckRow(int Index) const;
    // Sizes the columns, finds the rows that fit in the draw rectangle
    // and places the scroll buttons.
    void CalcLayout(TCanvas* Canvas);
    void PlaceButtons(int VisibleRows);
    void ScrollUp();
    void ScrollDown();
    // The text in Cell by the alignment, indented by Margin pixels.
    static void DrawCellText(TCanvas* Canvas, const std::string& Text, const TRect& Cell,
                             TkAlignmentHorizontal Alignment, int Margin);

    std::vector<TkPlotTableColumn> FColumns;
    std::vector<std::string> FRows;
    int FFirstVisibleRow = 0;
    int FLastVisibleRow = -1;
    // The whole grid (title row and visible rows), and the rows' part.
    TRect FGridRect;
    TRect FDataRect;
    int FRowHeight = 0;
    int FRequiredWidth = 0;
    int FRequiredHeight = 0;
    TkPlotTableButton* FUpButton = nullptr;
    TkPlotTableButton* FDownButton = nullptr;
};
