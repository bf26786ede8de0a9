#pragma once
// The list of the plot's channels in rows: a line sample, a marker, the
// channel's name and optional columns of axis titles and values. Rows wrap
// into column groups; when not all fit, two scroll buttons page through
// them. Clicking a row selects its channel.
#include <memory>
#include <string>
#include <vector>

#include "plot/channels/kPlotChannelCustom.h"
#include "plot/channels/kPlotCharMargins.h"
#include "plot/core/kPlotObjects.h"
#include "ui/Pen.h"

class TFont;
class TkPlotAxis;
class TkPlotLegend;
class TkPlotMasterManager;

enum TkPlotLegendChannelNameColorStyle {
    kplcncsFont,
    kplcncsChannelColor,
    kplcncsXAxisFontColor,
    kplcncsYAxisFontColor,
};

// One listed channel, rebuilt at every layout.
struct TkPlotLegendItem {
    TkPlotChannelCustom* Channel = nullptr;
    int Group = 0;  // 1-based column group
    int Row = 0;    // 1-based row in the group
    int GroupLeft = 0;
    int RowTop = 0;
    int RowHeight = 0;
    TRect NameCell;  // empty while the row is not shown
    TkPlotLegendChannelData Data;
};

// A scroll button of the legend: a square with a small triangle.
class TkPlotLegendButton : public TkPlotButton {
public:
    TkPlotLegendButton(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks, bool AUp);

    bool IsUp() const { return FUp; }
    void Draw(TCanvas* Canvas, TColor BackColor) override;

protected:
    ~TkPlotLegendButton() override = default;

private:
    bool FUp;
};

namespace TkPlotObjectKind {
extern const TkPlotKind Legend;
}  // namespace TkPlotObjectKind

class TkPlotLegend : public TkPlotLayoutObject {
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
    double GetMarginLeft() const { return FMargins.Left; }
    void SetMarginLeft(double Value);
    double GetMarginTop() const { return FMargins.Top; }
    void SetMarginTop(double Value);
    double GetMarginRight() const { return FMargins.Right; }
    void SetMarginRight(double Value);
    double GetMarginBottom() const { return FMargins.Bottom; }
    void SetMarginBottom(double Value);
    TColor GetBackGroundColor() const { return FBackGroundColor; }
    void SetBackGroundColor(TColor Value);
    bool GetBackGroundTransparent() const { return FBackGroundTransparent; }
    void SetBackGroundTransparent(bool Value);
    TColor GetSelectedItemBackGroundColor() const { return FSelectedItemBackGroundColor; }
    void SetSelectedItemBackGroundColor(TColor Value);
    TFont* GetSelectedItemFont() const { return FSelectedItemFont.get(); }
    bool GetShowColumnLine() const { return FShowColumnLine; }
    void SetShowColumnLine(bool Value);
    bool GetShowColumnMarker() const { return FShowColumnMarker; }
    void SetShowColumnMarker(bool Value);
    bool GetShowColumnXAxisTitle() const { return FShowColumnXAxisTitle; }
    void SetShowColumnXAxisTitle(bool Value);
    bool GetShowColumnYAxisTitle() const { return FShowColumnYAxisTitle; }
    void SetShowColumnYAxisTitle(bool Value);
    bool GetShowColumnXValue() const { return FShowColumnXValue; }
    void SetShowColumnXValue(bool Value);
    bool GetShowColumnYValue() const { return FShowColumnYValue; }
    void SetShowColumnYValue(bool Value);
    bool GetShowColumnYMax() const { return FShowColumnYMax; }
    void SetShowColumnYMax(bool Value);
    bool GetShowColumnYMin() const { return FShowColumnYMin; }
    void SetShowColumnYMin(bool Value);
    bool GetShowColumnYMean() const { return FShowColumnYMean; }
    void SetShowColumnYMean(bool Value);
    const std::string& GetCaptionColumnTitle() const { return FCaptions[0]; }
    void SetCaptionColumnTitle(const std::string& Value) { SetCaption(0, Value); }
    const std::string& GetCaptionColumnXAxisTitle() const { return FCaptions[1]; }
    void SetCaptionColumnXAxisTitle(const std::string& Value) { SetCaption(1, Value); }
    const std::string& GetCaptionColumnYAxisTitle() const { return FCaptions[2]; }
    void SetCaptionColumnYAxisTitle(const std::string& Value) { SetCaption(2, Value); }
    const std::string& GetCaptionColumnXValue() const { return FCaptions[3]; }
    void SetCaptionColumnXValue(const std::string& Value) { SetCaption(3, Value); }
    const std::string& GetCaptionColumnYValue() const { return FCaptions[4]; }
    void SetCaptionColumnYValue(const std::string& Value) { SetCaption(4, Value); }
    const std::string& GetCaptionColumnYMax() const { return FCaptions[5]; }
    void SetCaptionColumnYMax(const std::string& Value) { SetCaption(5, Value); }
    const std::string& GetCaptionColumnYMin() const { return FCaptions[6]; }
    void SetCaptionColumnYMin(const std::string& Value) { SetCaption(6, Value); }
    const std::string& GetCaptionColumnYMean() const { return FCaptions[7]; }
    void SetCaptionColumnYMean(const std::string& Value) { SetCaption(7, Value); }
    TFont* GetFont() const { return FFont.get(); }
    double GetColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(double Value);
    // Two names of one setting.
    double GetRowSpacing() const { return FRowSpacing; }
    void SetRowSpacing(double Value);
    int GetWrapColDesiredCount() const { return FWrapColDesiredCount; }
    void SetWrapColDesiredCount(int Value);
    bool GetWrapColAutoCountEnabled() const { return FWrapColAutoCountEnabled; }
    void SetWrapColAutoCountEnabled(bool Value);
    int GetWrapColAutoCountMax() const { return FWrapColAutoCountMax; }
    void SetWrapColAutoCountMax(int Value);
    double GetWrapColSpacingMin() const { return FWrapColSpacingMin; }
    void SetWrapColSpacingMin(double Value);
    bool GetWrapColSpacingAuto() const { return FWrapColSpacingAuto; }
    void SetWrapColSpacingAuto(bool Value);
    int GetWrapRowDesiredCount() const { return FWrapRowDesiredCount; }
    void SetWrapRowDesiredCount(int Value);
    bool GetWrapRowAutoCountEnabled() const { return FWrapRowAutoCountEnabled; }
    void SetWrapRowAutoCountEnabled(bool Value);
    int GetWrapRowAutoCountMax() const { return FWrapRowAutoCountMax; }
    void SetWrapRowAutoCountMax(int Value);
    double GetWrapRowSpacingMin() const { return FRowSpacing; }
    void SetWrapRowSpacingMin(double Value) { SetRowSpacing(Value); }
    bool GetWrapRowSpacingAuto() const { return FWrapRowSpacingAuto; }
    void SetWrapRowSpacingAuto(bool Value);
    bool GetColumnTitlesVisible() const { return FColumnTitlesVisible; }
    void SetColumnTitlesVisible(bool Value);
    TFont* GetColumnTitlesFont() const { return FColumnTitlesFont.get(); }
    double GetChannelNameMaxWidth() const { return FChannelNameMaxWidth; }
    void SetChannelNameMaxWidth(double Value);
    TkPlotLegendChannelNameColorStyle GetChannelNameColorStyle() const { return FChannelNameColorStyle; }
    void SetChannelNameColorStyle(TkPlotLegendChannelNameColorStyle Value);
    int GetLineColumnWidth() const { return FLineColumnWidth; }
    void SetLineColumnWidth(int Value);
    int GetLineColumnHeight() const { return FLineColumnHeight; }
    void SetLineColumnHeight(int Value);

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

