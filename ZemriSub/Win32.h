// The Win32 library module: the serial port, the message hook with its
// reporting operations, the registry, the last system error and a few
// process services. Each concern has a header of its own; include this one.
#pragma once

#include "ZemriSub/Win32Serial.h"
#include "ZemriSub/Win32Registry.h"
