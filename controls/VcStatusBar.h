#pragma once
// Status bar made of panes: text panes, a progress pane counting parts and
// a pane that shows the program's file version.
#include "ui/Control.h"
#include "ui/Panel.h"

#include <string>

// The bar shares its width among its panes: when the texts of the
// auto-sized ones do not all fit, the widest give way, each to the same
// width, and show what fits of their text. Its panes show in the order
// they were added, left to right: the left-aligned ones from the left
// edge, the right-aligned ones ending at the right edge, so a pane that
// was hidden comes back to its own place however the others moved.
class TVcStatusBar : public TPanel {
public:
    explicit TVcStatusBar(TComponent* AOwner);

    // Gives every auto-sized pane its width; called when a text, a pane or
    // the bar changes.
    void SharePanes();

protected:
    void AlignDone() override;

private:
    void PlaceInOrder();

    bool FArranging = false;
};

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

// Shows PartsComplete of TotalParts as a row of blocks.
class TVcProgressStatus : public TCustomControl {
public:
    explicit TVcProgressStatus(TComponent* AOwner);

    int GetPartsComplete() const { return FPartsComplete; }
    void SetPartsComplete(int Value);
    int GetTotalParts() const { return FTotalParts; }
    void SetTotalParts(int Value);
    TProperty<TVcProgressStatus, int, &TVcProgressStatus::GetPartsComplete, &TVcProgressStatus::SetPartsComplete>
        PartsComplete{this};
    TProperty<TVcProgressStatus, int, &TVcProgressStatus::GetTotalParts, &TVcProgressStatus::SetTotalParts> TotalParts{
        this};

protected:
    void Paint() override;

private:
    int FPartsComplete = 0;
    int FTotalParts = 10;
};

// Reads the file version of a program file.
class TVcVersionInfo : public TComponent {
public:
    explicit TVcVersionInfo(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    const std::string& GetFileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    // "major.minor.release.build"; empty without a file.
    std::string FileVersion() const;

private:
    std::string FFileName;
};

// A pane showing Label followed by the version of VersionInfo's file.
class TVcVersionInfoStatus : public TVcStatusPane {
public:
    explicit TVcVersionInfoStatus(TComponent* AOwner);

    const std::string& GetLabel() const { return FLabel; }
    void SetLabel(const std::string& Value);
    TVcVersionInfo* GetVersionInfo() const { return FVersionInfo; }
    void SetVersionInfo(TVcVersionInfo* Value);
    // Shows the version again after the file name changed.
    void UpdateText();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::string FLabel;
    TVcVersionInfo* FVersionInfo = nullptr;
};
