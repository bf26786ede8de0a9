#include "plot/channels/kPlotAnnotation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plot/channels/kPlotAxesClip.h"
#include "plot/channels/kPlotChannelCustom.h"
#include "plot/channels/kPlotHatchGaps.h"
#include "plot/core/kGPFunctions.h"
#include "plot/core/kMath.h"
#include "plot/core/kPlotPixels.h"
#include "rtl/NumberFormat.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotAnnotation, TkPlotObject>("TkPlotAnnotation");
    return true;
}();

TPoint Centre(const TRect& R)
{
    return Point(Middle(R.Left, R.Right), Middle(R.Top, R.Bottom));
}

TRect BoxAround(TPoint Centre, int Width, int Height)
{
    const int left = Centre.X - Width / 2, top = Centre.Y - Height / 2;
    return TRect(left, top, left + Width, top + Height);
}

}  // namespace

TkPlotAnnotation::TkPlotAnnotation(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotManagerObject(AOwner, Callbacks, TkPlotObjectKind::Annotation)
{
    FFont->SetName("Arial");
    FFont->SetColor(clWhite);
    FFont->OnChange = [this](TObject*) { DoChange(); };
}

TkPlotAnnotation::~TkPlotAnnotation() = default;

TkPlotChannelCustom* TkPlotAnnotation::GetChannel() const
{
    return Channels ? static_cast<TkPlotChannelCustom*>(Channels->FindByName(FChannelName)) : nullptr;
}

void TkPlotAnnotation::AddPoint(double X, double Y)
{
    FPoints.push_back({X, Y});
    DoChange();
}

void TkPlotAnnotation::ClearPoints()
{
    FPoints.clear();
    DoChange();
}

void TkPlotAnnotation::SetBitmap(const TBitmap* Value)
{
    if (Value) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(Value);
        FBitmap = std::move(copy);
    } else {
        FBitmap.reset();
    }
    DoChange();
}

void TkPlotAnnotation::SetIndividual(TCoordinate Which, TkPlotReferenceIndividual Value)
{
    SetProperty(Value, FIndividual[Which], &TkPlotObject::DoChange);
}

void TkPlotAnnotation::Fire(TkPlotObjectOwner::TAnnotationEvent Event)
{
    if (GetOwner())
        GetOwner()->DoAnnotationEvent(this, Event);
}

void TkPlotAnnotation::CoordinatesChanged()
{
    DoChange();
    Fire(TkPlotObjectOwner::TAnnotationEvent::CoordinatesChange);
}

void TkPlotAnnotation::ObjectRemoved(TkPlotObject* Object)
{
    if (Object == FDataView)
        FDataView = nullptr;
}

void TkPlotAnnotation::ObjectRenamed(TkPlotObject* Object)
{
    FollowRename(Object, TkPlotObjectKind::Channel, FChannelName);
}

void TkPlotAnnotation::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotManagerObject::BuildPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

bool TkPlotAnnotation::CanSize() const
{
    return FUserCanSize && (FStyle == kpasRectangle || FStyle == kpasTextRectangle || FStyle == kpasEllipse ||
                            FStyle == kpasEllipse2 || FStyle == kpasRectangle2);
}

// ---- coordinates

bool TkPlotAnnotation::OnChannel(TCoordinate Which) const
{
    if (FIndividual[Which] != kpriAuto)
        return FIndividual[Which] == kpriChannel;
    if (Which == PositionX || Which == SizeX)
        return FReference == kprtChannel || FReference == kprtXChannelYDataView;
    return FReference == kprtChannel || FReference == kprtXDataViewYChannel;
}

TkPlotChannelAxis* TkPlotAnnotation::Axis(bool AlongX) const
{
    TkPlotChannelCustom* channel = GetChannel();
    if (!channel)
        return nullptr;
    return AlongX ? channel->GetXAxis() : channel->GetYAxis();
}

bool TkPlotAnnotation::Resolvable() const
{
    // Every shape is measured against the data view.
    if (!FDataView)
        return false;
    for (TCoordinate which : {PositionX, PositionY, SizeX, SizeY})
        if (OnChannel(which) && (!Axis(true) || !Axis(false)))
            return false;
    return true;
}

