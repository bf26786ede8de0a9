#pragma once
// The shared update service that repaints components at their frame rate,
// and small data records of the channel and limit drawing.
#include <functional>
#include <memory>
#include <vector>

#include "rtl/Component.h"

class TTimer;

// What the update service needs of a component.
class IkUpdateClient {
public:
    virtual ~IkUpdateClient() = default;
    // True while the component holds its updates.
    virtual bool UpdateSkip() const = 0;
    virtual bool UpdatePending() const = 0;
    virtual int GetUpdateFrameRate() const = 0;
    // Seconds on the update clock when the component last repainted.
    virtual double LastUpdateTime() const = 0;
    virtual void PerformUpdate() = 0;
};

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

// Minimum and maximum of the points that fall into one pixel column.
class TkPlotMinMaxPoint final : public TPersistent {
public:
    TkPlotMinMaxPoint() { Reset(); }

    // Inline: the trace drawing calls these for every point it draws.
    void Reset()
    {
        Empty = true;
        Max = -1e301;
        Min = 1e301;
    }
    void Add(int Index, double X, double Value)
    {
        if (Empty) {
            Empty = false;
            FirstIndex = Index;
            FirstX = X;
            FirstValue = Value;
        }
        if (Value > Max)
            Max = Value;
        if (Value < Min)
            Min = Value;
        LastValue = Value;
    }
    // Takes in points that follow in the same column, given by the range
    // and the last of their values.
    void Widen(double AMin, double AMax, double Last)
    {
        if (AMax > Max)
            Max = AMax;
        if (AMin < Min)
            Min = AMin;
        LastValue = Last;
    }
    // Takes in the points of Later, which follow in the same column.
    void Merge(const TkPlotMinMaxPoint& Later)
    {
        if (Empty)
            CopyFrom(Later);
        else
            Widen(Later.Min, Later.Max, Later.LastValue);
    }
    void CopyFrom(const TkPlotMinMaxPoint& Other);

    bool Empty = true;
    int FirstIndex = 0;
    double FirstX = 0;
    double Max = -1e301;
    double Min = 1e301;
    double FirstValue = 0;
    double LastValue = 0;
};

// State of one run of equal logic levels in the digital-channel drawing.
class TDigitalSequenceData final : public TObject {
public:
    void Clear();

    bool RunOpen = false;
    double RunStartX = 0;
    bool RunHigh = false;
    bool RunExtended = false;
    double RunEndX = 0;
    bool EdgePending = false;
    double EdgeX = 0;
};

// Elements of a limit's poly-band: a position and two line values.
class TkLimitDataList final : public TObject {
public:
    struct TItem {
        double Position;
        double Line1;
        double Line2;
    };

    void Add(double Position, double Line1, double Line2);
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }

    // Raises "Index out of Bounds" unless 0 <= Index < Count.
    const TItem& GetItem(int Index) const;
    double GetPosition(int Index) const { return GetItem(Index).Position; }
    double GetLine1(int Index) const { return GetItem(Index).Line1; }
    double GetLine2(int Index) const { return GetItem(Index).Line2; }

private:
    std::vector<TItem> FItems;
};
