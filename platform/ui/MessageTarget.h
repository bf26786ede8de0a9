#pragma once
// What window messages are addressed to: each live target has a handle
// that PostMessage and SendMessage name and through which the application
// delivers them, so that neither needs to know the controls.
#include "ui/Messages.h"

class TMessageTarget {
public:
    TMessageTarget(const TMessageTarget&) = delete;
    TMessageTarget& operator=(const TMessageTarget&) = delete;

    // Unique for the life of the target, never reused.
    HWND Handle() const { return FHandle; }
    // The live target with that handle, or null; safe from any thread.
    static TMessageTarget* Find(HWND Handle);

    // Sends a message straight to the window procedure.
    virtual LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam) = 0;

protected:
    TMessageTarget();
    ~TMessageTarget();
    // From here on the handle names nothing; for targets that stop
    // receiving before they are gone.
    void Withdraw();

private:
    HWND FHandle;
};
