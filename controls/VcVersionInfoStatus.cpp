#include "controls/VcVersionInfoStatus.h"

TVcVersionInfoStatus::TVcVersionInfoStatus(TComponent* AOwner) : TVcStatusPane(AOwner)
{
    SetAutoSize(true);
}

void TVcVersionInfoStatus::SetLabel(const std::string& Value)
{
    FLabel = Value;
    UpdateText();
}

void TVcVersionInfoStatus::SetVersionInfo(TVcVersionInfo* Value)
{
    if (FVersionInfo)
        FVersionInfo->RemoveFreeNotification(this);
    FVersionInfo = Value;
    if (FVersionInfo)
        FVersionInfo->FreeNotification(this);
    UpdateText();
}

void TVcVersionInfoStatus::UpdateText()
{
    const std::string Version = FVersionInfo ? FVersionInfo->FileVersion() : std::string();
    SetText(Version.empty() ? FLabel : FLabel + " " + Version);
}

void TVcVersionInfoStatus::Notification(TComponent* AComponent, TOperation Operation)
{
    TVcStatusPane::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FVersionInfo)
        FVersionInfo = nullptr;
}
