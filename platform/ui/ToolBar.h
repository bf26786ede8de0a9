#pragma once
// Tool bars and their buttons: plain, check (toggle, optionally grouped),
// drop-down with a menu, separators.
#include "ui/Control.h"

class TImageList;
class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolButton : public TControl {
public:
    explicit TToolButton(TComponent* AOwner);
    ~TToolButton() override;

    // Placing a button on a tool bar appends it there.
    void SetParent(TWinControl* AParent) override;
    // Hidden buttons leave no gap on their tool bar.
    void SetVisible(bool Value) override;

    TToolButtonStyle GetStyle() const { return FStyle; }
    void SetStyle(TToolButtonStyle Value);
    // Down buttons show pressed. A check button (or any button with a
    // GroupIndex) toggles on click; buttons of the same GroupIndex on one
    // tool bar release each other, and unless AllowAllUp one stays down.
    bool GetDown() const;
    void SetDown(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool GetAllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    TPopupMenu* GetDropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    std::string GetText() const override;
    void SetText(const std::string& Value) override;

    void Click() override;
    // Shows the tool bar's image at ImageIndex.
    void ApplyImage();

    TProperty<TToolButton, TToolButtonStyle, &TToolButton::GetStyle, &TToolButton::SetStyle> Style{this};
    TProperty<TToolButton, bool, &TToolButton::GetDown, &TToolButton::SetDown> Down{this};
    TProperty<TToolButton, int, &TToolButton::GetGroupIndex, &TToolButton::SetGroupIndex> GroupIndex{this};
    TProperty<TToolButton, bool, &TToolButton::GetAllowAllUp, &TToolButton::SetAllowAllUp> AllowAllUp{this};
    TProperty<TToolButton, TPopupMenu*, &TToolButton::GetDropdownMenu, &TToolButton::SetDropdownMenu> DropdownMenu{
        this};
    TProperty<TToolButton, int, &TToolButton::GetImageIndex, &TToolButton::SetImageIndex> ImageIndex{this};

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TToolBar* ToolBar() const;
    bool Toggles() const { return FStyle == tbsCheck || FGroupIndex > 0; }

    TToolButtonStyle FStyle = tbsButton;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    TPopupMenu* FDropdownMenu = nullptr;
    int FImageIndex = -1;
    bool FDown = false;
    std::string FCaption;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* AOwner);

    int GetButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    int GetButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value);
    // Captions under the images.
    bool GetShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    TImageList* GetImages() const { return FImages; }
    void SetImages(TImageList* Value);
    // Buttons that do not fit in the width go to the next row.
    bool GetWrapable() const { return FWrapable; }
    void SetWrapable(bool Value);

    TProperty<TToolBar, int, &TToolBar::GetButtonWidth, &TToolBar::SetButtonWidth> ButtonWidth{this};
    TProperty<TToolBar, int, &TToolBar::GetButtonHeight, &TToolBar::SetButtonHeight> ButtonHeight{this};
    TProperty<TToolBar, bool, &TToolBar::GetShowCaptions, &TToolBar::SetShowCaptions> ShowCaptions{this};
    TProperty<TToolBar, TImageList*, &TToolBar::GetImages, &TToolBar::SetImages> Images{this};
    TProperty<TToolBar, bool, &TToolBar::GetWrapable, &TToolBar::SetWrapable> Wrapable{this};

    int ButtonCount() const;
    TToolButton* Buttons(int Index) const;
    // Lays out the buttons left to right in the order they were added.
    void ArrangeButtons();

protected:
    void Resize() override;
    void ControlsChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    bool FShowCaptions = false;
    bool FWrapable = true;
    TImageList* FImages = nullptr;
};
