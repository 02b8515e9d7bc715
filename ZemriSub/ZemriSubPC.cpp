// Source locations and the fatal-error family. Every fatal path writes its
// text and leaves through the normal exit, so the exit handlers still run.
#include "ZemriSub/ZemriSubPC.h"

#include "ZemriSub/ZemriSub.h"
#include "platform/Platform.h"

const char *CurrentFile = nullptr;
int32_t CurrentLine = 0;

void SetLocation(const char *file, int32_t line)
{
    CurrentFile = file;
    CurrentLine = line;
}

// "\r\n", message, ":", file, ":", line, "\r\n" on the console, then exit 1.
[[noreturn]] static void FatalReport(const char *message, const char *file, int32_t line)
{
    SIO sio = SioConsoleSink();
    SioPutString(&sio, StringConstant("\r\n"));
    SioPutString(&sio, StringConstant(message));
    SioPutString(&sio, StringConstant(":"));
    SioPutString(&sio, StringConstant(file));
    SioPutString(&sio, StringConstant(":"));
    SioPutInt(&sio, line);
    SioPutString(&sio, StringConstant("\r\n"));
    PlatExit(1);
}

void FatalError(const char *file, int32_t line, const char *message)
{
    FatalReport(message, file, line);
}

void AssertFailed(const char *file, int32_t line) { FatalReport("Assert Failed", file, line); }

void IndexOutOfBounds(const char *file, int32_t line)
{
    FatalReport("Array index out of bounds", file, line);
}

void StopAt(const char *file, int32_t line) { FatalReport("Stop", file, line); }

void BadPointer(const char *file, int32_t line) { FatalReport("Bad pointer", file, line); }

// The code is not used: the text is that of the current error number.
void FatalSystemError(int code)
{
    (void)code;
    const char *reason = PlatErrnoText(PlatErrno());
    static const char lead[] = "Fatal error: ";
    PlatWriteStderr(lead, sizeof lead - 1);
    int length = 0;
    while (reason && reason[length]) ++length;
    if (length > 0) PlatWriteStderr(reason, length);
    PlatWriteStderr("\n", 1);
    PlatExit(1);
}

int32_t CheckIndex(int32_t index, int32_t limit, const char *file, int32_t line)
{
    if (index < 0 || (limit > 0 && index >= limit)) IndexOutOfBounds(file, line);
    return index;
}
