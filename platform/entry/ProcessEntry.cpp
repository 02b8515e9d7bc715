// The process entry: turns the GUI process into a console program that runs
// inside the terminal window. The caller has already made the argument list.
#include "platform/entry/ProcessEntry.h"

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Entry.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "terminal/AppMain.h"
#include "terminal/StreamReader.h"
#include "terminal/Term.h"

constexpr uint32_t WindowThreadStack = 64 * 1024;
constexpr uint32_t ReaderThreadStack = 32 * 1024;

static const char Caption[] = "Win32Zemri";

// The readers run with the two descriptors they were given.
static int ReadOut = -1, ReadErr = -1;

static int WindowThreadBody(void *title) { return TermWindowThread(static_cast<const char *>(title)); }
static int StdOutReader(void *) { return StreamReader(ReadOut, "StdOut"); }
static int StdErrReader(void *) { return StreamReader(ReadErr, "StdErr"); }

// The system's window libraries need more stack than the Win32 window's
// 64 KiB (and the sanitizers more still) on other platforms.
static uint32_t StackSize(uint32_t size)
{
#if defined(_WIN32)
    return size;
#elif defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return size < 1024 * 1024 ? 4 * 1024 * 1024 : size;
#else
    return size < 1024 * 1024 ? 1024 * 1024 : size;
#endif
}

// Pump this thread's messages until the condition holds, sleeping 10 ms
// whenever nothing was waiting.
static void WaitPumping(bool (*done)())
{
    while (!done()) {
        if (!PlatPumpThreadMessages(nullptr)) PlatSleepMs(10);
    }
}

static bool WindowUpOrClosed() { return WindowClosed || WindowReady; }
static bool WindowGone() { return WindowClosed; }

// Descriptor `target` becomes the write end of a new pipe whose read end a
// reader thread takes; false after the message box of a failure.
static bool StartReader(int target, int *readEnd, int (*body)(void *), const char *threadFailure)
{
    int writeEnd = -1;
    if (!PlatPipeCreate(readEnd, &writeEnd)) {
        PlatWindowMessageBox("Create pipe failed!", Caption);
        return false;
    }
    PlatDescriptorCopy(writeEnd, target);
    PlatFileClose(writeEnd);
    if (!PlatThreadStart(body, nullptr, StackSize(ReaderThreadStack))) {
        PlatWindowMessageBox(threadFailure, Caption);
        return false;
    }
    return true;
}

int RunProcessEntry(int argc, char **argv)
{
    ClockInit();
    DebugPrint("Main Program Started");
    ScreenLockInit();
    SetProgramArguments(argc, argv);
    const char *title = argc > 0 && argv[0] ? argv[0] : "";
    PlatThread *window = PlatThreadStart(WindowThreadBody, const_cast<char *>(title),
                                         StackSize(WindowThreadStack));
    if (!window) {
        PlatWindowMessageBox("Create TTY thread failed!", Caption);
        return 1;
    }
    WaitPumping(WindowUpOrClosed);
    if (WindowClosed) {
        PlatThreadJoin(window);
        return ExitCode;
    }
    if (!StartReader(1, &ReadOut, StdOutReader, "Create StdOut thread failed!")) return 1;
    if (!StartReader(2, &ReadErr, StdErrReader, "Create StdErr thread failed!")) return 1;
    AppMain(argc, argv);
    DebugPrint("Main Program Stopped");
    if (!WindowClosed) TermShowWindow(PlatShowNormal);
    WaitPumping(WindowGone);
    PlatThreadJoin(window);
    DebugPrint("Main Program exit=%d", ExitCode.load());
    return ExitCode;
}
