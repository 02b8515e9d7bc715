// POSIX implementation of the platform layer's basic services.
#include "platform/Platform.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

int PlatFileOpenRead(const char *path) { return open(path, O_RDONLY | O_CLOEXEC); }

int PlatFileCreate(const char *path)
{
    return open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

int PlatFileOpenAppend(const char *path)
{
    return open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
}

int PlatFileRead(int fd, void *buffer, int count)
{
    ssize_t n;
    do n = read(fd, buffer, static_cast<size_t>(count));
    while (n < 0 && errno == EINTR);
    return static_cast<int>(n);
}

int PlatFileWrite(int fd, const void *buffer, int count)
{
    // A regular file takes everything at once; a pipe may take less.
    const char *p = static_cast<const char *>(buffer);
    int done = 0;
    while (done < count) {
        ssize_t n = write(fd, p + done, static_cast<size_t>(count - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? done : -1;
        }
        done += static_cast<int>(n);
    }
    return done;
}

int PlatFileClose(int fd) { return close(fd); }
int PlatFileDelete(const char *path) { return unlink(path) == 0 ? 0 : -1; }

int PlatErrno() { return errno; }
void PlatSetErrno(int code) { errno = code; }
const char *PlatErrnoText(int code) { return strerror(code); }

// A 10 MHz counter, as the performance counter usually runs on Windows: its
// low 32 bits, which the microsecond clock keeps, wrap only every 429 s
// (at 1 GHz they wrapped every 4.3 s, and a clock read less often lost time).
static constexpr uint64_t PerfFrequency = 10000000u;

uint64_t PlatPerfCounter()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * PerfFrequency +
           static_cast<uint64_t>(ts.tv_nsec) / (1000000000u / PerfFrequency);
}

uint64_t PlatPerfFrequency() { return PerfFrequency; }

uint32_t PlatTickCount() { return static_cast<uint32_t>(PlatPerfCounter() / (PerfFrequency / 1000u)); }

uint32_t PlatThreadId() { return static_cast<uint32_t>(syscall(SYS_gettid)); }
void PlatYield() { sched_yield(); }

void PlatSleepMs(uint32_t ms)
{
    timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

struct PlatLock {
    pthread_mutex_t mutex;
};

PlatLock *PlatLockCreate()
{
    PlatLock *lock = static_cast<PlatLock *>(calloc(1, sizeof(PlatLock)));
    if (!lock) abort();
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&lock->mutex, &attr);
    pthread_mutexattr_destroy(&attr);
    return lock;
}

void PlatLockEnter(PlatLock *lock) { pthread_mutex_lock(&lock->mutex); }
void PlatLockLeave(PlatLock *lock) { pthread_mutex_unlock(&lock->mutex); }

void PlatDebugOutput(const char *text)
{
    const char *path = getenv("PONDRADEBUGFILE");
    if (!path || !*path || !text) return;
    int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return;
    PlatFileWrite(fd, text, static_cast<int>(strlen(text)));
    close(fd);
}

void PlatWriteStdout(const void *buffer, int count) { PlatFileWrite(1, buffer, count); }
void PlatWriteStderr(const void *buffer, int count) { PlatFileWrite(2, buffer, count); }
int PlatReadStdin(void *buffer, int count) { return PlatFileRead(0, buffer, count); }

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
