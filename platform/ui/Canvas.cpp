#include "ui/Canvas.h"
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>
#include "rtl/Saturating.h"
#include "ui/CanvasPainter.h"
#include "ui/Graphic.h"
#include "ui/RegionBlit.h"
#include "ui/GraphicsQt.h"
#include "ui/RotatedTextCache.h"
#include "ui/TextKey.h"
#include "ui/TextMaskCache.h"

namespace {

QRect ToQRect(const TRect& R)
{
    return QRect(R.Left, R.Top, R.Width(), R.Height());
}

TRect Normalized(const TRect& R)
{
    return TRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
                 std::max(R.Top, R.Bottom));
}

QPainter::CompositionMode ModeOf(TPenMode Mode)
{
    switch (Mode) {
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmNop:
    case pmCopy: break;
    }
    return QPainter::CompositionMode_SourceOver;
}

Qt::BrushStyle BrushStyleOf(TBrushStyle Style)
{
    switch (Style) {
    case bsSolid: return Qt::SolidPattern;
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

QBrush ToQBrush(const TBrush& Brush)
{
    return QBrush(ToQColor(Brush.GetColor()), BrushStyleOf(Brush.GetStyle()));
}

QPen MakeQPen(const TPen& Pen);

// The painter's pen for a canvas pen. The last one made is kept and handed
// out again while the pen stays the same: a chart draws thousands of lines
// with one pen, and a painter given the very same pen again keeps what it
// prepared for it.
QPen ToQPen(const TPen& Pen)
{
    struct TMade {
        bool Valid = false;
        QColor Color;
        int Width = 0;
        TPenStyle Style = psSolid;
        bool Nop = false;
        QPen Pen;
    };
    thread_local TMade Last;
    const QColor Color = ToQColor(Pen.GetColor());
    const bool Nop = Pen.GetMode() == pmNop;
    if (!Last.Valid || Last.Color != Color || Last.Width != Pen.GetWidth() || Last.Style != Pen.GetStyle() ||
        Last.Nop != Nop)
        Last = TMade{true, Color, Pen.GetWidth(), Pen.GetStyle(), Nop, MakeQPen(Pen)};
    return Last.Pen;
}

// Thin pens are cosmetic one-pixel pens with flat caps, which leave out the
// last pixel of a line; wide pens are round and solid, as on the platform.
QPen MakeQPen(const TPen& Pen)
{
    if (Pen.GetStyle() == psClear || Pen.GetMode() == pmNop)
        return QPen(Qt::NoPen);
    QPen Result(ToQColor(Pen.GetColor()));
    if (Pen.GetWidth() <= 1) {
        Result.setWidth(0);
        Result.setCapStyle(Qt::FlatCap);
        Result.setJoinStyle(Qt::MiterJoin);
        switch (Pen.GetStyle()) {
        case psDash: Result.setDashPattern({18, 6}); break;
        case psDot: Result.setDashPattern({3, 3}); break;
        case psDashDot: Result.setDashPattern({9, 6, 3, 6}); break;
        case psDashDotDot: Result.setDashPattern({9, 3, 3, 3, 3, 3}); break;
        default: break;
        }
    } else {
        Result.setWidth(Pen.GetWidth());
        Result.setCapStyle(Qt::RoundCap);
        Result.setJoinStyle(Qt::RoundJoin);
    }
    return Result;
}

int ToSixteenths(double Radians)
{
    return static_cast<int>(std::lround(Radians * 180.0 / M_PI * 16.0));
}

// Measures used when no application (and so no font system) exists, so
// that layout code stays testable without a display: half an em per
// narrow character, a whole em per wide one, a cell of 1.2 em.
TSize FallbackExtent(const TFont& Font, const std::string& Text)
{
    const int Em = std::max(1, std::abs(Font.GetHeight()));
    int Width = 0;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const unsigned char C = static_cast<unsigned char>(Text[I]);
        if ((C & 0xC0) == 0x80)
            continue;
        Width += C >= 0xE0 ? Em : (Em + 1) / 2;
    }
    return TSize(Width, (Em * 6 + 4) / 5);
}

// Splits UTF-8 text into its code points.
std::vector<std::string> CodePoints(const std::string& Text)
{
    std::vector<std::string> Result;
    for (std::size_t I = 0; I < Text.size();) {
        std::size_t Length = 1;
        const unsigned char C = static_cast<unsigned char>(Text[I]);
        if (C >= 0xF0)
            Length = 4;
        else if (C >= 0xE0)
            Length = 3;
        else if (C >= 0xC0)
            Length = 2;
        Length = std::min(Length, Text.size() - I);
        Result.push_back(Text.substr(I, Length));
        I += Length;
    }
    return Result;
}

// True for the first code point of Text being from the CJK ranges (U+2E80
// on), between whose characters lines may break.
bool IsWide(const std::string& Text)
{
    if (Text.size() < 3)
        return false;
    const unsigned char C0 = static_cast<unsigned char>(Text[0]);
    const unsigned char C1 = static_cast<unsigned char>(Text[1]);
    if (C0 >= 0xF0)
        return true;
    if (C0 < 0xE0)
        return false;
    const unsigned char C2 = static_cast<unsigned char>(Text[2]);
    const unsigned Value = ((C0 & 0x0Fu) << 12) | ((C1 & 0x3Fu) << 6) | (C2 & 0x3Fu);
    return Value >= 0x2E80;
}

}  // namespace

