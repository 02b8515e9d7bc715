// The terminal: the screen store with its character writer, the key queue,
// and the screen, window and exit operations offered to the rest of the
// program. Everything here works without a window (the window calls are
// harmless then), so the terminal can be exercised in any process.
//
// Threads: any thread may write (TermPutChar and the operations below take
// ScreenLock); the window thread reads the store under ScreenLock and polls
// the three dirty flags. Values that one thread writes without the lock
// while another reads them are std::atomic.
#pragma once
#include <atomic>
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"

// ---------------------------------------------------------------- the store

constexpr int LineStorage = 1000;   // lines of storage, the most LineCapacity allows
constexpr int ColumnStorage = 200;  // cells of storage per line, the most ColumnCount allows

// Colours are 0x00BBGGRR (red in the low byte).
typedef uint32_t TermColour;

// One line of the store. Cells at or beyond Length are not part of it.
struct ScreenLine {
    int32_t Length;
    uint16_t Chars[ColumnStorage];   // UTF-16 code units
    uint16_t Attrs[ColumnStorage];   // TextAttributes of each cell
    TermColour Fore[ColumnStorage];
    TermColour Back[ColumnStorage];
};

// Attribute bits.
constexpr uint16_t ATTR_BLINK = 0x0001;
constexpr uint16_t ATTR_REVERSE = 0x0002;
constexpr uint16_t ATTR_UNDERLINE = 0x0010;
constexpr uint16_t ATTR_BOLD = 0x0020;
constexpr uint16_t ATTR_ITALIC = 0x0040;
constexpr uint16_t ATTR_LINE_TOP = 0x1000;
constexpr uint16_t ATTR_LINE_LEFT = 0x2000;
constexpr uint16_t ATTR_LINE_BOTTOM = 0x4000;
constexpr uint16_t ATTR_LINE_RIGHT = 0x8000;

// The screen store, one per process. Guarded by ScreenLock, except where a
// field says otherwise.
struct ScreenBufferRecord {
    ScreenLine *Lines;       // LineStorage lines, always present
    int LineCapacity;        // most lines kept (1..LineStorage)
    int ColumnCount;         // cells per line (1..ColumnStorage)
    int LineCount;           // lines in use
    int CursorRow;           // index into Lines, not a window row
    int CursorColumn;
    int SavedRow;            // remembered by CSI s
    int SavedColumn;
    // The view: kept by the window thread (also without the lock),
    // advanced by the writer.
    std::atomic<int> TopLine;
    std::atomic<int> LeftColumn;
    std::atomic<int> VisibleRows;     // window size in cells, a partly
    std::atomic<int> VisibleColumns;  // visible cell counted
    // Attributes and colours given to each stored character. Set without
    // the lock by TermSetFore/TermSetBack and read by TermPaletteColour.
    std::atomic<uint16_t> TextAttributes;
    std::atomic<TermColour> CurrentFore;
    std::atomic<TermColour> CurrentBack;
    // Window default colours: padding cells, areas without text, pause.
    std::atomic<TermColour> ScreenFore;
    std::atomic<TermColour> ScreenBack;
    // The selected block of cells, -1 each when there is none. Written by
    // the window thread without the lock, shifted by the writer under it.
    std::atomic<int> SelTop;
    std::atomic<int> SelLeft;
    std::atomic<int> SelBottom;
    std::atomic<int> SelRight;
    // Requests to the window thread: set under the lock, read and cleared
    // by the window thread.
    std::atomic<bool> ScrollInfoDirty;
    std::atomic<bool> CaretDirty;
    std::atomic<bool> RepaintDirty;
};

extern ScreenBufferRecord ScreenBuffer;

// ScreenLock: one recursive lock over the store. It exists from the first
// use on (ScreenLockInit only makes that first use early); it is never
// destroyed. No other lock is taken while holding it, except the clock lock
// of the debug channel.
void ScreenLockInit();
void ScreenLockEnter();
void ScreenLockLeave();

// ------------------------------------------------------ flags between threads

extern std::atomic<bool> WindowClosed;           // the user closed the window
extern std::atomic<bool> ExitInProgress;         // the at-exit handler runs
extern std::atomic<bool> ProgramPumpedMessages;  // the program thread dispatched messages
extern std::atomic<bool> OutputPaused;           // Ctrl+S in the window
extern std::atomic<bool> Selecting;              // a selection drag is in progress
extern std::atomic<bool> GeometryChanged;        // the user ended a move or resize
extern std::atomic<bool> ShownByKeyPoll;         // the first key poll showed the window

// ------------------------------------------------------------- the writer

// Per-thread state of the writer (and the key poll's last pump time): bytes
// of different threads never mix inside one sequence.
constexpr int CsiBufferSize = 80;  // at most 79 bytes and a NUL

