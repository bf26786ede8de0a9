#pragma once
// Menu items: captions, checks, radio groups, sub-menus.
#include <memory>
#include <string>
#include <vector>

#include "rtl/Component.h"
#include "ui/Property.h"

class QAction;
class QMenu;
class TPopupMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    void SetName(const std::string& Value) override;

    // A caption of "-" makes the item a separator.
    std::string GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool GetChecked() const;
    void SetChecked(bool Value);
    // Radio items of one GroupIndex under one parent: checking one clears
    // the others.
    bool GetRadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool GetAutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool GetEnabled() const;
    void SetEnabled(bool Value);
    bool GetVisible() const;
    void SetVisible(bool Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TProperty<TMenuItem, std::string, &TMenuItem::GetCaption, &TMenuItem::SetCaption> Caption{this};
    TProperty<TMenuItem, bool, &TMenuItem::GetChecked, &TMenuItem::SetChecked> Checked{this};
    TProperty<TMenuItem, bool, &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem> RadioItem{this};
    TProperty<TMenuItem, int, &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex> GroupIndex{this};
    TProperty<TMenuItem, bool, &TMenuItem::GetAutoCheck, &TMenuItem::SetAutoCheck> AutoCheck{this};
    TProperty<TMenuItem, bool, &TMenuItem::GetEnabled, &TMenuItem::SetEnabled> Enabled{this};
    TProperty<TMenuItem, bool, &TMenuItem::GetVisible, &TMenuItem::SetVisible> Visible{this};
    TProperty<TMenuItem, int, &TMenuItem::GetImageIndex, &TMenuItem::SetImageIndex> ImageIndex{this};

    bool IsLine() const { return FCaption == "-"; }

    // Sub-items. Add and Insert take ownership.
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes Item out without freeing it.
    void Remove(TMenuItem* Item);
    // Frees the item at Index.
    void Delete(int Index);
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* Find(const std::string& Caption) const;
    TMenuItem* GetParent() const { return FParent; }

    // What a user's choice does: the auto-check, then OnClick.
    virtual void Click();

    TNotifyEvent OnClick;

    QAction* Action() const { return FAction; }
    // The sub-menu of the item (made when it gets its first child).
    QMenu* SubMenu() const { return FMenu; }

private:
    friend class TPopupMenu;
    QMenu* EnsureMenu();

    QAction* FAction = nullptr;
    QMenu* FMenu = nullptr;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
    std::string FCaption;
    bool FChecked = false;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    int FGroupIndex = 0;
    int FImageIndex = -1;
};

// Makes a new item with the given caption, handler and name (NewItem of
// the original library, with the handler set).
TMenuItem* NewMenuItem(TComponent* AOwner, const std::string& Caption, TNotifyEvent OnClick,
                       const std::string& Name = {});
