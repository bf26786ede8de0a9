#include "plot/channels/kPlotDataCursor.h"

#include <algorithm>
#include <cmath>

#include "plot/channels/kPlotChannelAxis.h"
#include "plot/channels/kPlotReadoutChannel.h"
#include "plot/core/kGPFunctions.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kMenuItem.h"
#include "plot/core/kPlotObjectRef.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "rtl/StrUtils.h"
#include "ui/Canvas.h"
#include "ui/Font.h"
#include "ui/Keys.h"

namespace {

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TkPlotDataCursor, TkPlotObject>("TkPlotDataCursor");
    return true;
}();

double ClampPercent(double Value)
{
    return std::clamp(Value, 0.0, 100.0);
}

}  // namespace

TkPlotDataCursor::TkPlotDataCursor(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotManagerObject(AOwner, Callbacks, TkPlotObjectKind::DataCursor)
{
    TkPlotObject::SetVisible(false);
}

TkPlotDataCursor::~TkPlotDataCursor() = default;

TkPlotReadoutChannel* TkPlotDataCursor::GetChannel() const
{
    if (!Channels)
        return nullptr;
    return static_cast<TkPlotReadoutChannel*>(Channels->FindByName(FChannelName));
}

TkPlotReadoutChannel* TkPlotDataCursor::ChannelAt(int Index) const
{
    return static_cast<TkPlotReadoutChannel*>(Channels->GetObject(Index));
}

void TkPlotDataCursor::UpdateValues()
{
    if (GetOwner())
        GetOwner()->DoBeforeDataCursorUpdate(this);
    if (!SameText(FChannelName, AllChannels)) {
        if (TkPlotReadoutChannel* channel = GetChannel())
            channel->UpdateCursorValues(this);
        return;
    }
    if (Channels)
        for (int i = 0; i < Channels->GetCount(); ++i)
            ChannelAt(i)->UpdateCursorValues(this);
}

void TkPlotDataCursor::SetValues(std::uint8_t Status, double X, double Y)
{
    if (Status == FValueStatus && X == FValueX && Y == FValueY)
        return;
    FValueStatus = Status;
    FValueX = X;
    FValueY = Y;
    if (GetOwner())
        GetOwner()->DoDataCursorChange(this);
}

int TkPlotDataCursor::PointerPixel(int Pointer) const
{
    return PercentPixel(Pointer == 1 ? FPointer1Position : FPointer2Position, PointerHorizontal(Pointer));
}

int TkPlotDataCursor::PercentPixel(double Percent, bool Horizontal) const
{
    if (!FDataView)
        return 0;
    const TRect& r = FDataView->GetDrawRect();
    if (Horizontal)
        return r.Bottom - RoundToInt(r.Height() * Percent / 100.0);
    return r.Left + RoundToInt(r.Width() * Percent / 100.0);
}

double TkPlotDataCursor::PixelStep(bool Horizontal) const
{
    if (!FDataView)
        return 0;
    const TRect& r = FDataView->GetDrawRect();
    const int pixels = Horizontal ? r.Height() : r.Width();
    return pixels > 0 ? 100.0 / pixels : 0;
}

// ---- snapping

bool TkPlotDataCursor::SnapTo(int Pointer, TkPlotReadoutChannel* Channel, int ChannelIndex, int PointIndex)
{
    TkPlotChannelAxis* axis = Channel->GetXAxis();
    if (!axis || PointIndex < 0 || axis->GetSpan() == 0)
        return false;
    FSnappedChannelIndex = ChannelIndex;
    FSnappedPointIndex = PointIndex;
    PointerPosition(Pointer) = ClampPercent((Channel->DataPoint(PointIndex).X - axis->GetMin()) / axis->GetSpan() *
                                            100);
    return true;
}

void TkPlotDataCursor::SnapPointer(int Pointer)
{
    if (!FSnapToDataPoint || FStyle == kpcsDeltaY || !Channels)
        return;
    const bool all = SameText(FChannelName, AllChannels);
    TkPlotReadoutChannel* bestChannel = nullptr;
    int bestChannelIndex = -1, bestPoint = -1;
    double bestDistance = 0;
    for (int c = 0; c < Channels->GetCount(); ++c) {
        TkPlotReadoutChannel* channel = ChannelAt(c);
        if (!channel->SnapsCursor() || (!all && !SameText(channel->GetName(), FChannelName)))
            continue;
        TkPlotChannelAxis* axis = channel->GetXAxis();
        if (!axis)
            continue;
        const double x = axis->PixelToValue(PointerPixel(Pointer));
        const int point = channel->NearestIndex(x);
        if (point < 0)
            continue;
        const double distance = std::fabs(x - channel->DataPoint(point).X);
        if (!bestChannel || distance < bestDistance) {
            bestChannel = channel;
            bestChannelIndex = c;
            bestPoint = point;
            bestDistance = distance;
        }
        if (!all)
            break;
    }
    if (bestChannel)
        SnapTo(Pointer, bestChannel, bestChannelIndex, bestPoint);
}

// ---- keys

void TkPlotDataCursor::KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu)
{
    // The popup the key may open can free the cursor.
    const TkPlotObjectRef self(this);
    TkPlotManagerObject::KeyDown(Key, Shift, Menu);
    if (!self || !FDataView)
        return;
    if (Key != VK_PRIOR && Key != VK_NEXT && Key != VK_END && Key != VK_HOME && Key != VK_LEFT && Key != VK_RIGHT &&
        Key != VK_UP && Key != VK_DOWN)
        return;
    const int pointer = (Shift & ssCtrl) && GetPointer2Shown() ? 2 : 1;
    if ((Shift & ssCtrl) && !GetPointer2Shown())
        return;
    if (FSnapToDataPoint && FStyle != kpcsDeltaY)
        StepKeySnapped(Key, pointer);
    else
        StepKey(Key, pointer);
    FPointer1Position = ClampPercent(FPointer1Position);
    FPointer2Position = ClampPercent(FPointer2Position);
    FHintPosition = ClampPercent(FHintPosition);
    UpdateValues();
    DoChange();
}

