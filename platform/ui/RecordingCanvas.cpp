#include "ui/RecordingCanvas.h"
#include <cmath>
#include "ui/Bitmap.h"

const char* TCanvasRecord::Name() const
{
    static const char* const Names[] = {"MoveTo",    "LineTo",  "Rectangle",  "FillRect",    "FrameRect", "Ellipse",
                                        "RoundRect", "Arc",     "Pie",        "Polygon",     "Polyline",  "TextOut",
                                        "TextRect",  "SetClip", "RemoveClip", "StretchDraw", "CopyRect",  "SetPixel"};
    return Names[static_cast<int>(Op)];
}

TRecordingCanvas::TRecordingCanvas(TSize SurfaceSize) : FSurfaceSize(SurfaceSize) {}

TRecordingCanvas::~TRecordingCanvas() = default;

TCanvasRecord& TRecordingCanvas::Add(TCanvasOp Op, std::vector<int> Args)
{
    TCanvasRecord& R = Records.emplace_back();
    R.Op = Op;
    R.Args = std::move(Args);
    R.Pen = TPenData{Pen->GetColor(), Pen->GetWidth(), Pen->GetStyle(), Pen->GetMode()};
    // Only a hatch has gaps to fill.
    R.Brush = TBrushData{Brush->GetColor(), Brush->GetStyle(),
                         IsHatchStyle(Brush->GetStyle()) ? Brush->GetHatchBackColor() : clNone};
    R.Font = TFontData{Font->GetName(),  Font->GetHeight(),  Font->GetColor(),      Font->GetStyle(),
                       Font->GetPitch(), Font->GetCharset(), Font->GetOrientation()};
    return R;
}

void TRecordingCanvas::DoMoveTo(int X, int Y)
{
    Add(TCanvasOp::MoveTo, {X, Y});
}

void TRecordingCanvas::DoLineTo(int X, int Y)
{
    Add(TCanvasOp::LineTo, {X, Y}).Points = {GetPenPos()};
}

void TRecordingCanvas::DoRectangle(const TRect& R)
{
    Add(TCanvasOp::Rectangle, {R.Left, R.Top, R.Right, R.Bottom});
}

void TRecordingCanvas::DoFillRect(const TRect& R)
{
    Add(TCanvasOp::FillRect, {R.Left, R.Top, R.Right, R.Bottom});
}

void TRecordingCanvas::DoFrameRect(const TRect& R)
{
    Add(TCanvasOp::FrameRect, {R.Left, R.Top, R.Right, R.Bottom});
}

void TRecordingCanvas::DoEllipse(const TRect& R)
{
    Add(TCanvasOp::Ellipse, {R.Left, R.Top, R.Right, R.Bottom});
}

void TRecordingCanvas::DoRoundRect(const TRect& R, int CornerWidth, int CornerHeight)
{
    Add(TCanvasOp::RoundRect, {R.Left, R.Top, R.Right, R.Bottom, CornerWidth, CornerHeight});
}

void TRecordingCanvas::DoArc(TArcKind Kind, const TRect& R, TPoint Start, TPoint End)
{
    Add(Kind == TArcKind::Pie ? TCanvasOp::Pie : TCanvasOp::Arc,
        {R.Left, R.Top, R.Right, R.Bottom, Start.X, Start.Y, End.X, End.Y});
}

void TRecordingCanvas::DoPolygon(const std::vector<TPoint>& Points)
{
    Add(TCanvasOp::Polygon, {}).Points = Points;
}

void TRecordingCanvas::DoPolyline(const std::vector<TPoint>& Points)
{
    Add(TCanvasOp::Polyline, {}).Points = Points;
}

void TRecordingCanvas::DoTextOut(int X, int Y, const std::string& Text)
{
    Add(TCanvasOp::TextOut, {X, Y}).Text = Text;
}

void TRecordingCanvas::DoTextRect(const TRect& R, int X, int Y, const std::string& Text)
{
    Add(TCanvasOp::TextRect, {R.Left, R.Top, R.Right, R.Bottom, X, Y}).Text = Text;
}

