#include "ui/PageControl.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/ControlQt.h"

namespace {

// The page control's widget: a tab bar over a stack whose first page is
// the empty one shown when no page is active.
class TPageControlWidget : public QWidget {
public:
    TPageControlWidget() : Tabs(new QTabBar), Stack(new QStackedWidget)
    {
        auto* Layout = new QVBoxLayout(this);
        Layout->setContentsMargins(0, 0, 0, 0);
        Layout->setSpacing(0);
        Layout->addWidget(Tabs);
        Layout->addWidget(Stack, 1);
        Stack->addWidget(new QWidget);
        Tabs->setExpanding(false);
    }
    QTabBar* Tabs;
    QStackedWidget* Stack;
};

TPageControlWidget* PagesOf(const TControl* C)
{
    return static_cast<TPageControlWidget*>(C->Widget());
}

}  // namespace

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QWidget>())
{
    Widget()->setFocusPolicy(Qt::NoFocus);
}

TTabSheet::~TTabSheet()
{
    Destroying();
    if (FPageControl)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    if (Value == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemovePage(this);
    SetParent(Value);
    if (Value)
        Value->InsertPage(this);
}

void TTabSheet::SetText(const std::string& Value)
{
    FCaption = Value;
    if (FPageControl)
        FPageControl->UpdateTabs();
}

void TTabSheet::SetTabVisible(bool Value)
{
    FTabVisible = Value;
    if (FPageControl)
        FPageControl->UpdateTabs();
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    const auto& Pages = FPageControl->FPages;
    return int(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner, NewWidget<TPageControlWidget>())
{
    QObject::connect(PagesOf(this)->Tabs, &QTabBar::currentChanged, [this](int Index) { TabClicked(Index); });
    UpdateTabs();
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl()
{
    Destroying();
    for (TTabSheet* Page : FPages)
        Page->FPageControl = nullptr;
    FPages.clear();
    FActive = nullptr;
}

QWidget* TPageControl::ClientWidget() const
{
    return PagesOf(this)->Stack;
}

TRect TPageControl::AlignRect() const
{
    const QWidget* S = PagesOf(this)->Stack;
    return Rect(0, 0, S->width(), S->height());
}

TTabSheet* TPageControl::Pages(int Index) const
{
    if (Index < 0 || Index >= PageCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FPages[size_t(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FPageControl = this;
    PagesOf(this)->Stack->addWidget(Page->Widget());
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    auto It = std::find(FPages.begin(), FPages.end(), Page);
    if (It == FPages.end())
        return;
    FPages.erase(It);
    Page->FPageControl = nullptr;
    PagesOf(this)->Stack->removeWidget(Page->Widget());
    if (FActive == Page)
        FActive = nullptr;
    UpdateTabs();
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->FPageControl != this)
        throw Exception("The page does not belong to this page control");
    FActive = Page;
    QStackedWidget* Stack = PagesOf(this)->Stack;
    Stack->setCurrentWidget(Page ? Page->Widget() : Stack->widget(0));
    UpdateTabs();
}

int TPageControl::GetActivePageIndex() const
{
    return FActive ? FActive->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value)
{
    SetActivePage(Value >= 0 && Value < PageCount() ? FPages[size_t(Value)] : nullptr);
}

void TPageControl::UpdateTabs()
{
    QTabBar* Tabs = PagesOf(this)->Tabs;
    FUpdatingTabs = true;
    while (Tabs->count() > PageCount())
        Tabs->removeTab(Tabs->count() - 1);
    while (Tabs->count() < PageCount())
        Tabs->addTab(QString());
    bool AnyTab = false;
    for (int I = 0; I < PageCount(); ++I) {
        Tabs->setTabText(I, QStr(FPages[size_t(I)]->FCaption));
        Tabs->setTabVisible(I, FPages[size_t(I)]->FTabVisible);
        AnyTab = AnyTab || FPages[size_t(I)]->FTabVisible;
    }
    if (FActive)
        Tabs->setCurrentIndex(FActive->PageIndex());
    Tabs->setVisible(AnyTab);
    FUpdatingTabs = false;
}

void TPageControl::TabClicked(int TabIndex)
{
    if (FUpdatingTabs || TabIndex < 0 || TabIndex >= PageCount())
        return;
    CallGuarded(this, [&] {
        SetActivePage(FPages[size_t(TabIndex)]);
        if (OnChange)
            OnChange(this);
    });
}
