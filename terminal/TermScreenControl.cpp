// Screen control for programs: one-based cursor positions, palette colours,
// brightness, the caret shape, and the operations that are not provided
// (they only trace).
#include "terminal/Term.h"

#include "ZemriSub/ZemriSubPC.h"

void TermClearToLineEnd() { TermEraseLineEnd(); }

void TermGotoOneBased(int x, int y) { TermGoto(x - 1, y - 1); }

int TermCursorColumnOneBased()
{
    ScreenLockEnter();
    int column = ScreenBuffer.CursorColumn + 1;
    ScreenLockLeave();
    return column;
}

int TermCursorRowOneBased()
{
    ScreenLockEnter();
    int row = ScreenBuffer.CursorRow + 1;
    ScreenLockLeave();
    return row;
}

void TermSetTextIndex(int index) { TermSetFore(TermPaletteColour(index)); }
void TermSetBackIndex(int index) { TermSetBack(TermPaletteColour(index)); }

void TermBrightOn()
{
    ScreenLockEnter();
    TermSetAttributes(static_cast<uint16_t>(ScreenBuffer.TextAttributes | ATTR_BOLD));
    ScreenLockLeave();
}

void TermBrightOff()
{
    ScreenLockEnter();
    TermSetAttributes(static_cast<uint16_t>(ScreenBuffer.TextAttributes & ~ATTR_BOLD));
    ScreenLockLeave();
}

void TermSetCursorShape(int shape)
{
    switch (shape) {
    case 0: TermPostCaretType(3); break;
    case 1: TermPostCaretType(2); break;
    default: TermPostCaretType(0); break;
    }
}

void TermDelLine() { DebugOutput("delline: not implemented\n"); }
int TermGetText()
{
    DebugOutput("gettext: not implemented\n");
    return 0;
}
void TermGetTextInfo() { DebugOutput("gettextinfo: not implemented\n"); }
void TermInsLine() { DebugOutput("insline: not implemented\n"); }
int TermMoveText()
{
    DebugOutput("movetext: not implemented\n");
    return 0;
}
void TermTextAttr() { DebugOutput("textattr: not implemented\n"); }
void TermTextMode() { DebugOutput("textmode: not implemented\n"); }
void TermWindow() { DebugOutput("window: not implemented\n"); }
// A second operation that traces the same text as TermDelLine.
int TermPutText()
{
    DebugOutput("delline: not implemented\n");
    return 0;
}
