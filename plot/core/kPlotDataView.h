#pragma once
// The plotting area. It paints its background, the grid lines at the ticks
// of its grid axes and its border, converts between pixels and percent
// positions for the objects drawn inside it, and lets the user move and
// zoom the axes with the mouse and wheel or draw a zoom box.
#include <cstdint>
#include <string>
#include <vector>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotLayoutObject.h"

PUBLISHED_ENUM(TkPlotAxesControlStyle, kpacsXAxis, kpacsYAxis, kpacsBoth, kpacsNone);

// What a press and drag in the data view does (GetAxesControlMode).
enum class TkPlotAxesControlMode { None = 0, ZoomBox = 1, BlockedBySelect = 2, AxesControl = 3 };

namespace TkPlotObjectKind {
extern const TkPlotKind DataView;
}  // namespace TkPlotObjectKind

class TkPlotDataView : public TkPlotLayoutObject {
    PUBLISHED_CLASS(TkPlotDataView);

public:
    TkPlotDataView(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    PUBLISHED(std::string, Title, "", DoChange());
    PUBLISHED(bool, BackgroundTransparent, true, DoChange());
    PUBLISHED(TColor, BackgroundColor, clTeal, DoChange());

    // The axes whose ticks the grid follows, by name; "<ALL>" in any case
    // means every axis of the kind.
    PUBLISHED(std::string, GridXAxisName, "", DoChange());
    PUBLISHED(std::string, GridYAxisName, "", DoChange());

    PUBLISHED(bool, GridShow, true, DoChange());
    PUBLISHED(TColor, GridLineColor, clGreen, DoChange());
    PUBLISHED(bool, GridLineShowLeft, true, DoChange());
    PUBLISHED(bool, GridLineShowRight, true, DoChange());
    PUBLISHED(bool, GridLineShowTop, true, DoChange());
    PUBLISHED(bool, GridLineShowBottom, true, DoChange());
    PUBLISHED(bool, GridLineShowXMajors, true, DoChange());
    PUBLISHED(bool, GridLineShowXMinors, false, DoChange());
    PUBLISHED(bool, GridLineShowYMajors, true, DoChange());
    PUBLISHED(bool, GridLineShowYMinors, false, DoChange());
    PUBLISHED(TkPlotGridLineStyle, GridLineMajorStyle, kpglsSolid, DoChange());
    PUBLISHED(TkPlotGridLineStyle, GridLineMinorStyle, kpglsSolid, DoChange());

    // Pens of their own for each kind of grid line, used when its Custom
    // flag is on.
    PUBLISHED(bool, GridLineXMajorCustom, false, DoChange());
    PUBLISHED(bool, GridLineXMinorCustom, false, DoChange());
    PUBLISHED(bool, GridLineYMajorCustom, false, DoChange());
    PUBLISHED(bool, GridLineYMinorCustom, false, DoChange());
    PUBLISHED(TColor, GridLineXMajorColor, clGreen, DoChange());
    PUBLISHED(TColor, GridLineXMinorColor, clGreen, DoChange());
    PUBLISHED(TColor, GridLineYMajorColor, clGreen, DoChange());
    PUBLISHED(TColor, GridLineYMinorColor, clGreen, DoChange());
    PUBLISHED(int, GridLineXMajorWidth, 0, DoChange());
    PUBLISHED(int, GridLineXMinorWidth, 0, DoChange());
    PUBLISHED(int, GridLineYMajorWidth, 0, DoChange());
    PUBLISHED(int, GridLineYMinorWidth, 0, DoChange());
    PUBLISHED(TkPlotGridLineStyle, GridLineXMajorStyle, kpglsSolid, DoChange());
    PUBLISHED(TkPlotGridLineStyle, GridLineXMinorStyle, kpglsSolid, DoChange());
    PUBLISHED(TkPlotGridLineStyle, GridLineYMajorStyle, kpglsSolid, DoChange());
    PUBLISHED(TkPlotGridLineStyle, GridLineYMinorStyle, kpglsSolid, DoChange());

    // Moving and zooming the axes with the mouse and wheel. Only stored:
    // nothing on screen changes with them.
    PUBLISHED(bool, AxesControlEnabled, false, );
    PUBLISHED(TkPlotAxesControlStyle, AxesControlMouseStyle, kpacsBoth, );
    PUBLISHED(TkPlotAxesControlStyle, AxesControlWheelStyle, kpacsXAxis, );
    PUBLISHED(bool, AxesControlAllowInSelectMode, false, DoChange());

    // Positions inside the view in percent of its width and height, Y
    // counted upward from the bottom edge. A view with no width or height
    // puts every pixel at 0 percent.
    double PixelsToPercentX(int X) const;
    double PixelsToPercentY(int Y) const;
    int PercentToPixelsX(double Percent) const;
    int PercentToPixelsY(double Percent) const;

    // The plot's paint pass: the background before every object, the zoom
    // box after them.
    void FillBackground(TCanvas* Canvas);
    void DrawZoomBox(TCanvas* Canvas);
    void Draw(TCanvas* Canvas, TColor BackColor) override;

    TkPlotAxesControlMode GetAxesControlMode() const;
    bool GetZoomBoxActive() const { return FZoomBoxActive; }
    // Every axis zooms to the box, unless the plot's handler cancels it.
    void ZoomToRect(const TRect& Rect);

    void ObjectRenamed(TkPlotObject* Object) override;
    void ObjectFocused(TkPlotObject* Object) override;
    TCursor GetMouseCursor(TPoint P) override;
    void KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu) override;
    void BuildPopupMenu(TPopupMenu* Menu) override;

protected:
    ~TkPlotDataView() override = default;

    void DoMouseLeftDown(const TkPlotMouseData& Mouse) override;
    void DoMouseRightDown(const TkPlotMouseData& Mouse) override;
    void DoMouseDrag(const TkPlotMouseData& Mouse) override;
    void DoMouseUp(const TkPlotMouseData& Mouse) override;
    bool DoMouseWheel(int WheelDelta, TShiftState Shift, TPoint Client) override;

private:
    struct TGridPen {
        bool Custom;
        TColor Color;
        int Width;
        TkPlotGridLineStyle Style;
    };
    std::vector<TkPlotAxis*> Axes(const TkPlotKind& Kind) const;
    void DrawGrid(TCanvas* Canvas, const TkPlotKind& Kind, const std::string& AxisName, const TGridPen& Major,
                  const TGridPen& Minor, bool ShowMinors, bool ShowMajors);
    void DrawBorder(TCanvas* Canvas, TColor Color, int BottomExtra);
    void DisableTracking();
    // The kinds of axes a drag or wheel in axes control goes to.
    void ChosenKinds(TkPlotAxesControlStyle Style, bool ShiftHeld, bool& XAxes, bool& YAxes) const;

    // The mouse, from a press to its release.
    bool FLeftDown = false;
    bool FRightDown = false;
    bool FZoomBoxActive = false;
    TPoint FBoxStart;
    TPoint FBoxEnd;
    bool FLocked = false;
    bool FLockedToX = false;
};
