// Win32 implementation of the platform layer's basic services. Files go
// through the C runtime's low-level descriptors (_open and friends), so that
// error numbers are errno values on both platforms.
#include "platform/Platform.h"

#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

int PlatFileOpenRead(const char *path) { return _open(path, _O_RDONLY | _O_BINARY); }

int PlatFileCreate(const char *path)
{
    return _open(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
}

int PlatFileOpenAppend(const char *path)
{
    return _open(path, _O_WRONLY | _O_CREAT | _O_APPEND | _O_BINARY, _S_IREAD | _S_IWRITE);
}

int PlatFileRead(int fd, void *buffer, int count)
{
    return _read(fd, buffer, static_cast<unsigned>(count));
}

int PlatFileWrite(int fd, const void *buffer, int count)
{
    const char *p = static_cast<const char *>(buffer);
    int done = 0;
    while (done < count) {
        int n = _write(fd, p + done, static_cast<unsigned>(count - done));
        if (n <= 0) return done > 0 ? done : -1;
        done += n;
    }
    return done;
}

int PlatFileClose(int fd) { return _close(fd); }
int PlatFileDelete(const char *path) { return remove(path) == 0 ? 0 : -1; }

int PlatErrno() { return errno; }
void PlatSetErrno(int code) { errno = code; }
const char *PlatErrnoText(int code) { return strerror(code); }

uint64_t PlatPerfCounter()
{
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return static_cast<uint64_t>(value.QuadPart);
}

uint64_t PlatPerfFrequency()
{
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return static_cast<uint64_t>(value.QuadPart);
}

uint32_t PlatTickCount() { return GetTickCount(); }

uint32_t PlatThreadId() { return GetCurrentThreadId(); }
void PlatYield() { SleepEx(0, FALSE); }
void PlatSleepMs(uint32_t ms) { SleepEx(ms, FALSE); }

struct PlatLock {
    CRITICAL_SECTION section;
};

PlatLock *PlatLockCreate()
{
    PlatLock *lock = static_cast<PlatLock *>(calloc(1, sizeof(PlatLock)));
    if (!lock) abort();
    InitializeCriticalSection(&lock->section);
    return lock;
}

void PlatLockEnter(PlatLock *lock) { EnterCriticalSection(&lock->section); }
void PlatLockLeave(PlatLock *lock) { LeaveCriticalSection(&lock->section); }

void PlatDebugOutput(const char *text)
{
    if (text) OutputDebugStringA(text);
}

void PlatWriteStdout(const void *buffer, int count) { PlatFileWrite(1, buffer, count); }
void PlatWriteStderr(const void *buffer, int count) { PlatFileWrite(2, buffer, count); }
int PlatReadStdin(void *buffer, int count) { return _read(0, buffer, static_cast<unsigned>(count)); }

// Two threads must not run the exit handlers at once (the window thread's
// Ctrl+Break and the program thread's key poll can end the process at the
// same moment): the first one ends the process, a later one waits for that.
// A handler that ends the process again on the same thread leaves at once.
static std::atomic<uint32_t> ExitingThread{0};

void PlatExit(int status)
{
    uint32_t self = PlatThreadId();
    uint32_t none = 0;
    if (!ExitingThread.compare_exchange_strong(none, self)) {
        if (none == self) _exit(status);
        for (;;) PlatSleepMs(1000);
    }
    exit(status);
}
