#pragma once
// Status bar made of panes: text panes, a progress pane counting parts and
// a pane that shows the program's file version.
#include "ui/Control.h"
#include "ui/Panel.h"

#include <memory>
#include <string>

class TBitmap;

class TVcStatusBar : public TPanel {
public:
    explicit TVcStatusBar(TComponent* AOwner);
};

// A text pane; its width follows its caption when AutoSize is set.
class TVcStatusPane : public TPanel {
public:
    explicit TVcStatusPane(TComponent* AOwner);
    ~TVcStatusPane() override;

    void SetText(const std::string& Value) override;
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TProperty<TVcStatusPane, bool, &TVcStatusPane::GetAutoSize, &TVcStatusPane::SetAutoSize> AutoSize{this};

protected:
    void FontChanged() override;

private:
    void AdjustWidth();
    bool FAutoSize = false;
    std::unique_ptr<TBitmap> FMeasure;
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
