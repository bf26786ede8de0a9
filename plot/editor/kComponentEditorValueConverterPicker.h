#pragma once
// A small button beside a number edit that opens the value converter on
// the edit's number and commits the converted value into the edit.
#include <functional>

#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kValueConverterEdit.h"

class TkComponentEditorEdit;

// Translates a form's texts (the plot's translation, for instance).
using TFormTranslationMethod = std::function<void(TForm* Form)>;

class TkComponentEditorValueConverterPicker : public TkComponentEditorButton {
public:
    explicit TkComponentEditorValueConverterPicker(TComponent* AOwner);
    ~TkComponentEditorValueConverterPicker() override;

    TkComponentEditorEdit* GetAssociate() const { return FAssociate; }
    void SetAssociate(TkComponentEditorEdit* Value);

    // Opens the value converter modally on the edit's number (DateTime
    // without an edit), after TranslationMethod had the form; on OK the
    // value goes to DateTime and, committed, into the edit.
    void Click() override;

    double DateTime = 0;
    TkValueConverterPageType DefaultPage = kvcptInterval;
    TFormTranslationMethod TranslationMethod;
    TNotifyEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TkComponentEditorEdit* FAssociate = nullptr;
};
