#pragma once
// Plays a session through the program's own widgets, found by their
// control names, one step after another; each step is printed on stdout as
// it completes. A step that does not complete within 20 s ends the program
// with status 97, so that a test never mistakes a stuck session for a
// clean end; only "wait" has no limit, as its caller keeps its own.
// When SESSION_DRIVER_PAINT_CPU names a file of 8 bytes, the driver also
// keeps the user-interface thread's CPU time spent painting in it (see
// TPaintClock); a file it cannot map ends the program with status 96.
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include "PaintClock.h"

#include <memory>

class TSessionDriver : public QObject {
public:
    // Script: steps joined by '+':
    //   hint   hover a device frame's tool button until its hint shows
    //   record press the start button
    //   file   accept the file dialog with "session.csv" in its directory
    //   ok     answer the open message box with OK (yes: with Yes)
    //   yes
    //   running wait until a recording run is active
    //   wait   wait for a line on standard input: the caller says when
    //          the session goes on (the end of input says so too)
    //   exit   press the exit button
    //   close  close the main window
    explicit TSessionDriver(const QString& Script);

private:
    void Poll();
    // Does what the step needs now; true once it is complete.
    bool Perform(const QString& Step);
    void StepDone();
    // Goes on with the next step once a line, or the end, arrives on
    // standard input.
    void WaitForCaller();

    QStringList FSteps;
    int FIndex = -1;  // -1: waiting for the main window
    QTimer FTimer;
    std::unique_ptr<QSocketNotifier> FCaller;  // while "wait" runs
    QElapsedTimer FStepClock;
    std::unique_ptr<TPaintClock> FPaintClock;  // when asked for
};
