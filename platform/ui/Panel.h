#pragma once
// Panels: containers with a caption and bevels.
#include "ui/Control.h"

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* AOwner);

    std::string GetText() const override { return FCaption; }
    void SetText(const std::string& Value) override;
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The width of Text in the font the caption is drawn with.
    int CaptionWidth(const std::string& Text) const;
    TBevelCut GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelCut GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    int GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);

    TProperty<TPanel, TAlignment, &TPanel::GetAlignment, &TPanel::SetAlignment> Alignment{this};
    TProperty<TPanel, TBevelCut, &TPanel::GetBevelOuter, &TPanel::SetBevelOuter> BevelOuter{this};
    TProperty<TPanel, TBevelCut, &TPanel::GetBevelInner, &TPanel::SetBevelInner> BevelInner{this};
    TProperty<TPanel, int, &TPanel::GetBevelWidth, &TPanel::SetBevelWidth> BevelWidth{this};

protected:
    TRect AlignRect() const override;

private:
    friend class TPanelWidget;
    std::string FCaption;
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
};
