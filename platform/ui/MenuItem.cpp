#include "ui/MenuItem.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "ui/Application.h"
#include "ui/ControlQt.h"

namespace {

std::string WithoutAccelerators(const std::string& S)
{
    std::string R;
    for (char C : S)
        if (C != '&')
            R += char(std::tolower(static_cast<unsigned char>(C)));
    return R;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner)
{
    Application.Get();
    FAction = new QAction(nullptr);
    QObject::connect(FAction, &QAction::triggered, [this](bool) {
        // Qt flips a checkable action itself; the item decides instead.
        if (FAction->isCheckable())
            FAction->setChecked(FChecked);
        CallGuarded(this, [this] { Click(); });
    });
}

TMenuItem::~TMenuItem()
{
    Destroying();
    while (!FItems.empty())
        delete FItems.back();
    if (FParent)
        FParent->Remove(this);
    delete FMenu;
    delete FAction;
}

void TMenuItem::SetName(const std::string& Value)
{
    TComponent::SetName(Value);
    FAction->setObjectName(QStr(Value));
}

void TMenuItem::SetCaption(const std::string& Value)
{
    FCaption = Value;
    FAction->setSeparator(Value == "-");
    FAction->setText(Value == "-" ? QString() : QStr(Value));
}

bool TMenuItem::GetChecked() const
{
    return FChecked;
}

void TMenuItem::SetChecked(bool Value)
{
    FChecked = Value;
    FAction->setCheckable(Value || FRadioItem || FAutoCheck);
    FAction->setChecked(Value);
    if (Value && FRadioItem && FParent)
        for (TMenuItem* Sibling : FParent->FItems)
            if (Sibling != this && Sibling->FRadioItem && Sibling->FGroupIndex == FGroupIndex && Sibling->FChecked)
                Sibling->SetChecked(false);
}

void TMenuItem::SetRadioItem(bool Value)
{
    FRadioItem = Value;
    SetChecked(FChecked);
}

bool TMenuItem::GetEnabled() const
{
    return FAction->isEnabled();
}
void TMenuItem::SetEnabled(bool Value)
{
    FAction->setEnabled(Value);
}
bool TMenuItem::GetVisible() const
{
    return FAction->isVisible();
}
void TMenuItem::SetVisible(bool Value)
{
    FAction->setVisible(Value);
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("Menu index out of range");
    return FItems[size_t(Index)];
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (!Item)
        return;
    if (Item->FParent)
        throw Exception("Menu inserted twice");
    if (Index < 0 || Index > Count())
        throw EListError("Menu index out of range");
    if (!FMenu) {
        FMenu = new QMenu;
        FAction->setMenu(FMenu);
    }
    QAction* Before = Index < Count() ? FItems[size_t(Index)]->FAction : nullptr;
    FMenu->insertAction(Before, Item->FAction);
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item)
{
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    if (It == FItems.end())
        return;
    FItems.erase(It);
    if (FMenu)
        FMenu->removeAction(Item->FAction);
    Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index)
{
    delete Items(Index);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : int(It - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const
{
    const std::string Wanted = WithoutAccelerators(ACaption);
    for (TMenuItem* Item : FItems)
        if (WithoutAccelerators(Item->FCaption) == Wanted)
            return Item;
    return nullptr;
}

void TMenuItem::Click()
{
    if (FAutoCheck)
        SetChecked(FRadioItem ? true : !FChecked);
    if (OnClick)
        OnClick(this);
}

QMenu* TMenuItem::EnsureMenu()
{
    if (!FMenu) {
        FMenu = new QMenu;
        FAction->setMenu(FMenu);
    }
    return FMenu;
}

TMenuItem* NewMenuItem(TComponent* AOwner, const std::string& Caption, TNotifyEvent OnClick, const std::string& Name)
{
    auto* Item = new TMenuItem(AOwner);
    Item->SetCaption(Caption);
    Item->OnClick = std::move(OnClick);
    if (!Name.empty())
        Item->SetName(Name);
    return Item;
}
