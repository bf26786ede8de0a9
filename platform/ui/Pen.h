#pragma once
// The pen a canvas draws lines and outlines with.
#include "ui/Color.h"
#include "ui/GraphicsObject.h"
#include "ui/Property.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// How the pen's colour combines with what is already drawn (the binary
// raster operations, in their Windows order).
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
public:
    TPen() = default;

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    // Width 0 and 1 both draw one pixel.
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);

    TProperty<TPen, TColor, &TPen::GetColor, &TPen::SetColor> Color{this};
    TProperty<TPen, int, &TPen::GetWidth, &TPen::SetWidth> Width{this};
    TProperty<TPen, TPenStyle, &TPen::GetStyle, &TPen::SetStyle> Style{this};
    TProperty<TPen, TPenMode, &TPen::GetMode, &TPen::SetMode> Mode{this};

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};
