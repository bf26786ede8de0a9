#pragma once
// Containers: panels with a caption and bevels, group boxes and scroll
// boxes.
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

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* AOwner);

    std::string GetText() const override;
    void SetText(const std::string& Value) override;

protected:
    TRect AlignRect() const override;
};

// Holds controls in an area larger than itself and scrolls over it; the
// scroll range follows the children.
class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);

    QWidget* ClientWidget() const override;
    int GetClientWidth() const override;
    int GetClientHeight() const override;
    int GetHorzPosition() const;
    int GetVertPosition() const;
    void SetVertPosition(int Value);
    void SetHorzPosition(int Value);
    void ScrollInView(TControl* AControl);

protected:
    void ApplyColor() override;
    TRect AlignRect() const override;
    void ControlsChanged() override;
    void AlignDone() override;

private:
    friend class TScrollBoxWidget;
    void UpdateRange();
    QWidget* FPage;
};
