// Threads with a stack size, and pipes for the process entry.
#include "platform/Entry.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <cstdlib>

struct PlatThread {
    pthread_t Handle;
    int (*Body)(void *);
    void *Arg;
    int Result;
};

static void *ThreadMain(void *p)
{
    PlatThread *thread = static_cast<PlatThread *>(p);
    thread->Result = thread->Body(thread->Arg);
    return nullptr;
}

PlatThread *PlatThreadStart(int (*body)(void *), void *arg, uint32_t stackSize)
{
    PlatThread *thread = static_cast<PlatThread *>(std::calloc(1, sizeof(PlatThread)));
    if (!thread) return nullptr;
    thread->Body = body;
    thread->Arg = arg;
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    size_t size = stackSize;
    if (size < static_cast<size_t>(PTHREAD_STACK_MIN)) size = static_cast<size_t>(PTHREAD_STACK_MIN);
    pthread_attr_setstacksize(&attr, size);
    int rc = pthread_create(&thread->Handle, &attr, ThreadMain, thread);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        std::free(thread);
        return nullptr;
    }
    return thread;
}

int PlatThreadJoin(PlatThread *thread)
{
    if (!thread) return -1;
    pthread_join(thread->Handle, nullptr);
    int result = thread->Result;
    std::free(thread);
    return result;
}

bool PlatPipeCreate(int *readEnd, int *writeEnd)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    // As small as the system allows, 4096 bytes: a fast writer is held back.
    fcntl(fds[1], F_SETPIPE_SZ, 4096);
    *readEnd = fds[0];
    *writeEnd = fds[1];
    return true;
}

int PlatDescriptorCopy(int from, int to) { return dup2(from, to) < 0 ? -1 : to; }
