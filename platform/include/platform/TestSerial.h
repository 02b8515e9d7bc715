// Test support for the serial port: the far end of a port as a
// pseudo-terminal, and a look at the line settings a port is using.
// The pseudo-terminal exists only on POSIX; on Windows PlatTestPtyOpen
// returns false (the Windows tests reach a pty that a harness outside links
// into wine's devices).
#pragma once
#include <cstdint>

struct PlatTestPty {
    int master;       // the far end, -1 when closed
    char slave[64];   // the device the port opens
};

// Creates a pty pair and makes its slave COM port `port` (PONDRACOM<port>).
bool PlatTestPtyOpen(PlatTestPty *pty, uint16_t port);
// Closes the far end: the port's device goes away.
void PlatTestPtyClose(PlatTestPty *pty);
// Collects up to `count` bytes, waiting at most `waitMs` in total; the count
// collected, -1 on error.
int PlatTestPtyRead(PlatTestPty *pty, void *buffer, int count, uint32_t waitMs);
// Sends all bytes; the count sent, -1 on error.
int PlatTestPtyWrite(PlatTestPty *pty, const void *buffer, int count);

// Names the device of COM port `port` (PONDRACOM<port>); null removes the name.
void PlatTestSetPortDevice(uint16_t port, const char *path);

// The line settings in force on an open port.
struct PlatTestLine {
    uint32_t baudRate;
    uint8_t dataBits;
    uint8_t stopBits;     // 1 or 2
    uint8_t parity;       // 0 none, 1 odd, 2 even
    uint8_t parityCheck;  // received bytes are checked
    uint8_t ctsFlow;      // output held while CTS is off
    uint8_t binary;       // no translation, no echo, no software flow control
};
bool PlatTestGetLine(intptr_t handle, PlatTestLine *line);
// The line settings the port writes for these arguments, taken from a
// settings record that starts out in the system's cooked defaults (no device
// needed: a pty, for one, keeps no parity).
void PlatTestLineSettings(uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled, uint8_t evenParity,
                          uint8_t ctsFlow, PlatTestLine *line);
