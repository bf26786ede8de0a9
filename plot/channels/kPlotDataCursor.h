#pragma once
// A data cursor: one or two pointer lines across a data view, at positions
// in percent of it, and the readout that its channel (or every channel)
// computes there. The pointers move by key, snap to data points, and each
// change of the readout reaches the plot.
#include <cstdint>
#include <memory>
#include <string>

#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotManagerObject.h"
#include "plot/core/kPlotObjectNames.h"
#include "plot/core/kPlotTypedKindManager.h"
#include "ui/Color.h"

class TkPlotReadoutChannel;

PUBLISHED_ENUM(TkPlotDataCursorStyle, kpcsValueXY, kpcsValueX, kpcsValueY, kpcsDeltaX, kpcsDeltaY, kpcsInverseDeltaX);
PUBLISHED_ENUM(TkOrientationSide, kosBottomRight, kosTopLeft);

namespace TkPlotObjectKind {
extern const TkPlotKind DataCursor;
}  // namespace TkPlotObjectKind

class TkPlotDataCursor : public TkPlotManagerObject {
    PUBLISHED_CLASS(TkPlotDataCursor);

public:
    // The channel name that binds the cursor to every channel.
    static constexpr const char* AllChannels = "<All>";

    TkPlotDataCursor(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // The plot's channels, among which ChannelName is looked up.
    TkPlotKindManager* Channels = nullptr;

    TkPlotDataView* GetDataView() const { return FDataView; }
    void SetDataView(TkPlotDataView* Value) { FDataView = Value; }
    // The channel named by ChannelName; none for "<All>" or an unknown name.
    TkPlotReadoutChannel* GetChannel() const;

    // Asks the bound channel, or every channel, for the readout.
    void UpdateValues();
    // A channel's readout: stored, and the plot hears of it, when it differs.
    void SetValues(std::uint8_t Status, double X, double Y);
    double GetValueX() const { return FValueX; }
    double GetValueY() const { return FValueY; }
    std::uint8_t GetValueStatus() const { return FValueStatus; }

    // The screen pixel of pointer 1 or 2 along its direction of travel
    // (horizontal pointers count from the data view's bottom).
    int PointerPixel(int Pointer) const;
    // The data view's pixel at Percent of its height from the bottom (what
    // a horizontal pointer there crosses) or of its width from the left;
    // 0 without a data view.
    int PercentPixel(double Percent, bool Horizontal) const;
    // The style decides the pointers: the difference styles show two, the
    // Y-difference style's lie across the Y axis; a plot that reverses its
    // axes turns them on screen, and the hint slides along them.
    bool GetPointer1Shown() const { return true; }
    bool GetPointer2Shown() const
    {
        return FStyle == kpcsDeltaX || FStyle == kpcsDeltaY || FStyle == kpcsInverseDeltaX;
    }
    bool GetPointer1Horizontal() const { return (FStyle == kpcsDeltaY) != GetXYAxesReverse(); }
    bool GetPointer2Horizontal() const { return GetPointer1Horizontal(); }
    bool GetHintSlidesHorizontally() const { return GetPointer1Horizontal(); }
    // Moves the pointer onto the nearest data point (when snapping is on).
    void SnapPointer(int Pointer);
    int GetSnappedChannelIndex() const { return FSnappedChannelIndex; }
    int GetSnappedPointIndex() const { return FSnappedPointIndex; }

    // The pointer's line across the data view, widened for grabbing.
    TRect PointerRect(int Pointer) const;
    // Where the hint box was drawn at the last paint; empty when none was.
    TRect GetHintRect() const { return FHintShownNow ? FHintRect : TRect(); }
    bool HitTest(const TkPlotMouseData& Mouse) override;
    bool GetDraggingPointer(int Pointer) const { return Pointer == 1 ? FDraggingPointer1 : FDraggingPointer2; }
    bool GetDraggingHint() const { return FDraggingHint; }
    TCursor GetMouseCursor(TPoint P) override;

    // The pointers across the data view and, for a bound channel, the hint
    // box with its readout.
    void Draw(TCanvas* Canvas, TColor BackColor) override;
    void KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu) override;
    // Channel, style and option choices, and "Edit...".
    void BuildPopupMenu(TPopupMenu* Menu) override;
    void ObjectRemoved(TkPlotObject* Object) override;
    void ObjectRenamed(TkPlotObject* Object) override;
    // Keeps the focus only for its own channel; a channel that takes the
    // focus from a focused cursor becomes the cursor's channel.
    void ObjectFocused(TkPlotObject* Object) override;

