// The plain console: standard output for characters, standard input for
// keys. The terminal window takes its place; callers do not change.
#include "terminal/Console.h"

#include "platform/Platform.h"

void (*ConsoleTap)(uint8_t ch) = nullptr;

static bool ExitInProgress = false;

void ConsolePutChar(uint8_t ch)
{
    if (ConsoleTap) {
        ConsoleTap(ch);
        return;
    }
    PlatWriteStdout(&ch, 1);
}

void ConsoleTracePutChar(uint8_t ch) { ConsolePutChar(ch); }

// Keys come from standard input, which cannot be polled portably without a
// window; a byte is available once it has been read ahead.
static int PendingKey = -1;

static int ReadKey()
{
    uint8_t ch = 0;
    return PlatReadStdin(&ch, 1) == 1 ? ch : -1;
}

bool ConsoleKeyAvailable() { return PendingKey >= 0; }

uint8_t ConsoleGetKey()
{
    if (PendingKey >= 0) {
        uint8_t ch = static_cast<uint8_t>(PendingKey);
        PendingKey = -1;
        return ch;
    }
    int ch = ReadKey();
    // End of input: the plain console has no window to wait for.
    if (ch < 0) PlatExit(1);
    return static_cast<uint8_t>(ch);
}

uint8_t ConsoleGetKeyEcho()
{
    uint8_t ch = ConsoleGetKey();
    ConsolePutChar(ch);
    return ch;
}

void TermSetExitInProgress() { ExitInProgress = true; }

void TermAbortWait()
{
    static const char text[] = "\r\n-- aborted";
    for (const char *p = text; *p; ++p) ConsolePutChar(static_cast<uint8_t>(*p));
}
