// Runtime messages on a console line of their own, each starting with the
// terminal's time stamp.
#include "ZemriSub/ZemriSubPC.h"
#include "terminal/Console.h"

void ConsoleMessage(const char *message, const char *path)
{
    ConsoleTracePutChar('\r');
    ConsoleTracePutChar('\n');
    for (const char *p = message; p && *p; ++p) ConsoleTracePutChar(static_cast<uint8_t>(*p));
    if (!path) return;
    for (const char *p = path; *p; ++p) ConsoleTracePutChar(static_cast<uint8_t>(*p));
    ConsoleTracePutChar('\r');
    ConsoleTracePutChar('\n');
}
