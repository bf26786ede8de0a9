#pragma once
#include <memory>

#include "ui/Button.h"

// A button with a picture beside its caption.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    TBitmap* GetGlyph() const { return FGlyph.get(); }
    // Copies the picture shown beside the caption.
    void SetGlyph(const TBitmap* Value);

private:
    std::unique_ptr<TBitmap> FGlyph;
};
