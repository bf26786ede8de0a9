#pragma once
// A bottom panel with an OK and a Cancel button.
#include "ui/Button.h"
#include "ui/Panel.h"

class TVcDialogButtons : public TPanel {
public:
    explicit TVcDialogButtons(TComponent* AOwner);

    TButton* OkButton() const { return FOk; }
    TButton* CancelButton() const { return FCancel; }

    std::string GetCaptionOk() const;
    void SetCaptionOk(const std::string& Value);
    std::string GetCaptionCancel() const;
    void SetCaptionCancel(const std::string& Value);
    TProperty<TVcDialogButtons, std::string, &TVcDialogButtons::GetCaptionOk, &TVcDialogButtons::SetCaptionOk>
        CaptionOk{this};
    TProperty<TVcDialogButtons, std::string, &TVcDialogButtons::GetCaptionCancel, &TVcDialogButtons::SetCaptionCancel>
        CaptionCancel{this};

    TNotifyEvent OnClickOk;
    TNotifyEvent OnClickCancel;

protected:
    void Resize() override;

private:
    void Arrange();

    TButton* FOk;
    TButton* FCancel;
};