void TRecordingCanvas::DoClipChanged()
{
    if (HasClipRect()) {
        const TRect R = GetClipRect();
        Add(TCanvasOp::SetClip, {R.Left, R.Top, R.Right, R.Bottom});
    } else {
        Add(TCanvasOp::RemoveClip, {});
    }
}

void TRecordingCanvas::DoStretchDraw(const TRect& R, TGraphic* Graphic)
{
    // Bitmaps are kept as pictures; other pictures draw themselves here in
    // terms of the calls above (a metafile plays back, a JPEG draws its bitmap).
    auto* Bitmap = dynamic_cast<TBitmap*>(Graphic);
    if (!Bitmap) {
        DrawGraphic(Graphic, this, R);
        return;
    }
    auto Copy = std::make_shared<TBitmap>();
    Copy->Assign(Bitmap);
    Add(TCanvasOp::StretchDraw, {R.Left, R.Top, R.Right, R.Bottom}).Picture = std::move(Copy);
}

void TRecordingCanvas::DoCopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect)
{
    auto Copy = std::make_shared<TBitmap>();
    if (!CopyToBitmap(Source, SourceRect, *Copy))
        return;
    Add(TCanvasOp::CopyRect, {Dest.Left, Dest.Top, Dest.Right, Dest.Bottom, SourceRect.Left, SourceRect.Top,
                              SourceRect.Right, SourceRect.Bottom})
        .Picture = std::move(Copy);
}

void TRecordingCanvas::DoSetPixel(int X, int Y, TColor Color)
{
    Add(TCanvasOp::SetPixel, {X, Y, Color});
}

TColor TRecordingCanvas::DoGetPixel(int, int)
{
    return TColor(-1);
}

namespace {

// Maps source coordinates onto the destination rectangle.
class TMapping {
public:
    TMapping(const TRect& Dest, TSize Source)
        : FDest(Dest),
          FSX(Source.cx > 0 ? double(Dest.Width()) / Source.cx : 1.0),
          FSY(Source.cy > 0 ? double(Dest.Height()) / Source.cy : 1.0)
    {
    }
    int X(int Value) const { return FDest.Left + static_cast<int>(std::lround(Value * FSX)); }
    int Y(int Value) const { return FDest.Top + static_cast<int>(std::lround(Value * FSY)); }
    TPoint P(const TPoint& Pt) const { return Point(X(Pt.X), Y(Pt.Y)); }
    TRect R(const std::vector<int>& A, std::size_t First = 0) const
    {
        return TRect(X(A[First]), Y(A[First + 1]), X(A[First + 2]), Y(A[First + 3]));
    }
    int Length(int Value) const { return static_cast<int>(std::lround(Value * (std::abs(FSX) + std::abs(FSY)) / 2.0)); }
    int Height(int Value) const { return static_cast<int>(std::lround(Value * std::abs(FSY))); }

private:
    TRect FDest;
    double FSX;
    double FSY;
};

void ApplyTools(const TCanvasRecord& Record, TCanvas* Target, const TMapping& Map)
{
    Target->Pen->Color = Record.Pen.Color;
    // Width 0 is the thin cosmetic pen and stays one pixel; other widths scale.
    Target->Pen->Width = Record.Pen.Width == 0 ? 0 : std::max(1, Map.Length(Record.Pen.Width));
    Target->Pen->Style = Record.Pen.Style;
    Target->Pen->Mode = Record.Pen.Mode;
    Target->Brush->Color = Record.Brush.Color;
    Target->Brush->Style = Record.Brush.Style;
    Target->Brush->SetHatchBackColor(Record.Brush.HatchBackColor);
    Target->Font->Name = Record.Font.Name;
    const int Height = Map.Height(Record.Font.Height);
    Target->Font->Height = Height != 0 ? Height : (Record.Font.Height < 0 ? -1 : 1);
    Target->Font->Color = Record.Font.Color;
    Target->Font->Style = Record.Font.Style;
    Target->Font->Pitch = Record.Font.Pitch;
    Target->Font->Charset = Record.Font.Charset;
    Target->Font->Orientation = Record.Font.Orientation;
}

}  // namespace

