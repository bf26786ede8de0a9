#pragma once
// A caption placed by the layout manager like an axis: a line of text, or
// an image from one of the plot's image lists, with margins counted in
// character sizes of its font. Label 0 is the plot's title.
#include <memory>
#include <string>

#include "plot/channels/kPlotCharMargins.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kPlotLayoutObject.h"

class TBitmap;

PUBLISHED_ENUM(TkAlignmentHorizontal, kahCenter, kahLeft, kahRight);

namespace TkPlotObjectKind {
extern const TkPlotKind Label;
}  // namespace TkPlotObjectKind

class TkPlotLabel : public TkPlotLayoutObject {
    PUBLISHED_CLASS(TkPlotLabel);

public:
    TkPlotLabel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // The caption, its top and bottom margins and its font decide the
    // label's size; the left and right margins only move the caption.
    PUBLISHED(std::string, Caption, "", DoLayoutChange());
    PUBLISHED_GROUP(TkPlotCharMargins, Margin, TkPlotCharMargins{}, MarginChanged(PublishedMember), Left, Top, Right,
                    Bottom);
    PUBLISHED(TkAlignmentHorizontal, Alignment, kahCenter, DoChange());
    PUBLISHED_FONT(Font, (TkFontLook{.Name = "Arial", .Size = 14, .Style = TFontStyles{fsBold}, .Color = clWhite}),
                   DoLayoutChange());
    PUBLISHED(int, ImageListIndex, -1, DoChange());
    PUBLISHED(int, ImageIndex, 0, DoChange());
    // A label lies across the plot unless turned.
    PUBLISHED_ACCESSORS(bool, Horizontal, true);

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
    void MarginChanged(double TkPlotCharMargins::*Margin);
    // Margins in pixels, from the size of "0" in Font.
    TPixelMargins CalcMargins(TCanvas* Canvas) const;
    // Left edge of a picture Width pixels wide inside R by Alignment.
    int PictureLeft(const TRect& R, const TPixelMargins& M, int Width) const;
    void DrawCaption(TCanvas* Canvas, const TRect& R, const TPixelMargins& M);

    std::unique_ptr<TBitmap> FBitmap;
};