QPainter* TCanvasPainter::Begin(TCanvas* Canvas)
{
    QPainter* P = Canvas->Painter();
    if (!P || !P->isActive())
        return nullptr;
    // Each setting is made only where the painter's own state differs:
    // setting a clip or a hint, even an unchanged one, makes the raster
    // engine prepare its pen and clip anew for the next stroke, which a
    // chart's thousands of short trace lines would each pay for.
    if (Canvas->FHasClip) {
        const QRect Clip = ToQRect(Canvas->FClip);
        if (Clip.isEmpty() || !P->hasClipping() || P->clipBoundingRect() != QRectF(Clip))
            P->setClipRect(Clip);
    } else if (P->hasClipping()) {
        P->setClipping(false);
    }
    constexpr QPainter::RenderHints Smoothing = QPainter::Antialiasing | QPainter::TextAntialiasing |
                                                QPainter::SmoothPixmapTransform;
    if (P->renderHints() & Smoothing)
        P->setRenderHints(Smoothing, false);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    // A solid brush makes the background opaque in its colour: the gaps of
    // dashed and dotted lines are filled with it, as on the platform. A
    // hatch given a colour for its gaps fills them, and those of dashed
    // lines, with that colour.
    const TBrushStyle Style = Canvas->Brush->GetStyle();
    const TColor HatchBack = Canvas->Brush->GetHatchBackColor();
    if (Style == bsSolid || (IsHatchStyle(Style) && HatchBack != clNone)) {
        if (P->backgroundMode() != Qt::OpaqueMode)
            P->setBackgroundMode(Qt::OpaqueMode);
        const QColor Back = ToQColor(Style == bsSolid ? Canvas->Brush->GetColor() : HatchBack);
        if (P->background() != QBrush(Back))
            P->setBackground(Back);
    } else if (P->backgroundMode() != Qt::TransparentMode) {
        P->setBackgroundMode(Qt::TransparentMode);
    }
    return P;
}

void TCanvasPainter::DrawImage(TCanvas* Canvas, const TRect& R, const QImage& Image)
{
    if (QPainter* P = Begin(Canvas)) {
        const TRect N = Normalized(R);
        QImage Source = Image;
        if (R.Right < R.Left || R.Bottom < R.Top)
            Source = Image.mirrored(R.Right < R.Left, R.Bottom < R.Top);
        DrawImageByRects(*P, ToQRect(N), Source);
    }
}

TCanvasPixels::TPixel::operator TColor() const
{
    return FCanvas->GetPixel(FX, FY);
}

TCanvasPixels::TPixel& TCanvasPixels::TPixel::operator=(TColor Value)
{
    FCanvas->SetPixel(FX, FY, Value);
    return *this;
}

TCanvas::TCanvas() : Font(new TFont), Pen(new TPen), Brush(new TBrush) {}

TCanvas::~TCanvas()
{
    delete Font;
    delete Pen;
    delete Brush;
}

void TCanvas::ResetToNew()
{
    const TFont font;
    const TPen pen;
    const TBrush brush;
    Font->Assign(&font);
    Pen->Assign(&pen);
    Brush->Assign(&brush);
    RemoveClipRect();
    MoveTo(0, 0);
}

TSize TCanvas::GetSurfaceSize() const
{
    return TSize(0, 0);
}

TColor TCanvas::GetPixel(int X, int Y)
{
    return DoGetPixel(X, Y);
}

void TCanvas::SetPixel(int X, int Y, TColor Color)
{
    if (FHasClip && !PtInRect(FClip, Point(X, Y)))
        return;
    DoSetPixel(X, Y, Color);
}

