// The console bridge: the entry points through which the runtime and the
// application write to the terminal and read its keys. Trace output gets
// its line ends turned into breaks written only when more text follows, and
// a time stamp at the start of every trace line.
#include "terminal/Console.h"

#include "terminal/Term.h"

#include "ZemriSub/ZemriSub.h"
#include "ZemriSub/ZemriSubPC.h"

void (*ConsoleTap)(uint8_t ch) = nullptr;

static void Tap(uint8_t ch)
{
    if (ConsoleTap) ConsoleTap(ch);
}

bool ConsoleKeyAvailable() { return TermKeyAvailable(); }
uint8_t ConsoleGetKey() { return TermGetKey(); }

uint8_t ConsoleGetKeyEcho()
{
    uint8_t ch = TermGetKeyEcho();
    Tap(ch);
    return ch;
}

void ConsolePutChar(uint8_t ch)
{
    Tap(ch);
    TermPutChar(ch);
}

// The trace output comes from one thread at a time.
static std::atomic<bool> CrPending{false};

static void LineBreak()
{
    TermPutChar('\r');
    TermPutChar('\n');
}

void ConsoleLinePut(uint8_t ch)
{
    if (ch == '\n') return;
    if (ch == '\r') {
        if (CrPending) LineBreak();
        CrPending = true;
        return;
    }
    if (CrPending) {
        CrPending = false;
        LineBreak();
    }
    TermPutChar(ch);
}

// Seconds with three decimals within a 100-second cycle, then ": ".
static void PutTimeStamp()
{
    SIO sio = SioFunctionSink(ConsoleLinePut);
    int64_t milliseconds = (WrappedMicroClock() % 100000000u) / 1000u;
    SioPutIntFormatted(&sio, milliseconds, 1, 0, 2, 3, 0);
    SioPutText(&sio, ": ");
}

void ConsoleTracePutChar(uint8_t ch)
{
    Tap(ch);
    ConsoleLinePut(ch);
    if (ch == '\r') PutTimeStamp();
}
