// The platform layer: the only code that talks to the operating system.
// Everything above it calls these procedures; win32/ and posix/ each provide
// one implementation, chosen by the build. No platform type appears here.
#pragma once
#include <cstddef>
#include <cstdint>

// Raw files. Descriptors are the platform's low-level file descriptors;
// every call returns -1 on failure and leaves the reason in PlatErrno().
int PlatFileOpenRead(const char *path);    // read-only, binary
int PlatFileCreate(const char *path);      // write-only, create or truncate, binary, read+write permission
int PlatFileOpenAppend(const char *path);  // write-only, append, create if missing, binary
int PlatFileRead(int fd, void *buffer, int count);
int PlatFileWrite(int fd, const void *buffer, int count);
int PlatFileClose(int fd);
int PlatFileDelete(const char *path);      // 0 or -1

// System error number (errno) and its text.
int PlatErrno();
void PlatSetErrno(int code);
const char *PlatErrnoText(int code);

// Clocks.
uint64_t PlatPerfCounter();    // high-resolution counter
uint64_t PlatPerfFrequency();  // its ticks per second
uint32_t PlatTickCount();      // milliseconds since an arbitrary start, wrapping

// Threads.
uint32_t PlatThreadId();
void PlatYield();              // give up the rest of the time slice
void PlatSleepMs(uint32_t ms);

// A recursive lock. Created once and never destroyed in this program.
struct PlatLock;
PlatLock *PlatLockCreate();
void PlatLockEnter(PlatLock *lock);
void PlatLockLeave(PlatLock *lock);

// Debugger output: OutputDebugStringA on Windows; on POSIX appended to the
// file named by PONDRADEBUGFILE, and dropped when that is unset.
void PlatDebugOutput(const char *text);

// Standard streams as raw bytes (descriptors 1 and 2; 0 for input).
void PlatWriteStdout(const void *buffer, int count);
void PlatWriteStderr(const void *buffer, int count);
int PlatReadStdin(void *buffer, int count);  // bytes read, 0 at end, -1 on error

// Process end through the runtime's normal exit (at-exit handlers run).
[[noreturn]] void PlatExit(int status);