void TCanvas::MoveTo(int X, int Y)
{
    DoMoveTo(X, Y);
    FPenPos = Point(X, Y);
}

void TCanvas::LineTo(int X, int Y)
{
    DoLineTo(X, Y);
    FPenPos = Point(X, Y);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    DoRectangle(TRect(X1, Y1, X2, Y2));
}

void TCanvas::FillRect(const TRect& R)
{
    DoFillRect(R);
}

void TCanvas::FrameRect(const TRect& R)
{
    DoFrameRect(R);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    DoEllipse(TRect(X1, Y1, X2, Y2));
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    DoRoundRect(TRect(X1, Y1, X2, Y2), X3, Y3);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    DoArc(TArcKind::Arc, TRect(X1, Y1, X2, Y2), Point(X3, Y3), Point(X4, Y4));
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    DoArc(TArcKind::Pie, TRect(X1, Y1, X2, Y2), Point(X3, Y3), Point(X4, Y4));
}

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
    if (!Points.empty())
        DoPolygon(Points);
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
    if (Points.size() >= 2)
        DoPolyline(Points);
}

void TCanvas::LineSegments(const std::vector<TPoint>& Ends)
{
    if (Ends.size() < 2)
        return;
    DoLineSegments(Ends);
    FPenPos = Ends[Ends.size() / 2 * 2 - 1];
}

void TCanvas::TextOut(int X, int Y, const std::string& Text)
{
    DoTextOut(X, Y, Text);
    FPenPos = Point(X + TextWidth(Text), Y);
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text)
{
    DoTextRect(R, X, Y, Text);
}

TSize TCanvas::TextExtent(const std::string& Text)
{
    if (!QGuiApplication::instance())
        return FallbackExtent(*Font, Text);
    QPainter* P = Painter();
    QPaintDevice* Device = P && P->isActive() ? P->device() : nullptr;
    // Measures are kept by font, resolution and text: a chart lays out and
    // draws the same axis labels several times in every repaint, and
    // shaping a text anew costs far more than finding it here.
    // The key is built in a buffer kept from call to call: most calls find
    // their text, and should not allocate to look for it.
    thread_local std::string Key;
    TextKey(Key, *Font, {Device ? Device->logicalDpiX() : 0, Device ? Device->logicalDpiY() : 0}, Text);
    thread_local std::unordered_map<std::string, TSize> Measured;
    if (const auto Found = Measured.find(Key); Found != Measured.end())
        return Found->second;
    const QFont F = ToQFont(*Font);
    const QFontMetrics Metrics = Device ? QFontMetrics(F, Device) : QFontMetrics(F);
    const TSize Size(Metrics.horizontalAdvance(QString::fromStdString(Text)), Metrics.height());
    // Bounded: a run's ever new time labels must not pile up.
    if (Measured.size() >= 4096)
        Measured.clear();
    Measured.emplace(Key, Size);
    return Size;
}

