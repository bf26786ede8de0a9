#pragma once
// A static text.
#include "ui/Control.h"

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* AOwner);

    std::string GetText() const override;
    void SetText(const std::string& Value) override;

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetWordWrap() const;
    void SetWordWrap(bool Value);
    // With AutoSize the label takes the size of its text whenever the text
    // or the font changes.
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Transparent labels show their parent's background even when a Color
    // was set; otherwise a label shows its Color once one was set.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    TProperty<TLabel, TAlignment, &TLabel::GetAlignment, &TLabel::SetAlignment> Alignment{this};
    TProperty<TLabel, TTextLayout, &TLabel::GetLayout, &TLabel::SetLayout> Layout{this};
    TProperty<TLabel, bool, &TLabel::GetWordWrap, &TLabel::SetWordWrap> WordWrap{this};
    TProperty<TLabel, bool, &TLabel::GetAutoSize, &TLabel::SetAutoSize> AutoSize{this};
    TProperty<TLabel, bool, &TLabel::GetTransparent, &TLabel::SetTransparent> Transparent{this};

protected:
    void ApplyColor() override;
    void FontChanged() override;

private:
    void ApplyAlignment();
    void AdjustSize();

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FTransparent = false;
};
