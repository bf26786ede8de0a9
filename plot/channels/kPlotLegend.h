#pragma once
// The list of the plot's channels in rows: a line sample, a marker, the
// channel's name and optional columns of axis titles and values. Rows wrap
// into column groups; when not all fit, two scroll buttons page through
// them. Clicking a row selects its channel.
#include <memory>
#include <string>
#include <vector>

#include "plot/channels/kPlotCharMargins.h"
#include "plot/channels/kPlotReadoutChannel.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kPlotButton.h"
#include "plot/core/kPlotLayoutObject.h"
#include "plot/core/kPlotPixels.h"
#include "ui/Pen.h"

class TkPlotAxis;
class TkPlotLegendButton;
class TkPlotMasterManager;

PUBLISHED_ENUM(TkPlotLegendChannelNameColorStyle, kplcncsFont, kplcncsChannelColor, kplcncsXAxisFontColor,
               kplcncsYAxisFontColor);

// The column titles, one published string each.
struct TkPlotLegendCaptions {
    std::string ColumnTitle = "Title";
    std::string ColumnXAxisTitle = "X-Axis";
    std::string ColumnYAxisTitle = "Y-Axis";
    std::string ColumnXValue = "X";
    std::string ColumnYValue = "Y";
    std::string ColumnYMax = "Y-Max";
    std::string ColumnYMin = "Y-Min";
    std::string ColumnYMean = "Y-Mean";

    // The title of column Index, 0 for the name column.
    const std::string& Of(int Index) const;
};

// One listed channel, rebuilt at every layout.
struct TkPlotLegendItem {
    TkPlotReadoutChannel* Channel = nullptr;
    int Group = 0;  // 1-based column group
    int Row = 0;    // 1-based row in the group
    int GroupLeft = 0;
    int RowTop = 0;
    int RowHeight = 0;
    TRect NameCell;  // empty while the row is not shown
    TkPlotLegendChannelData Data;
};

namespace TkPlotObjectKind {
extern const TkPlotKind Legend;
}  // namespace TkPlotObjectKind

