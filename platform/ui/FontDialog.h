#pragma once
// The font dialog, answered through the dialog seam.
#include <memory>

#include "rtl/Component.h"
#include "ui/Font.h"

class TFontDialog : public TComponent {
public:
    explicit TFontDialog(TComponent* AOwner);
    ~TFontDialog() override;

    bool Execute();
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(const TFont* Value);

private:
    std::unique_ptr<TFont> FFont;
};
