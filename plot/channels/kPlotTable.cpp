#include "plot/channels/kPlotTable.h"

#include <algorithm>
#include <cmath>

#include "plot/core/kGPFunctions.h"
#include "plot/core/kGraphicsProperties.h"
#include "rtl/Exception.h"
#include "rtl/Saturating.h"
#include "ui/Canvas.h"
#include "ui/Font.h"

namespace {

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TkPlotTable, TkPlotLayoutObject>("TkPlotTable");
    return true;
}();

constexpr int ButtonSize = 17;
// Between the grid and the scroll buttons.
constexpr int ButtonGap = 5;

int Round(double Value)
{
    return int(std::lround(Value));
}

// The lines of a row string, as its cells.
std::vector<std::string> Cells(const std::string& Row)
{
    std::vector<std::string> cells;
    std::size_t position = 0;
    std::string line;
    while (NextTextLine(position, Row, line))
        cells.push_back(line);
    return cells;
}

}  // namespace

std::unique_ptr<TFont> TkPlotTable::MakeFont(TColor Color)
{
    auto font = std::make_unique<TFont>();
    font->SetColor(Color);
    font->SetStyle(TFontStyles{fsBold});
    return font;
}

TkPlotTable::TkPlotTable(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::Table)
{
    (void)Registered;
    SetHorizontal(false);
    for (TFont* font : {GetDataFont(), GetColumnTitlesFont()})
        font->OnChange = [this](TObject*) { DoLayoutChange(); };
    // The buttons are parts of the table, not plot objects of their own:
    // they only ask the table to repaint.
    TkPlotObjectCallbacks buttonCallbacks;
    buttonCallbacks.OnChange = [this](TObject*) { DoChange(); };
    FUpButton = new TkPlotTableButton(AOwner, true);
    FDownButton = new TkPlotTableButton(AOwner, false);
    FUpButton->OnClick = [this](TObject*) { ScrollUp(); };
    FDownButton->OnClick = [this](TObject*) { ScrollDown(); };
    for (TkPlotTableButton* button : {FUpButton, FDownButton}) {
        button->Callbacks = buttonCallbacks;
        button->OnButtonChange = [this](TObject*) { InvalidateNow(); };
        button->SetVisible(false);
    }
}

TkPlotTable::~TkPlotTable()
{
    for (TkPlotTableButton* button : {FUpButton, FDownButton}) {
        button->Callbacks = {};
        button->OnButtonChange = nullptr;
        TkPlotObject::Free(button);
    }
}

// ---- columns and rows

void TkPlotTable::CheckColumn(int Index) const
{
    if (Index < 0 || Index >= GetColumnCount())
        throw Exception("Column Index out of Bounds");
}

void TkPlotTable::CheckRow(int Index) const
{
    if (Index < 0 || Index >= GetRowCount())
        throw Exception("Row Index out of Bounds");
}

const TkPlotTableColumn& TkPlotTable::GetColumn(int Index) const
{
    CheckColumn(Index);
    return FColumns[std::size_t(Index)];
}

void TkPlotTable::SetColumn(int Index, const TkPlotTableColumn& Value)
{
    CheckColumn(Index);
    FColumns[std::size_t(Index)] = Value;
    DoLayoutChange();
}

int TkPlotTable::AddColumn(const std::string& Title)
{
    TkPlotTableColumn column;
    column.Title = Title;
    FColumns.push_back(column);
    DoLayoutChange();
    return GetColumnCount() - 1;
}

void TkPlotTable::DeleteColumn(int Index)
{
    CheckColumn(Index);
    FColumns.erase(FColumns.begin() + Index);
    DoLayoutChange();
}

void TkPlotTable::DeleteAllColumns()
{
    FColumns.clear();
    DoLayoutChange();
}

const std::string& TkPlotTable::GetRow(int Index) const
{
    CheckRow(Index);
    return FRows[std::size_t(Index)];
}