struct EscapeStateRecord {
    bool Utf8Active;
    bool InCsi;
    bool SkipAfterDollar;
    bool SkipAfterLetter;
    bool EscPending;
    uint16_t Utf8Value;
    uint32_t LastPumpTime;
    int Utf8Count;
    int Utf8Expected;
    int CsiLength;
    char CsiBuffer[CsiBufferSize];
};

extern thread_local EscapeStateRecord EscapeState;

// The character writer: the only way output enters the store.
void TermPutChar(uint8_t ch);

// Cursor and erasing.
void TermGoto(int column, int row);   // clamped to the store
void TermClearScreen();
void TermEraseText();
void TermEraseLine();
void TermEraseLineStart();
void TermEraseLineEnd();

// Attributes and colours.
void TermSetAttributes(uint16_t word);
void TermSetFore(TermColour colour);  // no lock
void TermSetBack(TermColour colour);  // no lock
TermColour TermPaletteColour(int index);
extern const TermColour NormalPalette[16];
extern const TermColour BrightPalette[16];
extern const TermColour Palette256[256];

// Size of the store.
void TermSetColumns(int n);
void TermSetLineCapacity(int n);

// The caret type for the window (0 underline, 1 bar, 2 block, 3 hidden).
void TermPostCaretType(int type);
// Sees every caret type posted; null unless a test or a diagnostic sets it.
extern void (*CaretTypeTap)(int type);

// The terminal's millisecond clock (system ticks modulo 1,000,000), shared
// by the blink timer and the blink phase.
uint32_t TermMilliClock();

// The bell's rate limit: true for the first ring of the process and for a
// ring more than 10,000 ms after the last one that sounded (now in system
// ticks); records the ring when it sounds.
bool TermBellAllowed(uint32_t now);

// ------------------------------------------------------- control sequences

constexpr int CsiMaxParams = 32;

struct CsiParams {
    int ParamCount;
    int ParamValues[CsiMaxParams];
    char ParamStrings[CsiMaxParams][CsiBufferSize];
};

typedef void (*CsiCommandProc)(const CsiParams *params);

struct CsiCommand {
    char Name[11];
    CsiCommandProc Run;
};

constexpr int CsiCommandCount = 16;
extern const CsiCommand CsiCommandTable[CsiCommandCount];

// Parses the text that followed ESC [ (final byte included) and runs the
// matching command. Called by the writer under ScreenLock.
void TermRunControlSequence(const char *text);
// Select graphic rendition (CSI m).
void TermSelectGraphicRendition(const CsiParams *params);

// --------------------------------------------------------------- the keys

constexpr int KeyQueueSize = 16;

// A ring of 16 bytes: the read index is written only by the reader, the
// write index only by pushers. At most 15 bytes wait.
struct KeyQueueRecord {
    std::atomic<uint8_t> Bytes[KeyQueueSize];
    std::atomic<uint8_t> ReadIndex;
    std::atomic<uint8_t> WriteIndex;
};

extern KeyQueueRecord KeyQueue;

void TermKeyPush(uint8_t ch);
// Pushes a whole sequence (a special key, the position report) so that
// another pusher's bytes never land inside it.
void TermKeyPushBytes(const uint8_t *bytes, int count);
// The reader's side (the program thread only).
bool KeyQueueHasByte();
uint8_t KeyQueueTake();  // only after KeyQueueHasByte
bool TermKeyAvailable();
uint8_t TermGetKey();
uint8_t TermGetKeyEcho();

// ----------------------------------------------------- window and screen

void TermShowWindow(int showCommand);
void TermSetTitle(DynamicString value);
TermColour TermSetTextRGB(int red, int green, int blue);
TermColour TermSetBackRGB(int red, int green, int blue);
void TermSetScreenForeRGB(int red, int green, int blue);
void TermSetScreenBackRGB(int red, int green, int blue);
void TermSetFont(const char *face, int height);
void TermMoveWindow(int x, int y, int width, int height);
void TermPlaceWindow(int x, int y, int columns, int rows);
void TermSizeWindow(int columns, int rows);
void TermGetWindowRect(int *x, int *y, int *width, int *height);
bool TermTakeGeometryChanged();
void TermEmbed(uintptr_t parent);

void TermClearToLineEnd();
void TermGotoOneBased(int x, int y);
int TermCursorColumnOneBased();
int TermCursorRowOneBased();
void TermSetTextIndex(int index);
void TermSetBackIndex(int index);
void TermBrightOn();
void TermBrightOff();
void TermSetCursorShape(int shape);

// Operations that are not provided: each only traces its text.
void TermDelLine();
int TermGetText();
void TermGetTextInfo();
void TermInsLine();
int TermMoveText();
void TermTextAttr();
void TermTextMode();
void TermWindow();
int TermPutText();

// TermSetExitInProgress and TermAbortWait: terminal/Console.h.
