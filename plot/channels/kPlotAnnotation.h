#pragma once
// A text, line or shape placed on the data area by the user or the
// program. Each of its coordinates is in percent of the data view or in
// the units of a channel's axes, chosen per coordinate; the channel is
// looked up by name at each use, so an annotation whose channel or axes
// are missing draws nothing. The user may move it and resize its boxes.
#include <memory>
#include <string>
#include <vector>

#include "plot/channels/kPlotChannelAxis.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotManagerObject.h"
#include "plot/core/kPlotObjectNames.h"
#include "plot/core/kPlotTypedKindManager.h"
#include "rtl/PublishedList.h"
#include "ui/Brush.h"
#include "ui/Font.h"
#include "ui/Pen.h"

class TBitmap;
class TkPlotChannelCustom;

PUBLISHED_ENUM(TkPlotAnnotationStyle, kpasText, kpasLine, kpasRectangle, kpasLineX, kpasLineY, kpasImage,
               kpasTextRectangle, kpasEllipse, kpasTextBox, kpasEllipse2, kpasPolygon, kpasRectangle2);
PUBLISHED_ENUM(TkAlignmentVertical, kavCenter, kavTop, kavBottom);

struct TkPlotAnnotationPoint {
    double X;
    double Y;
};

namespace TkPlotObjectKind {
extern const TkPlotKind Annotation;
}  // namespace TkPlotObjectKind

