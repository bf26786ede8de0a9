#pragma once
// The brush a canvas fills areas with.
#include "ui/Color.h"
#include "ui/GraphicsObject.h"
#include "ui/Property.h"

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// A style of lines with gaps between them: neither solid nor clear.
inline bool IsHatchStyle(TBrushStyle Style)
{
    return Style != bsSolid && Style != bsClear;
}

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;

    TColor GetColor() const { return FColor; }
    // Setting a colour on a clear brush makes it solid, as the platform does.
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // The colour the gaps between a hatch's lines are filled with, as the
    // platform's opaque background mode fills them; clNone (the default)
    // leaves them see-through. Solid and clear brushes have no gaps.
    TColor GetHatchBackColor() const { return FHatchBackColor; }
    void SetHatchBackColor(TColor Value);

    TProperty<TBrush, TColor, &TBrush::GetColor, &TBrush::SetColor> Color{this};
    TProperty<TBrush, TBrushStyle, &TBrush::GetStyle, &TBrush::SetStyle> Style{this};

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TColor FHatchBackColor = clNone;
};