void TkPlotDataCursor::StepKey(std::uint16_t Key, int Pointer)
{
    double& position = PointerPosition(Pointer);
    const bool horizontal = PointerHorizontal(Pointer);
    const double step = PixelStep(horizontal);
    switch (Key) {
    case VK_PRIOR: position += 5 * step; break;
    case VK_NEXT: position -= 5 * step; break;
    case VK_END: position = 100; break;
    case VK_HOME: position = 0; break;
    case VK_LEFT:
    case VK_RIGHT: {
        const double sign = Key == VK_RIGHT ? 1 : -1;
        if (!horizontal)
            position += sign * PixelStep(false);
        if (FHintShow && GetHintSlidesHorizontally())
            FHintPosition += sign * PixelStep(false);
        break;
    }
    default: {  // up and down
        const double sign = Key == VK_UP ? 1 : -1;
        if (horizontal)
            position += sign * PixelStep(true);
        if (FHintShow && !GetHintSlidesHorizontally())
            FHintPosition += sign * PixelStep(true);
        break;
    }
    }
}

void TkPlotDataCursor::StepKeySnapped(std::uint16_t Key, int Pointer)
{
    SnapPointer(Pointer);
    TkPlotReadoutChannel* channel = Channels && FSnappedChannelIndex >= 0 && FSnappedChannelIndex < Channels->GetCount()
                                        ? ChannelAt(FSnappedChannelIndex)
                                        : nullptr;
    if (!channel || !channel->SnapsCursor() || channel->DataPointCount() == 0)
        return;
    // The arrows along the pointer's travel step through the points; the
    // others move the hint by a pixel.
    const bool horizontal = PointerHorizontal(Pointer);
    int index = FSnappedPointIndex;
    switch (Key) {
    case VK_PRIOR: index += 5; break;
    case VK_NEXT: index -= 5; break;
    case VK_END: index = channel->DataPointCount() - 1; break;
    case VK_HOME: index = 0; break;
    case VK_LEFT:
    case VK_RIGHT:
        if (horizontal) {
            if (FHintShow)
                FHintPosition += (Key == VK_RIGHT ? 1 : -1) * PixelStep(false);
            return;
        }
        index += Key == VK_RIGHT ? 1 : -1;
        break;
    default:
        if (!horizontal) {
            if (FHintShow)
                FHintPosition += (Key == VK_UP ? 1 : -1) * PixelStep(true);
            return;
        }
        index += Key == VK_UP ? 1 : -1;
        break;
    }
    SnapTo(Pointer, channel, FSnappedChannelIndex, std::clamp(index, 0, channel->DataPointCount() - 1));
}

