// Fuzz driver for the character writer: standard input is written through
// TermPutChar as console output would be. The first two bytes choose the
// column count and the line capacity (small stores scroll and wrap often);
// the byte 0xFE followed by one more byte changes the column count in the
// middle of the stream. After every byte the store's invariants are checked;
// a violation aborts. Any crash, sanitizer report or abort is a finding.
//
//   cmake -DTAVREL_FUZZ=ON -DTAVREL_SANITIZE=ON ... && term_fuzz < input
#include <cstdio>
#include <cstdlib>

#include "terminal/Term.h"

static void Check(bool condition, const char *what, long offset)
{
    if (condition) return;
    std::fprintf(stderr, "term_fuzz: %s after byte %ld\n", what, offset);
    std::abort();
}

static void CheckStore(long offset)
{
    const ScreenBufferRecord &S = ScreenBuffer;
    // A column change may leave the cursor one past the line until the next write.
    Check(S.CursorColumn >= 0 && S.CursorColumn <= S.ColumnCount, "cursor column outside the line", offset);
    Check(S.CursorRow >= 0 && S.CursorRow < S.LineCapacity, "cursor row outside the store", offset);
    Check(S.LineCount > S.CursorRow && S.LineCount <= LineStorage, "line count", offset);
    for (int r = 0; r < S.LineCount; ++r)
        Check(S.Lines[r].Length >= 0 && S.Lines[r].Length <= ColumnStorage, "line length", offset);
}

int main()
{
    int first = std::getchar();
    int second = std::getchar();
    if (first == EOF || second == EOF) return 0;
    TermSetColumns(1 + first % ColumnStorage);
    TermSetLineCapacity(1 + second * 4);
    ScreenBuffer.VisibleRows = 1 + first % 40;
    long offset = 0;
    int ch;
    bool resize = false;
    // A narrower line may leave the cursor one past its end until the next
    // character is stored; control and escape bytes leave it there.
    bool pastAllowed = false;
    while ((ch = std::getchar()) != EOF) {
        if (resize) {
            TermSetColumns(1 + ch % ColumnStorage);
            pastAllowed = ScreenBuffer.CursorColumn == ScreenBuffer.ColumnCount;
            resize = false;
        } else if (ch == 0xFE && offset % 2 == 1) {
            resize = true;
        } else {
            TermPutChar(static_cast<uint8_t>(ch));
            // The window thread's selection and the program's key reads.
            if (ch == 0x0A) ScreenBuffer.SelTop = ScreenBuffer.SelLeft = ScreenBuffer.SelBottom = ScreenBuffer.SelRight = 1;
            while (KeyQueueHasByte()) KeyQueueTake();
            if (ScreenBuffer.CursorColumn < ScreenBuffer.ColumnCount) pastAllowed = false;
            Check(pastAllowed || ScreenBuffer.CursorColumn < ScreenBuffer.ColumnCount,
                  "cursor left one past the line", offset);
        }
        CheckStore(offset);
        ++offset;
    }
    return 0;
}
