#pragma once
// The editors' one-line edit: the user's text counts only once committed
// (Enter or leaving the edit), Escape brings back the last committed text,
// and an edit that holds a number refuses text that is none.
#include <cstdint>
#include <string>

#include "ui/Edit.h"

// What the edit holds, as its silent setters last wrote it.
enum TkEditorEditValue { keevText, keevInteger, keevFloat };

class TkComponentEditorEdit : public TEdit {
public:
    explicit TkComponentEditorEdit(TComponent* AOwner);

    // Silent setters: no event fires; the text becomes the committed one
    // and shows from its start.
    void SetText(const std::string& Value) override;
    void SetInteger(std::int64_t Value);
    void SetFloat(double Value);
    // The trimmed text as a number; empty or other text reads as 0.
    std::int64_t GetInteger() const;
    double GetFloat() const;

    TkEditorEditValue GetValueKind() const { return FValueKind; }
    void SetValueKind(TkEditorEditValue Value) { FValueKind = Value; }
    const std::string& GetLastCommitted() const { return FLastCommitted; }
    // While loading a commit fires OnUpdate but does not tell the form.
    bool GetLoading() const { return FLoading; }
    void SetLoading(bool Value) { FLoading = Value; }

    // Commits the text shown: a changed text becomes the committed one,
    // fires OnUpdate and tells the editor form. A number edit whose text is
    // no number of its kind shows the last committed text again instead.
    void Commit();
    // Shows Text as the user's and commits it.
    void CommitText(const std::string& Text);

    // Disabling clears the text; the colour follows.
    void SetEnabled(bool Value) override;

    // A committed change of the text.
    TNotifyEvent OnUpdate;

protected:
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;

private:
    bool IsValueText(const std::string& Text) const;

    std::string FLastCommitted;
    TkEditorEditValue FValueKind = keevText;
    bool FLoading = false;
};
