#include "controls/VcFormBuilder.h"

#include "rtl/Exception.h"

void TVcFormBuilder::CheckName(const std::string& Name) const
{
    if (FOwner && !Name.empty() && FOwner->FindComponent(Name))
        throw Exception("A component named " + Name + " already exists");
}

TVcLabel* TVcFormBuilder::Label(const std::string& Name, const std::string& Caption, int Left, int Top) const
{
    auto* L = Add<TVcLabel>(Name);
    L->SetLeft(Left);
    L->SetTop(Top);
    L->SetText(Caption);
    return L;
}

TVcToolButton* TVcFormBuilder::ToolButton(const std::string& Name, const std::string& Caption, int ImageIndex) const
{
    auto* B = Add<TVcToolButton>(Name);
    B->SetText(Caption);
    B->SetImageIndex(ImageIndex);
    return B;
}

TVcTabSheet* TVcFormBuilder::Page(const std::string& Name, const std::string& Caption) const
{
    auto* Pages = dynamic_cast<TPageControl*>(FParent);
    if (!Pages)
        throw Exception("The page " + Name + " needs a page control to be placed on");
    CheckName(Name);
    auto* Page = new TVcTabSheet(FOwner);
    Page->SetName(Name);
    Page->SetPageControl(Pages);
    Page->SetText(Caption);
    return Page;
}

TVcDialogButtons* TVcFormBuilder::DialogButtons(const std::string& Name, const std::string& CaptionOk,
                                                const std::string& CaptionCancel) const
{
    auto* Buttons = Add<TVcDialogButtons>(Name);
    Buttons->SetCaptionOk(CaptionOk);
    Buttons->SetCaptionCancel(CaptionCancel);
    return Buttons;
}
