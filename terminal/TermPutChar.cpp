// The character writer: every byte of console output enters the store here.
// It handles the escape forms, the control bytes and UTF-8, stores
// characters, and at the end of every byte scrolls the store and tells the
// window thread what changed.
#include <cstring>

#include "terminal/Term.h"

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"
#include "platform/Window.h"

thread_local EscapeStateRecord EscapeState;

// Set when an LF or a wrap moved the cursor onto the last window row while
// the view showed the bottom; taken by the end of the same write. Guarded by
// ScreenLock.
static bool ViewFollows = false;

static void TermPutCharLocked(uint8_t ch);

// The cursor goes to the next row (LF, wrap); the view follows when it
// showed the bottom.
static void NextRow()
{
    ScreenBufferRecord &S = ScreenBuffer;
    S.CursorRow += 1;
    if (S.CursorRow == S.TopLine + S.VisibleRows - 1 && S.CursorRow >= S.LineCount) ViewFollows = true;
}

// The cursor left the store: the oldest line is dropped and the text moves
// up under the view; a selection moves with its text.
static void ScrollStore()
{
    ScreenBufferRecord &S = ScreenBuffer;
    if (S.CursorRow != S.LineCount)
        DebugPrint("assert failed: CursorRow (%d) == LineCount (%d)", S.CursorRow, S.LineCount);
    if (S.LineCount > 0) {
        std::memmove(&S.Lines[0], &S.Lines[1], sizeof(ScreenLine) * static_cast<size_t>(S.LineCount - 1));
        std::memset(&S.Lines[S.LineCount - 1], 0, sizeof(ScreenLine));
    }
    S.CursorRow -= 1;
    if (S.SelTop >= 0 && S.SelLeft >= 0 && S.SelBottom >= 0 && S.SelRight >= 0) {
        if (S.SelTop > 0) {
            S.SelTop -= 1;
            S.SelBottom -= 1;
        } else {
            S.SelTop = -1;
            S.SelLeft = -1;
            S.SelBottom = -1;
            S.SelRight = -1;
        }
    }
    S.RepaintDirty = true;
    S.ScrollInfoDirty = true;
}

// UTF-8 decoding of one byte of the printable range; true when a character
// is complete (in *code).
static bool DecodeUtf8(uint8_t ch, uint16_t *code)
{
    EscapeStateRecord &E = EscapeState;
    if (ch < 0x80) {
        E.Utf8Active = false;
        *code = ch;
        return true;
    }
    if ((ch & 0xC0) == 0xC0) {
        if (ch >= 0xF8) {  // not a lead byte
            E.Utf8Active = false;
            *code = ch;
            return true;
        }
        if (ch >= 0xF0) {
            E.Utf8Expected = 4;
            E.Utf8Value = ch & 0x07;
        } else if (ch >= 0xE0) {
            E.Utf8Expected = 3;
            E.Utf8Value = ch & 0x0F;
        } else {
            E.Utf8Expected = 2;
            E.Utf8Value = ch & 0x1F;
        }
        E.Utf8Count = 1;
        E.Utf8Active = true;
        return false;
    }
    if (!E.Utf8Active) {  // a continuation byte on its own
        *code = ch;
        return true;
    }
    E.Utf8Value = static_cast<uint16_t>(E.Utf8Value << 6 | (ch & 0x3F));
    E.Utf8Count += 1;
    if (E.Utf8Count < E.Utf8Expected) return false;
    E.Utf8Active = false;
    *code = E.Utf8Value;
    return true;
}

static void StoreByte(uint8_t ch)
{
    ScreenBufferRecord &S = ScreenBuffer;
    // TermSetColumns and TermSetLineCapacity may leave the cursor one past
    // the end of the store: the write wraps and scrolls first.
    if (S.CursorColumn >= S.ColumnCount) {
        S.CursorColumn = 0;
        NextRow();
    }
    while (S.CursorRow >= S.LineCapacity) ScrollStore();

    ScreenLine &line = S.Lines[S.CursorRow];
    const int column = S.CursorColumn;
    while (line.Length < column) {
        int c = line.Length;
        line.Chars[c] = ' ';
        line.Attrs[c] = 0;
        line.Fore[c] = S.ScreenFore;
        line.Back[c] = S.ScreenBack;
        line.Length = c + 1;
    }

    uint16_t code;
    if (!DecodeUtf8(ch, &code)) return;

    line.Chars[column] = code;
    line.Attrs[column] = S.TextAttributes;
    line.Fore[column] = S.CurrentFore;
    line.Back[column] = S.CurrentBack;
    if (column == line.Length) line.Length = column + 1;
    S.RepaintDirty = true;
    S.CursorColumn = column + 1;
    if (S.CursorColumn >= S.ColumnCount) {
        S.CursorColumn = 0;
        NextRow();
    }
    PlatWindowHideCaretForWrite();
}

