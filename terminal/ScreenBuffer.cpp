// The screen store, its lock, and the operations that move the cursor or
// change the size of the store.
#include "terminal/Term.h"

#include "platform/Platform.h"

// One static block, zero at start: writing never allocates.
static ScreenLine ScreenLines[LineStorage];

// The defaults hold from the start, so a process without a window (or one
// writing before its window exists) has a working store.
ScreenBufferRecord ScreenBuffer = {
    ScreenLines,  // Lines
    LineStorage,  // LineCapacity
    120,          // ColumnCount
    0,            // LineCount
    0, 0,         // CursorRow, CursorColumn
    0, 0,         // SavedRow, SavedColumn
    {0}, {0},     // TopLine, LeftColumn
    {0}, {0},     // VisibleRows, VisibleColumns
    {0},          // TextAttributes
    {0xFFFFFF},   // CurrentFore
    {0x000000},   // CurrentBack
    {0xFFFFFF},   // ScreenFore
    {0x000000},   // ScreenBack
    {-1}, {-1}, {-1}, {-1},  // SelTop, SelLeft, SelBottom, SelRight
    {false}, {false}, {false},  // ScrollInfoDirty, CaretDirty, RepaintDirty
};

// Created on first use (thread-safe); never destroyed.
static PlatLock *ScreenLockHandle()
{
    static PlatLock *const lock = PlatLockCreate();
    return lock;
}

void ScreenLockInit() { (void)ScreenLockHandle(); }
void ScreenLockEnter() { PlatLockEnter(ScreenLockHandle()); }
void ScreenLockLeave() { PlatLockLeave(ScreenLockHandle()); }

static int Clamp(int value, int low, int high)
{
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

void TermGoto(int column, int row)
{
    ScreenLockEnter();
    ScreenBufferRecord &S = ScreenBuffer;
    S.CursorRow = Clamp(row, 0, S.LineCapacity - 1);
    S.CursorColumn = Clamp(column, 0, S.ColumnCount - 1);
    if (S.CursorRow >= S.LineCount) S.LineCount = S.CursorRow + 1;
    S.ScrollInfoDirty = true;
    S.CaretDirty = true;
    ScreenLockLeave();
}

// A store of no columns or no lines would leave the cursor nowhere valid:
// both sizes are kept at one at least.
void TermSetColumns(int n)
{
    ScreenLockEnter();
    ScreenBufferRecord &S = ScreenBuffer;
    S.ColumnCount = Clamp(n, 1, ColumnStorage);
    if (S.CursorColumn > S.ColumnCount) S.CursorColumn = S.ColumnCount;
    S.ScrollInfoDirty = true;
    S.RepaintDirty = true;
    ScreenLockLeave();
}

void TermSetLineCapacity(int n)
{
    ScreenLockEnter();
    ScreenBufferRecord &S = ScreenBuffer;
    S.LineCapacity = Clamp(n, 1, LineStorage);
    if (S.CursorRow > S.LineCapacity) S.CursorRow = S.LineCapacity;
    S.ScrollInfoDirty = true;
    S.RepaintDirty = true;
    ScreenLockLeave();
}
