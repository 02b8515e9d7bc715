// Attributes, current colours, the caret type and the bell's rate limit.
#include "terminal/Term.h"

#include "platform/Platform.h"
#include "platform/Window.h"

void (*CaretTypeTap)(int type) = nullptr;

uint32_t TermMilliClock() { return PlatTickCount() % 1000000u; }

// Setting any attributes re-arms the blink timer for the next multiple of
// 375 ms, so a blinking cell changes phase in step with the others.
void TermSetAttributes(uint16_t word)
{
    ScreenLockEnter();
    ScreenBuffer.TextAttributes = word;
    PlatWindowArmBlinkTimer((word & ATTR_BLINK) != 0, 375 - TermMilliClock() % 375);
    ScreenLockLeave();
}

void TermSetFore(TermColour colour) { ScreenBuffer.CurrentFore = colour; }
void TermSetBack(TermColour colour) { ScreenBuffer.CurrentBack = colour; }

void TermPostCaretType(int type)
{
    if (CaretTypeTap) CaretTypeTap(type);
    PlatWindowPostCaretType(type);
}

// Guarded by ScreenLock (the bell rings from inside the writer).
static bool BellRung = false;
static uint32_t LastBell = 0;

bool TermBellAllowed(uint32_t now)
{
    ScreenLockEnter();
    bool allowed = !BellRung || now - LastBell > 10000u;
    if (allowed) {
        BellRung = true;
        LastBell = now;
    }
    ScreenLockLeave();
    return allowed;
}
