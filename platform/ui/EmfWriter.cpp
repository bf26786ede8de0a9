#include "ui/EmfWriter.h"
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include "ui/Bitmap.h"
#include "ui/GraphicsQt.h"

namespace {

enum : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETROP2 = 20,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_PIE = 47,
    EMR_LINETO = 54,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_ALPHABLEND = 114,
};

// The reference device: 96 pixels per inch, 1920 by 1440 pixels.
constexpr int DevicePixelsX = 1920, DevicePixelsY = 1440;
constexpr int DeviceMillimetresX = 508, DeviceMillimetresY = 381;

// Handle slots: two per kind, so a new object can be selected before the
// old one is deleted.
constexpr int PenSlots[2] = {1, 2};
constexpr int BrushSlots[2] = {3, 4};
constexpr int FontSlots[2] = {5, 6};
constexpr int HandleCount = 7;

class TBytes {
public:
    TBytes& U32(std::uint32_t V)
    {
        for (int I = 0; I < 4; ++I)
            FData += char((V >> (8 * I)) & 0xFF);
        return *this;
    }
    TBytes& I32(std::int32_t V) { return U32(static_cast<std::uint32_t>(V)); }
    TBytes& U16(std::uint16_t V)
    {
        FData += char(V & 0xFF);
        FData += char(V >> 8);
        return *this;
    }
    TBytes& I16(std::int16_t V) { return U16(static_cast<std::uint16_t>(V)); }
    TBytes& U8(std::uint8_t V)
    {
        FData += char(V);
        return *this;
    }
    TBytes& F32(float V)
    {
        std::uint32_t Bits;
        std::memcpy(&Bits, &V, 4);
        return U32(Bits);
    }
    TBytes& Rect(const TRect& R) { return I32(R.Left).I32(R.Top).I32(R.Right).I32(R.Bottom); }
    TBytes& Raw(const std::string& S)
    {
        FData += S;
        return *this;
    }
    TBytes& Pad()
    {
        while (FData.size() % 4)
            FData += '\0';
        return *this;
    }
    const std::string& Data() const { return FData; }
    std::size_t Size() const { return FData.size(); }

private:
    std::string FData;
};

std::u16string Utf16(const std::string& Text)
{
    const QString S = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
    return std::u16string(reinterpret_cast<const char16_t*>(S.utf16()), static_cast<std::size_t>(S.size()));
}

std::uint32_t Rop2Of(TPenMode Mode)
{
    static const std::uint32_t Values[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};
    return Values[Mode];
}

bool Fits16(const std::vector<TPoint>& Points)
{
    return std::all_of(Points.begin(), Points.end(),
                       [](const TPoint& P) { return P.X >= -32768 && P.X <= 32767 && P.Y >= -32768 && P.Y <= 32767; });
}

class TEmfBuilder {
public:
    TEmfBuilder() { FMeasure.SetSurfaceSize(TSize(1, 1)); }

    void Emit(std::uint32_t Type, const TBytes& Body)
    {
        FRecords.U32(Type).U32(static_cast<std::uint32_t>(8 + Body.Size())).Raw(Body.Data());
        ++FCount;
    }