class TkPlotAnnotation : public TkPlotManagerObject {
    PUBLISHED_CLASS(TkPlotAnnotation);

public:
    TkPlotAnnotation(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // The plot's channels, among which ChannelName is looked up.
    TkPlotTypedKindManager<TkPlotChannelCustom>* Channels = nullptr;
    TkPlotChannelCustom* GetChannel() const;
    TkPlotDataView* GetDataView() const { return FDataView; }
    void SetDataView(TkPlotDataView* Value) { FDataView = Value; }

    // The corners of a polygon.
    void AddPoint(double X, double Y);
    void ClearPoints();
    const std::vector<TkPlotAnnotationPoint>& GetPoints() const { return FPoints; }
    // A picture drawn by the image style instead of the image list's; a
    // copy is kept, none clears it.
    void SetBitmap(const TBitmap* Value);

    // What the last paint drew: nothing, or the area inside the data view
    // that the shape covers.
    bool GetDrawn() const { return FDrawn; }
    const TRect& GetDrawnRect() const { return FDrawnRect; }
    // The corner handles of a box: top left, top right, bottom left,
    // bottom right.
    TRect GetHandle(int Corner) const { return FHandles[Corner]; }
    // Resizing applies to the box styles, when the user may size.
    bool CanSize() const;

    void Draw(TCanvas* Canvas, TColor BackColor) override;
    bool HitTest(const TkPlotMouseData& Mouse) override;
    TCursor GetMouseCursor(TPoint P) override;
    void BuildPopupMenu(TPopupMenu* Menu) override;
    void ObjectRemoved(TkPlotObject* Object) override;
    void ObjectRenamed(TkPlotObject* Object) override;
    void ObjectFocused(TkPlotObject* Object) override
    {
        if (Object != this)
            SetFocused(false);
    }

    // ---- published properties
    PUBLISHED(TkPlotAnnotationStyle, Style, kpasText, DoChange());
    PUBLISHED_WITH(Enumeration("Reference", "TkPlotReferenceType",
                               {"kprtDataView", "kprtChannel", "kprtXChannelYDataView", "kprtXDataViewYChannel"},
                               &TPublishedSelf::GetReference, &TPublishedSelf::SetReference, kprtDataView));
    PUBLISHED_WITH(Enumeration("ReferencePositionX", "TkPlotReferenceIndividual", IndividualNames(),
                               &TPublishedSelf::GetReferencePositionX, &TPublishedSelf::SetReferencePositionX,
                               kpriAuto));
    PUBLISHED_WITH(Enumeration("ReferencePositionY", "TkPlotReferenceIndividual", IndividualNames(),
                               &TPublishedSelf::GetReferencePositionY, &TPublishedSelf::SetReferencePositionY,
                               kpriAuto));
    PUBLISHED_WITH(Enumeration("ReferenceSizeX", "TkPlotReferenceIndividual", IndividualNames(),
                               &TPublishedSelf::GetReferenceSizeX, &TPublishedSelf::SetReferenceSizeX, kpriAuto));
    PUBLISHED_WITH(Enumeration("ReferenceSizeY", "TkPlotReferenceIndividual", IndividualNames(),
                               &TPublishedSelf::GetReferenceSizeY, &TPublishedSelf::SetReferenceSizeY, kpriAuto));
    PUBLISHED(double, X, 0, CoordinatesChanged());
    PUBLISHED(double, Y, 0, CoordinatesChanged());
    PUBLISHED(double, X2, 0, CoordinatesChanged());
    PUBLISHED(double, Y2, 0, CoordinatesChanged());
    PUBLISHED(double, Width, 0, CoordinatesChanged());
    PUBLISHED(double, Height, 0, CoordinatesChanged());
    PUBLISHED(TColor, PenColor, clWhite, DoChange());
    PUBLISHED(TPenStyle, PenStyle, psSolid, DoChange());
    PUBLISHED(int, PenWidth, 0, DoChange());
    PUBLISHED(TColor, BrushColor, clWhite, DoChange());
    PUBLISHED(TBrushStyle, BrushStyle, bsSolid, DoChange());
    PUBLISHED(std::string, Text, "", DoChange());
    PUBLISHED_WITH(Enumeration("TextRotation", "TkRotationAngle", {"ira000", "ira090", "ira180", "ira270"},
                               &TPublishedSelf::GetTextRotation, &TPublishedSelf::SetTextRotation, ira000));
    PUBLISHED_WITH(Enumeration("TextHorzAlignment", "TkAlignmentHorizontal", HorizontalNames(),
                               &TPublishedSelf::GetTextHorzAlignment, &TPublishedSelf::SetTextHorzAlignment,
                               kahCenter));
    PUBLISHED(TkAlignmentVertical, TextVertAlignment, kavCenter, DoChange());
    PUBLISHED_WITH(Enumeration("TextLineAlignment", "TkAlignmentHorizontal", HorizontalNames(),
                               &TPublishedSelf::GetTextLineAlignment, &TPublishedSelf::SetTextLineAlignment,
                               kahCenter));
    PUBLISHED(double, TextHorzMargin, 1, DoChange());
    PUBLISHED(double, TextVertMargin, 1, DoChange());
    PUBLISHED_OBJECT(TFont, Font, std::make_unique<TFont>());
    PUBLISHED(int, OuterMargin, 0, DoChange());
    PUBLISHED(int, ImageListIndex, 0, DoChange());
    PUBLISHED(int, ImageIndex, 0, DoChange());
    PUBLISHED(std::string, ChannelName, "", DoChange());
    PUBLISHED(bool, UserCanMove, false, DoChange());
    PUBLISHED(bool, UserCanSize, false, DoChange());
    PUBLISHED(bool, SelectModeOnlyInteraction, true, DoChange());
    PUBLISHED(bool, ClipToAxes, false, DoChange());
    PUBLISHED(bool, ShowFocusRect, true, DoChange());

    TkPlotReferenceType GetReference() const { return FReference; }
    void SetReference(TkPlotReferenceType Value) { SetProperty(Value, FReference, &TkPlotObject::DoChange); }
    TkPlotReferenceIndividual GetReferencePositionX() const { return FIndividual[PositionX]; }
    void SetReferencePositionX(TkPlotReferenceIndividual Value) { SetIndividual(PositionX, Value); }
    TkPlotReferenceIndividual GetReferencePositionY() const { return FIndividual[PositionY]; }
    void SetReferencePositionY(TkPlotReferenceIndividual Value) { SetIndividual(PositionY, Value); }
    TkPlotReferenceIndividual GetReferenceSizeX() const { return FIndividual[SizeX]; }
    void SetReferenceSizeX(TkPlotReferenceIndividual Value) { SetIndividual(SizeX, Value); }
    TkPlotReferenceIndividual GetReferenceSizeY() const { return FIndividual[SizeY]; }
    void SetReferenceSizeY(TkPlotReferenceIndividual Value) { SetIndividual(SizeY, Value); }
    TkRotationAngle GetTextRotation() const { return FTextRotation; }
    void SetTextRotation(TkRotationAngle Value) { SetProperty(Value, FTextRotation, &TkPlotObject::DoChange); }
    TkAlignmentHorizontal GetTextHorzAlignment() const { return FTextHorzAlignment; }
    void SetTextHorzAlignment(TkAlignmentHorizontal Value)
    {
        SetProperty(Value, FTextHorzAlignment, &TkPlotObject::DoChange);
    }
    TkAlignmentHorizontal GetTextLineAlignment() const { return FTextLineAlignment; }
    void SetTextLineAlignment(TkAlignmentHorizontal Value)
    {
        SetProperty(Value, FTextLineAlignment, &TkPlotObject::DoChange);
    }

protected:
    ~TkPlotAnnotation() override;
    void DoMouseLeftDown(const TkPlotMouseData& Mouse) override;
    void DoMouseDrag(const TkPlotMouseData& Mouse) override;
    void DoMouseUp(const TkPlotMouseData& Mouse) override;

private:
    // The four coordinates whose reference is chosen one by one.
    enum TCoordinate { PositionX, PositionY, SizeX, SizeY };
    enum TDragMode { dmNone, dmMove, dmTopLeft, dmTopRight, dmBottomLeft, dmBottomRight };
    // Pixels either side of a line across the data view that still hit it.
    static constexpr int LineHitWidth = 5;
    // Half the side of a corner handle.
    static constexpr int HandleHalf = 3;

    static std::vector<std::string> IndividualNames() { return {"kpriDataView", "kpriChannel", "kpriAuto"}; }
    static std::vector<std::string> HorizontalNames() { return {"kahCenter", "kahLeft", "kahRight"}; }
    void SetIndividual(TCoordinate Which, TkPlotReferenceIndividual Value);
    void CoordinatesChanged();
    void Fire(TkPlotObjectOwner::TAnnotationEvent Event);

    // ---- coordinates, in the frame of the axes: X along the X axis, Y
    // along the Y axis, whichever way the plot turns them on screen.
    bool OnChannel(TCoordinate Which) const;
    // Every coordinate has what it is measured in.
    bool Resolvable() const;
    TkPlotChannelAxis* Axis(bool AlongX) const;
    int ToPixel(bool AlongX, TCoordinate Which, double Value) const;
    double ToValue(bool AlongX, TCoordinate Which, int Pixel) const;
    int SizeToPixels(bool AlongX, double Size) const;
    // A screen point from a position, and back.
    TPoint ScreenPoint(double X, double Y) const;
    void ValuesAt(TPoint Screen, double& X, double& Y) const;

    // ---- drawing
    TRect CentredBox() const;
    TRect CornerBox() const;
    void DrawText(TCanvas* Canvas, TRect& Area, bool Boxed);
    void DrawTextInBox(TCanvas* Canvas, const TRect& Box);
    bool DrawImage(TCanvas* Canvas, TRect& Area);
    bool DrawPolygon(TCanvas* Canvas, TRect& Area);
    void StoreHandles(const TRect& Box);
    void DrawHandles(TCanvas* Canvas);

    // ---- sizing
    void SetFromPixelRect(const TRect& R);

    TkPlotReferenceType FReference = kprtDataView;
    TkPlotReferenceIndividual FIndividual[4] = {kpriAuto, kpriAuto, kpriAuto, kpriAuto};
    TkRotationAngle FTextRotation = ira000;
    TkAlignmentHorizontal FTextHorzAlignment = kahCenter;
    TkAlignmentHorizontal FTextLineAlignment = kahCenter;

    TkPlotDataView* FDataView = nullptr;
    std::vector<TkPlotAnnotationPoint> FPoints;
    std::unique_ptr<TBitmap> FBitmap;
    bool FDrawn = false;
    TRect FDrawnRect;
    TRect FHandles[4];
    bool FHasHandles = false;

    // From a press to its release.
    TDragMode FDragMode = dmNone;
    TRect FPressRect;
    double FPressX = 0, FPressY = 0, FPressX2 = 0, FPressY2 = 0;
    TPoint FPressMouse;
    TPoint FPressAnchor;
    bool FChangedByUser = false;
};