    void SetCaption(int Index, const std::string& Value);
    TkPlotAxis* XAxisOf(const TkPlotChannelCustom& Channel) const;
    TkPlotAxis* YAxisOf(const TkPlotChannelCustom& Channel) const;
    std::string NameText(const TkPlotChannelCustom& Channel) const;
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

    TkPlotCharMargins FMargins{1, 1, 1, 1};
    TColor FBackGroundColor = clGray;
    bool FBackGroundTransparent = true;
    TColor FSelectedItemBackGroundColor = clYellow;
    std::unique_ptr<TFont> FSelectedItemFont;
    bool FShowColumnLine = true;
    bool FShowColumnMarker = false;
    bool FShowColumnXAxisTitle = false;
    bool FShowColumnYAxisTitle = false;
    bool FShowColumnXValue = false;
    bool FShowColumnYValue = false;
    bool FShowColumnYMax = false;
    bool FShowColumnYMin = false;
    bool FShowColumnYMean = false;
    std::string FCaptions[8] = {"Title", "X-Axis", "Y-Axis", "X", "Y", "Y-Max", "Y-Min", "Y-Mean"};
    std::unique_ptr<TFont> FFont;
    double FColumnSpacing = 0.5;
    double FRowSpacing = 0.25;
    int FWrapColDesiredCount = 1;
    bool FWrapColAutoCountEnabled = false;
    int FWrapColAutoCountMax = 100;
    double FWrapColSpacingMin = 2;
    bool FWrapColSpacingAuto = true;
    int FWrapRowDesiredCount = 5;
    bool FWrapRowAutoCountEnabled = true;
    int FWrapRowAutoCountMax = 100;
    bool FWrapRowSpacingAuto = false;
    bool FColumnTitlesVisible = false;
    std::unique_ptr<TFont> FColumnTitlesFont;
    double FChannelNameMaxWidth = 0;
    TkPlotLegendChannelNameColorStyle FChannelNameColorStyle = kplcncsFont;
    int FLineColumnWidth = 13;
    int FLineColumnHeight = 3;

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
