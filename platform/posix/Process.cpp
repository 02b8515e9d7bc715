// POSIX processes, waits, named mutexes, error texts and the message box.
// A handle is a heap record whose first member says what it is. Named
// mutexes are advisory locks (flock) on a file per name in the temporary
// folder, so that the system releases a mutex whose owner has ended.
#include "platform/Process.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <spawn.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/Platform.h"

extern char **environ;

int PlatLastError() { return errno; }
void PlatSetLastError(int code) { errno = code; }

// An unknown code has no text (not "Unknown error N"), as on Windows.
void PlatSystemErrorText(int code, char *buffer, int size)
{
    if (size <= 0) return;
    const char *text = strerrordesc_np(code);
    snprintf(buffer, static_cast<size_t>(size), "%s", text ? text : "");
}

// ---- Handles ----

enum : uint32_t {
    KindProcess = 0x50726F63,
    KindMutex = 0x4D757478,
};

struct ProcessObject {
    uint32_t kind;
    pid_t pid;
    bool ended;
    uint32_t status;
};

struct MutexObject {
    uint32_t kind;
    int fd;  // the lock file; -1 for an unnamed mutex
    std::mutex guard;
    pthread_t owner;
    int count;  // recursive ownership by owner
};

static uint32_t KindOf(void *handle) { return handle ? *static_cast<uint32_t *>(handle) : 0; }

// Milliseconds of a monotonic clock.
static uint64_t NowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

constexpr uint32_t WaitForever = 0xFFFFFFFFu;

// ---- Processes ----

// The command line's tokens: runs of spaces and tabs separate them; double
// quotes group spaces into a token and are removed.
static std::vector<std::string> SplitCommandLine(const char *line)
{
    std::vector<std::string> tokens;
    const char *p = line ? line : "";
    for (;;) {
        while (*p == ' ' || *p == '\t') p++;
        if (!*p) break;
        std::string token;
        bool quoted = false;
        for (; *p && (quoted || (*p != ' ' && *p != '\t')); p++) {
            if (*p == '"') quoted = !quoted;
            else token += *p;
        }
        tokens.push_back(token);
    }
    return tokens;
}

static uint32_t StatusOf(int status)
{
    if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return 128u + static_cast<uint32_t>(WTERMSIG(status));
    return 1;
}

bool PlatStartProcess(const char *commandLine, uint16_t show, void **process, void **thread)
{
    (void)show;  // no windows to show or hide here
    *process = nullptr;
    *thread = nullptr;
    std::vector<std::string> tokens = SplitCommandLine(commandLine);
    if (tokens.empty()) {
        errno = ENOENT;
        return false;
    }
    std::vector<char *> argv;
    for (std::string &token : tokens) argv.push_back(token.data());
    argv.push_back(nullptr);
    pid_t pid;
    int error = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        errno = error;
        return false;
    }
    ProcessObject *object = new ProcessObject{KindProcess, pid, false, 0};
    *process = object;
    return true;
}

// One look at the child (waitpid); blocking when asked.
static PlatWaitResult ReapProcess(ProcessObject *object, bool block)
{
    if (object->ended) return PlatWaitSignalled;
    int status = 0;
    pid_t result;
    do result = waitpid(object->pid, &status, block ? 0 : WNOHANG);
    while (result < 0 && errno == EINTR);
    if (result < 0) return PlatWaitFailed;
    if (result == 0) return PlatWaitTimeout;
    object->ended = true;
    object->status = StatusOf(status);
    return PlatWaitSignalled;
}

bool PlatProcessExitStatus(void *process, uint32_t *status)
{
    if (KindOf(process) != KindProcess) {
        errno = EINVAL;
        return false;
    }
    ProcessObject *object = static_cast<ProcessObject *>(process);
    if (!object->ended) {
        errno = EBUSY;
        return false;
    }
    *status = object->status;
    return true;
}

bool PlatExecutablePath(char *buffer, int size)
{
    if (size <= 1) return false;
    ssize_t n = readlink("/proc/self/exe", buffer, static_cast<size_t>(size - 1));
    if (n <= 0 || n >= size - 1) return false;
    buffer[n] = 0;
    return true;
}

// ---- Mutexes ----

static bool MutexPath(const char *name, std::string *path)
{
    const char *folder = getenv("TMPDIR");
    if (!folder || !*folder) folder = "/tmp";
    *path = folder;
    *path += "/pondra-mutex-";
    for (const char *p = name; *p; p++) *path += (*p == '/') ? '_' : *p;
    return true;
}