// ---- mouse

TRect TkPlotDataCursor::PointerRect(int Pointer) const
{
    if (!FDataView)
        return TRect();
    const TRect& view = FDataView->GetDrawRect();
    const int p = PointerPixel(Pointer);
    const int grab = GrabWidth + FPointerPenWidth / 2;
    if (PointerHorizontal(Pointer))
        return TRect(view.Left, p - grab, view.Right, p + grab + 1);
    return TRect(p - grab, view.Top, p + grab + 1, view.Bottom);
}

bool TkPlotDataCursor::HitTest(const TkPlotMouseData& Mouse)
{
    if (!FDataView)
        return false;
    return (PointerShown(1) && PtInRect(PointerRect(1), Mouse.Received)) ||
           (PointerShown(2) && PtInRect(PointerRect(2), Mouse.Received)) ||
           (FHintShownNow && PtInRect(FHintRect, Mouse.Received));
}

TCursor TkPlotDataCursor::GetMouseCursor(TPoint P)
{
    const TCursor cursor = TkPlotManagerObject::GetMouseCursor(P);
    return GetHitObject() == this ? crHandPoint : cursor;
}

void TkPlotDataCursor::DoMouseLeftDown(const TkPlotMouseData& Mouse)
{
    if (!FDataView)
        return;
    FMouseDown = Mouse.Received;
    if (FHintShownNow && PtInRect(FHintRect, Mouse.Received)) {
        FDraggingHint = true;
        FStartPixel = HintPixel();
        InvalidateNow();
        return;
    }
    for (int pointer : {1, 2}) {
        if (!PointerShown(pointer) || !PtInRect(PointerRect(pointer), Mouse.Received))
            continue;
        (pointer == 1 ? FDraggingPointer1 : FDraggingPointer2) = true;
        FStartPixel = PointerPixel(pointer);
        InvalidateNow();
        UpdateValues();
        return;
    }
}

void TkPlotDataCursor::DoMouseDrag(const TkPlotMouseData& Mouse)
{
    if (!FDataView)
        return;
    const TRect& view = FDataView->GetDrawRect();
    // Percent of the view from its left edge, or from its bottom edge.
    auto across = [&](int X) { return view.Width() > 0 ? double(X - view.Left) / view.Width() * 100 : 0; };
    auto upwards = [&](int Y) { return view.Height() > 0 ? double(view.Bottom - Y) / view.Height() * 100 : 0; };
    if (FDraggingHint) {
        // The box keeps its place under the mouse where it was grabbed.
        FHintPosition = ClampPercent(GetHintSlidesHorizontally()
                                         ? across(FStartPixel + Mouse.Received.X - FMouseDown.X)
                                         : upwards(FStartPixel + Mouse.Received.Y - FMouseDown.Y));
    } else if (FDraggingPointer1 || FDraggingPointer2) {
        // The pointer follows the mouse across its direction of travel.
        const int pointer = FDraggingPointer1 ? 1 : 2;
        PointerPosition(pointer) = ClampPercent(PointerHorizontal(pointer) ? upwards(Mouse.Received.Y)
                                                                           : across(Mouse.Received.X));
    } else {
        return;
    }
    UpdateValues();
    InvalidateNow();
}

