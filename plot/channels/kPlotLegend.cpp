#include "plot/channels/kPlotLegend.h"

#include <algorithm>
#include <cmath>

#include "plot/channels/kPlotLegendButton.h"
#include "plot/core/kGPFunctions.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotPixels.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "rtl/Saturating.h"
#include "ui/Canvas.h"
#include "ui/Font.h"
#include "ui/PopupMenu.h"

namespace {

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TkPlotLegend, TkPlotLayoutObject>("TkPlotLegend");
    return true;
}();

// Room a horizontal legend keeps at its right for the scroll buttons.
constexpr int ButtonRoom = 25;
constexpr int ButtonSize = 17;

// Whole divisions of the count, rounded up; Count is at least 0 and
// Divisor at least 1, however large.
int CeilDiv(int Count, int Divisor)
{
    return Count / Divisor + (Count % Divisor != 0 ? 1 : 0);
}

bool Blank(const std::string& Text)
{
    return Text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

const std::string& TkPlotLegendCaptions::Of(int Index) const
{
    const std::string* captions[] = {&ColumnTitle,  &ColumnXAxisTitle, &ColumnYAxisTitle, &ColumnXValue,
                                     &ColumnYValue, &ColumnYMax,       &ColumnYMin,       &ColumnYMean};
    return *captions[Index];
}

TkPlotLegend::TkPlotLegend(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::Legend)
{
    SetHorizontal(false);

    // The buttons are parts of the legend, not plot objects of their own:
    // they only ask the legend to repaint.
    TkPlotObjectCallbacks buttonCallbacks;
    buttonCallbacks.OnChange = [this](TObject*) { DoChange(); };
    FUpButton = new TkPlotLegendButton(AOwner, buttonCallbacks, true);
    FDownButton = new TkPlotLegendButton(AOwner, buttonCallbacks, false);
    FUpButton->OnClick = [this](TObject*) { ScrollUp(); };
    FDownButton->OnClick = [this](TObject*) { ScrollDown(); };
    for (TkPlotLegendButton* button : {FUpButton, FDownButton}) {
        button->OnButtonChange = [this](TObject*) { InvalidateNow(); };
        button->SetVisible(false);
    }
}

TkPlotLegend::~TkPlotLegend()
{
    for (TkPlotLegendButton* button : {FUpButton, FDownButton}) {
        button->Callbacks = {};
        button->OnButtonChange = nullptr;
        TkPlotObject::Free(button);
    }
}

bool TkPlotLegend::AtLeastOne(int& Count)
{
    Count = std::max(Count, 1);
    return true;
}

// ---- cell texts

TkPlotAxis* TkPlotLegend::XAxisOf(const TkPlotReadoutChannel& Channel) const
{
    const TkPlotKindManager* axes = Master ? Master->XAxisManager() : nullptr;
    return axes ? static_cast<TkPlotAxis*>(axes->FindByName(Channel.XAxisName())) : nullptr;
}

TkPlotAxis* TkPlotLegend::YAxisOf(const TkPlotReadoutChannel& Channel) const
{
    const TkPlotKindManager* axes = Master ? Master->YAxisManager() : nullptr;
    return axes ? static_cast<TkPlotAxis*>(axes->FindByName(Channel.YAxisName())) : nullptr;
}

std::string TkPlotLegend::NameText(const TkPlotReadoutChannel& Channel) const
{
    const std::string title = Channel.TitleText();
    return Blank(title) ? Channel.GetName() : title;
}

bool TkPlotLegend::ValueColumnShown(TColumn Column) const
{
    switch (Column) {
    case colXValue: return FCursorValuesMode || FShowColumnXValue;
    case colYValue: return FCursorValuesMode || FShowColumnYValue;
    case colYMax: return FShowColumnYMax;
    case colYMin: return FShowColumnYMin;
    case colYMean: return FShowColumnYMean;
    default: return false;
    }
}

std::string TkPlotLegend::CellText(TColumn Column, const TkPlotLegendItem& Item)
{
    const TkPlotReadoutChannel& channel = *Item.Channel;
    const TkPlotLegendChannelData& d = Item.Data;
    switch (Column) {
    case colName: return NameText(channel);
    case colXAxis:
    case colYAxis: {
        TkPlotAxis* axis = Column == colXAxis ? XAxisOf(channel) : YAxisOf(channel);
        if (!axis)
            return TranslateText("None");
        return Blank(axis->GetTitle()) ? axis->GetName() : axis->GetTitle();
    }
    default: break;
    }
    if (FCursorValuesMode && Column == colXValue)
        return d.CursorXText;
    if (FCursorValuesMode && Column == colYValue)
        return d.CursorYText;
    if (d.Count == 0)
        return TranslateText("Empty");
    TkPlotAxis* axis = Column == colXValue ? XAxisOf(channel) : YAxisOf(channel);
    if (!axis)
        return TranslateText("N/A");
    switch (Column) {
    case colXValue: return axis->GetLegendText(d.LastX);
    case colYValue: return axis->GetLegendText(d.LastY);
    case colYMax: return axis->GetLegendText(d.YMax);
    case colYMin: return axis->GetLegendText(d.YMin);
    default: return axis->GetLegendText(d.YMean);
    }
}

// ---- layout

void TkPlotLegend::CollectItems()
{
    FItems.clear();
    const TkPlotKindManager* channels = Master ? Master->ChannelManager() : nullptr;
    if (!channels)
        return;
    for (int i = 0; i < channels->GetCount(); ++i) {
        TkPlotLegendItem item;
        item.Channel = static_cast<TkPlotReadoutChannel*>(channels->GetObject(i));
        item.Data = item.Channel->LegendData();
        if (item.Data.VisibleInLegend)
            FItems.push_back(item);
    }
}

void TkPlotLegend::MeasureColumns(TCanvas* Canvas)
{
    for (TColumnLayout& c : FColumns)
        c = TColumnLayout{};
    FColumns[colLine].Shown = FShowColumnLine;
    FColumns[colMarker].Shown = FShowColumnMarker;
    FColumns[colName].Shown = true;
    FColumns[colXAxis].Shown = FShowColumnXAxisTitle;
    FColumns[colYAxis].Shown = FShowColumnYAxisTitle;
    for (int c = colXValue; c <= colYMean; ++c)
        FColumns[c].Shown = ValueColumnShown(TColumn(c));

    FColumns[colLine].Width = SatAdd(FLineColumnWidth, 3);
    FColumns[colMarker].Width = SatAdd(FLineColumnWidth, 3);

    const int zeroWidth = MultiLineTextWidth(Canvas, "0");
    if (FChannelNameMaxWidth == 0) {
        int widest = 0;
        for (TFont* font : {FFont.get(), FSelectedItemFont.get()}) {
            Canvas->Font->Assign(font);
            for (const TkPlotLegendItem& item : FItems)
                widest = std::max(widest, MultiLineTextWidth(Canvas, NameText(*item.Channel)));
        }
        FColumns[colName].Width = widest;
    } else {
        FColumns[colName].Width = RoundPixel(zeroWidth * FChannelNameMaxWidth);
    }

    for (int c = colXAxis; c <= colYMean; ++c) {
        TColumnLayout& column = FColumns[c];
        if (!column.Shown)
            continue;
        int width = 0;
        if (FColumnTitlesVisible) {
            Canvas->Font->Assign(FColumnTitlesFont.get());
            width = MultiLineTextWidth(Canvas, TranslateText(FCaption.Of(c - colName)));
        }
        Canvas->Font->Assign(FFont.get());
        for (TkPlotLegendItem& item : FItems) {
            width = std::max(width, MultiLineTextWidth(Canvas, CellText(TColumn(c), item)));
            if (c >= colXValue) {
                TkPlotAxis* axis = c == colXValue ? XAxisOf(*item.Channel) : YAxisOf(*item.Channel);
                if (axis) {
                    const bool cursor = FCursorValuesMode && c <= colYValue;
                    width = std::max(width, cursor ? axis->GetCursorMinWidth(Canvas) : axis->GetLegendMinWidth(Canvas));
                    Canvas->Font->Assign(FFont.get());
                }
            }
        }
        column.Width = width;
    }

    // The group ends with its last column: no spacing follows it. Measures
    // set beyond any screen saturate instead of wrapping round.
    FGroupWidth = 0;
    int offset = 0;
    for (TColumnLayout& column : FColumns) {
        if (!column.Shown)
            continue;
        column.Offset = offset;
        FGroupWidth = std::max(0, SatAdd(offset, column.Width));
        offset = SatAdd(offset, column.Width, FPixColumnSpacing);
    }

    Canvas->Font->Assign(FFont.get());
    FRowHeight = MultiLineTextHeight(Canvas, "0");
    if (FChannelNameMaxWidth != 0) {
        int tallest = 0;
        for (TFont* font : {FFont.get(), FSelectedItemFont.get()}) {
            Canvas->Font->Assign(font);
            for (const TkPlotLegendItem& item : FItems)
                tallest = std::max(tallest,
                                   WordWrapTextHeight(Canvas, NameText(*item.Channel), FColumns[colName].Width));
        }
        FRowHeight = tallest;
    }
    FTitleHeight = 0;
    FTitleGap = 0;
    if (FColumnTitlesVisible) {
        Canvas->Font->Assign(FColumnTitlesFont.get());
        FTitleHeight = MultiLineTextHeight(Canvas, "0");
        FTitleGap = FTitleHeight / 4;
    }
}

void TkPlotLegend::CalcLayout(TCanvas* Canvas)
{
    Canvas->Font->Assign(FFont.get());
    const int c = MultiLineTextWidth(Canvas, "0");
    const int h = MultiLineTextHeight(Canvas, "0");
    FPixMargins = FMargin.InPixels(c, h);
    FPixColumnSpacing = RoundPixel(c * FColumnSpacing);
    FPixRowSpacing = RoundPixel(h * FRowSpacing);
    const int minGroupSpacing = RoundPixel(h * FWrapColSpacingMin);
    FPixGroupSpacing = minGroupSpacing;

    CollectItems();
    const int n = static_cast<int>(FItems.size());
    FFirstVisible = std::clamp(FFirstVisible, 0, std::max(n - 1, 0));
    MeasureColumns(Canvas);

    const TRect& r = GetDrawRect();
    const int titleRow = SatAdd(FTitleHeight, FTitleGap);
    const int availWidth = SatSub(SatSub(SatSub(SatSub(r.Right, r.Left), FPixMargins.Left), FPixMargins.Right),
                                  IsHorizontal() ? ButtonRoom : 0);
    const int availHeight = SatSub(SatSub(SatSub(SatSub(r.Bottom, r.Top), FPixMargins.Top), FPixMargins.Bottom),
                                   titleRow);
    // Divisors are kept at 1 or more: columns or rows of no size, and
    // maximum counts of 0, would otherwise divide by zero.
    const int groupsFit = std::max(
        1, SatAdd(availWidth, minGroupSpacing) / std::max(1, SatAdd(FGroupWidth, minGroupSpacing)));
    const int rowsFit = std::max(1,
                                 SatAdd(availHeight, FPixRowSpacing) / std::max(1, SatAdd(FRowHeight, FPixRowSpacing)));
    // No more groups or rows than pixels, whatever the stored counts say.
    const int colMax = std::clamp(FWrapColAutoCountMax, 1, PixelLimit);
    const int rowMax = std::clamp(FWrapRowAutoCountMax, 1, PixelLimit);
    int g = FWrapColAutoCountEnabled ? colMax : std::min(FWrapColDesiredCount, PixelLimit);
    const int d = FWrapRowAutoCountEnabled ? rowMax : std::min(FWrapRowDesiredCount, PixelLimit);
    int rows = 0;
    if (n == 0) {
        g = 0;
    } else if (IsHorizontal()) {
        g = std::min(g, groupsFit);
        rows = FWrapRowAutoCountEnabled ? CeilDiv(n, g) : d;
        rows = std::min(rows, d);
        if (rows < 3 && SatMul(g, rows) < n)
            rows = 3;
        if (FWrapColAutoCountEnabled && CeilDiv(n, rows) < g)
            g = CeilDiv(n, rows);
    } else {
        if (FWrapColAutoCountEnabled)
            g = CeilDiv(n, rowsFit);
        g = std::min(g, colMax);
        rows = std::min({rowsFit, n, d});
        if (rows < 3 && SatMul(g, rows) < n)
            rows = 3;
    }
    FGroups = g;
    FRows = rows;

    // Spacings counted between groups and rows, never added then taken off
    // again: a saturated sum would lose what it took off.
    FRequiredWidth = SatAdd(SatMul(g, FGroupWidth), SatMul(std::max(g - 1, 0), minGroupSpacing), FPixMargins.Left,
                            FPixMargins.Right);
    FRequiredHeight = SatAdd(FPixMargins.Top, titleRow, SatMul(FRowHeight, rows), SatMul(FPixRowSpacing, rows - 1),
                             FPixMargins.Bottom);

    if (IsHorizontal() && FWrapColSpacingAuto && g >= 2)
        FPixGroupSpacing = std::max(minGroupSpacing, SatSub(availWidth, SatMul(g, FGroupWidth)) / (g - 1));
    if (IsVertical() && FWrapRowSpacingAuto && rows >= 2)
        FPixRowSpacing = std::max(FPixRowSpacing, SatSub(availHeight, SatMul(rows, FRowHeight)) / (rows - 1));

    PlaceButtons();
    PlaceItems();
}

void TkPlotLegend::PlaceButtons()
{
    const int n = static_cast<int>(FItems.size());
    const bool allFit = SatMul(FGroups, FRows) >= n;
    if (allFit || !GetEnabled()) {
        FUpButton->SetVisible(false);
        FDownButton->SetVisible(false);
        FFirstVisible = 0;
        return;
    }
    const int right = SatSub(GetDrawRect().Right, FPixMargins.Right);
    const int top = RowsTop();
    const int bottom = SatSub(GetDrawRect().Bottom, FPixMargins.Bottom);
    FUpButton->SetDrawRect(TRect(SatSub(right, ButtonSize), top, right, SatAdd(top, ButtonSize)));
    FDownButton->SetDrawRect(TRect(SatSub(right, ButtonSize), SatSub(bottom, ButtonSize), right, bottom));
    FUpButton->SetVisible(true);
    FDownButton->SetVisible(true);
    FUpButton->SetEnabled(FFirstVisible > 0);
    FDownButton->SetEnabled(FFirstVisible < n - 1);
    FRequiredWidth = SatAdd(FRequiredWidth, ButtonRoom);
}

int TkPlotLegend::RowsTop() const
{
    return SatAdd(GetDrawRect().Top, FPixMargins.Top, FTitleHeight, FTitleGap);
}

void TkPlotLegend::PlaceItems()
{
    const int left = SatAdd(GetDrawRect().Left, FPixMargins.Left);
    const int top = RowsTop();
    const int n = static_cast<int>(FItems.size());
    FGroupLefts.clear();
    for (int k = 0; k < FGroups; ++k)
        FGroupLefts.push_back(SatAdd(left, SatMul(SatAdd(FGroupWidth, FPixGroupSpacing), k)));
    int index = FFirstVisible;
    for (int k = 0; k < FGroups && index < n; ++k)
        for (int row = 0; row < FRows && index < n; ++row, ++index) {
            TkPlotLegendItem& item = FItems[index];
            item.Group = k + 1;
            item.Row = row + 1;
            item.GroupLeft = FGroupLefts[k];
            item.RowTop = SatAdd(top, SatMul(SatAdd(FRowHeight, FPixRowSpacing), row));
            item.RowHeight = FRowHeight;
            item.NameCell = CellRect(item, FColumns[colName]);
        }
    FLastVisible = index - 1;
}

int TkPlotLegend::GetRequiredSize(TCanvas* Canvas)
{
    CalcLayout(Canvas);
    return IsHorizontal() ? FRequiredHeight : FRequiredWidth;
}

void TkPlotLegend::ScrollUp()
{
    if (FFirstVisible > 0) {
        --FFirstVisible;
        DoChange();
    }
}

void TkPlotLegend::ScrollDown()
{
    if (FFirstVisible < static_cast<int>(FItems.size()) - 1) {
        ++FFirstVisible;
        DoChange();
    }
}

// ---- drawing

void TkPlotLegend::Draw(TCanvas* Canvas, TColor BackColor)
{
    if (!GetVisible())
        return;
    CalcLayout(Canvas);
    if (!FBackGroundTransparent) {
        Canvas->Brush->SetStyle(bsSolid);
        Canvas->Brush->SetColor(FBackGroundColor);
        Canvas->FillRect(GetDrawRect());
    }
    if (FColumnTitlesVisible)
        DrawColumnTitles(Canvas);
    for (const TkPlotLegendItem& item : FItems)
        item.Channel->SetLegendRect(TRect());
    for (int i = FFirstVisible; i <= FLastVisible; ++i)
        DrawItem(Canvas, FItems[i]);
    for (TkPlotLegendButton* button : {FUpButton, FDownButton})
        if (button->GetVisible())
            button->Draw(Canvas, BackColor);
    if (GetFocused())
        DrawFocusRectangle(Canvas, GetDrawRect());
}

void TkPlotLegend::DrawColumnTitles(TCanvas* Canvas)
{
    Canvas->Font->Assign(FColumnTitlesFont.get());
    Canvas->Brush->SetStyle(bsClear);
    const int top = SatAdd(GetDrawRect().Top, FPixMargins.Top);
    for (int left : FGroupLefts)
        for (int c = colName; c <= colYMean; ++c) {
            const TColumnLayout& column = FColumns[c];
            if (!column.Shown)
                continue;
            const int cellLeft = SatAdd(left, column.Offset);
            TRect cell(cellLeft, top, SatAdd(cellLeft, column.Width), SatAdd(top, FTitleHeight));
            TkTextFormat format = ktfSingleLine | ktfVCenter | ktfNoPrefix;
            if (c == colXAxis || c == colYAxis)
                format |= ktfCenter;
            else if (c >= colXValue)
                format |= ktfRight;
            DrawFormattedText(Canvas, TranslateText(FCaption.Of(c - colName)), cell, format, true);
        }
}

TColor TkPlotLegend::NameColor(const TkPlotLegendItem& Item) const
{
    switch (FChannelNameColorStyle) {
    case kplcncsChannelColor: return Item.Channel->TraceColor();
    case kplcncsXAxisFontColor:
    case kplcncsYAxisFontColor: {
        TkPlotAxis* axis = FChannelNameColorStyle == kplcncsXAxisFontColor ? XAxisOf(*Item.Channel)
                                                                           : YAxisOf(*Item.Channel);
        if (axis)
            return axis->GetLabelsFont()->GetColor();
        break;
    }
    default: break;
    }
    return Item.Channel->GetFocused() ? FSelectedItemFont->GetColor() : FFont->GetColor();
}

void TkPlotLegend::DrawLineSample(TCanvas* Canvas, const TkPlotLegendItem& Item, int Left)
{
    Canvas->Pen->SetColor(Item.Channel->TraceColor());
    Canvas->Pen->SetWidth(1);
    const int middle = SatAdd(Item.RowTop, Item.RowHeight / 2);
    const int first = SatSub(middle, (FLineColumnHeight - 1) / 2);
    // At the usual width the styles are drawn as fixed patterns with a
    // solid pen, so every sample looks alike whatever the pen can do.
    std::vector<std::pair<int, int>> segments;
    if (FLineColumnWidth == 13) {
        Canvas->Pen->SetStyle(psSolid);
        switch (Item.Data.TraceLineStyle) {
        case psSolid: segments = {{0, 13}}; break;
        case psDash: segments = {{0, 5}, {8, 13}}; break;
        case psDot: segments = {{0, 2}, {4, 6}, {8, 10}}; break;
        case psDashDot: segments = {{0, 5}, {7, 9}}; break;
        case psDashDotDot: segments = {{0, 5}, {7, 9}, {11, 13}}; break;
        default: break;
        }
    } else {
        Canvas->Pen->SetStyle(Item.Data.TraceLineStyle);
        segments = {{0, FLineColumnWidth}};
    }
    for (int row = 0; row < FLineColumnHeight; ++row)
        for (const auto& [start, end] : segments) {
            Canvas->MoveTo(SatAdd(Left, start), SatAdd(first, row));
            Canvas->LineTo(SatAdd(Left, end), SatAdd(first, row));
        }
    Canvas->Pen->SetStyle(psSolid);
}

TRect TkPlotLegend::CellRect(const TkPlotLegendItem& Item, const TColumnLayout& Column)
{
    const int left = SatAdd(Item.GroupLeft, Column.Offset);
    return TRect(left, Item.RowTop, SatAdd(left, Column.Width), SatAdd(Item.RowTop, Item.RowHeight));
}

void TkPlotLegend::DrawItem(TCanvas* Canvas, const TkPlotLegendItem& Item)
{
    TkPlotReadoutChannel& channel = *Item.Channel;
    channel.SetLegendRect(Item.NameCell);
    if (FColumns[colLine].Shown)
        DrawLineSample(Canvas, Item, SatAdd(Item.GroupLeft, FColumns[colLine].Offset));
    // A channel drawn without markers leaves its marker cell empty.
    if (FColumns[colMarker].Shown && channel.LegendMarkerShown())
        channel.DrawLegendMarker(Canvas, CellRect(Item, FColumns[colMarker]));

    TRect cell = Item.NameCell;
    if (channel.GetFocused()) {
        Canvas->Brush->SetStyle(bsSolid);
        Canvas->Brush->SetColor(FSelectedItemBackGroundColor);
        Canvas->FillRect(cell);
        Canvas->Font->Assign(FSelectedItemFont.get());
    } else {
        Canvas->Font->Assign(FFont.get());
    }
    Canvas->Brush->SetStyle(bsClear);
    Canvas->Font->SetColor(NameColor(Item));
    DrawFormattedText(Canvas, NameText(channel), cell, ktfWordBreak | ktfEndEllipsis | ktfNoPrefix, true);

    Canvas->Font->Assign(FFont.get());
    for (int c = colXAxis; c <= colYMean; ++c) {
        const TColumnLayout& column = FColumns[c];
        if (!column.Shown)
            continue;
        TRect box = CellRect(Item, column);
        const TkTextFormat format = ktfSingleLine | ktfVCenter | ktfNoPrefix | (c >= colXValue ? ktfRight : 0u);
        DrawFormattedText(Canvas, CellText(TColumn(c), Item), box, format, true);
    }
}

// ---- mouse and focus

TkPlotObject* TkPlotLegend::GetObjectAt(TPoint P)
{
    for (TkPlotLegendButton* button : {FUpButton, FDownButton})
        if (button->GetVisible() && PtInRect(button->GetDrawRect(), P))
            return button->GetObjectAt(P);
    for (int i = FFirstVisible; i <= FLastVisible && i < static_cast<int>(FItems.size()); ++i)
        if (PtInRect(FItems[i].NameCell, P))
            return FItems[i].Channel;
    return TkPlotLayoutObject::GetObjectAt(P);
}

void TkPlotLegend::DoMouseUp(const TkPlotMouseData& Mouse)
{
    if (GetPressed() && PtInRect(GetDrawRect(), Mouse.Received) && GetOwner())
        GetOwner()->DoObjectClick(this);
}

void TkPlotLegend::ObjectFocused(TkPlotObject* Object)
{
    if (Object != this)
        SetFocused(false);
}

void TkPlotLegend::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotLayoutObject::BuildPopupMenu(Menu);
    AddEditMenuItem(Menu);
}
