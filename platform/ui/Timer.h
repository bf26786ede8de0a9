#pragma once
// A timer component: fires OnTimer every Interval milliseconds while
// Enabled, in the user-interface thread.
#include <memory>

#include "rtl/Component.h"
#include "ui/Property.h"

class QTimer;

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds; 0 stops the timer. Setting it restarts the count.
    unsigned GetInterval() const { return FInterval; }
    void SetInterval(unsigned Value);
    // A precise timer never fires before its interval is up; others may
    // fire a little early or late, to share wake-ups.
    void SetPrecise(bool Value);

    TProperty<TTimer, bool, &TTimer::GetEnabled, &TTimer::SetEnabled> Enabled{this};
    TProperty<TTimer, unsigned, &TTimer::GetInterval, &TTimer::SetInterval> Interval{this};

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();

    QTimer* FTimer;
    bool FEnabled = true;
    unsigned FInterval = 1000;
};