void TkPlotTable::SetRow(int Index, const std::string& Text)
{
    CheckRow(Index);
    FRows[std::size_t(Index)] = Text;
    DoLayoutChange();
}

int TkPlotTable::AddRow(const std::string& Text)
{
    FRows.push_back(Text);
    DoLayoutChange();
    return GetRowCount() - 1;
}

void TkPlotTable::DeleteRow(int Index)
{
    CheckRow(Index);
    FRows.erase(FRows.begin() + Index);
    DoLayoutChange();
}

void TkPlotTable::DeleteAllRows()
{
    FRows.clear();
    FFirstVisibleRow = 0;
    DoLayoutChange();
}

std::string TkPlotTable::GetCell(int Column, int Row) const
{
    CheckColumn(Column);
    const std::vector<std::string> cells = Cells(GetRow(Row));
    return Column < int(cells.size()) ? cells[std::size_t(Column)] : std::string();
}

void TkPlotTable::SetCell(int Column, int Row, const std::string& Text)
{
    CheckColumn(Column);
    std::vector<std::string> cells = Cells(GetRow(Row));
    if (Column >= int(cells.size()))
        cells.resize(std::size_t(Column) + 1);
    cells[std::size_t(Column)] = Text;
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i)
        row += (i ? "\n" : "") + cells[i];
    SetRow(Row, row);
}

// ---- layout

void TkPlotTable::CalcLayout(TCanvas* Canvas)
{
    FRequiredWidth = 0;
    FRequiredHeight = 0;
    if (FRows.empty() || FColumns.empty())
        return;
    const TRect& r = GetDrawRect();
    Canvas->Font->Assign(GetColumnTitlesFont());
    const int c = Canvas->TextWidth("0"), h = Canvas->TextHeight("0");
    const int top = Round(h * GetMarginTop()), bottom = Round(h * GetMarginBottom());
    const int left = Round(c * GetMarginLeft()), right = Round(c * GetMarginRight());
    const int titleHeight = GetColumnTitlesVisible() ? h : 0;
    std::vector<int> titleWidths;
    for (const TkPlotTableColumn& column : FColumns)
        titleWidths.push_back(Canvas->TextWidth(column.Title));

    Canvas->Font->Assign(GetDataFont());
    const int d = Canvas->TextWidth("0"), dh = Canvas->TextHeight("0");
    FRowHeight = SatAdd(dh, Round(dh * GetRowSpacing()));
    const int rowCount = GetRowCount();
    const int sized = GetRowsMax() != 0 && rowCount > GetRowsMax() ? GetRowsMax() : rowCount;
    FRequiredHeight = SatAdd(top, bottom, titleHeight, SatMul(sized, FRowHeight));

    std::vector<std::vector<std::string>> cells;
    for (const std::string& row : FRows)
        cells.push_back(Cells(row));
    int gridWidth = 0;
    for (std::size_t i = 0; i < FColumns.size(); ++i) {
        TkPlotTableColumn& column = FColumns[i];
        if (!column.Visible) {
            column.PixelWidth = 0;
            continue;
        }
        if (column.AutoWidth) {
            int width = SatAdd(titleWidths[i], Round(c * GetColumnSpacing()), c);
            for (const std::vector<std::string>& row : cells)
                if (i < row.size())
                    width = std::max(width, SatAdd(Canvas->TextWidth(row[i]), Round(d * GetColumnSpacing()), d));
            column.PixelWidth = width;
            if (d > 0)
                column.Width = width / d;
        } else {
            column.PixelWidth = Round(column.Width * d);
        }
        gridWidth = SatAdd(gridWidth, column.PixelWidth);
    }
    FRequiredWidth = SatAdd(left, right, gridWidth);

    const int gridLeft = SatAdd(r.Left, left), gridTop = SatAdd(r.Top, top);
    const int dataTop = SatAdd(gridTop, titleHeight);
    int visible = sized;
    const int room = SatSub(SatSub(r.Bottom, bottom), dataTop);
    if (SatMul(sized, FRowHeight) > room)
        visible = FRowHeight > 0 ? std::max(0, room / FRowHeight) : 0;
    FGridRect = TRect(gridLeft, gridTop, SatAdd(gridLeft, gridWidth), SatAdd(dataTop, SatMul(visible, FRowHeight)));
    FDataRect = TRect(FGridRect.Left, dataTop, FGridRect.Right, FGridRect.Bottom);
    PlaceButtons(visible);
}