int TCanvas::DrawText(const std::string& Source, TRect& R, unsigned Format)
{
    std::string Text;
    Text.reserve(Source.size());
    for (std::size_t I = 0; I < Source.size(); ++I) {
        const char C = Source[I];
        if (C == '&' && !(Format & DT_NOPREFIX)) {
            if (I + 1 < Source.size() && Source[I + 1] == '&')
                Text += '&', ++I;
            continue;
        }
        if (C == '\t' && (Format & DT_EXPANDTABS)) {
            Text.append(8 - Text.size() % 8, ' ');
            continue;
        }
        Text += C;
    }

    std::vector<std::string> Paragraphs;
    if (Format & DT_SINGLELINE) {
        std::string Line;
        for (char C : Text)
            if (C != '\r' && C != '\n')
                Line += C;
        Paragraphs.push_back(Line);
    } else {
        std::string Line;
        for (std::size_t I = 0; I < Text.size(); ++I) {
            if (Text[I] == '\r' || Text[I] == '\n') {
                Paragraphs.push_back(Line);
                Line.clear();
                if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n')
                    ++I;
            } else {
                Line += Text[I];
            }
        }
        Paragraphs.push_back(Line);
    }

    // Word wrap breaks after spaces and between wide (CJK) characters; a
    // word wider than the rectangle keeps a line to itself.
    std::vector<std::string> Lines;
    const bool Wrap = (Format & DT_WORDBREAK) && !(Format & DT_SINGLELINE);
    for (const std::string& Paragraph : Paragraphs) {
        if (!Wrap) {
            Lines.push_back(Paragraph);
            continue;
        }
        std::vector<std::string> Pieces;  // words, each with its trailing spaces
        std::string Piece;
        for (const std::string& CP : CodePoints(Paragraph)) {
            const bool PieceEndsInSpace = !Piece.empty() && Piece.back() == ' ';
            if (!Piece.empty() && CP != " " && (PieceEndsInSpace || IsWide(CP) || IsWide(Piece))) {
                Pieces.push_back(Piece);
                Piece.clear();
            }
            Piece += CP;
        }
        if (!Piece.empty() || Pieces.empty())
            Pieces.push_back(Piece);
        std::string Line;
        for (const std::string& P : Pieces) {
            std::string Candidate = Line + P;
            std::string Trimmed = Candidate;
            while (!Trimmed.empty() && Trimmed.back() == ' ')
                Trimmed.pop_back();
            if (Line.find_first_not_of(' ') != std::string::npos && TextWidth(Trimmed) > R.Width()) {
                while (!Line.empty() && Line.back() == ' ')
                    Line.pop_back();
                Lines.push_back(Line);
                Line = P;
            } else {
                Line = Candidate;
            }
        }
        while (!Line.empty() && Line.back() == ' ')
            Line.pop_back();
        Lines.push_back(Line);
    }

    // Rectangles placed by layouts may lie at the far ends of the int range:
    // positions saturate there instead of wrapping round.
    const int LineHeight = TextHeight("Wg");
    const int Total = SatMul(LineHeight, static_cast<int>(Lines.size()));
    if (Format & DT_CALCRECT) {
        int Widest = 0;
        for (const std::string& Line : Lines)
            Widest = std::max(Widest, TextWidth(Line));
        R.Right = SatAdd(R.Left, Widest);
        R.Bottom = SatAdd(R.Top, Total);
        return Total;
    }

    int Y = R.Top;
    if (Format & DT_SINGLELINE) {
        if (Format & DT_VCENTER)
            Y = SatAdd(R.Top, SatSub(R.Height(), LineHeight) / 2);
        else if (Format & DT_BOTTOM)
            Y = SatSub(R.Bottom, LineHeight);
    }
    const bool Clip = !(Format & DT_NOCLIP);
    const bool HadClip = FHasClip;
    const TRect OldClip = FClip;
    if (Clip)
        IntersectClipRect(R);
    for (std::string Line : Lines) {
        int Width = TextWidth(Line);
        if ((Format & DT_END_ELLIPSIS) && Width > R.Width()) {
            std::vector<std::string> CPs = CodePoints(Line);
            while (!CPs.empty()) {
                CPs.pop_back();
                std::string Shorter;
                for (const std::string& CP : CPs)
                    Shorter += CP;
                Shorter += "...";
                if (TextWidth(Shorter) <= R.Width() || CPs.empty()) {
                    Line = Shorter;
                    break;
                }
            }
            Width = TextWidth(Line);
        }
        int X = R.Left;
        if (Format & DT_CENTER)
            X = SatAdd(R.Left, SatSub(R.Width(), Width) / 2);
        else if (Format & DT_RIGHT)
            X = SatSub(R.Right, Width);
        if (!Line.empty())
            DoTextOut(X, Y, Line);
        Y = SatAdd(Y, LineHeight);
    }
    if (Clip) {
        if (HadClip)
            SetClipRect(OldClip);
        else
            RemoveClipRect();
    }
    return SatSub(Y, R.Top);
}

TRect TCanvas::GetClipRect() const
{
    if (FHasClip)
        return FClip;
    const TSize Size = GetSurfaceSize();
    return TRect(0, 0, Size.cx, Size.cy);
}

void TCanvas::SetClipRect(const TRect& R)
{
    FHasClip = true;
    FClip = IsRectEmpty(R) ? TRect() : R;
    DoClipChanged();
}

void TCanvas::IntersectClipRect(const TRect& R)
{
    TRect Area = GetClipRect();
    if (!FHasClip && IsRectEmpty(Area)) {
        SetClipRect(R);
        return;
    }
    TRect Result;
    IntersectRect(Result, Area, R);
    SetClipRect(Result);
}

void TCanvas::RemoveClipRect()
{
    FHasClip = false;
    FClip = TRect();
    DoClipChanged();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->GetEmpty())
        return;
    DoStretchDraw(Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()), Graphic);
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic)
{
    if (!Graphic || Graphic->GetEmpty())
        return;
    DoStretchDraw(R, Graphic);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect)
{
    if (Source)
        DoCopyRect(Dest, Source, SourceRect);
}

void TCanvas::DrawGraphic(TGraphic* Graphic, TCanvas* Target, const TRect& R)
{
    Graphic->Draw(Target, R);
}

