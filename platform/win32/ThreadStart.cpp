// Threads with a stack size, and pipes for the process entry.
#include "platform/Entry.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdlib>

struct PlatThread {
    HANDLE Handle;
    int (*Body)(void *);
    void *Arg;
};

static DWORD WINAPI ThreadMain(LPVOID p)
{
    PlatThread *thread = static_cast<PlatThread *>(p);
    return static_cast<DWORD>(thread->Body(thread->Arg));
}

PlatThread *PlatThreadStart(int (*body)(void *), void *arg, uint32_t stackSize)
{
    PlatThread *thread = static_cast<PlatThread *>(std::calloc(1, sizeof(PlatThread)));
    if (!thread) return nullptr;
    thread->Body = body;
    thread->Arg = arg;
    thread->Handle = CreateThread(nullptr, stackSize, ThreadMain, thread, CREATE_SUSPENDED, nullptr);
    if (!thread->Handle) {
        std::free(thread);
        return nullptr;
    }
    ResumeThread(thread->Handle);
    return thread;
}

int PlatThreadJoin(PlatThread *thread)
{
    if (!thread) return -1;
    WaitForSingleObject(thread->Handle, INFINITE);
    DWORD result = 0;
    GetExitCodeThread(thread->Handle, &result);
    CloseHandle(thread->Handle);
    std::free(thread);
    return static_cast<int>(result);
}

// The default translation mode in force now (text until the runtime's
// binary default is set): the descriptors that copy the write end take it.
bool PlatPipeCreate(int *readEnd, int *writeEnd)
{
    int fds[2];
    if (_pipe(fds, 4096, 0) != 0) return false;
    *readEnd = fds[0];
    *writeEnd = fds[1];
    return true;
}

int PlatDescriptorCopy(int from, int to) { return _dup2(from, to) < 0 ? -1 : to; }
