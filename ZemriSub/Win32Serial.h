// Serial port: open a COM port with fixed line settings, read and write with
// an optional total time limit, purge, close, and a few queries. Failures are
// reported by the result only; a text describing the failure, or a hex trace
// of the bytes moved, goes to MessageHook.
#pragma once
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"

// A port handle is the system's handle of the open device (a Windows file
// handle, a POSIX descriptor), carried as an integer. -1 means "not open".
typedef intptr_t CommPortHandle;
constexpr CommPortHandle InvalidCommPort = -1;

// Driver queue sizes set at open.
constexpr uint32_t CommQueueSize = 20000;

// The function to which the library hands its error texts and byte traces.
// Null until the application sets it; while it is null no text is built.
typedef void (*MessageHookProc)(DynamicString message);
extern MessageHookProc MessageHook;
// The hook the application installs: it accepts every text and drops it.
void IgnoreMessage(DynamicString message);

// Opens COM port `port` (8 data bits; stop bits 1 gives one, any other value
// two; parity none unless enabled; DTR and RTS on), both queues purged.
// Read time-out 0: a read returns at once with what has arrived; t: a read
// waits up to t ms (the 16 bits taken as unsigned) for its count. -1 when the
// port is absent or held by another opener (not reported) or cannot be set up.
CommPortHandle OpenCommPort(uint16_t port, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled,
                            uint8_t evenParity, uint8_t ctsFlow, int16_t readTimeout);
int CloseCommPort(CommPortHandle port);  // nonzero on success
// Bytes moved (0 or more), or -1 when the port failed (it stays open; the
// caller closes and reopens it). Traced to MessageHook as
// [ReadCommPort(n) XX ...] and <WriteCommPort(n) XX ...>.
int32_t ReadCommPort(CommPortHandle port, void *buffer, int32_t count);
int32_t WriteCommPort(CommPortHandle port, const void *buffer, int32_t count);
void PurgeCommPort(CommPortHandle port);
void ClearCommPort(CommPortHandle port);
void ConfigureCommPort(CommPortHandle port, uint32_t baudRate, uint8_t stopBits, uint8_t parityEnabled,
                       uint8_t evenParity, uint8_t ctsFlow);
uint8_t CheckCommBreak(CommPortHandle port);
uint8_t IsCtsOn(CommPortHandle port);

// Reporting through MessageHook.
void ReportMessage(DynamicString text);
void ReportSystemError();
void TraceBytes(const char *tag, const void *buffer, int32_t count, const char *closing);
// Reports the first error class present in a port's error mask (bits of
// PlatCommError* in platform/Serial.h): framing, overrun, parity, break, any
// other bit; nothing for 0.
void ReportCommErrors(uint32_t mask);