int TkPlotAnnotation::ToPixel(bool AlongX, TCoordinate Which, double Value) const
{
    // A coordinate may be any value (1e300, infinite, NaN from a file):
    // kept within the pixel limit, so that the sizes, boxes and hit areas
    // built from it stay far from the int range's ends.
    if (OnChannel(Which))
        return ClampPixel(Axis(AlongX)->ValueToPixel(Value));
    // With the axes turned, the X axis runs down the view.
    return ClampPixel(AlongX != GetXYAxesReverse() ? FDataView->PercentToPixelsX(Value)
                                                   : FDataView->PercentToPixelsY(Value));
}

double TkPlotAnnotation::ToValue(bool AlongX, TCoordinate Which, int Pixel) const
{
    if (OnChannel(Which))
        return Axis(AlongX)->PixelToValue(Pixel);
    return AlongX != GetXYAxesReverse() ? FDataView->PixelsToPercentX(Pixel) : FDataView->PixelsToPercentY(Pixel);
}

int TkPlotAnnotation::SizeToPixels(bool AlongX, double Size) const
{
    const TCoordinate which = AlongX ? SizeX : SizeY;
    if (OnChannel(which)) {
        const TkPlotChannelAxis* axis = Axis(AlongX);
        return std::abs(ClampPixel(axis->ValueToPixel(axis->GetMin() + Size)) -
                        ClampPixel(axis->ValueToPixel(axis->GetMin())));
    }
    return std::abs(ToPixel(AlongX, which, Size) - ToPixel(AlongX, which, 0));
}

TPoint TkPlotAnnotation::ScreenPoint(double X, double Y) const
{
    return OrientedPoint(GetXYAxesReverse(), ToPixel(true, PositionX, X), ToPixel(false, PositionY, Y));
}

void TkPlotAnnotation::ValuesAt(TPoint Screen, double& X, double& Y) const
{
    const TPoint frame = OrientedPoint(GetXYAxesReverse(), Screen.X, Screen.Y);
    X = ToValue(true, PositionX, frame.X);
    Y = ToValue(false, PositionY, frame.Y);
}

// ---- drawing

TRect TkPlotAnnotation::CentredBox() const
{
    const TPoint centre = ScreenPoint(FX, FY);
    const TPoint size = OrientedPoint(GetXYAxesReverse(), SizeToPixels(true, FWidth), SizeToPixels(false, FHeight));
    return BoxAround(centre, size.X, size.Y);
}

TRect TkPlotAnnotation::CornerBox() const
{
    const TPoint a = ScreenPoint(FX, FY), b = ScreenPoint(FX2, FY2);
    return NormalizedRect(a.X, a.Y, b.X, b.Y);
}

