// The terminal window as the rest of the terminal sees it. The window thread
// (TermWindowThread) owns the window; every other thread reaches it only
// through these calls. Each call is safe from any thread and is a harmless
// no-op (or returns failure) while no window exists, so the terminal's
// operations can be exercised without one.
//
// Ownership of the shared state:
//   - terminal/ owns the screen store, ScreenLock, the dirty flags, the key
//     queue (TermKeyPush) and the flags WindowClosed, ExitInProgress,
//     ProgramPumpedMessages, OutputPaused, Selecting and GeometryChanged;
//     the window reads and writes them through the terminal's headers.
//     [note from the terminal side] terminal/Term.h declares them: the record
//     ScreenBuffer (Lines, LineCount, TopLine, Sel*, the three dirty flags, ...),
//     ScreenLockInit/ScreenLockEnter/ScreenLockLeave, the flags above (std::atomic),
//     TermKeyPush and TermKeyPushBytes (a whole special-key sequence at once),
//     TermMilliClock (blink phase), TermSizeWindow, TermShowWindow. The terminal
//     defines WindowClosed..GeometryChanged; the window defines what is below.
//   - the window owns everything declared below, including the flags of the
//     process entry (WindowReady, ReadersStop, ExitCode) and the cell size.
#pragma once
#include <atomic>
#include <cstdint>

// Show commands, with the values of the Win32 SW_* constants.
constexpr int PlatShowHide = 0;
constexpr int PlatShowNormal = 1;       // also brings the window to the front
constexpr int PlatShowMinimized = 2;
constexpr int PlatShowMaximized = 3;
constexpr int PlatShowNoActivate = 4;
constexpr int PlatShowShow = 5;
constexpr int PlatShowMinimize = 6;
constexpr int PlatShowRestore = 9;

// Caret types (MSG_SET_CARET's parameter).
constexpr int CaretUnderline = 0;
constexpr int CaretBar = 1;
constexpr int CaretBlock = 2;
constexpr int CaretHiddenType = 3;

// Flags of the process entry and the window thread.
extern std::atomic<bool> WindowReady;   // the window exists
extern std::atomic<bool> ReadersStop;   // the standard-stream readers stop
extern std::atomic<int> ExitCode;       // returned by the process entry

// Extent of one cell in pixels (0 until the window has measured its font).
extern std::atomic<int> CellWidth;
extern std::atomic<int> CellHeight;

// The window thread's body: creates the window, runs the 10 ms loop until
// WindowClosed, destroys the window. 0 after a normal end, -1 when the
// window could not be made (then ExitCode is 1 and WindowClosed is set).
int TermWindowThread(const char *title);

bool PlatWindowExists();

// ShowWindow with a show command (PlatShow*).
void PlatWindowShow(int showCommand);
// Window title (null gives an empty title).
void PlatWindowSetTitle(const char *text);
// The whole window in screen pixels, repainting.
void PlatWindowMove(int x, int y, int width, int height);
// Outer rectangle in screen pixels; false (outputs 0) without a window.
bool PlatWindowGetRect(int *x, int *y, int *width, int *height);
// Outer size of a window whose client area holds columns x rows cells plus
// the two scroll bars; 0 x 0 without a window.
void PlatWindowOuterSize(int columns, int rows, int *width, int *height);
// Move to (x, y) with the outer size for columns x rows cells.
void PlatWindowPlace(int x, int y, int columns, int rows);
// The outer size for columns x rows cells, keeping the top-left corner.
void PlatWindowSizeCells(int columns, int rows);
// Post the caret type to the window (coalesced by the window thread).
void PlatWindowPostCaretType(int type);
// Store the font face (at most 255 characters) and height (Win32 sense:
// negative is the character height in pixels) and post the font change
// (coalesced). The caller holds ScreenLock.
void PlatWindowSetFont(const char *face, int height);
// Make the window a child of parent (an opaque native window handle) or,
// with 0, a top-level window again.
void PlatWindowEmbed(uintptr_t parent);
// Blink support for the attribute setter: marks blink as used (when
// blinkUsed) and re-arms the blink timer to fire after delayMs.
void PlatWindowArmBlinkTimer(bool blinkUsed, uint32_t delayMs);
// The writer stores text: hide the caret until the next paint (only if the
// caret is on, the window has the focus and it is not hidden yet).
void PlatWindowHideCaretForWrite();

// Pump the calling thread's own message queue (the program thread owns no
// terminal window, but its message boxes need their messages dispatched):
// every waiting message is dispatched, stopping when WindowClosed becomes
// set. onEach runs before each dispatch (may be null). Returns whether
// anything was dispatched.
bool PlatPumpThreadMessages(void (*onEach)());

// A modal message box on top of everything (MB_TOPMOST | MB_TASKMODAL on
// Windows, SDL's message box elsewhere, standard error without a display).
void PlatWindowMessageBox(const char *text, const char *caption);
// The exclamation beep.
void PlatBeep();
