// A small program for the terminal window: coloured text in both palettes,
// the 256-colour table, UTF-8, cursor moves, output through the standard
// streams, and every key it receives shown as hexadecimal bytes.
//
// The layout is fixed so that a screenshot can be checked cell by cell:
//   rows 1-2, columns 1-10: a magenta block (the marker: origin and cell size)
//   row 4: the normal palette as backgrounds, 4 cells per colour (ESC[40m..47m)
//   row 5: the bright palette the same way (ESC[1;40m..47m)
//   row 6: "Colours:" in the eight foreground colours
//   rows 8-15: the 256-colour table (16 system colours, the 6x6x6 cube in
//   six rows of 36, the 24 greys), 2 cells per colour
//   row 17: UTF-8 text; row 18: attributes and cell lines; row 20: cursor moves
//   rows 22-23: a line through standard output and one through standard error
//   row 25 on: the keys; the key n adds 60 numbered lines (to scroll).
// TERMDEMO_KEYLOG names a file that receives "ready" and then each key byte
// as two hex digits and a space.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"
#include "terminal/AppMain.h"
#include "terminal/Console.h"
#include "terminal/Term.h"

static void Put(const char *text)
{
    while (*text) ConsolePutChar(static_cast<uint8_t>(*text++));
}

static void PutHex(uint8_t byte)
{
    static const char digits[] = "0123456789ABCDEF";
    ConsolePutChar(static_cast<uint8_t>(digits[byte >> 4]));
    ConsolePutChar(static_cast<uint8_t>(digits[byte & 15]));
}

static void At(int row, int column)
{
    char text[32];
    std::snprintf(text, sizeof text, "\x1b[%d;%dH", row, column);
    Put(text);
}

// Waits (at most a second) until the cursor stands at or beyond the given
// line and column of the store: how far a reader thread has come.
static void WaitForCursor(int line, int column)
{
    for (int i = 0; i < 100; ++i) {
        ScreenLockEnter();
        bool there = ScreenBuffer.CursorRow > line ||
                     (ScreenBuffer.CursorRow == line && ScreenBuffer.CursorColumn >= column);
        ScreenLockLeave();
        if (there) return;
        PlatSleepMs(10);
    }
}

static void PaletteRows()
{
    At(4, 1);
    for (int i = 0; i < 8; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "\x1b[0;4%dm    ", i);
        Put(text);
    }
    At(5, 1);
    for (int i = 0; i < 8; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "\x1b[0;1;4%dm    ", i);
        Put(text);
    }
    Put("\x1b[0;40m");
    At(6, 1);
    Put("Colours:");
    static const char *const names[8] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
    for (int i = 1; i < 8; ++i) {
        char text[40];
        std::snprintf(text, sizeof text, " \x1b[3%dm%s\x1b[1m*\x1b[0m", i, names[i]);
        Put(text);
    }
    Put("\x1b[37m");
}

static void Table256()
{
    char text[32];
    At(8, 1);
    for (int i = 0; i < 16; ++i) {
        std::snprintf(text, sizeof text, "\x1b[48;5;%dm  ", i);
        Put(text);
    }
    for (int r = 0; r < 6; ++r) {
        At(9 + r, 1);
        for (int c = 0; c < 36; ++c) {
            std::snprintf(text, sizeof text, "\x1b[48;5;%dm  ", 16 + 36 * r + c);
            Put(text);
        }
    }
    At(15, 1);
    for (int k = 0; k < 24; ++k) {
        std::snprintf(text, sizeof text, "\x1b[48;5;%dm  ", 232 + k);
        Put(text);
    }
    Put("\x1b[40m");
}

static void TextRows()
{
    At(17, 1);
    Put("UTF-8: \xc3\xa9t\xc3\xa9 \xc3\xbc \xc3\x9f \xe2\x82\xac \xe2\x98\xba \xe2\x86\x92 \xe2\x98\x85 \xce\xa9");
    At(18, 1);
    Put("\x1b[4munderline\x1b[0m \x1b[1mbold\x1b[0m \x1b[3mitalic\x1b[0m \x1b[7mreverse\x1b[0m "
        "\x1b[5mblink\x1b[0m \x1b[123;124;125;126mframed\x1b[0m");
    // Cursor moves: write, move right and back up, save and restore.
    At(20, 1);
    Put("Cursor:");
    Put("\x1b[s\x1b[1B\x1b[5Cdown\x1b[u\x1b[20C<saved+20");
    At(20, 60);
    Put("\x1b[32mat 20,60\x1b[37m");
}

static FILE *KeyLog = nullptr;

static void LogText(const char *text)
{
    if (!KeyLog) return;
    std::fputs(text, KeyLog);
    std::fflush(KeyLog);
}

int AppMain(int, char **)
{
    RunModuleInitialisers();
    TermSetColumns(100);
    TermClearScreen();
    TermSetTitle(StringConstant("termdemo"));
    TermPlaceWindow(0, 0, 100, 40);
    At(1, 1);
    Put("\x1b[48;5;201m          \x1b[40m Tavrel terminal demo");
    At(2, 1);
    Put("\x1b[48;5;201m          \x1b[40m");
    PaletteRows();
    Table256();
    TextRows();
    At(22, 1);
    // Through the pipes of the standard streams (each starts a new line).
    // The colour is shared by every writer, so one line at a time: each
    // reader shows its whole line before the next one starts, and the colour
    // goes back to normal from here once both are shown.
    std::printf("\x1b[36mstdout: through the pipe\n");
    std::fflush(stdout);
    WaitForCursor(22, 24);
    std::fprintf(stderr, "\x1b[31mstderr: through the pipe\n");
    std::fflush(stderr);
    WaitForCursor(23, 24);
    Put("\x1b[37m");
    At(25, 1);
    Put("Keys (hex); Ctrl+Break closes:");
    At(26, 1);
    const char *logName = std::getenv("TERMDEMO_KEYLOG");
    if (logName && *logName) KeyLog = std::fopen(logName, "w");
    LogText("ready\n");
    for (;;) {
        uint8_t key = ConsoleGetKey();
        PutHex(key);
        ConsolePutChar(' ');
        char text[4];
        std::snprintf(text, sizeof text, "%02X ", key);
        LogText(text);
        if (key == 'n') {
            for (int i = 1; i <= 60; ++i) {
                std::snprintf(text, sizeof text, "%d", i % 100);
                Put("\r\nline ");
                Put(text);
            }
            Put("\r\n");
        }
    }
}
