#pragma once
// A limit in the data area: a line at one axis value, a band between two,
// or a band that follows a list of points, drawn against an X and a Y axis
// named. The names are looked up at each use, so a limit whose axis is
// missing draws nothing and one whose axis comes back draws again. The
// user may drag its lines when allowed.
#include <string>

#include "plot/channels/kPlotChannelAxis.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kLimitDataList.h"
#include "plot/core/kPlotManagerObject.h"
#include "plot/core/kPlotObjectNames.h"
#include "rtl/PublishedList.h"
#include "ui/Brush.h"
#include "ui/Pen.h"

// The X styles put their values on the X axis (lines across the Y range),
// the Y styles on the Y axis.
PUBLISHED_ENUM(TkPlotLimitStyle, kplsLineX, kplsLineY, kplsBandX, kplsBandY, kplsPolyBandX, kplsPolyBandY);

namespace TkPlotObjectKind {
extern const TkPlotKind Limit;
}  // namespace TkPlotObjectKind

class TkPlotLimit : public TkPlotManagerObject {
    PUBLISHED_CLASS(TkPlotLimit);

public:
    TkPlotLimit(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotManagerObject(AOwner, Callbacks, TkPlotObjectKind::Limit)
    {
    }

    // The plot's axes, among which the axis names are looked up.
    TkPlotChannelAxisFinder AxisFinder;
    TkPlotChannelAxis* GetXAxis() const;
    TkPlotChannelAxis* GetYAxis() const;

    // The elements the poly-band styles follow.
    TkLimitDataList& GetDataList() { return FDataList; }

    // Bands that fill their area, drawn under the data view's traces.
    bool HasFill() const;
    bool IsXStyle() const { return FStyle == kplsLineX || FStyle == kplsBandX || FStyle == kplsPolyBandX; }
    bool GetLineDrawn(int Line) const { return Line == 1 ? FLine1.Drawn : FLine2.Drawn; }
    const TRect& GetLineHitRect(int Line) const { return Line == 1 ? FLine1.HitRect : FLine2.HitRect; }
    bool GetDragging(int Line) const { return Line == 1 ? FLine1.Dragging : FLine2.Dragging; }

    void Draw(TCanvas* Canvas, TColor BackColor) override;
    bool HitTest(const TkPlotMouseData& Mouse) override;
    TCursor GetMouseCursor(TPoint P) override;
    void BuildPopupMenu(TPopupMenu* Menu) override;
    void ObjectRenamed(TkPlotObject* Object) override
    {
        FollowRename(Object, TkPlotObjectKind::XAxis, FXAxisName);
        FollowRename(Object, TkPlotObjectKind::YAxis, FYAxisName);
    }
    void ObjectFocused(TkPlotObject* Object) override
    {
        if (Object != this)
            SetFocused(false);
    }

    // ---- published properties
    PUBLISHED(TColor, Color, clRed, DoChange());
    PUBLISHED(TPenStyle, LineStyle, psSolid, DoChange());
    PUBLISHED(int, LineWidth, 0, DoChange());
    PUBLISHED(TBrushStyle, FillStyle, bsSolid, DoChange());
    PUBLISHED(std::string, XAxisName, "", DoChange());
    PUBLISHED(std::string, YAxisName, "", DoChange());
    PUBLISHED(TkPlotLimitStyle, Style, kplsLineY, DoChange());
    PUBLISHED_ACCESSORS(double, Line1Position);
    PUBLISHED_ACCESSORS(double, Line2Position);
    PUBLISHED(bool, UserCanMove, false, DoChange());
    PUBLISHED(bool, SelectModeOnlyInteraction, true, DoChange());
    PUBLISHED(bool, ClipToAxes, false, DoChange());

    double GetLine1Position() const { return FLine1.Position; }
    void SetLine1Position(double Value) { SetPosition(1, Value); }
    double GetLine2Position() const { return FLine2.Position; }
    void SetLine2Position(double Value) { SetPosition(2, Value); }

protected:
    ~TkPlotLimit() override = default;
    void DoMouseLeftDown(const TkPlotMouseData& Mouse) override;
    void DoMouseDrag(const TkPlotMouseData& Mouse) override;
    void DoMouseUp(const TkPlotMouseData& Mouse) override;

private:
    struct TLine {
        double Position = 50;
        bool Drawn = false;
        TRect HitRect;
        bool Dragging = false;
    };
    // Pixels on either side of a line that still grab it.
    static constexpr int GrabWidth = 5;

    TLine& Line(int Index) { return Index == 1 ? FLine1 : FLine2; }
    // Stores a differing position, then the change notice and the plot's
    // event.
    void SetPosition(int Index, double Value);
    // The drawing of each family of styles, with the axis the values lie
    // on and the other one.
    void DrawLine(TCanvas* Canvas, TColor BackColor, const TkPlotChannelAxis& Values, const TkPlotChannelAxis& Across);
    void DrawBand(TCanvas* Canvas, const TkPlotChannelAxis& Values, const TkPlotChannelAxis& Across);
    void DrawPolyBand(TCanvas* Canvas, const TkPlotChannelAxis& Values, const TkPlotChannelAxis& Across);
    // A screen point from a pixel on the value axis and one on the other.
    TPoint At(int Value, int Across) const;
    // A line at pixel Value along the other axis's range, marked drawn,
    // grabbed GrabWidth pixels either side.
    void MarkDrawn(TLine& Line, int Value, int Across1, int Across2);

    TLine FLine1;
    TLine FLine2;
    TkLimitDataList FDataList;
};
