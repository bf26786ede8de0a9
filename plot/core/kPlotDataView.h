#pragma once
// The plotting area. It paints its background, the grid lines at the ticks
// of its grid axes and its border, converts between pixels and percent
// positions for the objects drawn inside it, and lets the user move and
// zoom the axes with the mouse and wheel or draw a zoom box.
#include <cstdint>
#include <string>
#include <vector>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotObjects.h"

enum TkPlotAxesControlStyle { kpacsXAxis, kpacsYAxis, kpacsBoth, kpacsNone };

// What a press and drag in the data view does (GetAxesControlMode).
enum class TkPlotAxesControlMode { None = 0, ZoomBox = 1, BlockedBySelect = 2, AxesControl = 3 };

namespace TkPlotObjectKind {
extern const TkPlotKind DataView;
}  // namespace TkPlotObjectKind

class TkPlotDataView : public TkPlotLayoutObject {
public:
    TkPlotDataView(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { SetProperty(Value, FTitle, &TkPlotObject::DoChange); }
    bool GetBackgroundTransparent() const { return FBackgroundTransparent; }
    void SetBackgroundTransparent(bool Value) { SetProperty(Value, FBackgroundTransparent, &TkPlotObject::DoChange); }
    TColor GetBackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value) { SetProperty(Value, FBackgroundColor, &TkPlotObject::DoChange); }

    // The axes whose ticks the grid follows, by name; "<ALL>" in any case
    // means every axis of the kind.
    const std::string& GetGridXAxisName() const { return FGridXAxisName; }
    void SetGridXAxisName(const std::string& Value) { SetProperty(Value, FGridXAxisName, &TkPlotObject::DoChange); }
    const std::string& GetGridYAxisName() const { return FGridYAxisName; }
    void SetGridYAxisName(const std::string& Value) { SetProperty(Value, FGridYAxisName, &TkPlotObject::DoChange); }

