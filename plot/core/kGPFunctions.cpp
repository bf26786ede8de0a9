#include "plot/core/kGPFunctions.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/core/kMath.h"
#include "rtl/DateTime.h"
#include "ui/Canvas.h"

namespace {

constexpr std::int64_t NegativeResult = 2147483647;
constexpr std::int64_t NegativeMinutes = 10000;

int Clamp255(int Value)
{
    return std::clamp(Value, 0, 255);
}

// Whole days and the parts of the time of day of a date-time value.
struct TDayParts {
    std::int64_t Days;
    int Hour, Min, Sec, MSec;
};

TDayParts SplitDateTime(double Value)
{
    TDayParts p{};
    p.Days = static_cast<std::int64_t>(std::trunc(Value + 1e-15));
    DecodeTime(Value, p.Hour, p.Min, p.Sec, p.MSec);
    // The time of day is rounded to whole milliseconds: one that rounded up
    // to midnight belongs to the next day.
    const bool midnight = p.Hour == 0 && p.Min == 0 && p.Sec == 0 && p.MSec == 0;
    if (midnight && Value - std::trunc(Value) > 0.5)
        p.Days = static_cast<std::int64_t>(std::trunc(Value)) + 1;
    return p;
}

// The day after 9999-12-31: no date lies at or beyond it.
constexpr double EndOfDates = 2958466.0;

template <class F> std::int64_t DateTimeInUnit(double Value, std::int64_t Negative, F&& Combine)
{
    // Negative, not a number, or beyond every date (whose day count would
    // not convert): the marker of a value that is no date.
    if (!(Value >= 0) || Value >= EndOfDates)
        return Negative;
    const std::int64_t result = Combine(SplitDateTime(Value));
    return result < 0 ? Negative : result;
}

// Keeps the canvas clip, pen and brush of the caller.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas* Canvas)
        : FCanvas(Canvas),
          FHadClip(Canvas->HasClipRect()),
          FClip(Canvas->GetClipRect()),
          FPenColor(Canvas->Pen->GetColor()),
          FPenWidth(Canvas->Pen->GetWidth()),
          FBrushStyle(Canvas->Brush->GetStyle()),
          FBrushColor(Canvas->Brush->GetColor())
    {
    }
    ~TCanvasStateSaver()
    {
        if (FHadClip)
            FCanvas->SetClipRect(FClip);
        else
            FCanvas->RemoveClipRect();
        FCanvas->Pen->SetColor(FPenColor);
        FCanvas->Pen->SetWidth(FPenWidth);
        FCanvas->Brush->SetColor(FBrushColor);
        FCanvas->Brush->SetStyle(FBrushStyle);
    }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas* FCanvas;
    bool FHadClip;
    TRect FClip;
    TColor FPenColor;
    int FPenWidth;
    TBrushStyle FBrushStyle;
    TColor FBrushColor;
};

unsigned ToDrawTextFlags(TkTextFormat Format)
{
    unsigned flags = 0;
    if (Format & ktfCalcRect)
        flags |= DT_CALCRECT;
    if (Format & ktfCenter)
        flags |= DT_CENTER;
    if (Format & ktfRight)
        flags |= DT_RIGHT;
    if (Format & ktfVCenter)
        flags |= DT_VCENTER;
    if (Format & ktfBottom)
        flags |= DT_BOTTOM;
    if (Format & ktfWordBreak)
        flags |= DT_WORDBREAK;
    if (Format & ktfSingleLine)
        flags |= DT_SINGLELINE;
    if (Format & ktfNoClip)
        flags |= DT_NOCLIP;
    if (Format & ktfEndEllipsis)
        flags |= DT_END_ELLIPSIS;
    if (Format & ktfNoPrefix)
        flags |= DT_NOPREFIX;
    return flags;
}

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

// Two-colour 3-D edge: TopLeft colour on the top and left, BottomRight on
// the bottom and right, just inside R.
void Edge(TCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight)
{
    if (R.Right - R.Left < 1 || R.Bottom - R.Top < 1)
        return;
    Canvas->Pen->SetWidth(1);
    Canvas->Pen->SetColor(TopLeft);
    Canvas->Polyline({Point(R.Left, R.Bottom - 1), Point(R.Left, R.Top), Point(R.Right, R.Top)});
    Canvas->Pen->SetColor(BottomRight);
    Canvas->Polyline({Point(R.Left, R.Bottom - 1), Point(R.Right - 1, R.Bottom - 1), Point(R.Right - 1, R.Top - 1)});
}

}  // namespace

