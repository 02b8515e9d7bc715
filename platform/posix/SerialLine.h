// The termios flags of the serial port's fixed line settings, shared by the
// port and its test support.
#pragma once
#include <cstdint>
#include <termios.h>

// Raw 8-bit line; stop bits 1 gives one, any other value two; a parity bit
// whenever parity is enabled (odd unless even), checked when bit 0 of the
// flag is set; CTS flow control on bit 0 of its flag; modem lines ignored
// (CLOCAL) and dropped at the last close (HUPCL); reads return at once.
void PosixLineFlags(termios *tio, uint8_t stopBits, uint8_t parityEnabled, uint8_t evenParity, uint8_t ctsFlow);
