#pragma once
// The editors' text of several lines: Enter starts a line, so the user's
// text counts only once the memo is left; Escape brings back the last
// committed text.
#include <string>

#include "ui/Memo.h"

class TkComponentEditorMemo : public TMemo {
public:
    explicit TkComponentEditorMemo(TComponent* AOwner) : TMemo(AOwner) {}

    // Silent: no event fires; the text becomes the committed one.
    void SetText(const std::string& Value) override;
    // A changed text becomes the committed one, fires OnUpdate and tells
    // the editor form.
    void Commit();
    // Disabling clears the text; the colour follows.
    void SetEnabled(bool Value) override;

    // A committed change of the text.
    TNotifyEvent OnUpdate;

protected:
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    std::string FLastCommitted;
};