void TkPlotAnnotation::Draw(TCanvas* Canvas, TColor BackColor)
{
    FDrawn = false;
    FHasHandles = false;
    if (!GetVisible() || !Resolvable() || FStyle < kpasText || FStyle > kpasRectangle2)
        return;
    TkPlotClipKeeper keeper(Canvas);
    const TkPlotHatchGaps gaps(Canvas, BackColor);
    TkPlotChannelAxis *x = Axis(true), *y = Axis(false);
    const bool clip = FClipToAxes || (FReference == kprtChannel && GetOwner() && GetOwner()->ClipsAnnotationsToAxes());
    if (clip && x && y)
        Canvas->IntersectClipRect(AxesRect(*x, *y, GetXYAxesReverse()));
    const TRect view = FDataView->GetDrawRect();
    Canvas->Pen->SetColor(FPenColor);
    Canvas->Pen->SetWidth(FPenWidth);
    Canvas->Pen->SetStyle(FPenStyle);
    Canvas->Brush->SetColor(FBrushColor);
    Canvas->Brush->SetStyle(FBrushStyle);

    TRect area;
    bool box = false;
    switch (FStyle) {
    case kpasText:
    case kpasTextBox: DrawText(Canvas, area, FStyle == kpasTextBox); break;
    case kpasLine: {
        const TPoint a = ScreenPoint(FX, FY), b = ScreenPoint(FX2, FY2);
        if (LineIntersectsRect(a, b, view)) {
            Canvas->MoveTo(a.X, a.Y);
            Canvas->LineTo(b.X, b.Y);
        }
        // A slanting line leaves no area that a press could find.
        return;
    }
    case kpasLineX:
    case kpasLineY: {
        // Across the data view, at X or Y.
        const bool alongX = FStyle == kpasLineX;
        const int p = alongX ? ToPixel(true, PositionX, FX) : ToPixel(false, PositionY, FY);
        const TRect frameView = OrientedRect(GetXYAxesReverse(), view.Left, view.Top, view.Right, view.Bottom);
        const TPoint a = alongX ? OrientedPoint(GetXYAxesReverse(), p, frameView.Top)
                                : OrientedPoint(GetXYAxesReverse(), frameView.Left, p);
        const TPoint b = alongX ? OrientedPoint(GetXYAxesReverse(), p, frameView.Bottom)
                                : OrientedPoint(GetXYAxesReverse(), frameView.Right, p);
        area = NormalizedRect(a.X, a.Y, b.X, b.Y);
        if (a.X == b.X)
            area = TRect(a.X - LineHitWidth, area.Top, a.X + LineHitWidth + 1, area.Bottom);
        else
            area = TRect(area.Left, a.Y - LineHitWidth, area.Right, a.Y + LineHitWidth + 1);
        if (!IntersectRect(area, area, view))
            return;
        Canvas->MoveTo(a.X, a.Y);
        Canvas->LineTo(b.X, b.Y);
        break;
    }
    case kpasRectangle:
    case kpasRectangle2:
    case kpasTextRectangle:
    case kpasEllipse:
    case kpasEllipse2: {
        area = FStyle == kpasRectangle2 || FStyle == kpasEllipse ? CornerBox() : CentredBox();
        TRect meets;
        if (!IntersectRect(meets, area, view))
            return;
        if (FStyle == kpasEllipse || FStyle == kpasEllipse2)
            Canvas->Ellipse(area);
        else
            Canvas->Rectangle(area);
        if (FStyle == kpasTextRectangle)
            DrawTextInBox(Canvas, area);
        box = true;
        break;
    }
    case kpasImage:
        if (!DrawImage(Canvas, area))
            return;
        break;
    case kpasPolygon:
        if (!DrawPolygon(Canvas, area))
            return;
        box = true;
        break;
    }
    if (area.Width() <= 0 && area.Height() <= 0)
        return;
    if (box) {
        StoreHandles(area);
        if (GetFocused() && FShowFocusRect)
            DrawHandles(Canvas);
    }
    FDrawn = IntersectRect(FDrawnRect, area, view) || FHasHandles;
}

void TkPlotAnnotation::DrawText(TCanvas* Canvas, TRect& Area, bool Boxed)
{
    Canvas->Font->Assign(FFont.get());
    int width = MultiLineTextWidth(Canvas, FText), height = MultiLineTextHeight(Canvas, FText);
    if (FTextRotation == ira090 || FTextRotation == ira270)
        std::swap(width, height);
    // Margins of any stored size: a box larger than the pixel limit shows
    // no more than one as large.
    const int margin = Boxed ? ClampPixel(FOuterMargin) : 0;
    width += 2 * margin;
    height += 2 * margin;
    const int horz = RoundPixel(Canvas->TextWidth("A") * FTextHorzMargin);
    const int vert = RoundPixel(Canvas->TextHeight("A") * FTextVertMargin);
    TRect r = BoxAround(ScreenPoint(FX, FY), width, height);
    const int dx = FTextHorzAlignment == kahLeft    ? width / 2 + horz
                   : FTextHorzAlignment == kahRight ? -(width / 2 + horz)
                                                    : 0;
    const int dy = FTextVertAlignment == kavTop      ? height / 2 + vert
                   : FTextVertAlignment == kavBottom ? -(height / 2 + vert)
                                                     : 0;
    OffsetRect(r, dx, dy);
    TRect meets;
    if (!IntersectRect(meets, r, FDataView->GetDrawRect()))
        return;
    if (Boxed)
        Canvas->Rectangle(r);
    TRect inner(r.Left + margin, r.Top + margin, r.Right - margin, r.Bottom - margin);
    TRect covered;
    Canvas->Brush->SetStyle(bsClear);
    const TkLineAlignment lines = FTextLineAlignment == kahLeft    ? TkLineAlignment::Left
                                  : FTextLineAlignment == kahRight ? TkLineAlignment::Right
                                                                   : TkLineAlignment::Center;
    DrawRotatedText(Canvas, FText, inner, covered, static_cast<int>(FTextRotation), lines);
    Area = r;
}

