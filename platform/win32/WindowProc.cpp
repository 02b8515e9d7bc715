// The window procedure of the terminal window.
#include "WindowWin32.h"

#include "ZemriSub/ZemriSubPC.h"

static int PointX(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
static int PointY(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

static bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

static void Scrolled(HWND window)
{
    UpdateView(window);
    InvalidateRect(window, nullptr, FALSE);
}

static void MinMaxInfo(MINMAXINFO *info)
{
    int w = 0, h = 0;
    OuterSizeForCells(10, 10, &w, &h);
    info->ptMinTrackSize.x = w;
    info->ptMinTrackSize.y = h;
    OuterSizeForCells(ScreenBuffer.ColumnCount + 1, 10, &w, &h);
    info->ptMaxTrackSize.x = w;
}

// The caret type of the last MSG_SET_CARET of a burst: the further ones
// waiting in the queue are taken out, and the newest type wins.
static int LatestCaretType(HWND window, int type)
{
    MSG msg;
    while (PeekMessageA(&msg, window, MSG_SET_CARET, MSG_SET_CARET, PM_REMOVE))
        type = static_cast<int>(msg.wParam);
    return type;
}

static void FontChanged(HWND window)
{
    MSG msg;
    while (PeekMessageA(&msg, window, MSG_FONT_CHANGED, MSG_FONT_CHANGED, PM_REMOVE)) {
    }
    ScreenLockEnter();
    DeleteFonts();
    CreateFonts();
    MeasureCell(window);
    ScreenLockLeave();
    if (HasFocus && !CaretOff) ApplyCaretType(window, CaretType);
}

static void Paint(HWND window)
{
    ScreenLockEnter();
    PaintWindow(window);
    PlaceCaret();
    if (CaretHideRequest.exchange(false)) HideCaret(window);
    if (!CaretOff && HasFocus && CaretHidden) {
        ShowCaret(window);
        CaretHidden = false;
    }
    ScreenLockLeave();
}

static void OnKeyDown(WPARAM wParam)
{
    TermWindowKeyDown(static_cast<int>(wParam), KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), KeyHeld(VK_MENU));
}

static void OnChar(HWND window, WPARAM wParam)
{
    switch (TermWindowChar(static_cast<uint8_t>(wParam & 0xFF))) {
    case CharCopy: CopySelection(window); break;
    case CharPauseToggled: InvalidateRect(window, nullptr, FALSE); break;
    default: break;
    }
}

static void Timer(HWND window, WPARAM id)
{
    if (id != BlinkTimerId || !BlinkUsed) return;
    InvalidateRect(window, nullptr, FALSE);
    SetTimer(window, BlinkTimerId, 375 - TermMilliClock() % 375, nullptr);
}

LRESULT CALLBACK TermWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateFonts();
        MeasureCell(window);
        return 0;
    case WM_DESTROY:
        if (BlinkUsed) KillTimer(window, BlinkTimerId);
        DeleteFonts();
        PostQuitMessage(0);
        WindowClosed = true;
        return 0;
    case WM_CLOSE: WindowClosed = true; return 0;
    case WM_QUERYENDSESSION: WindowClosed = true; return 1;
    case WM_QUIT:
        WindowClosed = true;
        ExitCode = static_cast<int>(wParam);
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: UpdateView(window); return 0;
    case WM_EXITSIZEMOVE: GeometryChanged = true; return 0;
    case WM_GETMINMAXINFO: MinMaxInfo(reinterpret_cast<MINMAXINFO *>(lParam)); return 0;
    case WM_SETFOCUS:
        HasFocus = true;
        CaretHidden = false;
        CaretHideRequest = false;
        if (!CaretOff) ApplyCaretType(window, CaretType);
        return 0;
    case WM_KILLFOCUS:
        HasFocus = false;
        if (!CaretOff) DestroyCaret();
        return 0;
    case WM_PAINT: Paint(window); return 0;
    case WM_TIMER: Timer(window, wParam); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_KEYUP: TermWindowKeyUp(); return 0;
    case WM_CHAR: OnChar(window, wParam); return 0;
    case WM_VSCROLL:
        if (TermScrollVertical(LOWORD(wParam), HIWORD(wParam))) Scrolled(window);
        return 0;
    case WM_HSCROLL:
        if (TermScrollHorizontal(LOWORD(wParam), HIWORD(wParam))) Scrolled(window);
        return 0;
    case WM_MOUSEWHEEL:
        if (!(GET_KEYSTATE_WPARAM(wParam) & (MK_SHIFT | MK_CONTROL))) {
            TermWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            Scrolled(window);
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(window);
        if (!KeyHeld(VK_SHIFT) && !KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU)) {
            TermSelectionStart(PointX(lParam), PointY(lParam), CellWidth, CellHeight);
            Selecting = true;
        }
        return 0;
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) && Selecting)
            TermSelectionExtend(PointX(lParam), PointY(lParam), CellWidth, CellHeight);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        if (Selecting) {
            TermSelectionExtend(PointX(lParam), PointY(lParam), CellWidth, CellHeight);
            Selecting = false;
        }
        return 0;
    case WM_RBUTTONDOWN: CopySelection(window); return 0;
    case MSG_FONT_CHANGED: FontChanged(window); return 0;
    case MSG_SET_CARET:
        ApplyCaretType(window, LatestCaretType(window, static_cast<int>(wParam)));
        return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