TColor OffsetColor(TColor Color, int Amount, bool Lighten)
{
    const TColor rgb = ColorToRGB(Color);
    const int delta = Lighten ? Amount : -Amount;
    return RGB(Clamp255(GetRValue(rgb) + delta), Clamp255(GetGValue(rgb) + delta), Clamp255(GetBValue(rgb) + delta));
}

int SignificantDecimals(int Precision, int Style, double Low, double High)
{
    if (Style == kpsFixedDecimalPoints)
        return Precision;
    if (Style != kpsSignificantDigits || Precision <= 0)
        return 0;
    const double d = std::fabs(High - Low);
    int places = 0;
    if (d != 0 && std::isfinite(d))
        places = Precision - (static_cast<int>(std::trunc(Log10(d))) + 1);
    if (d < 1)
        ++places;
    return std::max(places, 0);
}

std::int64_t DateTimeToMilliseconds(double Value)
{
    return DateTimeInUnit(Value, NegativeResult, [](const TDayParts& p) {
        return p.Days * 86400000 + ((p.Hour * 60LL + p.Min) * 60 + p.Sec) * 1000 + p.MSec;
    });
}

std::int64_t DateTimeToSeconds(double Value)
{
    return DateTimeInUnit(Value, NegativeResult,
                          [](const TDayParts& p) { return p.Days * 86400 + (p.Hour * 60LL + p.Min) * 60 + p.Sec; });
}

std::int64_t DateTimeToMinutes(double Value)
{
    return DateTimeInUnit(Value, NegativeMinutes,
                          [](const TDayParts& p) { return p.Days * 1440 + p.Hour * 60LL + p.Min; });
}

std::int64_t DateTimeToHours(double Value)
{
    return DateTimeInUnit(Value, NegativeResult, [](const TDayParts& p) { return p.Days * 24 + p.Hour; });
}

double MillimetresToInches(double Millimetres)
{
    return Millimetres / 10 / 2.54;
}

void GetPaperSizeInches(int PaperSize, double& Width, double& Height)
{
    auto mm = [&](double w, double h) {
        Width = MillimetresToInches(w);
        Height = MillimetresToInches(h);
    };
    auto inches = [&](double w, double h) {
        Width = w;
        Height = h;
    };
    switch (PaperSize) {
    case DMPAPER_LEGAL: inches(8.5, 14); break;
    case DMPAPER_TABLOID:
    case DMPAPER_11X17: inches(11, 17); break;
    case DMPAPER_LEDGER: inches(17, 11); break;
    case DMPAPER_STATEMENT: inches(5.5, 8.5); break;
    case DMPAPER_EXECUTIVE: inches(7.25, 10.5); break;
    case DMPAPER_A3: mm(297, 420); break;
    case DMPAPER_A4:
    case DMPAPER_A4SMALL: mm(210, 297); break;
    case DMPAPER_A5: mm(148, 210); break;
    case DMPAPER_B4: mm(250, 354); break;
    case DMPAPER_B5: mm(182, 257); break;
    case DMPAPER_FOLIO: inches(8.5, 13); break;
    case DMPAPER_QUARTO: mm(215, 275); break;
    case DMPAPER_10X14: inches(10, 14); break;
    default: inches(8.5, 11); break;  // Letter, Letter Small, Note
    }
}

void SwapInteger(int& A, int& B)
{
    std::swap(A, B);
}

TRect NormalizedRect(int X1, int Y1, int X2, int Y2)
{
    return TRect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}

TRect OrientedRect(bool Reverse, int A1, int B1, int A2, int B2)
{
    return Reverse ? NormalizedRect(B1, A1, B2, A2) : NormalizedRect(A1, B1, A2, B2);
}

TPoint OrientedPoint(bool Reverse, int A, int B)
{
    return Reverse ? Point(B, A) : Point(A, B);
}

TPoint ReversiblePoint(bool Reverse, int A, int B)
{
    return OrientedPoint(Reverse, A, B);
}

TRect RectFromPoints(const TPoint& TopLeft, const TPoint& BottomRight)
{
    return TRect(TopLeft, BottomRight);
}

int DrawFormattedText(TCanvas* Canvas, const std::string& Text, TRect& Rect, TkTextFormat Format, bool Enabled)
{
    const unsigned flags = ToDrawTextFlags(Format);
    if (Enabled || (Format & ktfCalcRect))
        return Canvas->DrawText(Text, Rect, flags);
    const TColor saved = Canvas->Font->GetColor();
    TRect shifted = Rect;
    OffsetRect(shifted, 1, 1);
    Canvas->Font->SetColor(OffsetColor(clBtnFace, 64, true));
    Canvas->DrawText(Text, shifted, flags);
    Canvas->Font->SetColor(OffsetColor(clBtnFace, 32, false));
    const int height = Canvas->DrawText(Text, Rect, flags);
    Canvas->Font->SetColor(saved);
    return height;
}