namespace {

// True when the painter draws pixel for pixel: no scaling, whole-pixel
// shifts only.
bool MapsPixelsToPixels(const QPainter* P)
{
    const QTransform& T = P->transform();
    return T.type() <= QTransform::TxTranslate && T.dx() == std::floor(T.dx()) && T.dy() == std::floor(T.dy());
}

// Steps a one-pixel line from A to B (A != B), leaving out B, and hands
// the pixels on as straight runs: Run(X0, Y0, X1, Y1) for the run from
// (X0, Y0) to (X1, Y1), both ends included. Every step moves along the
// line's longer axis, so a run ends where the shorter axis steps.
template <class F> void StepRuns(TPoint A, TPoint B, F Run)
{
    int x = A.X, y = A.Y;
    const int X = B.X, Y = B.Y;
    const int dx = std::abs(X - x), dy = -std::abs(Y - y);
    const int sx = x < X ? 1 : -1, sy = y < Y ? 1 : -1;
    if (dx == 0 || dy == 0) {
        Run(x, y, X - (dx == 0 ? 0 : sx), Y - (dy == 0 ? 0 : sy));
        return;
    }
    int err = dx + dy;
    const bool Steep = -dy > dx;
    int RunX = x, RunY = y;
    if (Steep) {
        // The same steps, taken a run at a time: between two steps along X
        // every step is along Y alone (a step that does not move X has
        // 2 * err < dy <= 0 <= dx), each adding dx to err, so how many come
        // before the next step along X is told at once instead of stepped
        // through. A chart's trace is mostly such runs, many pixels tall.
        while (x != X) {
            // Steps along Y alone before 2 * err reaches dy.
            const int Rest = std::abs(Y - y);
            const int Alone = 2 * err >= dy ? 0 : (dy - 2 * err + 2 * dx - 1) / (2 * dx);
            if (Alone >= Rest)
                break;  // no step along X is left before Y's end: as below
            y += Alone * sy;
            err += Alone * dx;
            const int e2 = 2 * err;
            err += dy;
            int ny = y;
            if (e2 <= dx) {
                err += dx;
                ny += sy;
            }
            Run(RunX, RunY, x, y);
            x += sx;
            y = ny;
            if (x == X && y == Y)
                return;
            RunX = x;
            RunY = y;
        }
        if (x == X) {
            // The rest is one run along Y, ending beside the end pixel.
            Run(RunX, RunY, X, Y - sy);
            return;
        }
    }
    while (x != X || y != Y) {
        const int e2 = 2 * err;
        int nx = x, ny = y;
        if (e2 >= dy) {
            err += dy;
            nx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            ny += sy;
        }
        if ((nx == X && ny == Y) || (Steep ? nx != x : ny != y)) {
            Run(RunX, RunY, x, y);
            RunX = nx;
            RunY = ny;
        }
        x = nx;
        y = ny;
    }
}

}  // namespace

// Painting through the painter.

void TCanvas::DoMoveTo(int, int) {}

void TCanvas::DoLineTo(int X, int Y)
{
    QPainter* P = TCanvasPainter::Begin(this);
    if (!P)
        return;
    P->setPen(ToQPen(*Pen));
    P->setCompositionMode(ModeOf(Pen->GetMode()));
    if (FPenPos == Point(X, Y))
        return;
    if (Pen->GetWidth() <= 1 && Pen->GetStyle() == psSolid) {
        if (Pen->GetMode() == pmCopy && MapsPixelsToPixels(P)) {
            // Onto a picture, straight into its rows, as a trace's lines go:
            // a chart draws its axes' ticks and grid one line at a time.
            const TPoint Ends[2] = {FPenPos, Point(X, Y)};
            if (WriteThinLines(Ends, 2))
                return;
            // A plain pen over a pixel grid: the stepped pixels are filled as
            // straight runs, one rectangle each, which sets the same pixels
            // far faster (a chart's trace is mostly steep runs).
            const QColor Color = ToQColor(Pen->GetColor());
            StepRuns(FPenPos, Point(X, Y), [&](int X0, int Y0, int X1, int Y1) {
                P->fillRect(
                    QRect(QPoint(std::min(X0, X1), std::min(Y0, Y1)), QPoint(std::max(X0, X1), std::max(Y0, Y1))),
                    Color);
            });
            return;
        }
        // Pens that combine with what is there set each pixel once.
        QPolygon Pixels;
        StepRuns(FPenPos, Point(X, Y), [&](int X0, int Y0, int X1, int Y1) {
            const int Dx = X1 > X0 ? 1 : X1 < X0 ? -1 : 0, Dy = Y1 > Y0 ? 1 : Y1 < Y0 ? -1 : 0;
            for (int x = X0, y = Y0;; x += Dx, y += Dy) {
                Pixels << QPoint(x, y);
                if (x == X1 && y == Y1)
                    break;
            }
        });
        P->drawPoints(Pixels);
        return;
    }
    P->drawLine(QPoint(FPenPos.X, FPenPos.Y), QPoint(X, Y));
}

