#pragma once
// A caption placed by the layout manager like an axis: a line of text, or
// an image from one of the plot's image lists, with margins counted in
// character sizes of its font. Label 0 is the plot's title.
#include <memory>
#include <string>

#include "plot/channels/kPlotCharMargins.h"
#include "plot/core/kPlotObjects.h"

class TBitmap;
class TFont;

enum TkAlignmentHorizontal { kahCenter, kahLeft, kahRight };

namespace TkPlotObjectKind {
extern const TkPlotKind Label;
}  // namespace TkPlotObjectKind

class TkPlotLabel : public TkPlotLayoutObject {
public:
    TkPlotLabel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    double GetMarginLeft() const { return FMargins.Left; }
    void SetMarginLeft(double Value);
    double GetMarginTop() const { return FMargins.Top; }
    void SetMarginTop(double Value);
    double GetMarginRight() const { return FMargins.Right; }
    void SetMarginRight(double Value);
    double GetMarginBottom() const { return FMargins.Bottom; }
    void SetMarginBottom(double Value);
    TkAlignmentHorizontal GetAlignment() const { return FAlignment; }
    void SetAlignment(TkAlignmentHorizontal Value);
    TFont* GetFont() const { return FFont.get(); }
    int GetImageListIndex() const { return FImageListIndex; }
    void SetImageListIndex(int Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // A picture shown instead of the caption and the image; a copy is kept,
    // none clears it.
    void SetBitmap(const TBitmap* Value);
    const TBitmap* GetBitmap() const { return FBitmap.get(); }

    // The caption's height and the top and bottom margins.
    int GetRequiredSize(TCanvas* Canvas) override;
    void Draw(TCanvas* Canvas, TColor BackColor) override;

protected:
    ~TkPlotLabel() override;

private:
    using TPixelMargins = TkPlotCharMargins::TPixels;
    // Margins in pixels, from the size of "0" in Font.
    TPixelMargins CalcMargins(TCanvas* Canvas) const;
    // Left edge of a picture Width pixels wide inside R by Alignment.
    int PictureLeft(const TRect& R, const TPixelMargins& M, int Width) const;
    void DrawCaption(TCanvas* Canvas, const TRect& R, const TPixelMargins& M);

    std::string FCaption;
    TkPlotCharMargins FMargins;
    TkAlignmentHorizontal FAlignment = kahCenter;
    std::unique_ptr<TFont> FFont;
    int FImageListIndex = -1;
    int FImageIndex = 0;
    std::unique_ptr<TBitmap> FBitmap;
};