void TkPlotTable::PlaceButtons(int VisibleRows)
{
    const int rowCount = GetRowCount();
    if (VisibleRows >= rowCount) {
        FUpButton->SetVisible(false);
        FDownButton->SetVisible(false);
        FFirstVisibleRow = 0;
        FLastVisibleRow = VisibleRows - 1;
        return;
    }
    FUpButton->SetVisible(true);
    FDownButton->SetVisible(true);
    FRequiredWidth = SatAdd(FRequiredWidth, ButtonSize, ButtonGap);
    FLastVisibleRow = SatSub(SatAdd(FFirstVisibleRow, VisibleRows), 1);
    if (FLastVisibleRow > rowCount - 1) {
        FLastVisibleRow = rowCount - 1;
        FFirstVisibleRow = std::max(0, FLastVisibleRow - VisibleRows + 1);
    }
    // A disabled table leaves its buttons where they were.
    if (GetEnabled()) {
        const int left = SatAdd(FGridRect.Right, ButtonGap);
        const auto middle = [&](int Row) {
            return SatAdd(FDataRect.Top, SatMul(Row - FFirstVisibleRow, FRowHeight), FRowHeight / 2);
        };
        const int up = middle(FFirstVisibleRow), down = middle(std::max(FFirstVisibleRow, FLastVisibleRow));
        FUpButton->SetDrawRect(TRect(left, up - 8, SatAdd(left, ButtonSize), up + 9));
        FDownButton->SetDrawRect(TRect(left, down - 8, SatAdd(left, ButtonSize), down + 9));
    }
    FUpButton->SetEnabled(FFirstVisibleRow > 0);
    FDownButton->SetEnabled(FLastVisibleRow != rowCount - 1);
}

int TkPlotTable::GetRequiredSize(TCanvas* Canvas)
{
    CalcLayout(Canvas);
    return IsHorizontal() ? FRequiredHeight : FRequiredWidth;
}

// ---- scrolling

void TkPlotTable::ScrollUp()
{
    if (FFirstVisibleRow > 0) {
        --FFirstVisibleRow;
        DoChange();
    }
}

void TkPlotTable::ScrollDown()
{
    if (FFirstVisibleRow < GetRowCount() - 1) {
        ++FFirstVisibleRow;
        DoChange();
    }
}

// ---- drawing

void TkPlotTable::DrawCellText(TCanvas* Canvas, const std::string& Text, const TRect& Cell,
                               TkAlignmentHorizontal Alignment, int Margin)
{
    TRect box = Cell;
    TkTextFormat format = ktfVCenter | ktfSingleLine | ktfNoPrefix;
    if (Alignment == kahLeft) {
        box.Left = SatAdd(box.Left, Margin);
    } else if (Alignment == kahRight) {
        box.Right = SatSub(box.Right, Margin);
        format |= ktfRight;
    } else {
        format |= ktfCenter;
    }
    DrawFormattedText(Canvas, Text, box, format, true);
}

