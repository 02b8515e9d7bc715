// The Win32 terminal window: the window thread with its 10 ms loop, the
// view and scroll bars, the caret.
#include "WindowWin32.h"

#include <algorithm>
#include <cstring>

#include "ZemriSub/ZemriSubPC.h"

HINSTANCE TermInstance = nullptr;
std::atomic<HWND> TermWindowHandle{nullptr};
char FontFace[256] = "Lucida Console";
int FontHeight = -12;
std::atomic<bool> HasFocus{false};
int CaretType = 0;
std::atomic<bool> CaretOff{false};
std::atomic<bool> CaretHidden{false};
std::atomic<bool> CaretHideRequest{false};
int CaretOffsetX = 0, CaretOffsetY = 0;
std::atomic<bool> BlinkUsed{false};
bool VScrollEnabled = false, HScrollEnabled = false;

static const char ClassName[] = "ZemriApp";
static const char Caption[] = "Win32Zemri";

static void ApplyBar(HWND window, int bar, const ScrollBarState &state, bool *enabled)
{
    if (state.Needed != *enabled) {
        EnableScrollBar(window, bar, state.Needed ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
        *enabled = state.Needed;
    }
    if (!state.Needed) return;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = state.Max;
    info.nPage = static_cast<UINT>(state.Page > 0 ? state.Page : 0);
    info.nPos = state.Pos;
    SetScrollInfo(window, bar, &info, TRUE);
}

void UpdateView(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    ScrollBarState vertical, horizontal;
    TermViewUpdate(client.right - client.left, client.bottom - client.top, CellWidth, CellHeight,
                   &vertical, &horizontal);
    ApplyBar(window, SB_VERT, vertical, &VScrollEnabled);
    ApplyBar(window, SB_HORZ, horizontal, &HScrollEnabled);
}

void PlaceCaret()
{
    if (CaretOff || !HasFocus) return;
    const ScreenBufferRecord &S = ScreenBuffer;
    SetCaretPos((S.CursorColumn - S.LeftColumn) * CellWidth + CaretOffsetX,
                (S.CursorRow - S.TopLine) * CellHeight + CaretOffsetY);
}

void ApplyCaretType(HWND window, int type)
{
    int cw = CellWidth, ch = CellHeight;
    switch (type) {
    case CaretUnderline:
        CaretOff = false;
        CaretOffsetX = 0;
        CaretOffsetY = ch - 2;
        if (HasFocus) CreateCaret(window, nullptr, cw, 2);
        break;
    case CaretBar:
        CaretOff = false;
        CaretOffsetX = CaretOffsetY = 0;
        if (HasFocus) CreateCaret(window, nullptr, 2, ch);
        break;
    case CaretBlock:
        CaretOff = false;
        CaretOffsetX = CaretOffsetY = 0;
        if (HasFocus) CreateCaret(window, nullptr, cw, ch);
        break;
    case CaretHiddenType:
        CaretOff = true;
        if (HasFocus) DestroyCaret();
        break;
    default: break;  // remembered, changes nothing
    }
    CaretType = type;
    PlaceCaret();
    if (!CaretOff && HasFocus && !CaretHidden) ShowCaret(window);
}

void OuterSizeForCells(int columns, int rows, int *width, int *height)
{
    RECT rect = {0, 0, columns * CellWidth, rows * CellHeight};
    AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    *width = rect.right - rect.left + GetSystemMetrics(SM_CXHSCROLL);
    *height = rect.bottom - rect.top + GetSystemMetrics(SM_CXVSCROLL);
}

static int Fail(const char *text)
{
    MessageBoxA(nullptr, text, Caption, MB_TOPMOST | MB_TASKMODAL);
    ExitCode = 1;
    WindowClosed = true;
    DebugPrint("TTY Stopped");
    return -1;
}

static bool RegisterWindowClass()
{
    HINSTANCE instance = TermInstance ? TermInstance : GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = 0;
    wc.lpfnWndProc = TermWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(101));
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(101));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = ClassName;
    return RegisterClassExA(&wc) != 0;
}

static void SetDefaults()
{
    ScreenBufferRecord &S = ScreenBuffer;
    ScreenLockEnter();
    S.LineCapacity = LineStorage;
    S.ColumnCount = 120;
    std::strcpy(FontFace, "Lucida Console");
    FontHeight = -12;
    S.ScreenFore = 0xFFFFFF;
    S.ScreenBack = 0x000000;
    S.CurrentFore = S.ScreenFore.load();
    S.CurrentBack = S.ScreenBack.load();
    ScreenLockLeave();
}

int TermWindowThread(const char *title)
{
    DebugPrint("TTY Started");
    if (!RegisterWindowClass()) return Fail("Call to RegisterClassEx failed!");
    SetDefaults();
    HINSTANCE instance = TermInstance ? TermInstance : GetModuleHandleA(nullptr);
    HWND window = CreateWindowExA(0, ClassName, title ? title : "",
                                  WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return Fail("Call to CreateWindowEx failed!");
    TermWindowHandle = window;
    PlatWindowSizeCells(ScreenBuffer.ColumnCount, 60);
    WindowReady = true;
    ScreenBufferRecord &S = ScreenBuffer;
    while (!WindowClosed) {
        if (S.ScrollInfoDirty) {
            ScreenLockEnter();
            S.ScrollInfoDirty = false;
            UpdateView(window);
            ScreenLockLeave();
        }
        uint32_t blinkDelay = BlinkArmDelay.exchange(0);
        if (blinkDelay) SetTimer(window, BlinkTimerId, blinkDelay, nullptr);
        // A writer asked for the caret to be hidden until the next paint.
        if (CaretHideRequest.exchange(false)) HideCaret(window);
        if (S.CaretDirty) {
            ScreenLockEnter();
            S.CaretDirty = false;
            PlaceCaret();
            ScreenLockLeave();
        }
        if (S.RepaintDirty) {
            S.RepaintDirty = false;
            InvalidateRect(window, nullptr, FALSE);
        }
        MSG msg;
        while (!WindowClosed && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        SleepEx(10, TRUE);
    }
    ReadersStop = true;
    DestroyWindow(window);
    TermWindowHandle = nullptr;
    DebugPrint("TTY Stopped");
    return 0;
}
