#pragma once
// The simulator's small configuration language, one statement per line
// (the same statements are accepted on the command line):
//   station ID rule 0|1|2 start ADDRESS channels N [values V1,V2,...]
//   value ID CHANNEL VALUE
//   register ID ADDRESS VALUE
//   silent ID | badcrc ID | exception ID CODE | delay ID MS
//   fragments ID SIZE GAP_MS | noise ID HEX[,HEX...]
//   ramp ID CHANNEL L1,L2,... ms|polls STEP [linear] [repeat]
//   pacing BAUD [10|11]
// Blank lines and lines starting with '#' are ignored.
#include <istream>
#include <string>
#include <vector>

#include "tools/modbussim/Simulator.h"

namespace modbussim {

// Raises std::invalid_argument naming the statement on a mistake.
void ApplyStatement(const std::string& Statement, ModbusSlave& Slave, LineTiming& Timing);
// Applies every line; mistakes name the line number.
void ApplyConfig(std::istream& Input, ModbusSlave& Slave, LineTiming& Timing);

// The line a user gets without any station statement: one station for
// each value rule, as statements so that the help can show them.
const std::vector<std::string>& DefaultStations();
// Whether any line of Text is a station statement, which replaces the
// default stations with the user's own.
bool DeclaresStation(const std::string& Text);

}  // namespace modbussim