bool NextTextLine(std::size_t& Position, const std::string& Text, std::string& Line)
{
    if (Position >= Text.size())
        return false;
    const std::size_t end = Text.find_first_of("\r\n", Position);
    if (end == std::string::npos) {
        Line = Text.substr(Position);
        Position = Text.size();
        return true;
    }
    Line = Text.substr(Position, end - Position);
    Position = end + 1;
    if (Text[end] == '\r' && Position < Text.size() && Text[Position] == '\n')
        ++Position;
    return true;
}

int MultiLineTextWidth(TCanvas* Canvas, const std::string& Text)
{
    int width = 0;
    std::size_t pos = 0;
    std::string line;
    while (NextTextLine(pos, Text, line))
        width = std::max(width, Canvas->TextWidth(line));
    return width;
}

int MultiLineTextHeight(TCanvas* Canvas, const std::string& Text)
{
    TRect r(0, 0, 0, 0);
    return DrawFormattedText(Canvas, Text, r, ktfCalcRect, true);
}

int WordWrapTextHeight(TCanvas* Canvas, const std::string& Text, int Width)
{
    TRect r(0, 0, std::max(Width, 0), 0);
    return DrawFormattedText(Canvas, Text, r, ktfCalcRect | ktfWordBreak, true);
}

void DrawRotatedText(TCanvas* Canvas, const std::string& Text, const TRect& Rect, TRect& OutRect, int AngleCode,
                     TkLineAlignment Lines)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    std::string line;
    while (NextTextLine(pos, Text, line))
        lines.push_back(line);
    if (lines.empty())
        lines.push_back(std::string());

    std::vector<int> widths, heights;
    int w = 0, h = 0;
    for (const std::string& l : lines) {
        const TSize extent = Canvas->TextExtent(l.empty() ? std::string(" ") : l);
        widths.push_back(l.empty() ? 0 : extent.cx);
        heights.push_back(extent.cy);
        w = std::max(w, widths.back());
        h += extent.cy;
    }
    const int code = ((AngleCode % 4) + 4) % 4;
    const bool upright = code == 1 || code == 3;
    const int outW = upright ? h : w;
    const int outH = upright ? w : h;
    const int cx = (Rect.Left + Rect.Right) / 2;
    const int cy = (Rect.Top + Rect.Bottom) / 2;
    OutRect = TRect(cx - outW / 2, cy - outH / 2, cx - outW / 2 + outW, cy - outH / 2 + outH);
    const TRect& o = OutRect;

    const int savedOrientation = Canvas->Font->GetOrientation();
    Canvas->Font->SetOrientation(code * 900);
    int ty = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // (tx, ty): the line's cell corner in the text's own, unturned frame.
        const int tx = Lines == TkLineAlignment::Left    ? 0
                       : Lines == TkLineAlignment::Right ? w - widths[i]
                                                         : (w - widths[i]) / 2;
        TPoint at;
        switch (code) {
        case 0: at = Point(o.Left + tx, o.Top + ty); break;
        case 1: at = Point(o.Left + ty, o.Bottom - tx); break;
        case 2: at = Point(o.Right - tx, o.Bottom - ty); break;
        default: at = Point(o.Right - ty, o.Top + tx); break;
        }
        if (!lines[i].empty())
            Canvas->TextOut(at.X, at.Y, lines[i]);
        ty += heights[i];
    }
    Canvas->Font->SetOrientation(savedOrientation);
}

void DrawFocusRectangle(TCanvas* Canvas, const TRect& Rect)
{
    TCanvasStateSaver saver(Canvas);
    const TPenStyle style = Canvas->Pen->GetStyle();
    const TPenMode mode = Canvas->Pen->GetMode();
    Canvas->Pen->SetStyle(psDot);
    Canvas->Pen->SetMode(pmXor);
    Canvas->Pen->SetColor(clWhite);
    Canvas->Pen->SetWidth(1);
    Canvas->Brush->SetStyle(bsClear);
    Canvas->Rectangle(Rect);
    Canvas->Pen->SetStyle(style);
    Canvas->Pen->SetMode(mode);
}

void DrawBorder(TCanvas* Canvas, const TRect& Rect, int Style)
{
    TCanvasStateSaver saver(Canvas);
    TRect inner = Rect;
    InflateRect(inner, -1, -1);
    switch (Style) {
    case 0:  // sunken
        Edge(Canvas, Rect, clBtnShadow, clBtnHighlight);
        Edge(Canvas, inner, cl3DDkShadow, cl3DLight);
        break;
    case 1:  // raised
        Edge(Canvas, Rect, cl3DLight, cl3DDkShadow);
        Edge(Canvas, inner, clBtnHighlight, clBtnShadow);
        break;
    case 2:
        Canvas->Pen->SetWidth(1);
        Canvas->Pen->SetColor(clBtnShadow);
        Canvas->Brush->SetStyle(bsClear);
        Canvas->Rectangle(Rect);
        break;
    default: break;
    }
}