void TCanvas::DoLineSegments(const std::vector<TPoint>& Ends)
{
    if (WriteThinLines(Ends.data(), Ends.size()))
        return;
    for (std::size_t I = 0; I + 1 < Ends.size(); I += 2) {
        MoveTo(Ends[I].X, Ends[I].Y);
        LineTo(Ends[I + 1].X, Ends[I + 1].Y);
    }
}

bool TCanvas::WriteThinLines(const TPoint* Ends, std::size_t Count)
{
    if (Pen->GetWidth() > 1 || Pen->GetStyle() != psSolid || Pen->GetMode() != pmCopy)
        return false;
    QPainter* P = TCanvasPainter::Begin(this);
    if (!P || !MapsPixelsToPixels(P) || P->opacity() != 1.0 || P->device()->devType() != QInternal::Image)
        return false;
    QImage* Image = static_cast<QImage*>(P->device());
    const QImage::Format Format = Image->format();
    if (Format != QImage::Format_RGB32 && Format != QImage::Format_ARGB32 &&
        Format != QImage::Format_ARGB32_Premultiplied)
        return false;
    // Straight into the rows the painter paints: read through constBits, so
    // that the image is not detached from the painter's buffer.
    uchar* const Bits = const_cast<uchar*>(Image->constBits());
    const qsizetype RowBytes = Image->bytesPerLine();
    const int Dx = int(P->transform().dx()), Dy = int(P->transform().dy());
    TRect Area(0, 0, Image->width(), Image->height());
    if (FHasClip)
        IntersectRect(Area, Area, TRect(FClip.Left + Dx, FClip.Top + Dy, FClip.Right + Dx, FClip.Bottom + Dy));
    const quint32 Pixel = ToQColor(Pen->GetColor()).rgba();
    const auto Fill = [&](int X0, int Y0, int X1, int Y1) {
        const int Left = std::max(std::min(X0, X1) + Dx, Area.Left);
        const int Right = std::min(std::max(X0, X1) + Dx + 1, Area.Right);
        const int Top = std::max(std::min(Y0, Y1) + Dy, Area.Top);
        const int Bottom = std::min(std::max(Y0, Y1) + Dy + 1, Area.Bottom);
        if (Left >= Right || Top >= Bottom)
            return;
        uchar* Row = Bits + Top * RowBytes;
        if (Right - Left == 1) {
            // A vertical run, the bulk of a chart's trace: one pixel a row.
            for (uchar* Pixels = Row + Left * 4; Pixels < Bits + Bottom * RowBytes; Pixels += RowBytes)
                *reinterpret_cast<quint32*>(Pixels) = Pixel;
            return;
        }
        for (int Y = Top; Y < Bottom; ++Y, Row += RowBytes)
            std::fill(reinterpret_cast<quint32*>(Row) + Left, reinterpret_cast<quint32*>(Row) + Right, Pixel);
    };
    for (std::size_t I = 0; I + 1 < Count; I += 2)
        if (Ends[I] != Ends[I + 1])
            StepRuns(Ends[I], Ends[I + 1], Fill);
    return true;
}

void TCanvas::DoRectangle(const TRect& Box)
{
    QPainter* P = TCanvasPainter::Begin(this);
    if (!P)
        return;
    const TRect R = Normalized(Box);
    if (R.Width() <= 0 || R.Height() <= 0)
        return;
    P->setCompositionMode(ModeOf(Pen->GetMode()));
    const bool NoPen = Pen->GetStyle() == psClear || Pen->GetMode() == pmNop;
    if (NoPen) {
        // Without a pen the filled area is one pixel smaller, as on the platform.
        if (Brush->GetStyle() != bsClear && R.Width() > 1 && R.Height() > 1)
            P->fillRect(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1), ToQBrush(*Brush));
        return;
    }
    P->setPen(ToQPen(*Pen));
    P->setBrush(ToQBrush(*Brush));
    P->drawRect(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
}