void TkPlotTable::Draw(TCanvas* Canvas, TColor BackColor)
{
    if (!GetVisible() || FRows.empty() || FColumns.empty())
        return;
    CalcLayout(Canvas);
    if (!GetGridBackGroundTransparent()) {
        Canvas->Brush->SetStyle(bsSolid);
        Canvas->Brush->SetColor(GetGridBackGroundColor());
        Canvas->FillRect(FGridRect);
    }
    if (GetGridLinesShow()) {
        Canvas->Pen->SetStyle(psSolid);
        Canvas->Pen->SetWidth(1);
        Canvas->Pen->SetColor(GetGridLinesColor());
        // The lines reach the far edges: a line leaves out its end pixel.
        const auto vertical = [&](int X) {
            Canvas->MoveTo(X, FGridRect.Top);
            Canvas->LineTo(X, SatAdd(FGridRect.Bottom, 1));
        };
        const auto horizontal = [&](int Y) {
            Canvas->MoveTo(FGridRect.Left, Y);
            Canvas->LineTo(SatAdd(FGridRect.Right, 1), Y);
        };
        int x = FGridRect.Left;
        for (const TkPlotTableColumn& column : FColumns)
            if (column.Visible) {
                vertical(x);
                x = SatAdd(x, column.PixelWidth);
            }
        vertical(x);
        horizontal(FGridRect.Top);
        for (int row = FFirstVisibleRow; row <= FLastVisibleRow; ++row)
            horizontal(SatAdd(FDataRect.Top, SatMul(row - FFirstVisibleRow, FRowHeight)));
        horizontal(FDataRect.Bottom);
    }
    if (GetColumnTitlesVisible()) {
        Canvas->Font->Assign(GetColumnTitlesFont());
        Canvas->Brush->SetStyle(bsClear);
        const int c = Canvas->TextWidth("0");
        int x = FGridRect.Left;
        for (const TkPlotTableColumn& column : FColumns) {
            if (!column.Visible)
                continue;
            Canvas->Font->SetColor(column.TitleFontColor);
            const TRect cell(x, FGridRect.Top, SatAdd(x, column.PixelWidth), FDataRect.Top);
            DrawCellText(Canvas, column.Title, cell, column.TitleAlignment, Round(column.TitleMargin * c));
            x = cell.Right;
        }
    }
    Canvas->Font->Assign(GetDataFont());
    Canvas->Brush->SetStyle(bsClear);
    const int d = Canvas->TextWidth("0");
    for (int row = FFirstVisibleRow; row <= FLastVisibleRow; ++row) {
        const std::vector<std::string> cells = Cells(FRows[std::size_t(row)]);
        const int top = SatAdd(FDataRect.Top, SatMul(row - FFirstVisibleRow, FRowHeight));
        int x = FGridRect.Left;
        for (std::size_t i = 0; i < FColumns.size(); ++i) {
            const TkPlotTableColumn& column = FColumns[i];
            if (!column.Visible)
                continue;
            Canvas->Font->SetColor(column.DataFontColor);
            const TRect cell(x, top, SatAdd(x, column.PixelWidth), SatAdd(top, FRowHeight));
            DrawCellText(Canvas, i < cells.size() ? cells[i] : std::string(), cell, column.DataAlignment,
                         Round(column.DataMargin * d));
            x = cell.Right;
        }
    }
    for (TkPlotTableButton* button : {FUpButton, FDownButton})
        if (button->GetVisible())
            button->Draw(Canvas, BackColor);
    if (GetFocused())
        DrawFocusRectangle(Canvas, GetDrawRect());
}

// ---- mouse and focus

TkPlotObject* TkPlotTable::GetObjectAt(TPoint P)
{
    for (TkPlotTableButton* button : {FUpButton, FDownButton})
        if (button->GetVisible() && PtInRect(button->GetDrawRect(), P))
            return button->GetObjectAt(P);
    return TkPlotLayoutObject::GetObjectAt(P);
}

void TkPlotTable::DoMouseUp(const TkPlotMouseData& Mouse)
{
    if (GetPressed() && PtInRect(GetDrawRect(), Mouse.Received) && GetOwner())
        GetOwner()->DoObjectClick(this);
}

void TkPlotTable::ObjectFocused(TkPlotObject* Object)
{
    if (Object != this)
        SetFocused(false);
}

void TkPlotTable::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotLayoutObject::BuildPopupMenu(Menu);
    AddEditMenuItem(Menu);
}
