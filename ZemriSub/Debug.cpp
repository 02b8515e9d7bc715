// The debug channel: time-stamped lines to the debugger output, and a line
// assembled character by character. Used from every thread.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

void (*DebugTap)(const char *text) = nullptr;

static constexpr int DebugLineLimit = 120;
static char DebugLine[DebugLineLimit + 3];
static int DebugLineFill = 0;

// Several threads write debug lines; the assembled line is kept whole
// under its own lock (never held while the clock lock is taken).
static PlatLock *DebugLineLock()
{
    static PlatLock *lock = PlatLockCreate();
    return lock;
}

void DebugOutput(const char *text)
{
    if (DebugTap) {
        DebugTap(text);
        return;
    }
    PlatDebugOutput(text);
}

void DebugFlushLine()
{
    char line[sizeof DebugLine];
    PlatLock *lock = DebugLineLock();
    PlatLockEnter(lock);
    bool pending = DebugLineFill > 0;
    if (pending) {
        DebugLine[DebugLineFill] = '\r';
        DebugLine[DebugLineFill + 1] = '\n';
        DebugLine[DebugLineFill + 2] = '\0';
        std::memcpy(line, DebugLine, DebugLineFill + 3);
        DebugLineFill = 0;
    }
    PlatLockLeave(lock);
    if (pending) DebugOutput(line);
}

void DebugPutChar(uint8_t ch)
{
    if (ch == '\r') DebugFlushLine();
    if (ch < 32) return;
    PlatLock *lock = DebugLineLock();
    PlatLockEnter(lock);
    if (DebugLineFill < DebugLineLimit) DebugLine[DebugLineFill++] = static_cast<char>(ch);
    PlatLockLeave(lock);
}

void DebugPrint(const char *format, ...)
{
    DebugFlushLine();
    char buff[256];
    // "\r\n" always ends the line, also when the message is cut short.
    const int room = static_cast<int>(sizeof buff) - 2;
    int used = std::snprintf(buff, room, "%.6d TID=%d ", static_cast<int>(WrappedMicroClock() % 1000000u),
                             static_cast<int>(PlatThreadId()));
    if (used < 0) used = 0;
    if (used > room - 1) used = room - 1;
    va_list args;
    va_start(args, format);
    int added = std::vsnprintf(buff + used, room - used, format, args);
    va_end(args);
    if (added > 0) used += added;
    if (used > room - 1) used = room - 1;
    std::memcpy(buff + used, "\r\n", 3);
    DebugOutput(buff);
}
