#pragma once
// A button of the plot's toolbar, or a separator between its sections.
#include <string>

#include "plot/core/kPlotButton.h"

class TImageList;

// The button types, as the toolbar events report them.
enum TkPlotToolBarButtonType {
    kptbbtResume,
    kptbbtPause,
    kptbbtScrollAxesMode,
    kptbbtZoomAxesMode,
    kptbbtSelect,
    kptbbtZoomBox,
    kptbbtZoomOut,
    kptbbtZoomIn,
    kptbbtCursor,
    kptbbtEdit,
    kptbbtCopy,
    kptbbtSave,
    kptbbtPrint,
    kptbbtPreview,
};

// One button of the bar, or a separator: a gap with no glyph and no action.
class TkPlotToolBarButton : public TkPlotButton {
public:
    // The bar's image list takes the button's glyph; the bar is what the
    // hint event names.
    TkPlotToolBarButton(TkPlotObject* AToolBar, TImageList* AImages, TkPlotObjectOwner* AOwner,
                        const TkPlotObjectCallbacks& Callbacks, TkPlotToolBarButtonType AType, bool ASeparator,
                        const std::string& AHint);

    TkPlotToolBarButtonType GetType() const { return FType; }
    bool IsSeparator() const { return FSeparator; }
    const std::string& GetHint() const { return FHint; }
    const std::string& GetGlyphName() const { return FGlyphName; }
    // A new glyph name drops the loaded picture; it loads at the next paint.
    void SetGlyphName(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }
    bool GetHot() const { return FHot; }

    void MouseMove(TShiftState Shift, TPoint Client, TkPlotHintData* Hint = nullptr) override;
    void Draw(TCanvas* Canvas, TColor BackColor) override;

protected:
    ~TkPlotToolBarButton() override = default;
    void DoMouseHover(const TkPlotMouseData& Mouse) override;
    void DoMouseLeave() override;

private:
    // Loads the picture of GlyphName into the bar's image list when none
    // is loaded yet.
    void LoadGlyph();
    // A one-pixel frame: TopLeft on the top and left edges, BottomRight on
    // the others.
    void DrawFrame(TCanvas* Canvas, TColor TopLeft, TColor BottomRight) const;

    TkPlotObject* FToolBar;
    TImageList* FImages;
    TkPlotToolBarButtonType FType;
    bool FSeparator;
    std::string FHint;
    std::string FGlyphName;
    int FImageIndex = -1;
    bool FFlat = false;
    bool FHot = false;
};
