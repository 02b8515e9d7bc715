// What the serial tests share: the texts handed to MessageHook.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Every text the library handed to the hook, in order.
extern std::vector<std::string> HookTexts;
// Sets MessageHook to a function that records into HookTexts (emptied).
void CaptureMessages();
// Sets MessageHook to null and empties HookTexts.
void StopCapturing();

// Opens COM port `port` with a table of line arguments, checks on the device
// what it runs with (speed, data and stop bits, CTS flow, raw; not parity,
// which a pty does not keep: SerialLine covers it) and
// closes it again. With `anySpeed` the table includes non-standard speeds.
void CheckDeviceLines(uint16_t port, bool anySpeed);

// Ten reads of a port opened with read time-out 0 and nothing arriving: each
// returns 0 at once, with nothing handed to the hook.
void ExpectIdleReadsReturnAtOnce(intptr_t port);
