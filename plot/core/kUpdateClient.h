#pragma once
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