void TkPlotAnnotation::DrawTextInBox(TCanvas* Canvas, const TRect& Box)
{
    Canvas->Font->Assign(FFont.get());
    int width = MultiLineTextWidth(Canvas, FText), height = MultiLineTextHeight(Canvas, FText);
    if (FTextRotation == ira090 || FTextRotation == ira270)
        std::swap(width, height);
    const int horz = RoundPixel(Canvas->TextWidth("0") * FTextHorzMargin);
    const int vert = RoundPixel(Canvas->TextHeight("A") * FTextVertMargin);
    const TPoint centre = Centre(Box);
    int left = centre.X - width / 2, top = centre.Y - height / 2;
    if (FTextHorzAlignment == kahLeft)
        left = Box.Left + horz;
    else if (FTextHorzAlignment == kahRight)
        left = Box.Right - horz - width;
    if (FTextVertAlignment == kavTop)
        top = Box.Top + vert;
    else if (FTextVertAlignment == kavBottom)
        top = Box.Bottom - vert - height;
    TRect covered;
    Canvas->Brush->SetStyle(bsClear);
    DrawRotatedText(Canvas, FText, TRect(left, top, left + width, top + height), covered,
                    static_cast<int>(FTextRotation));
}

bool TkPlotAnnotation::DrawImage(TCanvas* Canvas, TRect& Area)
{
    const TPoint centre = ScreenPoint(FX, FY);
    if (FBitmap) {
        FBitmap->SetTransparentMode(tmAuto);
        FBitmap->SetTransparent(true);
        Area = BoxAround(centre, FBitmap->GetWidth(), FBitmap->GetHeight());
        Canvas->Draw(Area.Left, Area.Top, FBitmap.get());
        return true;
    }
    const int list = FImageListIndex == 0 || FImageListIndex == 1 ? FImageListIndex : 2;
    TImageList* images = GetOwner() ? GetOwner()->GetImageList(list) : nullptr;
    if (!images || FImageIndex < 0 || FImageIndex >= images->GetCount())
        return false;
    Area = BoxAround(centre, images->GetWidth(), images->GetHeight());
    images->Draw(Canvas, Area.Left, Area.Top, FImageIndex, GetEnabled());
    return true;
}

bool TkPlotAnnotation::DrawPolygon(TCanvas* Canvas, TRect& Area)
{
    if (FPoints.size() < 2)
        return false;
    std::vector<TPoint> points;
    for (const TkPlotAnnotationPoint& p : FPoints)
        points.push_back(ScreenPoint(p.X, p.Y));
    auto [minX, maxX] = std::minmax_element(points.begin(), points.end(),
                                            [](const TPoint& a, const TPoint& b) { return a.X < b.X; });
    auto [minY, maxY] = std::minmax_element(points.begin(), points.end(),
                                            [](const TPoint& a, const TPoint& b) { return a.Y < b.Y; });
    Area = TRect(minX->X, minY->Y, maxX->X, maxY->Y);
    TRect meets;
    if (!IntersectRect(meets, Area, FDataView->GetDrawRect()))
        return false;
    Canvas->Polygon(points);
    return true;
}

void TkPlotAnnotation::StoreHandles(const TRect& Box)
{
    const TPoint corners[4] = {Point(Box.Left, Box.Top), Point(Box.Right, Box.Top), Point(Box.Left, Box.Bottom),
                               Point(Box.Right, Box.Bottom)};
    FHasHandles = false;
    for (int i = 0; i < 4; ++i) {
        const TRect handle = BoxAround(corners[i], 2 * HandleHalf, 2 * HandleHalf);
        if (!IntersectRect(FHandles[i], handle, FDataView->GetDrawRect()))
            FHandles[i] = TRect();
        else
            FHasHandles = true;
    }
}

void TkPlotAnnotation::DrawHandles(TCanvas* Canvas)
{
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(FPenColor);
    for (const TRect& handle : FHandles)
        if (handle.Width() > 0)
            Canvas->FillRect(handle);
}

// ---- mouse

bool TkPlotAnnotation::HitTest(const TkPlotMouseData& Mouse)
{
    if (FSelectModeOnlyInteraction && !(GetOwner() && GetOwner()->GetSelectMode()))
        return false;
    if (!FDrawn)
        return false;
    if (PtInRect(FDrawnRect, Mouse.Received))
        return true;
    return FHasHandles && std::any_of(std::begin(FHandles), std::end(FHandles),
                                      [&](const TRect& h) { return PtInRect(h, Mouse.Received); });
}