void TkPlotDataCursor::DoMouseUp(const TkPlotMouseData& Mouse)
{
    if (FDraggingPointer1 || FDraggingPointer2 || FDraggingHint) {
        if (FDraggingPointer1 || FDraggingPointer2)
            SnapPointer(FDraggingPointer1 ? 1 : 2);
        FDraggingPointer1 = FDraggingPointer2 = FDraggingHint = false;
        UpdateValues();
        InvalidateNow();
    }
    if (GetPressed() && GetOwner() && HitTest(Mouse))
        GetOwner()->DoObjectClick(this);
}

// ---- drawing

int TkPlotDataCursor::HintPixel() const
{
    if (!FDataView)
        return 0;
    const TRect& r = FDataView->GetDrawRect();
    if (GetHintSlidesHorizontally())
        return r.Left + RoundToInt(r.Width() * FHintPosition / 100.0);
    return r.Bottom - RoundToInt(r.Height() * FHintPosition / 100.0);
}

TColor TkPlotDataCursor::PointerColor() const
{
    if (FUseChannelColor)
        if (TkPlotReadoutChannel* channel = GetChannel())
            return channel->TraceColor();
    return FColor;
}

bool TkPlotDataCursor::HintWanted() const
{
    if (!FHintShow || SameText(FChannelName, AllChannels))
        return false;
    return !FHintHideOnRelease || FDraggingPointer1 || FDraggingPointer2;
}

std::string TkPlotDataCursor::HintText()
{
    std::string text;
    if (TkPlotReadoutChannel* channel = GetChannel()) {
        text = channel->GetCursorReadout();
    } else {
        text = TranslateText("No Channel");
    }
    if (GetOwner())
        GetOwner()->DoDataCursorCustomizeHint(this, text);
    return text;
}

TRect TkPlotDataCursor::PlaceHint(TSize Size) const
{
    const TRect& view = FDataView->GetDrawRect();
    const bool between = GetPointer2Shown();
    const bool afterFirst = FHintOrientationSide == kosBottomRight;
    // Along the pointer: at HintPosition. Across it: midway between two
    // pointers, else beside the pointer on the preferred side, or on the
    // other side when the preferred one has no room in the view.
    auto beside = [&](int Pointer, int Extent, int Low, int High) {
        const int after = Pointer + HintGap, before = Pointer - HintGap - Extent;
        if (afterFirst)
            return after + Extent > High ? before : after;
        return before < Low ? after : before;
    };
    const int p1 = PointerPixel(1), p2 = PointerPixel(2);
    int left = 0, top = 0;
    if (GetHintSlidesHorizontally()) {
        left = HintPixel() - Size.cx / 2;
        top = between ? (p1 + p2) / 2 - Size.cy / 2 : beside(p1, Size.cy, view.Top, view.Bottom);
    } else {
        top = HintPixel() - Size.cy / 2;
        left = between ? (p1 + p2) / 2 - Size.cx / 2 : beside(p1, Size.cx, view.Left, view.Right);
    }
    left = std::max(view.Left, std::min(left, view.Right - Size.cx));
    top = std::max(view.Top, std::min(top, view.Bottom - Size.cy));
    return TRect(left, top, left + Size.cx, top + Size.cy);
}

void TkPlotDataCursor::DrawPointer(TCanvas* Canvas, int Pointer, TColor Color)
{
    const TRect& view = FDataView->GetDrawRect();
    Canvas->Pen->SetColor(Color);
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(FPointerPenWidth + (GetDraggingPointer(Pointer) ? DraggingPenExtra : 0));
    const int p = PointerPixel(Pointer);
    if (PointerHorizontal(Pointer)) {
        Canvas->MoveTo(view.Left, p);
        Canvas->LineTo(view.Right, p);
    } else {
        Canvas->MoveTo(p, view.Top);
        Canvas->LineTo(p, view.Bottom);
    }
}

