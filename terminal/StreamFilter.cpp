// Line-end filter of the standard-stream readers. Both readers share the two
// flags; they start set so that the first character read begins a new line.
#include "terminal/StreamFilter.h"

#include <atomic>

#include "terminal/Term.h"

static std::atomic<bool> CrSeen{true};
static std::atomic<bool> LfSeen{true};

static void LineBreak()
{
    TermPutChar('\r');
    TermPutChar('\n');
}

void StreamFilterPut(uint8_t ch)
{
    if (ch == '\n') {
        if (LfSeen) {
            CrSeen = false;
            LineBreak();
        }
        LfSeen = true;
    } else if (ch == '\r') {
        if (CrSeen) {
            LfSeen = false;
            LineBreak();
        }
        CrSeen = true;
    } else {
        if (CrSeen || LfSeen) {
            CrSeen = false;
            LfSeen = false;
            LineBreak();
        }
        TermPutChar(ch);
    }
}

void StreamFilterReset()
{
    CrSeen = true;
    LfSeen = true;
}
