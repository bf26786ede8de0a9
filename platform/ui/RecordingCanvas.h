#pragma once
// A canvas that draws nothing and keeps every drawing call with its
// arguments and the pen, brush and font in force, so that tests can check
// what was drawn and a metafile can replay or export it.
#include <memory>
#include <string>
#include <vector>
#include "ui/Canvas.h"

class TBitmap;

enum class TCanvasOp {
    MoveTo,
    LineTo,
    Rectangle,
    FillRect,
    FrameRect,
    Ellipse,
    RoundRect,
    Arc,
    Pie,
    Polygon,
    Polyline,
    TextOut,
    TextRect,
    SetClip,
    RemoveClip,
    StretchDraw,
    CopyRect,
    SetPixel
};

// The drawing tools as they stood at one call.
struct TPenData {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    friend bool operator==(const TPenData&, const TPenData&) = default;
};
struct TBrushData {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    TColor HatchBackColor = clNone;
    friend bool operator==(const TBrushData&, const TBrushData&) = default;
};
struct TFontData {
    std::string Name;
    int Height = 0;
    TColor Color = clBlack;
    TFontStyles Style;
    TFontPitch Pitch = fpDefault;
    TFontCharset Charset = DEFAULT_CHARSET;
    int Orientation = 0;
    friend bool operator==(const TFontData&, const TFontData&) = default;
};

// One call. Args are the call's integer arguments in order:
//   MoveTo, LineTo: X, Y (LineTo's start is in Points[0])
//   Rectangle, FillRect, FrameRect, Ellipse, SetClip, StretchDraw: Left, Top, Right, Bottom
//   RoundRect: X1, Y1, X2, Y2, X3, Y3;  Arc, Pie: X1 .. Y4
//   TextOut: X, Y;  TextRect: Left, Top, Right, Bottom, X, Y
//   CopyRect: destination Left .. Bottom, then source Left .. Bottom
//   SetPixel: X, Y, Color
// Polygon and Polyline keep their points in Points; TextOut and TextRect
// their text in Text; StretchDraw and CopyRect a copy of the picture drawn.
struct TCanvasRecord {
    TCanvasOp Op = TCanvasOp::MoveTo;
    std::vector<int> Args;
    std::vector<TPoint> Points;
    std::string Text;
    std::shared_ptr<TBitmap> Picture;
    TPenData Pen;
    TBrushData Brush;
    TFontData Font;

    const char* Name() const;
};

class TRecordingCanvas : public TCanvas {
public:
    // SurfaceSize is what ClipRect reports without a clip rectangle.
    explicit TRecordingCanvas(TSize SurfaceSize = TSize(0, 0));
    ~TRecordingCanvas() override;

    std::vector<TCanvasRecord> Records;

    TSize GetSurfaceSize() const override { return FSurfaceSize; }
    void SetSurfaceSize(TSize Value) { FSurfaceSize = Value; }

    // Draws Records onto Target, mapping the area (0, 0)-SourceSize onto
    // Dest; pen widths and font heights scale with it.
    static void Play(const std::vector<TCanvasRecord>& Records, TCanvas* Target, const TRect& Dest, TSize SourceSize);

protected:
    void DoMoveTo(int X, int Y) override;
    void DoLineTo(int X, int Y) override;
    void DoRectangle(const TRect& R) override;
    void DoFillRect(const TRect& R) override;
    void DoFrameRect(const TRect& R) override;
    void DoEllipse(const TRect& R) override;
    void DoRoundRect(const TRect& R, int CornerWidth, int CornerHeight) override;
    void DoArc(TArcKind Kind, const TRect& R, TPoint Start, TPoint End) override;
    void DoPolygon(const std::vector<TPoint>& Points) override;
    void DoPolyline(const std::vector<TPoint>& Points) override;
    void DoTextOut(int X, int Y, const std::string& Text) override;
    void DoTextRect(const TRect& R, int X, int Y, const std::string& Text) override;
    void DoClipChanged() override;
    void DoStretchDraw(const TRect& R, TGraphic* Graphic) override;
    void DoCopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) override;
    void DoSetPixel(int X, int Y, TColor Color) override;
    TColor DoGetPixel(int X, int Y) override;

private:
    TCanvasRecord& Add(TCanvasOp Op, std::vector<int> Args);
    TSize FSurfaceSize;
};
