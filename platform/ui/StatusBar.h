#pragma once
// A status bar of panels, at the bottom of its parent by default.
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Property.h"

class TStatusBar;
class QLabel;

class TStatusPanel {
public:
    std::string GetText() const { return FText; }
    void SetText(const std::string& Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    TProperty<TStatusPanel, std::string, &TStatusPanel::GetText, &TStatusPanel::SetText> Text{this};
    TProperty<TStatusPanel, int, &TStatusPanel::GetWidth, &TStatusPanel::SetWidth> Width{this};
    TProperty<TStatusPanel, TAlignment, &TStatusPanel::GetAlignment, &TStatusPanel::SetAlignment> Alignment{this};

private:
    friend class TStatusBar;
    explicit TStatusPanel(TStatusBar* ABar) : FBar(ABar) {}
    TStatusBar* FBar;
    QLabel* FLabel = nullptr;
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    // Panels side by side, each its Width wide; the last one takes the
    // rest.
    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    TStatusPanel* Panels(int Index) const;
    TStatusPanel* AddPanel();
    void ClearPanels();
    // With SimplePanel the bar shows SimpleText alone.
    bool GetSimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    std::string GetSimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& Value);

    TProperty<TStatusBar, bool, &TStatusBar::GetSimplePanel, &TStatusBar::SetSimplePanel> SimplePanel{this};
    TProperty<TStatusBar, std::string, &TStatusBar::GetSimpleText, &TStatusBar::SetSimpleText> SimpleText{this};

protected:
    void Resize() override;
    void FontChanged() override;

private:
    friend class TStatusPanel;
    void ArrangePanels();

    std::vector<std::unique_ptr<TStatusPanel>> FPanels;
    QLabel* FSimpleLabel;
    bool FSimplePanel = false;
    std::string FSimpleText;
};
