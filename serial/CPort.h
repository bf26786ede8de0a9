#pragma once
// The serial port library: port component, event thread, packet framer,
// errors, port enumeration and settings text.
#include "serial/ComDataPacket.h"
#include "serial/ComLink.h"
#include "serial/ComPort.h"
#include "serial/ComSettingsText.h"
#include "serial/ComThread.h"
#include "serial/ComTypes.h"
#include "serial/EComPort.h"
#include "serial/EnumComPorts.h"