    bool GetGridShow() const { return FGridShow; }
    void SetGridShow(bool Value) { SetProperty(Value, FGridShow, &TkPlotObject::DoChange); }
    TColor GetGridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value) { SetProperty(Value, FGridLineColor, &TkPlotObject::DoChange); }
    bool GetGridLineShowLeft() const { return FGridLineShowLeft; }
    void SetGridLineShowLeft(bool Value) { SetProperty(Value, FGridLineShowLeft, &TkPlotObject::DoChange); }
    bool GetGridLineShowRight() const { return FGridLineShowRight; }
    void SetGridLineShowRight(bool Value) { SetProperty(Value, FGridLineShowRight, &TkPlotObject::DoChange); }
    bool GetGridLineShowTop() const { return FGridLineShowTop; }
    void SetGridLineShowTop(bool Value) { SetProperty(Value, FGridLineShowTop, &TkPlotObject::DoChange); }
    bool GetGridLineShowBottom() const { return FGridLineShowBottom; }
    void SetGridLineShowBottom(bool Value) { SetProperty(Value, FGridLineShowBottom, &TkPlotObject::DoChange); }
    bool GetGridLineShowXMajors() const { return FGridLineShowXMajors; }
    void SetGridLineShowXMajors(bool Value) { SetProperty(Value, FGridLineShowXMajors, &TkPlotObject::DoChange); }
    bool GetGridLineShowXMinors() const { return FGridLineShowXMinors; }
    void SetGridLineShowXMinors(bool Value) { SetProperty(Value, FGridLineShowXMinors, &TkPlotObject::DoChange); }
    bool GetGridLineShowYMajors() const { return FGridLineShowYMajors; }
    void SetGridLineShowYMajors(bool Value) { SetProperty(Value, FGridLineShowYMajors, &TkPlotObject::DoChange); }
    bool GetGridLineShowYMinors() const { return FGridLineShowYMinors; }
    void SetGridLineShowYMinors(bool Value) { SetProperty(Value, FGridLineShowYMinors, &TkPlotObject::DoChange); }
    TkPlotGridLineStyle GetGridLineMajorStyle() const { return FGridLineMajorStyle; }
    void SetGridLineMajorStyle(TkPlotGridLineStyle Value)
    {
        SetProperty(Value, FGridLineMajorStyle, &TkPlotObject::DoChange);
    }
    TkPlotGridLineStyle GetGridLineMinorStyle() const { return FGridLineMinorStyle; }
    void SetGridLineMinorStyle(TkPlotGridLineStyle Value)
    {
        SetProperty(Value, FGridLineMinorStyle, &TkPlotObject::DoChange);
    }

    // Pens of their own for each kind of grid line, used when its Custom
    // flag is on.
    bool GetGridLineXMajorCustom() const { return FXMajor.Custom; }
    void SetGridLineXMajorCustom(bool Value) { SetProperty(Value, FXMajor.Custom, &TkPlotObject::DoChange); }
    bool GetGridLineXMinorCustom() const { return FXMinor.Custom; }
    void SetGridLineXMinorCustom(bool Value) { SetProperty(Value, FXMinor.Custom, &TkPlotObject::DoChange); }
    bool GetGridLineYMajorCustom() const { return FYMajor.Custom; }
    void SetGridLineYMajorCustom(bool Value) { SetProperty(Value, FYMajor.Custom, &TkPlotObject::DoChange); }
    bool GetGridLineYMinorCustom() const { return FYMinor.Custom; }
    void SetGridLineYMinorCustom(bool Value) { SetProperty(Value, FYMinor.Custom, &TkPlotObject::DoChange); }
    TColor GetGridLineXMajorColor() const { return FXMajor.Color; }
    void SetGridLineXMajorColor(TColor Value) { SetProperty(Value, FXMajor.Color, &TkPlotObject::DoChange); }
    TColor GetGridLineXMinorColor() const { return FXMinor.Color; }
    void SetGridLineXMinorColor(TColor Value) { SetProperty(Value, FXMinor.Color, &TkPlotObject::DoChange); }
    TColor GetGridLineYMajorColor() const { return FYMajor.Color; }
    void SetGridLineYMajorColor(TColor Value) { SetProperty(Value, FYMajor.Color, &TkPlotObject::DoChange); }
    TColor GetGridLineYMinorColor() const { return FYMinor.Color; }
    void SetGridLineYMinorColor(TColor Value) { SetProperty(Value, FYMinor.Color, &TkPlotObject::DoChange); }
    int GetGridLineXMajorWidth() const { return FXMajor.Width; }
    void SetGridLineXMajorWidth(int Value) { SetProperty(Value, FXMajor.Width, &TkPlotObject::DoChange); }
    int GetGridLineXMinorWidth() const { return FXMinor.Width; }
    void SetGridLineXMinorWidth(int Value) { SetProperty(Value, FXMinor.Width, &TkPlotObject::DoChange); }
    int GetGridLineYMajorWidth() const { return FYMajor.Width; }
    void SetGridLineYMajorWidth(int Value) { SetProperty(Value, FYMajor.Width, &TkPlotObject::DoChange); }
    int GetGridLineYMinorWidth() const { return FYMinor.Width; }
    void SetGridLineYMinorWidth(int Value) { SetProperty(Value, FYMinor.Width, &TkPlotObject::DoChange); }
    TkPlotGridLineStyle GetGridLineXMajorStyle() const { return FXMajor.Style; }
    void SetGridLineXMajorStyle(TkPlotGridLineStyle Value)
    {
        SetProperty(Value, FXMajor.Style, &TkPlotObject::DoChange);
    }
    TkPlotGridLineStyle GetGridLineXMinorStyle() const { return FXMinor.Style; }
    void SetGridLineXMinorStyle(TkPlotGridLineStyle Value)
    {
        SetProperty(Value, FXMinor.Style, &TkPlotObject::DoChange);
    }
    TkPlotGridLineStyle GetGridLineYMajorStyle() const { return FYMajor.Style; }
    void SetGridLineYMajorStyle(TkPlotGridLineStyle Value)
    {
        SetProperty(Value, FYMajor.Style, &TkPlotObject::DoChange);
    }
    TkPlotGridLineStyle GetGridLineYMinorStyle() const { return FYMinor.Style; }
    void SetGridLineYMinorStyle(TkPlotGridLineStyle Value)
    {
        SetProperty(Value, FYMinor.Style, &TkPlotObject::DoChange);
    }

    // Moving and zooming the axes with the mouse and wheel. Only stored:
    // nothing on screen changes with them.
    bool GetAxesControlEnabled() const { return FAxesControlEnabled; }
    void SetAxesControlEnabled(bool Value) { FAxesControlEnabled = Value; }
    TkPlotAxesControlStyle GetAxesControlMouseStyle() const { return FAxesControlMouseStyle; }
    void SetAxesControlMouseStyle(TkPlotAxesControlStyle Value) { FAxesControlMouseStyle = Value; }
    TkPlotAxesControlStyle GetAxesControlWheelStyle() const { return FAxesControlWheelStyle; }
    void SetAxesControlWheelStyle(TkPlotAxesControlStyle Value) { FAxesControlWheelStyle = Value; }
    bool GetAxesControlAllowInSelectMode() const { return FAxesControlAllowInSelectMode; }
    void SetAxesControlAllowInSelectMode(bool Value)
    {
        SetProperty(Value, FAxesControlAllowInSelectMode, &TkPlotObject::DoChange);
    }

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
        bool Custom = false;
        TColor Color = clGreen;
        int Width = 0;
        TkPlotGridLineStyle Style = kpglsSolid;
    };
    std::vector<TkPlotAxis*> Axes(const TkPlotKind& Kind) const;
    void DrawGrid(TCanvas* Canvas, const TkPlotKind& Kind, const std::string& AxisName, const TGridPen& Major,
                  const TGridPen& Minor, bool ShowMinors, bool ShowMajors);
    void DrawBorder(TCanvas* Canvas, TColor Color, int BottomExtra);
    void DisableTracking();
    // The kinds of axes a drag or wheel in axes control goes to.
    void ChosenKinds(TkPlotAxesControlStyle Style, bool ShiftHeld, bool& XAxes, bool& YAxes) const;

    std::string FTitle;
    bool FBackgroundTransparent = true;
    TColor FBackgroundColor = clTeal;
    std::string FGridXAxisName;
    std::string FGridYAxisName;
    bool FGridShow = true;
    TColor FGridLineColor = clGreen;
    bool FGridLineShowLeft = true;
    bool FGridLineShowRight = true;
    bool FGridLineShowTop = true;
    bool FGridLineShowBottom = true;
    bool FGridLineShowXMajors = true;
    bool FGridLineShowXMinors = false;
    bool FGridLineShowYMajors = true;
    bool FGridLineShowYMinors = false;
    TkPlotGridLineStyle FGridLineMajorStyle = kpglsSolid;
    TkPlotGridLineStyle FGridLineMinorStyle = kpglsSolid;
    TGridPen FXMajor;
    TGridPen FXMinor;
    TGridPen FYMajor;
    TGridPen FYMinor;
    bool FAxesControlEnabled = false;
    TkPlotAxesControlStyle FAxesControlMouseStyle = kpacsBoth;
    TkPlotAxesControlStyle FAxesControlWheelStyle = kpacsXAxis;
    bool FAxesControlAllowInSelectMode = false;

    // The mouse, from a press to its release.
    bool FLeftDown = false;
    bool FRightDown = false;
    bool FZoomBoxActive = false;
    TPoint FBoxStart;
    TPoint FBoxEnd;
    bool FLocked = false;
    bool FLockedToX = false;
};