class TkPlotLegend : public TkPlotLayoutObject {
    PUBLISHED_CLASS(TkPlotLegend);

public:
    TkPlotLegend(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // The plot, whose channels the legend lists with their axes; none: an
    // empty list.
    TkPlotMasterManager* Master = nullptr;

    // Cursor-values mode: the value columns show the data cursor's
    // readouts whatever ShowColumnXValue and ShowColumnYValue say. The
    // data cursors set it at each paint.
    bool GetCursorValuesMode() const { return FCursorValuesMode; }
    void SetCursorValuesMode(bool Value) { FCursorValuesMode = Value; }

    // ---- layout results
    void CalcLayout(TCanvas* Canvas);
    const std::vector<TkPlotLegendItem>& GetItems() const { return FItems; }
    int GetScrollPosition() const { return FFirstVisible; }
    int GetLastVisibleIndex() const { return FLastVisible; }
    int GetGroupCount() const { return FGroups; }
    int GetRowCount() const { return FRows; }
    int GetRequiredWidth() const { return FRequiredWidth; }
    int GetRequiredHeight() const { return FRequiredHeight; }
    TkPlotLegendButton* GetScrollUpButton() const { return FUpButton; }
    TkPlotLegendButton* GetScrollDownButton() const { return FDownButton; }
    void ScrollUp();
    void ScrollDown();

    int GetRequiredSize(TCanvas* Canvas) override;
    void Draw(TCanvas* Canvas, TColor BackColor) override;
    TkPlotObject* GetObjectAt(TPoint P) override;
    void ObjectFocused(TkPlotObject* Object) override;
    void BuildPopupMenu(TPopupMenu* Menu) override;

    // ---- published properties
    PUBLISHED_GROUP(TkPlotCharMargins, Margin, (TkPlotCharMargins{1, 1, 1, 1}), DoLayoutChange(), Left, Top, Right,
                    Bottom);
    PUBLISHED(TColor, BackGroundColor, clGray, DoChange());
    PUBLISHED(bool, BackGroundTransparent, true, DoChange());
    PUBLISHED(TColor, SelectedItemBackGroundColor, clYellow, DoChange());
    PUBLISHED_FONT(SelectedItemFont, (TkFontLook{.Color = clBlack}), DoLayoutChange());
    PUBLISHED(bool, ShowColumnLine, true, DoLayoutChange());
    PUBLISHED(bool, ShowColumnMarker, false, DoLayoutChange());
    PUBLISHED(bool, ShowColumnXAxisTitle, false, DoLayoutChange());
    PUBLISHED(bool, ShowColumnYAxisTitle, false, DoLayoutChange());
    PUBLISHED(bool, ShowColumnXValue, false, DoLayoutChange());
    PUBLISHED(bool, ShowColumnYValue, false, DoLayoutChange());
    PUBLISHED(bool, ShowColumnYMax, false, DoLayoutChange());
    PUBLISHED(bool, ShowColumnYMin, false, DoLayoutChange());
    PUBLISHED(bool, ShowColumnYMean, false, DoLayoutChange());
    PUBLISHED_GROUP(TkPlotLegendCaptions, Caption, TkPlotLegendCaptions{}, DoLayoutChange(), ColumnTitle,
                    ColumnXAxisTitle, ColumnYAxisTitle, ColumnXValue, ColumnYValue, ColumnYMax, ColumnYMin,
                    ColumnYMean);
    PUBLISHED_FONT(Font, (TkFontLook{.Color = clWhite}), DoLayoutChange());
    PUBLISHED(double, ColumnSpacing, 0.5, DoLayoutChange());
    PUBLISHED(double, RowSpacing, 0.25, DoLayoutChange());
    PUBLISHED(int, WrapColDesiredCount, 1, DoLayoutChange(), AtLeastOne);
    PUBLISHED(bool, WrapColAutoCountEnabled, false, DoLayoutChange());
    PUBLISHED(int, WrapColAutoCountMax, 100, DoLayoutChange());
    PUBLISHED(double, WrapColSpacingMin, 2, DoLayoutChange());
    PUBLISHED(bool, WrapColSpacingAuto, true, DoLayoutChange());
    PUBLISHED(int, WrapRowDesiredCount, 5, DoLayoutChange(), AtLeastOne);
    PUBLISHED(bool, WrapRowAutoCountEnabled, true, DoLayoutChange());
    PUBLISHED(int, WrapRowAutoCountMax, 100, DoLayoutChange());
    // Another name of RowSpacing.
    PUBLISHED_VIA(double, WrapRowSpacingMin, FRowSpacing, SetRowSpacing(Value));
    PUBLISHED(bool, WrapRowSpacingAuto, false, DoLayoutChange());
    PUBLISHED(bool, ColumnTitlesVisible, false, DoLayoutChange());
    PUBLISHED_FONT(ColumnTitlesFont, (TkFontLook{.Style = TFontStyles{fsBold}, .Color = clAqua}), DoLayoutChange());
    PUBLISHED(double, ChannelNameMaxWidth, 0, DoLayoutChange());
    PUBLISHED(TkPlotLegendChannelNameColorStyle, ChannelNameColorStyle, kplcncsFont, DoChange());
    PUBLISHED(int, LineColumnWidth, 13, DoLayoutChange(), KeepPixel);
    PUBLISHED(int, LineColumnHeight, 3, DoChange(), KeepPixel);

protected:
    ~TkPlotLegend() override;
    void DoMouseUp(const TkPlotMouseData& Mouse) override;

private:
    // The columns in their order within a group.
    enum TColumn {
        colLine,
        colMarker,
        colName,
        colXAxis,
        colYAxis,
        colXValue,
        colYValue,
        colYMax,
        colYMin,
        colYMean,
        colCount
    };
    struct TColumnLayout {
        bool Shown = false;
        int Width = 0;
        int Offset = 0;  // from the group's left edge
    };

    // A row or column count of at least one.
    static bool AtLeastOne(int& Count);
    TkPlotAxis* XAxisOf(const TkPlotReadoutChannel& Channel) const;
    TkPlotAxis* YAxisOf(const TkPlotReadoutChannel& Channel) const;
    std::string NameText(const TkPlotReadoutChannel& Channel) const;
    std::string CellText(TColumn Column, const TkPlotLegendItem& Item);
    bool ValueColumnShown(TColumn Column) const;
    void CollectItems();
    void MeasureColumns(TCanvas* Canvas);
    void PlaceItems();
    void PlaceButtons();
    // The top of the first row, below the margin and the column titles.
    int RowsTop() const;
    // A column's cell in an item's row.
    static TRect CellRect(const TkPlotLegendItem& Item, const TColumnLayout& Column);
    void DrawColumnTitles(TCanvas* Canvas);
    void DrawItem(TCanvas* Canvas, const TkPlotLegendItem& Item);
    void DrawLineSample(TCanvas* Canvas, const TkPlotLegendItem& Item, int Left);
    TColor NameColor(const TkPlotLegendItem& Item) const;

    bool FCursorValuesMode = false;
    TkPlotLegendButton* FUpButton = nullptr;
    TkPlotLegendButton* FDownButton = nullptr;
    std::vector<TkPlotLegendItem> FItems;
    std::vector<int> FGroupLefts;
    int FFirstVisible = 0;
    int FLastVisible = -1;
    // Pixel measures of the last layout.
    TkPlotCharMargins::TPixels FPixMargins;
    int FPixColumnSpacing = 0;
    int FPixRowSpacing = 0;
    int FPixGroupSpacing = 0;
    int FTitleHeight = 0;
    int FTitleGap = 0;
    int FRowHeight = 0;
    TColumnLayout FColumns[colCount];
    int FGroupWidth = 0;
    int FGroups = 0;
    int FRows = 0;
    int FRequiredWidth = 0;
    int FRequiredHeight = 0;
};
