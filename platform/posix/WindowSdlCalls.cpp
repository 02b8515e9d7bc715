// The window calls of the other threads. SDL wants its window used from the
// thread that made it, so a call becomes a request that the window thread
// runs on its next pass; the caller waits for it (as a cross-thread Win32
// call waits for the window's thread). Caret types and font changes are
// posted without waiting, and a burst of them is handled once.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

#include "WindowSdl.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

std::atomic<bool> WindowReady{false};
std::atomic<bool> ReadersStop{false};
std::atomic<int> ExitCode{0};
std::atomic<int> CellWidth{0};
std::atomic<int> CellHeight{0};

enum RequestKind { RequestShow, RequestTitle, RequestMove, RequestPlace, RequestSizeCells };

struct WindowRequest {
    RequestKind Kind;
    int A, B, C, D;
    std::string Text;
    uint64_t Serial;
};

static std::mutex RequestMutex;
static std::condition_variable RequestDone;
static std::deque<WindowRequest> Requests;
static uint64_t NextSerial = 1;
static uint64_t DoneSerial = 0;
static std::atomic<int> PendingCaret{-1};
static std::atomic<bool> PendingFont{false};
static std::atomic<uint32_t> WindowThreadId{0};

static void OwnGeometry() { Sdl.OwnGeometryUntil = SDL_GetTicks() + 2 * GeometrySettleMs; }

static void MoveOuter(int x, int y, int width, int height)
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(Sdl.Window, &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;
    OwnGeometry();
    SDL_SetWindowPosition(Sdl.Window, x + left, y + top);
    SDL_SetWindowSize(Sdl.Window, std::max(width - left - right, 1), std::max(height - top - bottom, 1));
    SdlCacheGeometry();
    SdlUpdateView();
    Sdl.NeedPaint = true;
}

static void Show(int command)
{
    switch (command) {
    case PlatShowHide: SDL_HideWindow(Sdl.Window); break;
    case PlatShowMinimized:
    case PlatShowMinimize: SDL_ShowWindow(Sdl.Window); SDL_MinimizeWindow(Sdl.Window); break;
    case PlatShowMaximized: SDL_ShowWindow(Sdl.Window); SDL_MaximizeWindow(Sdl.Window); break;
    case PlatShowRestore: SDL_ShowWindow(Sdl.Window); SDL_RestoreWindow(Sdl.Window); break;
    case PlatShowNormal:
        SDL_ShowWindow(Sdl.Window);
        SDL_RestoreWindow(Sdl.Window);
        SDL_RaiseWindow(Sdl.Window);
        break;
    default: SDL_ShowWindow(Sdl.Window); break;
    }
    Sdl.NeedPaint = true;
}

static void RunRequest(const WindowRequest &r)
{
    if (!Sdl.Window) return;
    int w = 0, h = 0;
    switch (r.Kind) {
    case RequestShow: Show(r.A); break;
    case RequestTitle: SDL_SetWindowTitle(Sdl.Window, r.Text.c_str()); break;
    case RequestMove: MoveOuter(r.A, r.B, r.C, r.D); break;
    case RequestPlace:
        SdlOuterSizeForCells(r.C, r.D, &w, &h);
        MoveOuter(r.A, r.B, w, h);
        break;
    case RequestSizeCells:
        SdlOuterSizeForCells(r.A, r.B, &w, &h);
        OwnGeometry();
        SDL_SetWindowSize(Sdl.Window, w, h);
        SdlCacheGeometry();
        SdlUpdateView();
        Sdl.NeedPaint = true;
        break;
    }
}

void SdlRunRequests()
{
    WindowThreadId = PlatThreadId();
    for (;;) {
        WindowRequest r;
        {
            std::lock_guard<std::mutex> hold(RequestMutex);
            if (Requests.empty()) break;
            r = Requests.front();
            Requests.pop_front();
        }
        if (SdlWindowAlive) RunRequest(r);
        {
            std::lock_guard<std::mutex> hold(RequestMutex);
            DoneSerial = r.Serial;
        }
        RequestDone.notify_all();
    }
    int caret = PendingCaret.exchange(-1);
    if (caret >= 0 && SdlWindowAlive) SdlApplyCaretType(caret);
    if (PendingFont.exchange(false) && SdlWindowAlive) {
        SdlFontsDelete();
        SdlFontsCreate();
        if (!Sdl.CaretOff) SdlApplyCaretType(Sdl.CaretType);
        SdlUpdateSizeLimits();
        SdlUpdateView();
        Sdl.NeedPaint = true;
    }
}

