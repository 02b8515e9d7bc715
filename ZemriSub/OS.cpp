// The operating-system services' module state: the last failure text, the
// exit hook, the module initialiser and the at-exit handler.
#include "ZemriSub/OS.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ZemriSub/OSInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/OsFiles.h"
#include "platform/Platform.h"
#include "terminal/Console.h"

const char OsModuleName[] = "ZemriSub/OS";

static DynamicString OsErrorText = 0;
static ExitHookProc ExitHook = nullptr;

DynamicString OsTextString(const char *text)
{
    return StringFromBuffer(text, static_cast<int16_t>(strnlen(text, 0x7FFE)));
}

void OsSetErrorText(const char *text)
{
    DynamicString value = OsTextString(text);
    StringAssign(&OsErrorText, value);
    StringRelease(&value);
}

void OsSetErrnoText() { OsSetErrorText(PlatErrnoText(PlatErrno())); }

DynamicString GetOsErrorText() { return StringRetain(OsErrorText); }

void SetExitHook(ExitHookProc hook) { ExitHook = hook; }

void OsExitHandler()
{
    TermSetExitInProgress();
    if (ExitHook) ExitHook();
    else TermAbortWait();
}

void OsModuleInit()
{
    PlatSetBinaryFileMode();
    setbuf(stdin, nullptr);
    setbuf(stdout, nullptr);
    setbuf(stderr, nullptr);
    // Registered once, however often the initialisers run.
    static bool registered = false;
    if (!registered) registered = atexit(OsExitHandler) == 0;
}
