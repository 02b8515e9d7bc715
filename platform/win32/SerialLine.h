// The DCB fields of the serial port's fixed line settings, shared by the
// port and its test support. Fields not named here keep their values.
#pragma once
#include <cstdint>
#include <windows.h>

void Win32LineFields(DCB *dcb, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled, uint8_t evenParity,
                     uint8_t ctsFlow);
