#pragma once
// The base of the property editors: the one place every editor control
// reports a user's change to. Program changes of the controls are silent
// and never reach it.
#include "ui/Form.h"

class TkCustomEditorForm : public TForm {
public:
    explicit TkCustomEditorForm(TComponent* AOwner);

    // A control of the form was changed by the user.
    virtual void ControlChanged() {}
};

// Tells the editor form that owns Control (directly or through its owners)
// of a user's change; nothing when no editor form owns it.
void NotifyEditorForm(const TComponent* Control);
