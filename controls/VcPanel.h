#pragma once
// A styled panel: a vertical colour gradient, an optional grid,
// a one-pixel border and a caption (large captions read as a watermark).
// The caption is centred in the widest stretch of the panel that its
// children leave free at the caption's height, so it is not hidden behind
// them where there is room beside them.
#include <string>

#include "ui/Control.h"
#include "ui/CustomControl.h"

enum TVcBorderStyle { vbsNone, vbsSingle };

class TVcPanel : public TCustomControl {
public:
    explicit TVcPanel(TComponent* AOwner);

    std::string GetText() const override { return FCaption; }
    void SetText(const std::string& Value) override;

    // The gradient runs from Color at the top to GradientEndColor at the bottom.
    TColor GetGradientEndColor() const { return FGradientEndColor; }
    void SetGradientEndColor(TColor Value);
    bool GetGradient() const { return FGradient; }
    void SetGradient(bool Value);
    bool GetShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool Value);
    TColor GetGridColor() const { return FGridColor; }
    void SetGridColor(TColor Value);
    int GetGridSize() const { return FGridSize; }
    void SetGridSize(int Value);
    TVcBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TVcBorderStyle Value);
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);

    TProperty<TVcPanel, TColor, &TVcPanel::GetGradientEndColor, &TVcPanel::SetGradientEndColor> GradientEndColor{this};
    TProperty<TVcPanel, bool, &TVcPanel::GetGradient, &TVcPanel::SetGradient> Gradient{this};
    TProperty<TVcPanel, bool, &TVcPanel::GetShowGrid, &TVcPanel::SetShowGrid> ShowGrid{this};
    TProperty<TVcPanel, TColor, &TVcPanel::GetGridColor, &TVcPanel::SetGridColor> GridColor{this};
    TProperty<TVcPanel, int, &TVcPanel::GetGridSize, &TVcPanel::SetGridSize> GridSize{this};
    TProperty<TVcPanel, TVcBorderStyle, &TVcPanel::GetBorderStyle, &TVcPanel::SetBorderStyle> BorderStyle{this};
    TProperty<TVcPanel, TColor, &TVcPanel::GetBorderColor, &TVcPanel::SetBorderColor> BorderColor{this};

protected:
    void Paint() override;
    void ControlPlaced() override;

private:
    // Left of a caption Width pixels wide and Height high.
    int CaptionLeft(int Width, int Height) const;

    std::string FCaption;
    TColor FGradientEndColor = clWhite;
    bool FGradient = true;
    bool FShowGrid = false;
    TColor FGridColor = 0xE0E0E0;
    int FGridSize = 10;
    TVcBorderStyle FBorderStyle = vbsSingle;
    TColor FBorderColor = clGray;
};