    void AddBounds(TRect R, int Extra = 0)
    {
        R = TRect(std::min(R.Left, R.Right) - Extra, std::min(R.Top, R.Bottom) - Extra,
                  std::max(R.Left, R.Right) + Extra, std::max(R.Top, R.Bottom) + Extra);
        if (!FHasBounds) {
            FBounds = R;
            FHasBounds = true;
            return;
        }
        FBounds.Left = std::min(FBounds.Left, R.Left);
        FBounds.Top = std::min(FBounds.Top, R.Top);
        FBounds.Right = std::max(FBounds.Right, R.Right);
        FBounds.Bottom = std::max(FBounds.Bottom, R.Bottom);
    }
    // Bounds of a box drawn with the record's pen (inclusive corners).
    void AddBoxBounds(const TCanvasRecord& Record, const TRect& R)
    {
        AddBounds(TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), Record.Pen.Width / 2);
    }

    void Pen(const TPenData& P)
    {
        if (FPenValid && P == FPen)
            return;
        const int Slot = PenSlots[FPenSlot == PenSlots[0] ? 1 : 0];
        const std::uint32_t Style = P.Style == psClear ? 5u : static_cast<std::uint32_t>(P.Style);
        Emit(EMR_CREATEPEN, TBytes().U32(Slot).U32(Style).I32(P.Width).I32(0).U32(ColorToRGB(P.Color)));
        Replace(Slot, FPenSlot);
        FPen = P;
        FPenValid = true;
    }

    void Brush(const TBrushData& B)
    {
        // The gaps' colour is the background's, not the brush object's.
        if (FBrushValid && B.Color == FBrush.Color && B.Style == FBrush.Style)
            return;
        const int Slot = BrushSlots[FBrushSlot == BrushSlots[0] ? 1 : 0];
        std::uint32_t Style = 0, Hatch = 0;
        if (B.Style == bsClear) {
            Style = 1;
        } else if (B.Style != bsSolid) {
            Style = 2;
            Hatch = static_cast<std::uint32_t>(B.Style) - static_cast<std::uint32_t>(bsHorizontal);
        }
        Emit(EMR_CREATEBRUSHINDIRECT, TBytes().U32(Slot).U32(Style).U32(ColorToRGB(B.Color)).U32(Hatch));
        Replace(Slot, FBrushSlot);
        FBrush = B;
        FBrushValid = true;
    }

    void Font(const TFontData& F)
    {
        if (FFontValid && F == FFont)
            return;
        const int Slot = FontSlots[FFontSlot == FontSlots[0] ? 1 : 0];
        TBytes Body;
        Body.U32(Slot).I32(F.Height).I32(0).I32(F.Orientation).I32(F.Orientation);
        Body.I32(F.Style.Contains(fsBold) ? 700 : 400);
        Body.U8(F.Style.Contains(fsItalic)).U8(F.Style.Contains(fsUnderline)).U8(F.Style.Contains(fsStrikeOut));
        Body.U8(F.Charset).U8(0).U8(0).U8(0);
        Body.U8(F.Pitch == fpFixed ? 1 : F.Pitch == fpVariable ? 2 : 0);
        std::u16string Face = Utf16(F.Name);
        Face.resize(32, u'\0');
        Face[31] = u'\0';
        for (char16_t C : Face)
            Body.U16(C);
        Emit(EMR_EXTCREATEFONTINDIRECTW, Body);
        Replace(Slot, FFontSlot);
        FFont = F;
        FFontValid = true;
    }

    void Rop2(TPenMode Mode) { SetState(EMR_SETROP2, FRop2, Rop2Of(Mode)); }
    // The background fills the gaps of styled lines and sits behind text
    // when the brush is solid; a hatch given a colour for its gaps fills
    // them, and those of styled lines, with that colour.
    void Background(const TBrushData& B)
    {
        const bool Opaque = B.Style == bsSolid || (IsHatchStyle(B.Style) && B.HatchBackColor != clNone);
        BkMode(Opaque);
        if (Opaque)
            BkColor(B.Style == bsSolid ? B.Color : B.HatchBackColor);
    }
    // A hatched fill shows the background in its gaps, or lets through
    // what lies beneath.
    void FillWith(const TBrushData& B)
    {
        Brush(B);
        if (IsHatchStyle(B.Style))
            Background(B);
    }
    void Stroke(const TCanvasRecord& Record)
    {
        Pen(Record.Pen);
        Rop2(Record.Pen.Mode);
        if (Record.Pen.Style >= psDash && Record.Pen.Style <= psDashDotDot)
            Background(Record.Brush);
    }
    void BkMode(bool Opaque) { SetState(EMR_SETBKMODE, FBkMode, Opaque ? 2 : 1); }
    void BkColor(TColor C) { SetState(EMR_SETBKCOLOR, FBkColor, static_cast<std::uint32_t>(ColorToRGB(C))); }
    void TextColor(TColor C) { SetState(EMR_SETTEXTCOLOR, FTextColor, static_cast<std::uint32_t>(ColorToRGB(C))); }

    void MoveTo(const TPoint& P)
    {
        Emit(EMR_MOVETOEX, TBytes().I32(P.X).I32(P.Y));
        FPos = P;
        FPosValid = true;
    }

    // A rectangle filled with the brush alone, as FillRect draws it.
    void Fill(const TCanvasRecord& Record, const TRect& R, TColor Color)
    {
        if (IsRectEmpty(R))
            return;
        Pen(TPenData{clBlack, 1, psClear, pmCopy});
        FillWith(TBrushData{Color, Record.Brush.Style, Record.Brush.HatchBackColor});
        Rop2(pmCopy);
        // A rectangle without a pen fills one pixel less on the right and bottom.
        Emit(EMR_RECTANGLE, TBytes().Rect(TRect(R.Left, R.Top, R.Right + 1, R.Bottom + 1)));
        AddBounds(TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1));
    }

    void Shape(std::uint32_t Type, const TCanvasRecord& Record, const TBytes& Body, const TRect& Box)
    {
        Stroke(Record);
        FillWith(Record.Brush);
        Emit(Type, Body);
        AddBoxBounds(Record, Box);
    }

    void Points(std::uint32_t Type16, std::uint32_t Type32, const TCanvasRecord& Record)
    {
        Stroke(Record);
        FillWith(Record.Brush);
        TRect Box(Record.Points[0], Record.Points[0]);
        for (const TPoint& P : Record.Points) {
            Box.Left = std::min(Box.Left, P.X);
            Box.Top = std::min(Box.Top, P.Y);
            Box.Right = std::max(Box.Right, P.X);
            Box.Bottom = std::max(Box.Bottom, P.Y);
        }
        const int Extra = Record.Pen.Width / 2;
        const TRect Bounds(Box.Left - Extra, Box.Top - Extra, Box.Right + Extra, Box.Bottom + Extra);
        TBytes Body;
        Body.Rect(Bounds).U32(static_cast<std::uint32_t>(Record.Points.size()));
        const bool Short = Fits16(Record.Points);
        for (const TPoint& P : Record.Points) {
            if (Short)
                Body.I16(static_cast<std::int16_t>(P.X)).I16(static_cast<std::int16_t>(P.Y));
            else
                Body.I32(P.X).I32(P.Y);
        }
        Body.Pad();
        Emit(Short ? Type16 : Type32, Body);
        AddBounds(Bounds);
    }

    void Text(const TCanvasRecord& Record, int X, int Y, const TRect* ClipRect)
    {
        Font(Record.Font);
        TextColor(Record.Font.Color);
        // Text is opaque behind its cell only with a solid brush.
        const bool Opaque = Record.Brush.Style == bsSolid;
        Background(Opaque ? Record.Brush : TBrushData{Record.Brush.Color, bsClear});
        const std::u16string Units = Utf16(Record.Text);
        // Advances per UTF-16 unit, measured with the recorded font.
        FMeasure.Font->Name = Record.Font.Name;
        FMeasure.Font->Height = Record.Font.Height;
        FMeasure.Font->Style = Record.Font.Style;
        FMeasure.Font->Pitch = Record.Font.Pitch;
        std::vector<std::int32_t> Dx;
        int Total = 0;
        for (std::size_t I = 0; I < Units.size(); ++I) {
            const bool Pair = Units[I] >= 0xD800 && Units[I] < 0xDC00 && I + 1 < Units.size();
            const QString Unit = QString::fromUtf16(Units.data() + I, Pair ? 2 : 1);
            const int Advance = FMeasure.TextWidth(Unit.toStdString());
            Dx.push_back(Advance);
            Total += Advance;
            if (Pair) {
                Dx.push_back(0);
                ++I;
            }
        }
        const int Height = FMeasure.TextHeight(Record.Text);
        TRect Cell(X, Y, X + Total - 1, Y + Height - 1);
        if (Record.Font.Orientation % 3600 != 0) {
            // The cell turned about its top-left corner.
            const double A = Record.Font.Orientation * M_PI / 1800.0;
            const double C = std::cos(A), S = std::sin(A);
            const double Xs[4] = {0, double(Total), 0, double(Total)};
            const double Ys[4] = {0, 0, double(Height), double(Height)};
            Cell = TRect(X, Y, X, Y);
            for (int K = 0; K < 4; ++K) {
                const int PX = X + static_cast<int>(std::lround(Xs[K] * C + Ys[K] * S));
                const int PY = Y + static_cast<int>(std::lround(-Xs[K] * S + Ys[K] * C));
                Cell = TRect(std::min(Cell.Left, PX), std::min(Cell.Top, PY), std::max(Cell.Right, PX),
                             std::max(Cell.Bottom, PY));
            }
        }
        std::uint32_t Options = 0;
        TRect Rcl(0, 0, -1, -1);
        TRect Bounds = Cell;
        if (ClipRect) {
            Options = 0x4;  // clipped
            if (Opaque)
                Options |= 0x2;  // opaque
            Rcl = *ClipRect;
            IntersectRect(Bounds, TRect(Cell.Left, Cell.Top, Cell.Right + 1, Cell.Bottom + 1), *ClipRect);
            Bounds = TRect(Bounds.Left, Bounds.Top, Bounds.Right - 1, Bounds.Bottom - 1);
            if (Opaque)
                Bounds = TRect(ClipRect->Left, ClipRect->Top, ClipRect->Right - 1, ClipRect->Bottom - 1);
        }
        const std::uint32_t StringOffset = 76;
        const std::uint32_t StringBytes = static_cast<std::uint32_t>(Units.size() * 2);
        const std::uint32_t DxOffset = StringOffset + ((StringBytes + 3) & ~3u);
        TBytes Body;
        const float Scale = 2540.0f / 96.0f;
        Body.Rect(Bounds).U32(1).F32(Scale).F32(Scale);
        Body.I32(X).I32(Y).U32(static_cast<std::uint32_t>(Units.size())).U32(StringOffset).U32(Options);
        Body.Rect(Rcl).U32(DxOffset);
        for (char16_t U : Units)
            Body.U16(U);
        Body.Pad();
        for (std::int32_t D : Dx)
            Body.I32(D);
        Emit(EMR_EXTTEXTOUTW, Body);
        if (!IsRectEmpty(TRect(Bounds.Left, Bounds.Top, Bounds.Right + 1, Bounds.Bottom + 1)))
            AddBounds(Bounds);
    }

    void Picture(const TRect& Dest, const TBitmap& Bitmap)
    {
        const QImage& I = BitmapImage(Bitmap);
        const int W = I.width(), H = I.height();
        if (W == 0 || H == 0)
            return;
        const QImage Shown = ShownPixels(Bitmap);
        if (!Shown.isNull()) {
            Blend(Dest, Shown);
            return;
        }
        const std::uint32_t RowSize = (static_cast<std::uint32_t>(W) * 3 + 3) & ~3u;
        const std::uint32_t BitsSize = RowSize * static_cast<std::uint32_t>(H);
        TBytes Body;
        const TRect Bounds(std::min(Dest.Left, Dest.Right), std::min(Dest.Top, Dest.Bottom),
                           std::max(Dest.Left, Dest.Right) - 1, std::max(Dest.Top, Dest.Bottom) - 1);
        Body.Rect(Bounds).I32(Dest.Left).I32(Dest.Top).I32(0).I32(0).I32(W).I32(H);
        Body.U32(80).U32(40).U32(120).U32(BitsSize).U32(0).U32(0x00CC0020);
        Body.I32(Dest.Width()).I32(Dest.Height());
        Body.U32(40).I32(W).I32(H).U16(1).U16(24).U32(0).U32(BitsSize).I32(3780).I32(3780).U32(0).U32(0);
        for (int Y = H - 1; Y >= 0; --Y) {
            const std::size_t Start = Body.Size();
            for (int X = 0; X < W; ++X) {
                const QRgb P = I.pixel(X, Y);
                Body.U8(qBlue(P)).U8(qGreen(P)).U8(qRed(P));
            }
            while (Body.Size() - Start < RowSize)
                Body.U8(0);
        }
        Emit(EMR_STRETCHDIBITS, Body);
        AddBounds(Bounds);
    }

    // The picture as the canvas draws it, when some of its pixels let
    // through what lies beneath (see-through pixels of a glyph, the
    // transparent colour of a bitmap): 32-bit, premultiplied. Null when
    // every pixel is opaque.
    static QImage ShownPixels(const TBitmap& Bitmap)
    {
        QImage I = BitmapImage(Bitmap).convertToFormat(QImage::Format_ARGB32);
        const bool Keyed = Bitmap.GetTransparent();
        const QRgb Key = Keyed ? ToQColor(Bitmap.GetTransparentColor()).rgb() & 0xFFFFFF : 0;
        bool SeeThrough = false;
        for (int Y = 0; Y < I.height(); ++Y) {
            auto* Row = reinterpret_cast<QRgb*>(I.scanLine(Y));
            for (int X = 0; X < I.width(); ++X) {
                if (Keyed && (Row[X] & 0xFFFFFF) == Key)
                    Row[X] = 0;
                SeeThrough = SeeThrough || qAlpha(Row[X]) != 255;
            }
        }
        return SeeThrough ? I.convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage();
    }

    // A picture blended over what is drawn: an alpha-blend record of 32-bit
    // premultiplied pixels. Blending does not mirror, so a mirrored place is
    // drawn from mirrored pixels.
    void Blend(const TRect& Dest, const QImage& Pixels)
    {
        const QImage I = Pixels.mirrored(Dest.Right < Dest.Left, Dest.Bottom < Dest.Top);
        const int W = I.width(), H = I.height();
        const TRect Place(std::min(Dest.Left, Dest.Right), std::min(Dest.Top, Dest.Bottom),
                          std::max(Dest.Left, Dest.Right), std::max(Dest.Top, Dest.Bottom));
        const std::uint32_t BitsSize = static_cast<std::uint32_t>(W) * static_cast<std::uint32_t>(H) * 4;
        TBytes Body;
        const TRect Bounds(Place.Left, Place.Top, Place.Right - 1, Place.Bottom - 1);
        Body.Rect(Bounds).I32(Place.Left).I32(Place.Top).I32(Place.Width()).I32(Place.Height());
        // Over, constant alpha 255, the source's own alpha (premultiplied).
        Body.U8(0).U8(0).U8(255).U8(1);
        Body.I32(0).I32(0);
        for (float F : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
            Body.F32(F);
        // No background, colours by value; the bitmap's header follows the
        // record's 108 bytes of fields, its pixels follow the header.
        Body.U32(0).U32(0).U32(108).U32(40).U32(148).U32(BitsSize).I32(W).I32(H);
        Body.U32(40).I32(W).I32(H).U16(1).U16(32).U32(0).U32(BitsSize).I32(3780).I32(3780).U32(0).U32(0);
        for (int Y = H - 1; Y >= 0; --Y) {
            const auto* Row = reinterpret_cast<const QRgb*>(I.constScanLine(Y));
            for (int X = 0; X < W; ++X)
                Body.U8(qBlue(Row[X])).U8(qGreen(Row[X])).U8(qRed(Row[X])).U8(qAlpha(Row[X]));
        }
        Emit(EMR_ALPHABLEND, Body);
        AddBounds(Bounds);
    }

    void Play(const TCanvasRecord& Record)
    {
        const std::vector<int>& A = Record.Args;
        switch (Record.Op) {
        case TCanvasOp::MoveTo: MoveTo(Point(A[0], A[1])); break;
        case TCanvasOp::LineTo: {
            const TPoint From = Record.Points.empty() ? FPos : Record.Points[0];
            if (!FPosValid || From != FPos)
                MoveTo(From);
            Stroke(Record);
            Emit(EMR_LINETO, TBytes().I32(A[0]).I32(A[1]));
            AddBounds(TRect(From, Point(A[0], A[1])), Record.Pen.Width / 2);
            FPos = Point(A[0], A[1]);
            break;
        }
        case TCanvasOp::Rectangle: {
            const TRect R(A[0], A[1], A[2], A[3]);
            Shape(EMR_RECTANGLE, Record, TBytes().Rect(R), R);
            break;
        }
        case TCanvasOp::Ellipse: {
            const TRect R(A[0], A[1], A[2], A[3]);
            Shape(EMR_ELLIPSE, Record, TBytes().Rect(R), R);
            break;
        }
        case TCanvasOp::RoundRect: {
            const TRect R(A[0], A[1], A[2], A[3]);
            Shape(EMR_ROUNDRECT, Record, TBytes().Rect(R).I32(A[4]).I32(A[5]), R);
            break;
        }
        case TCanvasOp::Arc:
        case TCanvasOp::Pie: {
            const TRect R(A[0], A[1], A[2], A[3]);
            Shape(Record.Op == TCanvasOp::Arc ? EMR_ARC : EMR_PIE, Record,
                  TBytes().Rect(R).I32(A[4]).I32(A[5]).I32(A[6]).I32(A[7]), R);
            break;
        }
        case TCanvasOp::FillRect:
            if (Record.Brush.Style != bsClear)
                Fill(Record, TRect(A[0], A[1], A[2], A[3]), Record.Brush.Color);
            break;
        case TCanvasOp::FrameRect: {
            if (Record.Brush.Style == bsClear)
                break;
            const TRect R(A[0], A[1], A[2], A[3]);
            Fill(Record, TRect(R.Left, R.Top, R.Right, R.Top + 1), Record.Brush.Color);
            Fill(Record, TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Record.Brush.Color);
            Fill(Record, TRect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), Record.Brush.Color);
            Fill(Record, TRect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), Record.Brush.Color);
            break;
        }
        case TCanvasOp::Polygon: Points(EMR_POLYGON16, EMR_POLYGON, Record); break;
        case TCanvasOp::Polyline: Points(EMR_POLYLINE16, EMR_POLYLINE, Record); break;
        case TCanvasOp::TextOut: Text(Record, A[0], A[1], nullptr); break;
        case TCanvasOp::TextRect: {
            const TRect R(A[0], A[1], A[2], A[3]);
            Text(Record, A[4], A[5], &R);
            break;
        }
        case TCanvasOp::SetClip:
            Emit(EMR_EXTSELECTCLIPRGN, TBytes().U32(0).U32(5));
            Emit(EMR_INTERSECTCLIPRECT, TBytes().Rect(TRect(A[0], A[1], A[2], A[3])));
            break;
        case TCanvasOp::RemoveClip: Emit(EMR_EXTSELECTCLIPRGN, TBytes().U32(0).U32(5)); break;
        case TCanvasOp::StretchDraw:
        case TCanvasOp::CopyRect:
            if (Record.Picture)
                Picture(TRect(A[0], A[1], A[2], A[3]), *Record.Picture);
            break;
        case TCanvasOp::SetPixel:
            Emit(EMR_SETPIXELV, TBytes().I32(A[0]).I32(A[1]).U32(ColorToRGB(A[2])));
            AddBounds(TRect(A[0], A[1], A[0], A[1]));
            break;
        }
    }

    std::string Finish(TSize MMSize, const std::string& CreatedBy, const std::string& Description)
    {
        Emit(EMR_EOF, TBytes().U32(0).U32(16).U32(20));
        std::u16string Text;
        if (!CreatedBy.empty() || !Description.empty())
            Text = Utf16(CreatedBy) + u'\0' + Utf16(Description) + u'\0' + u'\0';
        const std::uint32_t HeaderSize = 108 + ((static_cast<std::uint32_t>(Text.size()) * 2 + 3) & ~3u);
        TBytes Header;
        Header.U32(EMR_HEADER).U32(HeaderSize);
        Header.Rect(FHasBounds ? FBounds : TRect(0, 0, -1, -1));
        Header.Rect(TRect(0, 0, MMSize.cx, MMSize.cy));
        Header.U32(0x464D4520).U32(0x10000);
        Header.U32(static_cast<std::uint32_t>(HeaderSize + FRecords.Size())).U32(FCount + 1);
        Header.U16(HandleCount).U16(0);
        Header.U32(static_cast<std::uint32_t>(Text.size())).U32(Text.empty() ? 0 : 108).U32(0);
        Header.I32(DevicePixelsX).I32(DevicePixelsY).I32(DeviceMillimetresX).I32(DeviceMillimetresY);
        Header.U32(0).U32(0).U32(0);
        Header.I32(DeviceMillimetresX * 1000).I32(DeviceMillimetresY * 1000);
        for (char16_t C : Text)
            Header.U16(C);
        Header.Pad();
        return Header.Data() + FRecords.Data();
    }

    // Records that fix the state every drawing starts from.
    void Start()
    {
        Emit(EMR_SETTEXTALIGN, TBytes().U32(0));     // top left, no current-position update
        Emit(EMR_SETPOLYFILLMODE, TBytes().U32(1));  // alternate, as Polygon fills
    }

