#pragma once
// The built program as a user runs it, in a process of its own: started
// in a working directory that holds its copy of the executable, its
// "config.ini" and "Devices.db", with the session driver loaded into it to
// press the record button; ended by closing the main window and
// confirming, as a user ends a run by leaving the program. The driver
// also counts the CPU time the user-interface thread spends painting, in
// a file of the working directory that both map.
#include "SharedCount.h"

#include <sys/types.h>

#include <string>

class TProgramRun {
public:
    // Starts the program in Dir and returns once its recording run is up.
    // Throws, with what the program printed, when it does not get there.
    explicit TProgramRun(const std::string& Dir);
    // Kills a program that was not ended.
    ~TProgramRun();
    TProgramRun(const TProgramRun&) = delete;
    TProgramRun& operator=(const TProgramRun&) = delete;

    // The CPU time the whole process has used so far, all its threads'.
    double CpuSeconds() const;
    // The part of it the user-interface thread has spent painting; a
    // paint counts once it is done.
    double PaintCpuSeconds() const;
    // Closes the program and waits for it; throws when it does not end
    // in time or ends with a status other than 0.
    void End();

private:
    void WaitUntilRunning();
    void Kill();
    std::string Output() const;

    std::string FOutputFile;
    TSharedCount FPaintCpu;
    pid_t FPid = -1;
    int FGoAhead = -1;  // the program's standard input
};