void TRecordingCanvas::Play(const std::vector<TCanvasRecord>& Records, TCanvas* Target, const TRect& Dest,
                            TSize SourceSize)
{
    if (!Target)
        return;
    const TMapping Map(Dest, SourceSize);
    TPen SavedPen;
    TBrush SavedBrush;
    TFont SavedFont;
    SavedFont.PixelsPerInch = Target->Font->PixelsPerInch;
    SavedPen.Assign(Target->Pen);
    SavedBrush.Assign(Target->Brush);
    SavedFont.Assign(Target->Font);
    const bool HadClip = Target->HasClipRect();
    const TRect OldClip = Target->GetClipRect();
    const TPoint OldPenPos = Target->GetPenPos();
    auto RestoreClip = [&] {
        if (HadClip)
            Target->SetClipRect(OldClip);
        else
            Target->RemoveClipRect();
    };

    for (const TCanvasRecord& Record : Records) {
        ApplyTools(Record, Target, Map);
        const std::vector<int>& A = Record.Args;
        switch (Record.Op) {
        case TCanvasOp::MoveTo: Target->MoveTo(Map.X(A[0]), Map.Y(A[1])); break;
        case TCanvasOp::LineTo:
            if (!Record.Points.empty() && Target->GetPenPos() != Map.P(Record.Points[0]))
                Target->MoveTo(Map.X(Record.Points[0].X), Map.Y(Record.Points[0].Y));
            Target->LineTo(Map.X(A[0]), Map.Y(A[1]));
            break;
        case TCanvasOp::Rectangle: Target->Rectangle(Map.R(A)); break;
        case TCanvasOp::FillRect: Target->FillRect(Map.R(A)); break;
        case TCanvasOp::FrameRect: Target->FrameRect(Map.R(A)); break;
        case TCanvasOp::Ellipse: Target->Ellipse(Map.R(A)); break;
        case TCanvasOp::RoundRect: {
            const TRect R = Map.R(A);
            Target->RoundRect(R.Left, R.Top, R.Right, R.Bottom, Map.Length(A[4]), Map.Length(A[5]));
            break;
        }
        case TCanvasOp::Arc:
        case TCanvasOp::Pie: {
            const TRect R = Map.R(A);
            auto Draw = Record.Op == TCanvasOp::Arc ? &TCanvas::Arc : &TCanvas::Pie;
            (Target->*Draw)(R.Left, R.Top, R.Right, R.Bottom, Map.X(A[4]), Map.Y(A[5]), Map.X(A[6]), Map.Y(A[7]));
            break;
        }
        case TCanvasOp::Polygon:
        case TCanvasOp::Polyline: {
            std::vector<TPoint> Points;
            Points.reserve(Record.Points.size());
            for (const TPoint& Pt : Record.Points)
                Points.push_back(Map.P(Pt));
            if (Record.Op == TCanvasOp::Polygon)
                Target->Polygon(Points);
            else
                Target->Polyline(Points);
            break;
        }
        case TCanvasOp::TextOut: Target->TextOut(Map.X(A[0]), Map.Y(A[1]), Record.Text); break;
        case TCanvasOp::TextRect: Target->TextRect(Map.R(A), Map.X(A[4]), Map.Y(A[5]), Record.Text); break;
        case TCanvasOp::SetClip: {
            RestoreClip();
            if (HadClip)
                Target->IntersectClipRect(Map.R(A));
            else
                Target->SetClipRect(Map.R(A));
            break;
        }
        case TCanvasOp::RemoveClip: RestoreClip(); break;
        case TCanvasOp::StretchDraw:
        case TCanvasOp::CopyRect:
            if (Record.Picture)
                Target->StretchDraw(Map.R(A), Record.Picture.get());
            break;
        case TCanvasOp::SetPixel: {
            const TRect R(Map.X(A[0]), Map.Y(A[1]), Map.X(A[0] + 1), Map.Y(A[1] + 1));
            if (R.Width() <= 1 && R.Height() <= 1) {
                Target->SetPixel(R.Left, R.Top, A[2]);
            } else {
                Target->Brush->Color = A[2];
                Target->FillRect(R);
            }
            break;
        }
        }
    }
    RestoreClip();
    Target->MoveTo(OldPenPos.X, OldPenPos.Y);
    Target->Pen->Assign(&SavedPen);
    Target->Brush->Assign(&SavedBrush);
    Target->Font->Assign(&SavedFont);
}