static void ControlByte(uint8_t ch)
{
    ScreenBufferRecord &S = ScreenBuffer;
    switch (ch) {
    case 0x07:
        if (TermBellAllowed(PlatTickCount())) PlatBeep();
        break;
    case 0x08:
        TermGoto(S.CursorColumn - 1, S.CursorRow);
        break;
    case 0x09:
        // At least one cell; a wrap to column 0 ends the tab too.
        TermPutCharLocked(' ');
        while (S.CursorColumn % 8 != 0) TermPutCharLocked(' ');
        break;
    case 0x0A:
        NextRow();
        break;
    case 0x0C:
        TermClearScreen();
        break;
    case 0x0D:
        S.CursorColumn = 0;
        break;
    case 0x1B:
        EscapeState.EscPending = true;
        break;
    default:
        break;
    }
}

// The escape forms: ESC letter x and ESC $ x show nothing, ESC [ collects a
// control sequence. True when the byte was taken by one of them.
static bool EscapeByte(uint8_t ch)
{
    EscapeStateRecord &E = EscapeState;
    if (E.EscPending) {
        E.EscPending = false;
        if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) {
            E.SkipAfterLetter = true;
        } else if (ch == '$') {
            E.SkipAfterDollar = true;
        } else if (ch == '[') {
            E.InCsi = true;
            E.CsiLength = 0;
            E.CsiBuffer[0] = 0;
        }
        return true;
    }
    if (E.SkipAfterLetter) {
        E.SkipAfterLetter = false;
        return true;
    }
    if (E.SkipAfterDollar) {
        E.SkipAfterDollar = false;
        return true;
    }
    if (!E.InCsi) return false;
    if (E.CsiLength < CsiBufferSize - 1) {
        E.CsiBuffer[E.CsiLength++] = static_cast<char>(ch);
        E.CsiBuffer[E.CsiLength] = 0;
    }
    if (ch >= 0x40 && ch <= 0x7E) {
        char text[CsiBufferSize];
        std::memcpy(text, E.CsiBuffer, sizeof text);
        E.CsiLength = 0;
        E.CsiBuffer[0] = 0;
        E.InCsi = false;
        TermRunControlSequence(text);
    }
    return true;
}

static void EndOfWrite()
{
    ScreenBufferRecord &S = ScreenBuffer;
    if (S.CursorRow >= S.LineCapacity) {
        // More than once only after the capacity was lowered under the cursor.
        while (S.CursorRow >= S.LineCapacity) ScrollStore();
    } else if (ViewFollows) {
        S.TopLine += 1;
        S.RepaintDirty = true;
        S.ScrollInfoDirty = true;
    }
    ViewFollows = false;
    if (S.CursorRow >= S.LineCount) {
        S.LineCount = S.CursorRow + 1;
        S.ScrollInfoDirty = true;
    }
    S.CaretDirty = true;
}

// One byte under ScreenLock, with the end of write. The tab's spaces come
// here directly: they must not wait for a pause while the lock is held.
static void TermPutCharLocked(uint8_t ch)
{
    ViewFollows = false;
    if (!EscapeByte(ch)) {
        if (ch < 0x20)
            ControlByte(ch);
        else
            StoreByte(ch);
    }
    EndOfWrite();
}

void TermPutChar(uint8_t ch)
{
    // Output stops while the user pauses or selects; the lock is not held.
    while (!WindowClosed && (OutputPaused || Selecting)) PlatSleepMs(1);
    if (WindowClosed && !ProgramPumpedMessages && !ExitInProgress) PlatExit(1);
    ScreenLockEnter();
    TermPutCharLocked(ch);
    ScreenLockLeave();
}