    // ---- published properties
    // A new cursor is hidden: a shown one must be written. Showing it
    // updates its readout.
    void SetVisible(bool Value) override;
    PUBLISHED_ACCESSORS(bool, Visible, false);
    PUBLISHED(std::string, ChannelName, "", DoChange());
    PUBLISHED_NODEFAULT(bool, ChannelAllowAll, true, DoChange());
    PUBLISHED_NODEFAULT(bool, ChannelShowAllInLegend, true, DoChange());
    PUBLISHED_NODEFAULT(TkPlotDataCursorStyle, Style, kpcsValueXY, DoChange());
    PUBLISHED_FONT(Font, TkFontLook{}, DoChange());
    PUBLISHED_NODEFAULT(TColor, Color, clYellow, DoChange());
    PUBLISHED_NODEFAULT(bool, UseChannelColor, true, DoChange());
    PUBLISHED_NODEFAULT(bool, HintShow, true, DoChange());
    PUBLISHED_NODEFAULT(bool, HintHideOnRelease, false, DoChange());
    PUBLISHED_NODEFAULT(TkOrientationSide, HintOrientationSide, kosBottomRight, DoChange());
    PUBLISHED(double, HintPosition, 50.0, DoChange());
    PUBLISHED(double, Pointer1Position, 50.0, DoChange(), Percent);
    PUBLISHED(double, Pointer2Position, 60.0, DoChange(), Percent);
    PUBLISHED_NODEFAULT(int, PointerPenWidth, 1, DoChange());
    PUBLISHED_DATA(bool, MenuUserCanChangeOptions, true, true);
    PUBLISHED(bool, SnapToDataPoint, false, DoChange());
    PUBLISHED(bool, UseCachedInterpolatedData, false, DoChange());
    PUBLISHED_DATA(bool, MenuItemVisibleValueXY, true);
    PUBLISHED_DATA(bool, MenuItemVisibleValueX, true);
    PUBLISHED_DATA(bool, MenuItemVisibleValueY, true);
    PUBLISHED_DATA(bool, MenuItemVisibleDeltaX, true);
    PUBLISHED_DATA(bool, MenuItemVisibleDeltaY, true);
    PUBLISHED_DATA(bool, MenuItemVisibleInverseDeltaX, true);
    PUBLISHED_DATA(std::string, MenuItemCaptionValueXY, "Value X-Y");
    PUBLISHED_DATA(std::string, MenuItemCaptionValueX, "Value X");
    PUBLISHED_DATA(std::string, MenuItemCaptionValueY, "Value Y");
    PUBLISHED_DATA(std::string, MenuItemCaptionDeltaX, "Period");
    PUBLISHED_DATA(std::string, MenuItemCaptionDeltaY, "Peak-Peak");
    PUBLISHED_DATA(std::string, MenuItemCaptionInverseDeltaX, "Frequency");

protected:
    ~TkPlotDataCursor() override;
    // The bound channel takes the focus along with the cursor.
    void DoGotFocus() override;
    void DoMouseLeftDown(const TkPlotMouseData& Mouse) override;
    void DoMouseDrag(const TkPlotMouseData& Mouse) override;
    void DoMouseUp(const TkPlotMouseData& Mouse) override;

private:
    double& PointerPosition(int Pointer) { return Pointer == 1 ? FPointer1Position : FPointer2Position; }
    bool PointerShown(int Pointer) const { return Pointer == 1 ? GetPointer1Shown() : GetPointer2Shown(); }
    bool PointerHorizontal(int Pointer) const
    {
        return Pointer == 1 ? GetPointer1Horizontal() : GetPointer2Horizontal();
    }
    // The percent of the data view that one pixel covers across a
    // horizontal (or vertical) pointer's travel.
    double PixelStep(bool Horizontal) const;
    // Moves the pointer onto point PointIndex of the channel and keeps it
    // as the snapped point; false when the channel has no X axis.
    bool SnapTo(int Pointer, TkPlotReadoutChannel* Channel, int ChannelIndex, int PointIndex);
    // Channel Index of the plot's channels (Channels must be set).
    TkPlotReadoutChannel* ChannelAt(int Index) const;
    // The screen pixel of HintPosition along the hint's direction of travel.
    int HintPixel() const;
    TColor PointerColor() const;
    void DrawPointer(TCanvas* Canvas, int Pointer, TColor Color);
    bool HintWanted() const;
    std::string HintText();
    // The hint box of the given size beside (or between) the pointers,
    // inside the data view.
    TRect PlaceHint(TSize Size) const;
    void DrawHint(TCanvas* Canvas, TColor Color);
    void StepKey(std::uint16_t Key, int Pointer);
    void StepKeySnapped(std::uint16_t Key, int Pointer);
    // A pointer position kept within the data view, 0 to 100 percent.
    static bool Percent(double& Value);
    void AddChannelMenu(TPopupMenu* Menu);
    void AddStyleMenu(TPopupMenu* Menu);
    void AddOptionsMenu(TPopupMenu* Menu);
    // Binds the cursor to a channel (or "<All>") chosen in the menu.
    void ChooseChannel(const std::string& Name);

    // Pixels on either side of a pointer's line that still grab it.
    static constexpr int GrabWidth = 3;
    // A held pointer is drawn this much wider.
    static constexpr int DraggingPenExtra = 2;
    // Pixels between the hint's text and its edge, and between the hint
    // box and the pointer it sits beside.
    static constexpr int HintMargin = 4;
    static constexpr int HintGap = 3;

    TkPlotDataView* FDataView = nullptr;
    TPoint FMouseDown;
    int FStartPixel = 0;
    bool FDraggingHint = false;
    TRect FHintRect;
    bool FHintShownNow = false;
    bool FDraggingPointer1 = false;
    bool FDraggingPointer2 = false;
    double FValueX = 0;
    double FValueY = 0;
    std::uint8_t FValueStatus = 0;
    int FSnappedChannelIndex = -1;
    int FSnappedPointIndex = -1;
};
