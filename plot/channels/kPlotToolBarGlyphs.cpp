#include "plot/channels/kPlotToolBarGlyphs.h"

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace {

constexpr TColor Transparent = clTeal;

// Draws on a 24-pixel grid scaled to the bitmap's size.
class TGlyphPainter {
public:
    TGlyphPainter(TCanvas* ACanvas, int ASize) : FCanvas(ACanvas), FSize(ASize) {}

    int S(int V) const { return (V * FSize + 12) / 24; }
    TPoint P(int X, int Y) const { return TPoint{S(X), S(Y)}; }

    void Pen(TColor Color, int Width = 1, TPenStyle Style = psSolid)
    {
        FCanvas->Pen->SetColor(Color);
        FCanvas->Pen->SetWidth(Width > 1 ? std::max(1, S(Width)) : 1);
        FCanvas->Pen->SetStyle(Style);
    }
    void Fill(TColor Color)
    {
        FCanvas->Brush->SetStyle(bsSolid);
        FCanvas->Brush->SetColor(Color);
    }
    void Hollow() { FCanvas->Brush->SetStyle(bsClear); }
    // A black-edged rectangle filled with Color.
    void Box(TColor Color, int L, int T, int R, int B)
    {
        Pen(clBlack);
        Fill(Color);
        Rect(L, T, R, B);
    }
    void Rect(int L, int T, int R, int B) { FCanvas->Rectangle(S(L), S(T), S(R), S(B)); }
    void Ellipse(int L, int T, int R, int B) { FCanvas->Ellipse(S(L), S(T), S(R), S(B)); }
    void Line(int X1, int Y1, int X2, int Y2)
    {
        FCanvas->MoveTo(S(X1), S(Y1));
        FCanvas->LineTo(S(X2), S(Y2));
    }
    void Polygon(std::initializer_list<std::pair<int, int>> Points)
    {
        std::vector<TPoint> points;
        for (auto [x, y] : Points)
            points.push_back(P(x, y));
        FCanvas->Polygon(points);
    }

    // A minus sign centred on X, Y, and a plus sign that adds its upright.
    void Minus(int X, int Y) { Line(X - 3, Y, X + 4, Y); }
    void Plus(int X, int Y)
    {
        Minus(X, Y);
        Line(X, Y - 3, X, Y + 4);
    }
    // A sheet of paper with a few lines of text.
    void Sheet(int L, int T, int R, int B)
    {
        Box(clWhite, L, T, R, B);
        Pen(clNavy);
        for (int y = T + 4; y < B - 2; y += 4)
            Line(L + 3, y, R - 3, y);
    }
    // A magnifying glass whose lens spans L..L+12, T..T+12.
    void Magnifier(int L, int T)
    {
        Pen(clBlack, 3);
        Line(L + 10, T + 10, L + 17, T + 17);
        Pen(clBlack);
        Fill(clWhite);
        Ellipse(L, T, L + 12, T + 12);
    }

private:
    TCanvas* FCanvas;
    int FSize;
};

using TGlyph = std::function<void(TGlyphPainter&)>;

const std::map<std::string, TGlyph>& Glyphs()
{
    static const std::map<std::string, TGlyph> glyphs{
        {"AUTO",
         [](TGlyphPainter& g) {
             g.Pen(clBlack);
             g.Fill(clGreen);
             g.Polygon({{7, 4}, {19, 12}, {7, 20}});
         }},
        {"PAUSE",
         [](TGlyphPainter& g) {
             g.Box(clNavy, 6, 5, 11, 20);
             g.Box(clNavy, 14, 5, 19, 20);
         }},
        {"SCROLL",
         [](TGlyphPainter& g) {
             g.Pen(clBlack);
             g.Fill(clBlack);
             g.Line(5, 12, 20, 12);
             g.Line(12, 5, 12, 20);
             g.Polygon({{2, 12}, {6, 8}, {6, 16}});
             g.Polygon({{22, 12}, {18, 8}, {18, 16}});
             g.Polygon({{12, 2}, {8, 6}, {16, 6}});
             g.Polygon({{12, 22}, {8, 18}, {16, 18}});
         }},
        {"ZOOM", [](TGlyphPainter& g) { g.Magnifier(3, 3); }},
        {"ZOOMOUT",
         [](TGlyphPainter& g) {
             g.Magnifier(3, 3);
             g.Pen(clRed);
             g.Minus(9, 9);
         }},
        {"ZOOMIN",
         [](TGlyphPainter& g) {
             g.Magnifier(3, 3);
             g.Pen(clRed);
             g.Plus(9, 9);
         }},
        {"SELECT",
         [](TGlyphPainter& g) {
             g.Pen(clBlack);
             g.Fill(clWhite);
             g.Polygon({{6, 3}, {6, 19}, {10, 15}, {13, 21}, {15, 20}, {12, 14}, {17, 14}});
         }},
        {"SCROLLBOX",
         [](TGlyphPainter& g) {
             g.Pen(clBlack, 1, psDot);
             g.Hollow();
             g.Rect(3, 5, 21, 19);
             g.Pen(clRed);
             g.Plus(12, 12);
         }},
        {"CURSOR",
         [](TGlyphPainter& g) {
             g.Pen(clRed);
             g.Line(12, 2, 12, 22);
             g.Line(8, 12, 17, 12);
             g.Hollow();
             g.Ellipse(9, 9, 16, 16);
         }},
        {"PROPERTIES", [](TGlyphPainter& g) { g.Sheet(5, 3, 19, 21); }},
        {"COPY",
         [](TGlyphPainter& g) {
             g.Sheet(3, 3, 14, 16);
             g.Sheet(9, 8, 20, 21);
         }},
        {"SAVE",
         [](TGlyphPainter& g) {
             g.Box(clNavy, 4, 4, 20, 20);
             g.Box(clWhite, 7, 4, 17, 10);
             g.Box(clSilver, 8, 14, 16, 20);
         }},
        {"PRINTER",
         [](TGlyphPainter& g) {
             g.Box(clWhite, 7, 3, 17, 11);
             g.Box(clSilver, 3, 10, 21, 18);
             g.Box(clWhite, 7, 15, 17, 21);
         }},
        {"PREVIEW",
         [](TGlyphPainter& g) {
             g.Sheet(3, 2, 16, 20);
             g.Magnifier(9, 8);
         }},
    };
    return glyphs;
}

}  // namespace

bool TkPlotToolBarGlyphs::Load(const std::string& Name, TBitmap& Bitmap)
{
    const bool small = Name.rfind("SMALL", 0) == 0;
    const auto found = Glyphs().find(small ? Name.substr(5) : Name);
    if (found == Glyphs().end())
        return false;
    const int size = small ? 16 : 24;
    Bitmap.SetSize(size, size);
    TCanvas* canvas = Bitmap.Canvas;
    canvas->Brush->SetStyle(bsSolid);
    canvas->Brush->SetColor(Transparent);
    canvas->FillRect(TRect(0, 0, size, size));
    TGlyphPainter painter(canvas, size);
    found->second(painter);
    return true;
}
