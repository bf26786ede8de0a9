#pragma once
#include <string>

#include "controls/VcStatusPane.h"
#include "controls/VcVersionInfo.h"

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
