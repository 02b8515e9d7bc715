// The SDL terminal window: the window thread with its 10 ms loop, the view
// and its size limits. The window is created hidden and sized for
// ColumnCount x 60 cells; other threads reach it through requests that this
// thread runs on its next pass (WindowSdlCalls.cpp).
#include "WindowSdl.h"

#include <algorithm>

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

SdlWindowState Sdl = {};
std::atomic<bool> SdlCaretHidden{false};
std::atomic<bool> SdlBlinkUsed{false};
std::atomic<uint32_t> SdlBlinkDue{0};
std::atomic<bool> SdlBlinkArmed{false};
std::atomic<bool> SdlWindowAlive{false};
std::atomic<int> SdlCachedX{0}, SdlCachedY{0}, SdlCachedW{0}, SdlCachedH{0};

void SdlClientSize(int *width, int *height)
{
    int w = 0, h = 0;
    if (Sdl.Window) SDL_GetWindowSize(Sdl.Window, &w, &h);
    *width = std::max(w - ScrollBarSize, 0);
    *height = std::max(h - ScrollBarSize, 0);
}

// The window's own size is its client area: the text plus the two bars.
void SdlOuterSizeForCells(int columns, int rows, int *width, int *height)
{
    *width = columns * CellWidth + ScrollBarSize;
    *height = rows * CellHeight + ScrollBarSize;
}

void SdlUpdateSizeLimits()
{
    if (!Sdl.Window) return;
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    SdlOuterSizeForCells(10, 10, &minW, &minH);
    SdlOuterSizeForCells(ScreenBuffer.ColumnCount + 1, LineStorage, &maxW, &maxH);
    SDL_SetWindowMinimumSize(Sdl.Window, minW, minH);
    SDL_SetWindowMaximumSize(Sdl.Window, maxW, 16384);
}

void SdlUpdateView()
{
    int w = 0, h = 0;
    SdlClientSize(&w, &h);
    TermViewUpdate(w, h, CellWidth, CellHeight, &Sdl.VBar, &Sdl.HBar);
}

// The outer rectangle in screen pixels (the frame drawn by the window
// manager included), kept for the other threads.
void SdlCacheGeometry()
{
    if (!Sdl.Window) return;
    int x = 0, y = 0, w = 0, h = 0, top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowPosition(Sdl.Window, &x, &y);
    SDL_GetWindowSize(Sdl.Window, &w, &h);
    if (SDL_GetWindowBordersSize(Sdl.Window, &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;
    SdlCachedX = x - left;
    SdlCachedY = y - top;
    SdlCachedW = w + left + right;
    SdlCachedH = h + top + bottom;
}

static void Fail(const char *text)
{
    PlatWindowMessageBox(text, "Win32Zemri");
    ExitCode = 1;
    WindowClosed = true;
    DebugPrint("TTY Stopped");
}

static void SetDefaults()
{
    ScreenBufferRecord &S = ScreenBuffer;
    ScreenLockEnter();
    S.LineCapacity = LineStorage;
    S.ColumnCount = 120;
    S.ScreenFore = 0xFFFFFF;
    S.ScreenBack = 0x000000;
    S.CurrentFore = S.ScreenFore.load();
    S.CurrentBack = S.ScreenBack.load();
    ScreenLockLeave();
    Sdl.FontFace = "Lucida Console";
    Sdl.FontHeight = -12;
}

// One pass of the loop: the requests of the dirty flags, other threads'
// requests, the blink tick, the end of a move or resize, the events.
static void Pass()
{
    ScreenBufferRecord &S = ScreenBuffer;
    SdlRunRequests();
    if (S.ScrollInfoDirty) {
        ScreenLockEnter();
        S.ScrollInfoDirty = false;
        SdlUpdateView();
        SdlUpdateSizeLimits();
        ScreenLockLeave();
        Sdl.NeedPaint = true;
    }
    if (S.CaretDirty) {
        S.CaretDirty = false;
        if (!Sdl.CaretOff && Sdl.HasFocus) Sdl.NeedPaint = true;
    }
    if (S.RepaintDirty) {
        S.RepaintDirty = false;
        Sdl.NeedPaint = true;
    }
    // The blink tick: repaint and re-arm for the next multiple of 375 ms.
    if (SdlBlinkUsed && SdlBlinkArmed && SDL_TICKS_PASSED(SDL_GetTicks(), SdlBlinkDue.load())) {
        Sdl.NeedPaint = true;
        SdlBlinkDue = SDL_GetTicks() + 375 - TermMilliClock() % 375;
    }
    if (Sdl.GeometryPending && SDL_GetTicks() - Sdl.LastGeometryEvent >= GeometrySettleMs &&
        !(SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK)) {
        Sdl.GeometryPending = false;
        GeometryChanged = true;
    }
    SDL_Event event;
    while (!WindowClosed && SDL_PollEvent(&event)) SdlHandleEvent(event);
    if (Sdl.NeedPaint && !WindowClosed) {
        Sdl.NeedPaint = false;
        ScreenLockEnter();
        SdlPaint();
        ScreenLockLeave();
    }
}

// Without a display SDL falls back to drivers that show nothing, where
// nobody could read the output or close the window: unless asked for by
// name (SDL_VIDEODRIVER), they count as no window at all.
static bool UsableVideoDriver()
{
    const char *driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    const char *wanted = SDL_getenv("SDL_VIDEODRIVER");
    if (wanted && *wanted) return true;
    return SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0 &&
           SDL_strcmp(driver, "evdev") != 0;
}

int TermWindowThread(const char *title)
{
    DebugPrint("TTY Started");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window surface is drawn in memory: no GL driver is needed.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0 || !UsableVideoDriver()) {
        DebugPrint("TTY SDL: %s", SDL_GetError());
        Fail("Call to RegisterClassEx failed!");
        return -1;
    }
    SetDefaults();
    if (!SdlFontsCreate()) {
        Fail("Call to CreateWindowEx failed!");
        return -1;
    }
    int w = 0, h = 0;
    SdlOuterSizeForCells(ScreenBuffer.ColumnCount, 60, &w, &h);
    Sdl.Window = SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                  w, h, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!Sdl.Window) {
        DebugPrint("TTY SDL: %s", SDL_GetError());
        SdlFontsDelete();
        Fail("Call to CreateWindowEx failed!");
        return -1;
    }
    Sdl.WindowId = SDL_GetWindowID(Sdl.Window);
    SDL_StartTextInput();
    SdlUpdateSizeLimits();
    SdlUpdateView();
    SdlCacheGeometry();
    SdlWindowAlive = true;
    WindowReady = true;
    while (!WindowClosed) {
        Pass();
        PlatSleepMs(10);
    }
    SdlWindowAlive = false;
    ReadersStop = true;
    SdlRunRequests();  // release waiting callers
    SdlFontsDelete();
    SDL_DestroyWindow(Sdl.Window);
    Sdl.Window = nullptr;
    TTF_Quit();
    SDL_Quit();
    DebugPrint("TTY Stopped");
    return 0;
}