TColor GradientStepColor(TColor Start, TColor Stop, int Index, int Steps)
{
    const TColor a = ColorToRGB(Start), b = ColorToRGB(Stop);
    if (Steps <= 0)
        return a;
    auto channel = [&](int from, int to) {
        return from + static_cast<int>(static_cast<std::int64_t>(to - from) * Index / Steps);
    };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void DrawGradient(TCanvas* Canvas, const TRect& Rect, TkFillDirection Direction, TColor StartColor, TColor StopColor)
{
    const TRect r = NormalizedRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    const int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0)
        return;
    TCanvasStateSaver saver(Canvas);
    Canvas->Brush->SetStyle(bsClear);
    Canvas->IntersectClipRect(r);

    // The second direction of each pair runs the colours the other way.
    const bool reversed = Direction == kfdBottomTop || Direction == kfdRightLeft ||
                          Direction == kfdBottomRightTopLeft || Direction == kfdTopRightBottomLeft ||
                          Direction == kfdRectangleIn || Direction == kfdCircleIn;
    int steps = 0, penWidth = 1;
    switch (Direction) {
    case kfdTopBottom:
    case kfdBottomTop: steps = h - 1; break;
    case kfdLeftRight:
    case kfdRightLeft: steps = w - 1; break;
    case kfdTopLeftBottomRight:
    case kfdBottomRightTopLeft:
    case kfdBottomLeftTopRight:
    case kfdTopRightBottomLeft: steps = (std::max(w, h) - 1) * 2; break;
    case kfdRectangleOut:
    case kfdRectangleIn:
        steps = std::min(w, h) / 3;
        penWidth = 2;
        break;
    case kfdCircleOut:
    case kfdCircleIn:
        steps = (std::max(w, h) + 7) / 8;
        penWidth = 16;
        break;
    }
    auto colourAt = [&](int i) {
        return reversed ? GradientStepColor(StartColor, StopColor, steps - i, steps)
                        : GradientStepColor(StartColor, StopColor, i, steps);
    };
    const int half = std::min(w, h) / 2;
    const double radius = std::sqrt(double(w) * w + double(h) * h) / 2;
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    if (Direction == kfdRectangleOut || Direction == kfdRectangleIn || Direction == kfdCircleOut ||
        Direction == kfdCircleIn) {
        // The middle's colour under everything, so no gap shows between steps.
        Canvas->Brush->SetColor(colourAt(steps));
        Canvas->FillRect(r);
        Canvas->Brush->SetStyle(bsClear);
    }
    Canvas->Pen->SetWidth(penWidth);
    for (int i = 0; i <= steps; ++i) {
        Canvas->Pen->SetColor(colourAt(i));
        switch (Direction) {
        case kfdTopBottom:
        case kfdBottomTop: Line(Canvas, r.Left, r.Top + i, r.Right, r.Top + i); break;
        case kfdLeftRight:
        case kfdRightLeft: Line(Canvas, r.Left + i, r.Top, r.Left + i, r.Bottom); break;
        case kfdTopLeftBottomRight:
        case kfdBottomRightTopLeft:
            // Both ends lie outside the clip, so the whole diagonal inside is drawn.
            Line(Canvas, r.Left - 1, r.Top + i + 1, r.Left + i + 1, r.Top - 1);
            break;
        case kfdBottomLeftTopRight:
        case kfdTopRightBottomLeft: Line(Canvas, r.Left - 1, r.Bottom - 2 - i, r.Left + i + 1, r.Bottom); break;
        case kfdRectangleOut:
        case kfdRectangleIn: {
            // Step i shrunk from the edge; steps apart by at most the pen width.
            const int inset = steps > 0 ? i * half / steps : 0;
            TRect box = r;
            InflateRect(box, -inset, -inset);
            if (!IsRectEmpty(box))
                Canvas->Rectangle(box);
            break;
        }
        case kfdCircleOut:
        case kfdCircleIn: {
            // Like the rectangles: step 0 outermost, through the corners.
            const int rad = steps > 0 ? static_cast<int>((steps - i) * radius / steps) : static_cast<int>(radius);
            Canvas->Ellipse(cx - rad, cy - rad, cx + rad + 1, cy + rad + 1);
            break;
        }
        }
    }
}
