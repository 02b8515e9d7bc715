// Exit support for the at-exit handler: from the exit on, a closed window no
// longer ends the process, and the last output stays readable until the
// user closes the window.
#include "terminal/Console.h"

#include "terminal/Term.h"

#include "platform/Platform.h"
#include "platform/Window.h"

void TermSetExitInProgress() { ExitInProgress = true; }

void TermAbortWait()
{
    static const char text[] = "\r\n-- aborted";
    for (const char *p = text; *p; ++p) {
        uint8_t ch = static_cast<uint8_t>(*p);
        if (ConsoleTap) ConsoleTap(ch);
        TermPutChar(ch);
    }
    // Without a window nobody could ever close it: nothing to wait for.
    if (!WindowReady) return;
    if (!WindowClosed) TermShowWindow(PlatShowNormal);
    while (!WindowClosed) PlatYield();
}