void TCanvas::DoFillRect(const TRect& R)
{
    QPainter* P = TCanvasPainter::Begin(this);
    if (!P || Brush->GetStyle() == bsClear || IsRectEmpty(R))
        return;
    P->fillRect(ToQRect(R), ToQBrush(*Brush));
}

void TCanvas::DoFrameRect(const TRect& R)
{
    QPainter* P = TCanvasPainter::Begin(this);
    if (!P || Brush->GetStyle() == bsClear || IsRectEmpty(R))
        return;
    const QBrush B = ToQBrush(*Brush);
    const int W = R.Width();
    const int H = R.Height();
    P->fillRect(QRect(R.Left, R.Top, W, 1), B);
    if (H > 1)
        P->fillRect(QRect(R.Left, R.Bottom - 1, W, 1), B);
    if (H > 2) {
        P->fillRect(QRect(R.Left, R.Top + 1, 1, H - 2), B);
        if (W > 1)
            P->fillRect(QRect(R.Right - 1, R.Top + 1, 1, H - 2), B);
    }
}

void TCanvas::DoEllipse(const TRect& Box)
{
    QPainter* P = TCanvasPainter::Begin(this);
    const TRect R = Normalized(Box);
    if (!P || R.Width() <= 0 || R.Height() <= 0)
        return;
    P->setCompositionMode(ModeOf(Pen->GetMode()));
    P->setPen(ToQPen(*Pen));
    P->setBrush(ToQBrush(*Brush));
    P->drawEllipse(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
}

void TCanvas::DoRoundRect(const TRect& Box, int CornerWidth, int CornerHeight)
{
    QPainter* P = TCanvasPainter::Begin(this);
    const TRect R = Normalized(Box);
    if (!P || R.Width() <= 0 || R.Height() <= 0)
        return;
    P->setCompositionMode(ModeOf(Pen->GetMode()));
    P->setPen(ToQPen(*Pen));
    P->setBrush(ToQBrush(*Brush));
    P->drawRoundedRect(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1), std::abs(CornerWidth) / 2.0,
                       std::abs(CornerHeight) / 2.0);
}

