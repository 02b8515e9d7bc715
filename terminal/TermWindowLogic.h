// The window's behaviour that does not depend on the window system: the
// view and its scroll bars, scrolling and the wheel, block selection and the
// copied text, the key map and the typed characters, the blink phase and
// painting by runs of equal cells. Both window implementations (Win32 and
// SDL) drive these from their own events and draw through a TermPainter.
#pragma once
#include <cstdint>
#include <string>

#include "terminal/Term.h"

// ------------------------------------------------------------- the view

struct ScrollBarState {
    bool Needed;
    int Max;    // range is 0..Max
    int Page;
    int Pos;
};

// From the client size in pixels: VisibleRows/VisibleColumns (a partly
// visible cell counted), TopLine/LeftColumn pulled back into the store, and
// the two bars' state. The cell size must be positive.
void TermViewUpdate(int clientWidth, int clientHeight, int cellWidth, int cellHeight,
                    ScrollBarState *vertical, ScrollBarState *horizontal);

// Scroll-bar request codes, with the values of the Win32 SB_* codes.
constexpr int ScrollLineUp = 0;
constexpr int ScrollLineDown = 1;
constexpr int ScrollPageUp = 2;
constexpr int ScrollPageDown = 3;
constexpr int ScrollThumbPosition = 4;
constexpr int ScrollThumbTrack = 5;
constexpr int ScrollTop = 6;
constexpr int ScrollBottom = 7;

// Largest TopLine that still shows the last line.
int TermMaxTopLine();
// One scroll request; true when the code is known (the caller then updates
// the view and repaints). position is the thumb position.
bool TermScrollVertical(int code, int position);
bool TermScrollHorizontal(int code, int position);
// Mouse-wheel delta (120 a notch, positive away from the user): two lines
// a notch, smaller deltas add up. The caller updates the view and repaints.
void TermWheel(int delta);
void TermWheelReset();

// -------------------------------------------------------- the selection

// A point of the client area (pixels) as a cell of the store.
void TermPointToCell(int x, int y, int cellWidth, int cellHeight, int *row, int *column);
// Start a drag at a point / move its end to a point; both set RepaintDirty.
void TermSelectionStart(int x, int y, int cellWidth, int cellHeight);
void TermSelectionExtend(int x, int y, int cellWidth, int cellHeight);
bool TermSelectionExists();
// The selected block as clipboard text: one byte per cell (the low 8 bits
// of the character), CR LF after every line. Empty without a selection.
std::string TermSelectionText();

// ------------------------------------------------------------- the keys

// Virtual keys, with the values of the Win32 VK_* codes.
constexpr int KeyCancel = 0x03;   // Ctrl+Break
constexpr int KeyEscape = 0x1B;
constexpr int KeyPrior = 0x21;
constexpr int KeyNext = 0x22;
constexpr int KeyEnd = 0x23;
constexpr int KeyHome = 0x24;
constexpr int KeyLeft = 0x25;
constexpr int KeyUp = 0x26;
constexpr int KeyRight = 0x27;
constexpr int KeyDown = 0x28;
constexpr int KeyInsert = 0x2D;
constexpr int KeyDelete = 0x2E;
constexpr int KeyF1 = 0x70;       // F1..F12 are 0x70..0x7B

struct KeyMapRow {
    int VirtualKey;
    char Text[11];
};

constexpr int KeyMapCount = 23;
extern const KeyMapRow KeyMap[KeyMapCount];

// A key went down. A mapped special key without modifiers pushes ESC [ and
// its text (once until the next key-up); Ctrl+Break (Ctrl alone) sets
// WindowClosed and, unless an exit is in progress, ends the process with
// status 1.
void TermWindowKeyDown(int virtualKey, bool shift, bool ctrl, bool alt);
void TermWindowKeyUp();

// A typed character: what the window must do with it.
constexpr int CharPushed = 0;       // went into the key queue
constexpr int CharCopy = 1;         // Ctrl+C: copy the selection
constexpr int CharPauseToggled = 2; // Ctrl+S: OutputPaused toggled, repaint all
int TermWindowChar(uint8_t ch);

// ----------------------------------------------------------- painting

// Font variants; a variant whose space differs from the cell is unusable.
constexpr int FontNormalVariant = 0;
constexpr int FontUnderlineVariant = 1;
constexpr int FontBoldVariant = 2;
constexpr int FontItalicVariant = 3;

// The blink phase: on for the first 375 ms of each 750 ms.
bool TermBlinkPhaseOn(uint32_t milliClock);

// What the window draws with. Coordinates are client pixels.
struct TermPainter {
    // Fill a rectangle.
    void (*Fill)(void *context, int x, int y, int width, int height, TermColour colour);
    // Draw count characters clipped to the rectangle, the background opaque.
    void (*Text)(void *context, int x, int y, int width, int height, const uint16_t *chars,
                 int count, TermColour text, TermColour background, int font);
    // A 1-pixel line from (x0, y0) to (x1, y1), the end point not drawn.
    void (*Line)(void *context, int x0, int y0, int x1, int y1, TermColour colour);
    void *Context;
};

// The colours and font of one run of equal cells.
struct RunLook {
    TermColour Text;
    TermColour Background;
    TermColour LineColour;
    int Font;
};

RunLook TermRunLook(uint16_t attrs, TermColour fore, TermColour back, bool selected,
                    bool paused, bool blinkOn, const bool unusable[4]);

// Paints the rows of the view that meet the update band updateTop..
// updateBottom (pixels, bottom exclusive) of a client area clientWidth wide.
// The caller holds ScreenLock.
void TermPaintView(const TermPainter *painter, int clientWidth, int updateTop, int updateBottom,
                   int cellWidth, int cellHeight, bool blinkOn, const bool unusable[4]);
