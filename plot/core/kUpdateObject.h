#pragma once
// The shared update service that repaints components at their frame rate.
#include <functional>
#include <memory>
#include <vector>

#include "plot/core/kUpdateClient.h"
#include "rtl/Object.h"

class TTimer;

// Seconds on a monotonic clock (never set back by wall-clock changes).
using TkUpdateClock = std::function<double()>;

class TkUpdateObject final : public TObject {
public:
    // Milliseconds between checks for pending repaints.
    static constexpr unsigned TimerInterval = 15;

    // WithTimer false leaves the checks to explicit Tick calls (tests).
    explicit TkUpdateObject(bool WithTimer = true);
    ~TkUpdateObject() override;

    // The one service every component registers with.
    static TkUpdateObject& Instance();

    // The clock of frame timing, shared by the service and the components.
    static double Now();
    // Replaces the clock (tests); an empty clock restores the monotonic one.
    static void SetClock(TkUpdateClock Clock);

    // True when a frame period has passed since LastTime. A rate of 0 or
    // less has no limit, and a clock that is behind LastTime counts as due
    // so that it cannot hold repaints back.
    static bool FrameDue(double LastTime, int FrameRate, double Now);

    void Register(IkUpdateClient* Client);
    void Unregister(IkUpdateClient* Client);
    int Count() const { return static_cast<int>(FClients.size()); }
    // The timer runs only while some client has a repaint pending, so an
    // idle window is not woken every few milliseconds for nothing.
    bool TimerEnabled() const { return FTimerEnabled; }
    // A registered client has left a repaint pending for a later tick.
    void RepaintPending();

    // One timer tick: repaints every registered client that does not hold
    // its updates, has a repaint pending and whose frame period has passed;
    // the timer stops once no repaint is pending.
    void Tick();

private:
    void SetTimerEnabled(bool Value);

    std::unique_ptr<TTimer> FTimer;
    bool FTimerEnabled = false;
    std::vector<IkUpdateClient*> FClients;
};
