#pragma once
// The machine's serial ports.
class TStrings;

// Replaces Ports' content with the names of the machine's serial devices
// (under /dev/, bound to a driver), sorted ignoring case; leaves Ports
// unchanged when the list cannot be read.
void EnumComPorts(TStrings* Ports);