void TkPlotDataCursor::DrawHint(TCanvas* Canvas, TColor Color)
{
    const std::string text = HintText();
    Canvas->Font->Assign(FFont.get());
    const TSize size(MultiLineTextWidth(Canvas, text) + 2 * HintMargin,
                     MultiLineTextHeight(Canvas, text) + 2 * HintMargin);
    FHintRect = PlaceHint(size);
    FHintShownNow = true;
    if (GetPointer2Shown()) {
        // The line that joins the two pointers runs through the box.
        Canvas->Pen->SetColor(Color);
        Canvas->Pen->SetWidth(1);
        const int p1 = PointerPixel(1), p2 = PointerPixel(2);
        if (GetHintSlidesHorizontally()) {
            const int x = (FHintRect.Left + FHintRect.Right) / 2;
            Canvas->MoveTo(x, p1);
            Canvas->LineTo(x, p2);
        } else {
            const int y = (FHintRect.Top + FHintRect.Bottom) / 2;
            Canvas->MoveTo(p1, y);
            Canvas->LineTo(p2, y);
        }
    }
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(Color);
    Canvas->FillRect(FHintRect);
    DrawBorder(Canvas, FHintRect, 1);
    TRect inner(FHintRect.Left + HintMargin, FHintRect.Top + HintMargin, FHintRect.Right - HintMargin,
                FHintRect.Bottom - HintMargin);
    Canvas->Brush->SetStyle(bsClear);
    DrawFormattedText(Canvas, text, inner, ktfNoPrefix | ktfNoClip, true);
    if (GetFocused())
        DrawFocusRectangle(Canvas, FHintRect);
}

void TkPlotDataCursor::Draw(TCanvas* Canvas, TColor)
{
    FHintShownNow = false;
    if (!FDataView || !GetVisible())
        return;
    UpdateValues();
    const TColor color = PointerColor();
    for (int pointer : {1, 2})
        if (PointerShown(pointer))
            DrawPointer(Canvas, pointer, color);
    if (HintWanted())
        DrawHint(Canvas, color);
}

// ---- popup menu

void TkPlotDataCursor::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotManagerObject::BuildPopupMenu(Menu);
    if (!Menu)
        return;
    AddChannelMenu(Menu);
    AddStyleMenu(Menu);
    if (MenuUserCanChangeOptions)
        AddOptionsMenu(Menu);
    TMenuItem* snap = NewMenuItem(Menu, TranslateText("Snap to Data-Point"), [this](TObject*) {
        SetSnapToDataPoint(!FSnapToDataPoint);
        if (FSnapToDataPoint) {
            SnapPointer(1);
            SnapPointer(2);
        }
    });
    snap->SetChecked(FSnapToDataPoint);
    Menu->Items->Add(snap);
    AddEditMenuItem(Menu);
}

void TkPlotDataCursor::AddChannelMenu(TPopupMenu* Menu)
{
    TMenuItem* channels = NewMenuItem(Menu, TranslateText("Channel"), nullptr);
    Menu->Items->Add(channels);
    if (FChannelAllowAll) {
        TMenuItem* all = NewMenuItem(Menu, TranslateText(AllChannels),
                                     [this](TObject*) { ChooseChannel(AllChannels); });
        all->SetChecked(SameText(FChannelName, AllChannels));
        channels->Add(all);
    }
    for (int i = 0; Channels && i < Channels->GetCount(); ++i) {
        TkPlotReadoutChannel* channel = ChannelAt(i);
        if (!channel->GetVisible())
            continue;
        auto* item = new TkMenuItem(Menu);
        item->ObjectName = channel->GetName();
        item->SetCaption(channel->TitleText());
        item->SetChecked(channel == GetChannel());
        item->OnClick = [this, item](TObject*) { ChooseChannel(item->ObjectName); };
        channels->Add(item);
    }
}

void TkPlotDataCursor::ChooseChannel(const std::string& Name)
{
    SetChannelName(Name);
    if (SameText(Name, AllChannels)) {
        for (int i = 0; Channels && i < Channels->GetCount(); ++i)
            ChannelAt(i)->SetFocused(false);
        return;
    }
    if (TkPlotReadoutChannel* channel = GetChannel())
        channel->SetFocused(true);
    SnapPointer(1);
    SnapPointer(2);
}