private:
    void Replace(int Slot, int& Current)
    {
        Emit(EMR_SELECTOBJECT, TBytes().U32(Slot));
        if (Current)
            Emit(EMR_DELETEOBJECT, TBytes().U32(Current));
        Current = Slot;
    }
    void SetState(std::uint32_t Type, std::int64_t& Current, std::uint32_t Value)
    {
        if (Current == Value)
            return;
        Emit(Type, TBytes().U32(Value));
        Current = Value;
    }

    TBytes FRecords;
    std::uint32_t FCount = 0;
    bool FHasBounds = false;
    TRect FBounds;
    TPenData FPen;
    TBrushData FBrush;
    TFontData FFont;
    bool FPenValid = false, FBrushValid = false, FFontValid = false;
    int FPenSlot = 0, FBrushSlot = 0, FFontSlot = 0;
    std::int64_t FRop2 = -1, FBkMode = -1, FBkColor = -1, FTextColor = -1;
    TPoint FPos;
    bool FPosValid = false;
    TRecordingCanvas FMeasure;
};

}  // namespace

std::string TEmfWriter::Write(const std::vector<TCanvasRecord>& Records, TSize MMSize, const std::string& CreatedBy,
                              const std::string& Description)
{
    TEmfBuilder Builder;
    Builder.Start();
    for (const TCanvasRecord& Record : Records)
        Builder.Play(Record);
    return Builder.Finish(MMSize, CreatedBy, Description);
}
