#pragma once
// A control showing a bitmap, as it is or stretched over the control.
#include <memory>

#include "ui/Bitmap.h"
#include "ui/Control.h"
#include "ui/GraphicControl.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    // The picture shown; empty (0 x 0) shows nothing.
    TBitmap* const Picture;
    // Copies Value into the picture; null clears it.
    void SetPicture(const TBitmap* Value);

    bool GetStretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool GetCenter() const { return FCenter; }
    void SetCenter(bool Value);
    // Leaves out the picture's transparent colour (its bottom-left pixel).
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    TProperty<TImage, bool, &TImage::GetStretch, &TImage::SetStretch> Stretch{this};
    TProperty<TImage, bool, &TImage::GetCenter, &TImage::SetCenter> Center{this};
    TProperty<TImage, bool, &TImage::GetTransparent, &TImage::SetTransparent> Transparent{this};

protected:
    void Paint() override;

private:
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
};
