#include "controls/VcDialogButtons.h"

namespace {
constexpr int ButtonWidth = 90;
constexpr int ButtonHeight = 25;
constexpr int Spacing = 8;
}  // namespace

TVcDialogButtons::TVcDialogButtons(TComponent* AOwner)
    : TPanel(AOwner),
      FOk(new TButton(this)),
      FCancel(new TButton(this))
{
    SetBevelOuter(bvNone);
    SetAlign(alBottom);
    SetHeight(ButtonHeight + 2 * Spacing);
    FOk->SetName("btnOk");
    FOk->SetParent(this);
    FOk->SetText("确定(&O)");
    FOk->SetDefault(true);
    FCancel->SetName("btnCancel");
    FCancel->SetParent(this);
    FCancel->SetText("取消(&C)");
    FCancel->SetCancel(true);
    FOk->OnClick = [this](TObject*) {
        if (OnClickOk)
            OnClickOk(this);
    };
    FCancel->OnClick = [this](TObject*) {
        if (OnClickCancel)
            OnClickCancel(this);
    };
    Arrange();
}

std::string TVcDialogButtons::GetCaptionOk() const
{
    return FOk->GetText();
}

void TVcDialogButtons::SetCaptionOk(const std::string& Value)
{
    FOk->SetText(Value);
}

std::string TVcDialogButtons::GetCaptionCancel() const
{
    return FCancel->GetText();
}

void TVcDialogButtons::SetCaptionCancel(const std::string& Value)
{
    FCancel->SetText(Value);
}

void TVcDialogButtons::Resize()
{
    TPanel::Resize();
    Arrange();
}

void TVcDialogButtons::Arrange()
{
    const int Top = (GetClientHeight() - ButtonHeight) / 2;
    const int Right = GetClientWidth() - Spacing;
    FCancel->SetBounds(Right - ButtonWidth, Top, ButtonWidth, ButtonHeight);
    FOk->SetBounds(Right - 2 * ButtonWidth - Spacing, Top, ButtonWidth, ButtonHeight);
}
