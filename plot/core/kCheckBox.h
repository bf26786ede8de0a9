#pragma once
// An owner-drawn check box, drawn on the component's own canvas, that
// tells program changes of its check from user ones.
#include <string>

#include "plot/core/kCustomComponent.h"
#include "rtl/PublishedList.h"

class TkCheckBox : public TkCustomComponent {
    PUBLISHED_CLASS(TkCheckBox);

public:
    explicit TkCheckBox(TComponent* AOwner);

    // The caption is the control's text.
    std::string GetText() const override { return FCaption; }
    void SetText(const std::string& Value) override;
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value) { SetText(Value); }
    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value);
    // taRightJustify: the box on the left, the caption right of it;
    // taLeftJustify: the box on the right.
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    PUBLISHED_ACCESSORS(std::string, Caption);
    PUBLISHED_ACCESSORS(bool, Checked, false);
    PUBLISHED_WITH(Enumeration(
        "Alignment", "TLeftRight", {"taLeftJustify", "taRightJustify"},
        [](const TkCheckBox& c) { return int(c.GetAlignment()); },
        [](TkCheckBox& c, std::int64_t v) { c.SetAlignment(v == 0 ? taLeftJustify : taRightJustify); },
        int(taRightJustify)));
    PUBLISHED_ACCESSORS(bool, AutoSize, true);
    PUBLISHED_WITH(Object("Font", "TFont", [](const TkCheckBox& c) { return c.Font; }));
    PUBLISHED_ACCESSORS(TColor, BackGroundColor, clBtnFace);
    // Every change of the check, from code or from the user.
    TNotifyEvent OnChange;
    PUBLISHED_EVENT(TNotifyEvent, OnChange);
    // Only the changes the user made with the mouse or the space bar.
    TNotifyEvent OnChangeUser;
    PUBLISHED_EVENT(TNotifyEvent, OnChangeUser);

    void PaintToCanvas(TCanvas* ACanvas) override;

protected:
    // After a user's change has been told to OnChangeUser.
    virtual void UserChanged() {}
    void HandleKeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void HandleKeyUp(std::uint16_t& Key, TShiftState Shift) override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleLostFocus() override;
    void FontChanged() override;

private:
    void ToggleByUser();
    void DoChange();
    void AdjustSize();

    std::string FCaption = "Caption";
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
    bool FAutoSize = true;
    bool FMousePressed = false;
    bool FKeyPressed = false;
    bool FUserChange = false;
    bool FSizing = false;
};
