// Serial port primitives: one procedure per system call of the serial-port
// library, so that the library's own rules (open sequence, read and write
// loops, time limits, error classes, traces) are written once above them.
// A handle is the system's handle of the device as an integer, -1 for none.
// Every procedure that can fail returns false (or -1) and leaves the reason
// as the system's last error, which LastErrorText turns into text.
#pragma once
#include <cstdint>

// Bits of a port's error mask (the values of the Win32 CE_* flags).
enum : uint32_t {
    PlatCommErrorOverrun = 0x0002,
    PlatCommErrorParity = 0x0004,
    PlatCommErrorFrame = 0x0008,
    PlatCommErrorBreak = 0x0010,
};

// Opens COM port `port` for reading and writing, not shared with any other
// opener, synchronous. -1 when the device is absent or already held.
intptr_t PlatCommOpen(uint16_t port);
bool PlatCommClose(intptr_t handle);

// Line settings: 8 data bits, stop bits 1 gives one stop bit and any other
// value two; parity none unless enabled, then even or odd; output held by CTS
// when asked; DTR and RTS on; no software flow control; binary.
bool PlatCommSetLine(intptr_t handle, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled,
                     uint8_t evenParity, uint8_t ctsFlow);

// Read time-out in milliseconds: 0 makes a read return at once with what has
// arrived; t waits up to t ms in total for the requested count. Writes have
// no time-out.
bool PlatCommSetReadTimeout(intptr_t handle, int16_t timeout);
// The read total time-out constant now in force (0 when reads return at once).
bool PlatCommGetReadLimit(intptr_t handle, uint32_t *limit);

bool PlatCommSetQueues(intptr_t handle, uint32_t inputSize, uint32_t outputSize);

// Discards pending output and unread input, aborting transfers in progress.
bool PlatCommPurge(intptr_t handle);
// The line errors since the last call (PlatCommError* bits,
// other bits as the system sets them), cleared by the call.
bool PlatCommClearErrors(intptr_t handle, uint32_t *mask);

// One synchronous transfer under the port's time-outs. *done is the count
// moved (0 or more) when the result is true.
bool PlatCommRead(intptr_t handle, void *buffer, int32_t count, int32_t *done);
bool PlatCommWrite(intptr_t handle, const void *buffer, int32_t count, int32_t *done);

bool PlatCommCtsOn(intptr_t handle, bool *on);
