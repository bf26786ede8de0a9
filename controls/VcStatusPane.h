#pragma once
#include <string>

#include "ui/Panel.h"

// A text pane; its width follows its caption when AutoSize is set, as far
// as its bar has room.
class TVcStatusPane : public TPanel {
public:
    explicit TVcStatusPane(TComponent* AOwner);
    ~TVcStatusPane() override;

    std::string GetText() const override { return FText; }
    void SetText(const std::string& Value) override;
    // What the pane shows: its text, or the start of it ended by "…" when
    // the pane is narrower than the text.
    std::string ShownText() const { return TPanel::GetText(); }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TProperty<TVcStatusPane, bool, &TVcStatusPane::GetAutoSize, &TVcStatusPane::SetAutoSize> AutoSize{this};

    // The width that shows the whole text.
    int WantedWidth() const { return FWantedWidth; }
    // Takes Width (an auto-sized pane); a right-aligned pane keeps its
    // right edge, so that it keeps its place among the others.
    void Fit(int Width);

protected:
    void FontChanged() override;

private:
    void AdjustWidth();
    std::string FText;
    int FWantedWidth = 0;
    int FCutWidth = -1;  // the width the shown text was cut for; -1 when it is whole
    bool FAutoSize = false;
};
