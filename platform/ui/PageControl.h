#pragma once
// Pages with tabs. A page's tab can be hidden, and the control may show
// no page at all.
#include <vector>

#include "ui/Control.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* GetPageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    // The tab's text.
    std::string GetText() const override { return FCaption; }
    void SetText(const std::string& Value) override;
    bool GetTabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    int PageIndex() const;

    TProperty<TTabSheet, TPageControl*, &TTabSheet::GetPageControl, &TTabSheet::SetPageControl> PageControl{this};
    TProperty<TTabSheet, bool, &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible> TabVisible{this};

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    std::string FCaption;
    bool FTabVisible = true;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const;
    // Null (index -1) shows no page.
    TTabSheet* GetActivePage() const { return FActive; }
    void SetActivePage(TTabSheet* Page);
    int GetActivePageIndex() const;
    void SetActivePageIndex(int Value);

    TProperty<TPageControl, TTabSheet*, &TPageControl::GetActivePage, &TPageControl::SetActivePage> ActivePage{this};
    TProperty<TPageControl, int, &TPageControl::GetActivePageIndex, &TPageControl::SetActivePageIndex> ActivePageIndex{
        this};

    // A user's tab change.
    TNotifyEvent OnChange;

    QWidget* ClientWidget() const override;

protected:
    TRect AlignRect() const override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void UpdateTabs();
    void TabClicked(int TabIndex);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActive = nullptr;
    bool FUpdatingTabs = false;
};