void TCanvas::DoArc(TArcKind Kind, const TRect& Box, TPoint Start, TPoint End)
{
    QPainter* P = TCanvasPainter::Begin(this);
    const TRect R = Normalized(Box);
    if (!P || R.Width() <= 0 || R.Height() <= 0)
        return;
    const double CX = (R.Left + R.Right) / 2.0;
    const double CY = (R.Top + R.Bottom) / 2.0;
    const int A1 = ToSixteenths(std::atan2(CY - Start.Y, Start.X - CX));
    const int A2 = ToSixteenths(std::atan2(CY - End.Y, End.X - CX));
    int Span = A2 - A1;
    while (Span <= 0)
        Span += 360 * 16;
    const QRect Q(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    P->setCompositionMode(ModeOf(Pen->GetMode()));
    P->setPen(ToQPen(*Pen));
    if (Kind == TArcKind::Pie) {
        P->setBrush(ToQBrush(*Brush));
        P->drawPie(Q, A1, Span);
    } else {
        P->drawArc(Q, A1, Span);
    }
}

void TCanvas::DoPolygon(const std::vector<TPoint>& Points)
{
    QPainter* P = TCanvasPainter::Begin(this);
    if (!P)
        return;
    QPolygon Polygon;
    for (const TPoint& Pt : Points)
        Polygon << QPoint(Pt.X, Pt.Y);
    P->setCompositionMode(ModeOf(Pen->GetMode()));
    P->setPen(ToQPen(*Pen));
    P->setBrush(ToQBrush(*Brush));
    P->drawPolygon(Polygon, Qt::OddEvenFill);
}

void TCanvas::DoPolyline(const std::vector<TPoint>& Points)
{
    // Lines across and along (frames, borders) are written straight into a
    // picture's rows, each as LineTo draws it: the stroker would leave out
    // the start pixel of a line drawn up or to the left, and set its end.
    const auto straight = [](TPoint A, TPoint B) { return A != B && (A.X == B.X || A.Y == B.Y); };
    if (std::adjacent_find(Points.begin(), Points.end(), std::not_fn(straight)) == Points.end()) {
        std::vector<TPoint> Ends;
        Ends.reserve(2 * Points.size());
        for (std::size_t I = 0; I + 1 < Points.size(); ++I) {
            Ends.push_back(Points[I]);
            Ends.push_back(Points[I + 1]);
        }
        if (WriteThinLines(Ends.data(), Ends.size()))
            return;
    }
    QPainter* P = TCanvasPainter::Begin(this);
    if (!P)
        return;
    QPolygon Polygon;
    for (const TPoint& Pt : Points)
        Polygon << QPoint(Pt.X, Pt.Y);
    P->setCompositionMode(ModeOf(Pen->GetMode()));
    P->setPen(ToQPen(*Pen));
    P->drawPolyline(Polygon);
}

void TCanvas::DoTextOut(int X, int Y, const std::string& Text)
{
    // Without an application there is no font system to draw with.
    QPainter* P = QGuiApplication::instance() ? TCanvasPainter::Begin(this) : nullptr;
    if (!P || Text.empty())
        return;
    const bool OntoPicture = Brush->GetStyle() != bsSolid && P->device()->devType() == QInternal::Image;
    const QImage* Target = OntoPicture ? static_cast<const QImage*>(P->device()) : nullptr;
    const QRect Clip = Target ? (FHasClip ? ToQRect(FClip) : Target->rect()) : QRect();
    if (Target && TTextMaskCache::Local().Draw(*P, *Target, Clip, X, Y, *Font, Text))
        return;
    const QFont F = ToQFont(*Font);
    const QFontMetrics Metrics(F, P->device());
    const QString S = QString::fromStdString(Text);
    const int Orientation = Font->GetOrientation();
    if (Target && Orientation % 3600 != 0 &&
        TRotatedTextCache::Local().Draw(*P, *Target, Clip, X, Y, F, ToQColor(Font->GetColor()), Orientation, S))
        return;
    P->save();
    P->setBackgroundMode(Qt::TransparentMode);
    P->translate(X, Y);
    if (Font->GetOrientation() % 3600 != 0)
        P->rotate(-Font->GetOrientation() / 10.0);
    if (Brush->GetStyle() == bsSolid)
        P->fillRect(QRect(0, 0, Metrics.horizontalAdvance(S), Metrics.height()), ToQColor(Brush->GetColor()));
    P->setFont(F);
    P->setPen(ToQColor(Font->GetColor()));
    P->drawText(0, Metrics.ascent(), S);
    P->restore();
}

void TCanvas::DoTextRect(const TRect& R, int X, int Y, const std::string& Text)
{
    QPainter* P = QGuiApplication::instance() ? TCanvasPainter::Begin(this) : nullptr;
    if (!P)
        return;
    TRect Area = R;
    if (FHasClip)
        IntersectRect(Area, FClip, R);
    if (IsRectEmpty(Area))
        return;
    P->setClipRect(ToQRect(Area));
    P->setBackgroundMode(Qt::TransparentMode);
    if (Brush->GetStyle() == bsSolid)
        P->fillRect(ToQRect(R), ToQColor(Brush->GetColor()));
    const QFont F = ToQFont(*Font);
    const QFontMetrics Metrics(F, P->device());
    P->setFont(F);
    P->setPen(ToQColor(Font->GetColor()));
    P->drawText(X, Y + Metrics.ascent(), QString::fromStdString(Text));
}

void TCanvas::DoClipChanged() {}

void TCanvas::DoStretchDraw(const TRect& R, TGraphic* Graphic)
{
    Graphic->Draw(this, R);
}

void TCanvas::DoCopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect)
{
    QImage* SourceImage = Source->Image();
    if (!SourceImage)
        return;
    const QImage Part = SourceImage->copy(ToQRect(Normalized(SourceRect)));
    if (QPainter* P = TCanvasPainter::Begin(this)) {
        P->setCompositionMode(QPainter::CompositionMode_Source);
        P->drawImage(ToQRect(Normalized(Dest)), Part);
    }
}

void TCanvas::DoSetPixel(int X, int Y, TColor Color)
{
    if (QImage* I = Image()) {
        if (I->valid(X, Y))
            I->setPixel(X, Y, ToQColor(Color).rgb());
        return;
    }
    if (QPainter* P = TCanvasPainter::Begin(this)) {
        P->setCompositionMode(QPainter::CompositionMode_Source);
        P->fillRect(QRect(X, Y, 1, 1), ToQColor(Color));
    }
}

TColor TCanvas::DoGetPixel(int X, int Y)
{
    QImage* I = Image();
    if (!I) {
        QPainter* P = Painter();
        if (P && P->isActive() && P->device()->devType() == QInternal::Image)
            I = static_cast<QImage*>(P->device());
    }
    if (!I || !I->valid(X, Y))
        return TColor(-1);
    const QRgb Value = I->pixel(X, Y);
    return RGB(qRed(Value), qGreen(Value), qBlue(Value));
}
