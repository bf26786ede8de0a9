#include "plot/channels/kPlotLabel.h"

#include "plot/core/kGPFunctions.h"
#include "plot/core/kGraphicsProperties.h"
#include "rtl/PublishedList.h"
#include "rtl/Saturating.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Font.h"
#include "ui/ImageList.h"

namespace {

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TkPlotLabel, TkPlotLayoutObject>("TkPlotLabel");
    return true;
}();

}  // namespace

TkPlotLabel::TkPlotLabel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::Label)
{
    SetHorizontal(true);
}

TkPlotLabel::~TkPlotLabel() = default;

void TkPlotLabel::MarginChanged(double TkPlotCharMargins::*Margin)
{
    if (Margin == &TkPlotCharMargins::Top || Margin == &TkPlotCharMargins::Bottom)
        DoLayoutChange();
    else
        DoChange();
}

void TkPlotLabel::SetBitmap(const TBitmap* Value)
{
    if (!Value && !FBitmap)
        return;
    if (Value) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(Value);
        FBitmap = std::move(copy);
    } else {
        FBitmap.reset();
    }
    DoChange();
}

TkPlotLabel::TPixelMargins TkPlotLabel::CalcMargins(TCanvas* Canvas) const
{
    Canvas->Font->Assign(FFont.get());
    return FMargin.InPixels(MultiLineTextWidth(Canvas, "0"), MultiLineTextHeight(Canvas, "0"));
}

int TkPlotLabel::GetRequiredSize(TCanvas* Canvas)
{
    const TPixelMargins m = CalcMargins(Canvas);
    return SatAdd(MultiLineTextHeight(Canvas, FCaption), m.Top, m.Bottom);
}

int TkPlotLabel::PictureLeft(const TRect& R, const TPixelMargins& M, int Width) const
{
    switch (FAlignment) {
    case kahLeft: return SatAdd(R.Left, M.Left);
    case kahRight: return SatSub(SatSub(R.Right, M.Right), Width);
    default: return SatSub(Middle(R.Left, R.Right), Width / 2);
    }
}

void TkPlotLabel::Draw(TCanvas* Canvas, TColor)
{
    if (!GetVisible())
        return;
    const TRect& r = GetDrawRect();
    const TPixelMargins m = CalcMargins(Canvas);
    if (FBitmap) {
        FBitmap->SetTransparentMode(tmAuto);
        FBitmap->SetTransparent(true);
        Canvas->Draw(PictureLeft(r, m, FBitmap->GetWidth()), SatAdd(r.Top, m.Top), FBitmap.get());
        return;
    }
    TImageList* images = FImageListIndex >= 0 && FImageListIndex <= 2 && GetOwner()
                             ? GetOwner()->GetImageList(FImageListIndex)
                             : nullptr;
    if (images && FImageIndex >= 0 && FImageIndex < images->GetCount()) {
        images->Draw(Canvas, PictureLeft(r, m, images->GetWidth()), SatAdd(r.Top, m.Top), FImageIndex, GetEnabled());
        return;
    }
    DrawCaption(Canvas, r, m);
}

void TkPlotLabel::DrawCaption(TCanvas* Canvas, const TRect& R, const TPixelMargins& M)
{
    Canvas->Font->Assign(FFont.get());
    Canvas->Brush->SetStyle(bsClear);
    if (IsHorizontal()) {
        TRect box(SatAdd(R.Left, M.Left), SatAdd(R.Top, M.Top), SatSub(R.Right, M.Right), SatSub(R.Bottom, M.Bottom));
        TkTextFormat format = ktfVCenter | ktfSingleLine | ktfNoPrefix;
        if (FAlignment == kahCenter)
            format |= ktfCenter;
        else if (FAlignment == kahRight)
            format |= ktfRight;
        DrawFormattedText(Canvas, FCaption, box, format, true);
        return;
    }
    // Turned to read bottom to top: the caption's across-size sits between
    // the top and bottom margins, its length runs along the label.
    const int halfLength = MultiLineTextWidth(Canvas, FCaption) / 2;
    const int x = Middle(SatAdd(R.Left, M.Top), SatSub(R.Right, M.Bottom));
    int y = Middle(R.Top, R.Bottom);
    if (FAlignment == kahLeft)
        y = SatSub(SatSub(R.Bottom, halfLength), M.Left);
    else if (FAlignment == kahRight)
        y = SatAdd(R.Top, halfLength, M.Right);
    TRect out;
    DrawRotatedText(Canvas, FCaption, TRect(x, y, x, y), out, 1);
}