TCursor TkPlotAnnotation::GetMouseCursor(TPoint P)
{
    const TCursor cursor = TkPlotManagerObject::GetMouseCursor(P);
    if (GetHitObject() != this)
        return cursor;
    if (CanSize() && GetFocused() && FHasHandles) {
        if (PtInRect(FHandles[0], P) || PtInRect(FHandles[3], P))
            return crSizeNWSE;
        if (PtInRect(FHandles[1], P) || PtInRect(FHandles[2], P))
            return crSizeNESW;
    }
    return crSizeAll;
}

void TkPlotAnnotation::DoMouseLeftDown(const TkPlotMouseData& Mouse)
{
    FDragMode = dmNone;
    if (!FDrawn)
        return;
    if (CanSize() && FHasHandles) {
        // Tested in this order where handles overlap.
        const std::pair<int, TDragMode> order[] = {
            {0, dmTopLeft}, {3, dmBottomRight}, {1, dmTopRight}, {2, dmBottomLeft}};
        for (auto [handle, mode] : order)
            if (FDragMode == dmNone && PtInRect(FHandles[handle], Mouse.Received))
                FDragMode = mode;
    }
    if (FDragMode == dmNone && FUserCanMove)
        FDragMode = dmMove;
    FPressRect = FStyle == kpasRectangle2 || FStyle == kpasEllipse ? CornerBox() : CentredBox();
    FPressX = FX;
    FPressY = FY;
    FPressX2 = FX2;
    FPressY2 = FY2;
    FPressMouse = Mouse.Received;
    FPressAnchor = ScreenPoint(FX, FY);
    FChangedByUser = false;
}

void TkPlotAnnotation::DoMouseDrag(const TkPlotMouseData& Mouse)
{
    if (!GetFocused() || !GetPressed() || FDragMode == dmNone || !Resolvable())
        return;
    const int dx = Mouse.Received.X - FPressMouse.X, dy = Mouse.Received.Y - FPressMouse.Y;
    if (FDragMode == dmMove) {
        ValuesAt(Point(FPressAnchor.X + dx, FPressAnchor.Y + dy), FX, FY);
        if (FStyle == kpasEllipse || FStyle == kpasRectangle2) {
            FX2 = FPressX2 + (FX - FPressX);
            FY2 = FPressY2 + (FY - FPressY);
        }
        FChangedByUser = true;
        DoChange();
        Fire(TkPlotObjectOwner::TAnnotationEvent::MoveUser);
        Fire(TkPlotObjectOwner::TAnnotationEvent::CoordinatesChange);
        return;
    }
    TRect r = FPressRect;
    (FDragMode == dmTopLeft || FDragMode == dmBottomLeft ? r.Left : r.Right) += dx;
    (FDragMode == dmTopLeft || FDragMode == dmTopRight ? r.Top : r.Bottom) += dy;
    SetFromPixelRect(NormalizedRect(r.Left, r.Top, r.Right, r.Bottom));
    Fire(TkPlotObjectOwner::TAnnotationEvent::ResizeUser);
}

void TkPlotAnnotation::SetFromPixelRect(const TRect& R)
{
    if (FStyle == kpasEllipse || FStyle == kpasRectangle2) {
        ValuesAt(Point(R.Left, R.Top), FX, FY);
        ValuesAt(Point(R.Right, R.Bottom), FX2, FY2);
    } else {
        ValuesAt(Centre(R), FX, FY);
        // The spans in the frame of the axes, in each size's own units.
        const TRect frame = OrientedRect(GetXYAxesReverse(), R.Left, R.Top, R.Right, R.Bottom);
        FWidth = std::fabs(ToValue(true, SizeX, frame.Right) - ToValue(true, SizeX, frame.Left));
        FHeight = std::fabs(ToValue(false, SizeY, frame.Bottom) - ToValue(false, SizeY, frame.Top));
    }
    FChangedByUser = true;
    DoChange();
    Fire(TkPlotObjectOwner::TAnnotationEvent::CoordinatesChange);
}

void TkPlotAnnotation::DoMouseUp(const TkPlotMouseData& Mouse)
{
    if (!GetPressed())
        return;
    if (GetOwner() && HitTest(Mouse))
        GetOwner()->DoObjectClick(this);
    if (FChangedByUser)
        Fire(TkPlotObjectOwner::TAnnotationEvent::CoordinatesChangeFinished);
    FChangedByUser = false;
    FDragMode = dmNone;
}
