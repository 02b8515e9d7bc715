// Any integer line speed on Linux (termios2 with BOTHER). Kept apart from the
// other serial code because <asm/termbits.h>, which defines termios2, clashes
// with <termios.h>; this header carries no definition from either.
#pragma once
#include <cstdint>

// Sets input and output speed to `baudRate` bits per second. false with
// errno set when the device refuses it; 0 is refused (it would hang up).
bool PosixSetLineSpeed(int fd, uint32_t baudRate);
// The output speed in force (0 when it cannot be read).
uint32_t PosixGetLineSpeed(int fd);
