// Timers fire in the event loop while enabled.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include "ui/Application.h"
#include "ui/Timer.h"

TEST(Timer, FiresRepeatedlyWhileEnabledAndStopsWhenDisabled)
{
    TTimer Timer(nullptr);
    Timer.Interval = 5;
    int Ticks = 0;
    QEventLoop Loop;
    Timer.OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Timer);
        if (++Ticks == 3) {
            Timer.Enabled = false;
            Loop.quit();
        }
    };
    QTimer::singleShot(20000, &Loop, &QEventLoop::quit);
    Loop.exec();
    EXPECT_EQ(Ticks, 3);
    Application->ProcessMessages();
    EXPECT_EQ(Ticks, 3);
    EXPECT_FALSE(Timer.GetEnabled());
}

TEST(Timer, IntervalZeroNeverFires)
{
    TTimer Timer(nullptr);
    Timer.Interval = 0;
    int Ticks = 0;
    Timer.OnTimer = [&](TObject*) { ++Ticks; };
    TTimer Probe(nullptr);
    Probe.Interval = 30;
    QEventLoop Loop;
    Probe.OnTimer = [&](TObject*) { Loop.quit(); };
    Loop.exec();
    EXPECT_EQ(Ticks, 0);
    EXPECT_TRUE(Timer.GetEnabled());
}
