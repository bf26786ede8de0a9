#pragma once
// Running logs that no run finished. A run writes its records to a file in
// the work folder and moves it to the data folder when it ends, so a
// program that ended during a run (a crash, a power cut) leaves them there,
// where the user would never look.
#include "app/LogFileSystem.h"

#include <string>

// The name a run writes its records under in the work folder; a taken one
// is numbered ("$$$RunningLogFile(2).$$$").
inline constexpr const char* RunningLogFileName = "$$$RunningLogFile.$$$";

// Whether Name (without its folder) is a running log's, numbered or not.
bool IsRunningLogName(const std::string& Name);

// Moves every running log in TempDir into DataDir, named after its last
// write as a run's file is after its start ("yyyymmddhhnnss.csv"), numbered
// when that name is taken. A log that a run holds now (another instance of
// the program is writing it) and an empty one (no record in it, or a run
// just beginning it) are left alone; one that cannot be moved stays where
// it is. Nothing is ever overwritten or deleted. Returns the message for
// the user, naming where each log went or why it stayed; empty when there
// was nothing to move.
std::string RecoverRunningLogs(const std::string& TempDir, const std::string& DataDir, TLogFileSystem& Files);
