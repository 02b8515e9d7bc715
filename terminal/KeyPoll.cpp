// The key poll of the program thread: shows the window on first use, pumps
// the thread's own messages at most once a millisecond (and keeps pumping
// while output is paused or a selection is being dragged), and ends the
// process once the user has closed the window.
#include "terminal/Term.h"

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"
#include "platform/Window.h"

static void NotePumped() { ProgramPumpedMessages = true; }

// True when a message was dispatched.
static bool PumpProgramMessages()
{
    bool dispatched = false;
    while (!WindowClosed) {
        bool stalled = OutputPaused || Selecting;
        if (!stalled && MicroClock() - EscapeState.LastPumpTime <= 1000u) break;
        bool any = PlatPumpThreadMessages(NotePumped);
        if (any) dispatched = true;
        EscapeState.LastPumpTime = MicroClock();
        if (stalled && !any) PlatYield();
    }
    return dispatched;
}

static void ShowOnFirstPoll()
{
    if (ShownByKeyPoll) return;
    ShownByKeyPoll = true;
    TermShowWindow(PlatShowNormal);
}

static void EndIfClosed()
{
    if (WindowClosed && !ExitInProgress) PlatExit(1);
}

bool TermKeyAvailable()
{
    ShowOnFirstPoll();
    PumpProgramMessages();
    EndIfClosed();
    return KeyQueueHasByte();
}

uint8_t TermGetKey()
{
    ShowOnFirstPoll();
    while (!KeyQueueHasByte()) {
        if (!PumpProgramMessages()) PlatYield();
        EndIfClosed();
    }
    return KeyQueueTake();
}

uint8_t TermGetKeyEcho()
{
    uint8_t ch = TermGetKey();
    TermPutChar(ch);
    return ch;
}