static void *NewMutex(int fd)
{
    MutexObject *object = new MutexObject;
    object->kind = KindMutex;
    object->fd = fd;
    object->count = 0;
    return object;
}

// Takes the mutex when it is free (or already this thread's).
static PlatWaitResult TryTakeMutex(MutexObject *object)
{
    std::lock_guard<std::mutex> hold(object->guard);
    pthread_t self = pthread_self();
    if (object->count > 0) {
        if (!pthread_equal(object->owner, self)) return PlatWaitTimeout;
        object->count++;
        return PlatWaitSignalled;
    }
    if (object->fd >= 0 && flock(object->fd, LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK ? PlatWaitTimeout : PlatWaitFailed;
    object->owner = self;
    object->count = 1;
    return PlatWaitSignalled;
}

void *PlatCreateMutex(bool initiallyOwned, const char *name)
{
    int fd = -1;
    if (name) {
        std::string path;
        MutexPath(name, &path);
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) return nullptr;
    }
    void *handle = NewMutex(fd);
    // Held by another process: the mutex exists, and the flag is ignored.
    if (initiallyOwned) TryTakeMutex(static_cast<MutexObject *>(handle));
    return handle;
}

void *PlatOpenMutex(const char *name)
{
    if (!name) {
        errno = EINVAL;
        return nullptr;
    }
    std::string path;
    MutexPath(name, &path);
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return NewMutex(fd);
}

bool PlatReleaseMutex(void *mutex)
{
    if (KindOf(mutex) != KindMutex) {
        errno = EINVAL;
        return false;
    }
    MutexObject *object = static_cast<MutexObject *>(mutex);
    std::lock_guard<std::mutex> hold(object->guard);
    if (object->count == 0 || !pthread_equal(object->owner, pthread_self())) {
        errno = EPERM;
        return false;
    }
    if (--object->count == 0 && object->fd >= 0) flock(object->fd, LOCK_UN);
    return true;
}

// ---- Waits and closing ----

PlatWaitResult PlatWaitFor(void *handle, uint32_t milliseconds)
{
    uint32_t kind = KindOf(handle);
    if (kind != KindProcess && kind != KindMutex) {
        errno = EINVAL;
        return PlatWaitFailed;
    }
    if (kind == KindProcess && milliseconds == WaitForever)
        return ReapProcess(static_cast<ProcessObject *>(handle), true);
    uint64_t start = NowMs();
    for (;;) {
        PlatWaitResult result = kind == KindProcess ? ReapProcess(static_cast<ProcessObject *>(handle), false)
                                                    : TryTakeMutex(static_cast<MutexObject *>(handle));
        if (result != PlatWaitTimeout) return result;
        if (milliseconds != WaitForever && NowMs() - start >= milliseconds) return PlatWaitTimeout;
        PlatSleepMs(1);
    }
}

bool PlatCloseHandle(void *handle)
{
    uint32_t kind = KindOf(handle);
    if (kind == KindProcess) {
        ProcessObject *object = static_cast<ProcessObject *>(handle);
        object->kind = 0;
        delete object;
        return true;
    }
    if (kind == KindMutex) {
        MutexObject *object = static_cast<MutexObject *>(handle);
        object->kind = 0;
        if (object->fd >= 0) close(object->fd);  // releases the lock
        delete object;
        return true;
    }
    errno = EBADF;
    return false;
}

// ---- Message box ----

// Without a window the text goes to standard error and the box's default
// button is the answer.
int PlatMessageBox(const char *text, const char *caption, uint32_t style)
{
    std::string line = caption ? caption : "";
    line += ": ";
    line += text ? text : "";
    line += "\n";
    PlatWriteStderr(line.data(), static_cast<int>(line.size()));
    // First, second and third button of each button set (MB_OK .. MB_CANCELTRYCONTINUE).
    static const int Buttons[7][3] = {{1, 1, 1}, {1, 2, 2}, {3, 4, 5}, {6, 7, 2}, {6, 7, 7}, {4, 2, 2}, {2, 10, 11}};
    uint32_t set = style & 0x0F;
    uint32_t defaultButton = (style >> 8) & 0x0F;
    if (set > 6) set = 0;
    if (defaultButton > 2) defaultButton = 0;
    return Buttons[set][defaultButton];
}