void TkPlotDataCursor::AddStyleMenu(TPopupMenu* Menu)
{
    TMenuItem* styles = NewMenuItem(Menu, TranslateText("Style"), nullptr);
    Menu->Items->Add(styles);
    const struct {
        TkPlotDataCursorStyle Style;
        const std::string& Caption;
        bool Visible;
    } choices[] = {
        {kpcsValueXY, MenuItemCaptionValueXY, MenuItemVisibleValueXY},
        {kpcsValueX, MenuItemCaptionValueX, MenuItemVisibleValueX},
        {kpcsValueY, MenuItemCaptionValueY, MenuItemVisibleValueY},
        {kpcsDeltaX, MenuItemCaptionDeltaX, MenuItemVisibleDeltaX},
        {kpcsDeltaY, MenuItemCaptionDeltaY, MenuItemVisibleDeltaY},
        {kpcsInverseDeltaX, MenuItemCaptionInverseDeltaX, MenuItemVisibleInverseDeltaX},
    };
    for (const auto& choice : choices) {
        const TkPlotDataCursorStyle style = choice.Style;
        TMenuItem* item = NewMenuItem(Menu, TranslateText(choice.Caption),
                                      [this, style](TObject*) { SetStyle(style); });
        item->SetRadioItem(true);
        item->SetChecked(style == FStyle);
        item->SetVisible(choice.Visible);
        styles->Add(item);
    }
}

void TkPlotDataCursor::AddOptionsMenu(TPopupMenu* Menu)
{
    // The options change what is drawn only: a repaint, no change notice.
    TMenuItem* options = NewMenuItem(Menu, TranslateText("Options"), nullptr);
    Menu->Items->Add(options);
    TMenuItem* useColor = NewMenuItem(Menu, TranslateText("Use Channel Color"), [this](TObject*) {
        FUseChannelColor = !FUseChannelColor;
        InvalidateNow();
    });
    useColor->SetChecked(FUseChannelColor);
    options->Add(useColor);
    TMenuItem* hide = NewMenuItem(Menu, TranslateText("Hide Hint On Release"), [this](TObject*) {
        FHintHideOnRelease = !FHintHideOnRelease;
        InvalidateNow();
    });
    hide->SetChecked(FHintHideOnRelease);
    options->Add(hide);
    TMenuItem* flip = NewMenuItem(Menu, TranslateText("Flip Alignment"), [this](TObject*) {
        FHintOrientationSide = FHintOrientationSide == kosBottomRight ? kosTopLeft : kosBottomRight;
        InvalidateNow();
    });
    flip->SetEnabled(!GetPointer2Shown() && !SameText(FChannelName, AllChannels));
    options->Add(flip);
}

// ---- object notifications

void TkPlotDataCursor::ObjectFocused(TkPlotObject* Object)
{
    if (Object == this)
        return;
    if (Object->Kind() == TkPlotObjectKind::Channel && GetFocused()) {
        SetChannelName(Object->GetName());
        return;
    }
    if (Object != GetChannel())
        SetFocused(false);
}

void TkPlotDataCursor::DoGotFocus()
{
    TkPlotManagerObject::DoGotFocus();
    if (TkPlotReadoutChannel* channel = GetChannel())
        channel->SetFocused(true);
}

void TkPlotDataCursor::SetVisible(bool Value)
{
    TkPlotManagerObject::SetVisible(Value);
    if (Value)
        UpdateValues();
}

void TkPlotDataCursor::ObjectRemoved(TkPlotObject* Object)
{
    if (Object == FDataView)
        FDataView = nullptr;
}

void TkPlotDataCursor::ObjectRenamed(TkPlotObject* Object)
{
    FollowRename(Object, TkPlotObjectKind::Channel, FChannelName);
}

// ---- properties

bool TkPlotDataCursor::Percent(double& Value)
{
    Value = ClampPercent(Value);
    return true;
}