// Runs at once on the window thread; elsewhere queued and waited for.
static void Request(RequestKind kind, int a, int b, int c, int d, const char *text = nullptr)
{
    if (!SdlWindowAlive) return;
    WindowRequest r{kind, a, b, c, d, text ? text : "", 0};
    if (PlatThreadId() == WindowThreadId) {
        RunRequest(r);
        return;
    }
    std::unique_lock<std::mutex> hold(RequestMutex);
    r.Serial = NextSerial++;
    Requests.push_back(r);
    uint64_t serial = r.Serial;
    while (DoneSerial < serial && SdlWindowAlive && !WindowClosed)
        RequestDone.wait_for(hold, std::chrono::milliseconds(20));
}

bool PlatWindowExists() { return SdlWindowAlive; }
void PlatWindowShow(int showCommand) { Request(RequestShow, showCommand, 0, 0, 0); }
void PlatWindowSetTitle(const char *text) { Request(RequestTitle, 0, 0, 0, 0, text ? text : ""); }
void PlatWindowMove(int x, int y, int width, int height) { Request(RequestMove, x, y, width, height); }

bool PlatWindowGetRect(int *x, int *y, int *width, int *height)
{
    bool alive = SdlWindowAlive;
    *x = alive ? SdlCachedX.load() : 0;
    *y = alive ? SdlCachedY.load() : 0;
    *width = alive ? SdlCachedW.load() : 0;
    *height = alive ? SdlCachedH.load() : 0;
    return alive;
}

void PlatWindowOuterSize(int columns, int rows, int *width, int *height)
{
    if (!SdlWindowAlive) {
        *width = *height = 0;
        return;
    }
    SdlOuterSizeForCells(columns, rows, width, height);
}

void PlatWindowPlace(int x, int y, int columns, int rows) { Request(RequestPlace, x, y, columns, rows); }
void PlatWindowSizeCells(int columns, int rows) { Request(RequestSizeCells, columns, rows, 0, 0); }

void PlatWindowPostCaretType(int type)
{
    if (type >= 0) PendingCaret = type;
}

void PlatWindowSetFont(const char *face, int height)
{
    {
        std::lock_guard<std::mutex> hold(RequestMutex);
        Sdl.FontFace.assign(face ? face : "", 0, 255);
        Sdl.FontHeight = height;
    }
    PendingFont = true;
}

// SDL offers no embedding into a foreign window: the window stays top-level.
void PlatWindowEmbed(uintptr_t) {}

void PlatWindowArmBlinkTimer(bool blinkUsed, uint32_t delayMs)
{
    if (blinkUsed) SdlBlinkUsed = true;
    SdlBlinkDue = SDL_GetTicks() + delayMs;
    SdlBlinkArmed = true;
}

void PlatWindowHideCaretForWrite()
{
    if (!Sdl.CaretOff && Sdl.HasFocus && !SdlCaretHidden) SdlCaretHidden = true;
}

// The program thread owns no window on this platform: nothing to pump.
bool PlatPumpThreadMessages(void (*)()) { return false; }

void PlatWindowMessageBox(const char *text, const char *caption)
{
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr) == 0) return;
    // No display: the text goes to the standard error stream.
    std::string line = std::string(caption) + ": " + text + "\n";
    PlatWriteStderr(line.data(), static_cast<int>(line.size()));
}

// SDL has no system beep.
void PlatBeep() {}

// The clipboard of X11 carries UTF-8: a cell's byte above 0x7F is sent as
// that Latin-1 character.
void SdlCopySelection()
{
    std::string bytes = TermSelectionText();
    if (bytes.empty()) return;
    std::string text;
    for (unsigned char ch : bytes) {
        if (ch < 0x80) {
            text.push_back(static_cast<char>(ch));
        } else {
            text.push_back(static_cast<char>(0xC0 | ch >> 6));
            text.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        }
    }
    SDL_SetClipboardText(text.c_str());
}
