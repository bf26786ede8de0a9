#pragma once
// The brush a canvas fills areas with.
#include "ui/Color.h"
#include "ui/GraphicsObject.h"
#include "ui/Property.h"

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;

    TColor GetColor() const { return FColor; }
    // Setting a colour on a clear brush makes it solid, as the platform does.
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);

    TProperty<TBrush, TColor, &TBrush::GetColor, &TBrush::SetColor> Color{this};
    TProperty<TBrush, TBrushStyle, &TBrush::GetStyle, &TBrush::SetStyle> Style{this};

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};
