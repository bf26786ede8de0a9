#include "ui/Timer.h"

#include <QTimer>

#include "ui/Application.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    Application.Get();  // the timer needs the event loop's thread set up
    FTimer = new QTimer;
    QObject::connect(FTimer, &QTimer::timeout, [this] {
        CallGuarded(this, [this] {
            if (OnTimer)
                OnTimer(this);
        });
    });
    UpdateTimer();
}

TTimer::~TTimer()
{
    delete FTimer;
}

void TTimer::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (FInterval == Value)
        return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::SetPrecise(bool Value)
{
    FTimer->setTimerType(Value ? Qt::PreciseTimer : Qt::CoarseTimer);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    FTimer->stop();
    if (FEnabled && FInterval > 0)
        FTimer->start(int(FInterval));
}
