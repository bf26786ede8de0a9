#pragma once
// A drawing surface with the Windows drawing rules: rectangles leave out
// their right and bottom edges, LineTo leaves out its end pixel, pen width
// 0 or 1 draws one pixel, text is placed by the top of its cell, nothing is
// anti-aliased. A solid brush makes the background opaque in its colour:
// behind text and in the gaps of dashed and dotted lines.
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include "rtl/Component.h"
#include "rtl/Types.h"
#include "ui/Brush.h"
#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Pen.h"
#include "ui/Property.h"

class QImage;
class QPainter;
class TCanvas;
class TBitmap;
class TGraphic;

// DrawText format flags (the platform's values).
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Canvas->Pixels[X][Y] reads and writes one pixel.
class TCanvasPixels {
public:
    class TPixel {
    public:
        TPixel(TCanvas* ACanvas, int AX, int AY) : FCanvas(ACanvas), FX(AX), FY(AY) {}
        operator TColor() const;
        TPixel& operator=(TColor Value);

    private:
        TCanvas* FCanvas;
        int FX, FY;
    };
    class TColumn {
    public:
        TColumn(TCanvas* ACanvas, int AX) : FCanvas(ACanvas), FX(AX) {}
        TPixel operator[](int Y) const { return TPixel(FCanvas, FX, Y); }

    private:
        TCanvas* FCanvas;
        int FX;
    };
    explicit TCanvasPixels(TCanvas* ACanvas) : FCanvas(ACanvas) {}
    TCanvasPixels(const TCanvasPixels&) = delete;
    TCanvasPixels& operator=(const TCanvasPixels&) = delete;
    TColumn operator[](int X) const { return TColumn(FCanvas, X); }

private:
    TCanvas* FCanvas;
};

// The canvas paints through a QPainter when it has one; without one it
// draws nothing (but still measures text). Derived canvases record instead.
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    TFont* const Font;
    TPen* const Pen;
    TBrush* const Brush;

    TPoint GetPenPos() const { return FPenPos; }
    void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
    TProperty<TCanvas, TPoint, &TCanvas::GetPenPos, &TCanvas::SetPenPos> PenPos{this};

    TCanvasPixels Pixels{this};
    TColor GetPixel(int X, int Y);
    void SetPixel(int X, int Y, TColor Color);

    void MoveTo(int X, int Y);
    // Draws from PenPos to (X, Y), leaving out the end pixel; PenPos moves there.
    void LineTo(int X, int Y);
    // Outline with the pen, filled with the brush; covers X1..X2-1, Y1..Y2-1.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    // Fills R (right and bottom edges excluded) with the brush, no outline.
    void FillRect(const TRect& R);
    // A one-pixel frame just inside R in the brush colour.
    void FrameRect(const TRect& R);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    // Arc and Pie of the ellipse in the box (X1, Y1)-(X2, Y2), counter-clockwise
    // from the ray toward (X3, Y3) to the ray toward (X4, Y4).
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Polygon(const std::vector<TPoint>& Points);
    void Polyline(const std::vector<TPoint>& Points);
    // Lines from Ends[0] to Ends[1], from Ends[2] to Ends[3], and so on,
    // each drawn as MoveTo and LineTo would; PenPos ends at the last end.
    // A thin solid pen on a picture in memory writes the pixels straight
    // into its rows, with the pen and the clip taken once for all lines.
    void LineSegments(const std::vector<TPoint>& Ends);

    // Text with the top-left corner of its cell at (X, Y), turned by the
    // font's Orientation about that point; PenPos moves to the end of it.
    void TextOut(int X, int Y, const std::string& Text);
    // Text at (X, Y) clipped to R; a solid brush fills all of R first.
    void TextRect(const TRect& R, int X, int Y, const std::string& Text);
    TSize TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
    // The platform's formatted text drawing (DT_* flags); returns the text
    // height. With DT_CALCRECT it draws nothing and sets R to the text's size.
    int DrawText(const std::string& Text, TRect& R, unsigned Format);

    // The area drawing is limited to: the clip rectangle when one is set,
    // else the whole surface.
    TRect GetClipRect() const;
    TReadOnlyProperty<TCanvas, TRect, &TCanvas::GetClipRect> ClipRect{this};
    bool HasClipRect() const { return FHasClip; }
    // Limits drawing to R (replacing any earlier clip rectangle).
    void SetClipRect(const TRect& R);
    // Limits drawing to the part of the current clip area inside R.
    void IntersectClipRect(const TRect& R);
    void RemoveClipRect();
    // Back to the look of a new canvas: its font, pen and brush, no clip,
    // the pen at the origin.
    void ResetToNew();

    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Copies SourceRect of Source (an image-backed canvas) into Dest.
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);

    // Serialises drawing from several threads (the component's lock).
    void Lock() { FLock.lock(); }
    bool TryLock() { return FLock.try_lock(); }
    void Unlock() { FLock.unlock(); }

    // The surface's size; zero when it has none.
    virtual TSize GetSurfaceSize() const;

protected:
    // Primitives after the public calls have done their book-keeping.
    // The base paints them through Painter(); recording canvases override.
    enum class TArcKind { Arc, Pie };
    virtual void DoMoveTo(int X, int Y);
    virtual void DoLineTo(int X, int Y);
    virtual void DoRectangle(const TRect& R);
    virtual void DoFillRect(const TRect& R);
    virtual void DoFrameRect(const TRect& R);
    virtual void DoEllipse(const TRect& R);
    virtual void DoRoundRect(const TRect& R, int CornerWidth, int CornerHeight);
    virtual void DoArc(TArcKind Kind, const TRect& R, TPoint Start, TPoint End);
    virtual void DoPolygon(const std::vector<TPoint>& Points);
    virtual void DoPolyline(const std::vector<TPoint>& Points);
    virtual void DoLineSegments(const std::vector<TPoint>& Ends);
    virtual void DoTextOut(int X, int Y, const std::string& Text);
    virtual void DoTextRect(const TRect& R, int X, int Y, const std::string& Text);
    virtual void DoClipChanged();
    virtual void DoStretchDraw(const TRect& R, TGraphic* Graphic);
    virtual void DoCopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
    virtual void DoSetPixel(int X, int Y, TColor Color);
    virtual TColor DoGetPixel(int X, int Y);

    // The painter to draw through, or nullptr.
    virtual QPainter* Painter() { return nullptr; }
    // The image behind the canvas when it has one (pixel reads, CopyRect).
    virtual QImage* Image() { return nullptr; }

    // Lets derived canvases replay a picture onto this one.
    static void DrawGraphic(TGraphic* Graphic, TCanvas* Target, const TRect& R);
    // Copies SourceRect of an image-backed canvas into Dest; false when
    // Source has no image.
    static bool CopyToBitmap(TCanvas* Source, const TRect& SourceRect, TBitmap& Dest);

private:
    friend class TCanvasPainter;
    // The pixels of the lines between Ends in pairs (Count of them) written
    // into the painter's image, when the pen and the painter allow; false,
    // drawing nothing, otherwise.
    bool WriteThinLines(const TPoint* Ends, std::size_t Count);
    TPoint FPenPos;
    bool FHasClip = false;
    TRect FClip;
    std::recursive_mutex FLock;
};
