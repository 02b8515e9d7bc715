// The window calls of the other threads, the program thread's pump, the
// message box, the beep and the clipboard copy. Win32 window calls from
// another thread wait for the window thread, which pumps every 10 ms; the
// blink timer and the caret are the window thread's own, so those requests
// are handed to it.
#include <cstring>
#include <string>

#include "WindowWin32.h"

std::atomic<bool> WindowReady{false};
std::atomic<bool> ReadersStop{false};
std::atomic<int> ExitCode{0};
std::atomic<int> CellWidth{0};
std::atomic<int> CellHeight{0};
std::atomic<uint32_t> BlinkArmDelay{0};

bool PlatWindowExists() { return TermWindowHandle.load() != nullptr; }

void PlatWindowShow(int showCommand)
{
    HWND window = TermWindowHandle;
    if (!window) return;
    ShowWindow(window, showCommand);
    if (showCommand == SW_SHOWNORMAL) SetForegroundWindow(window);
}

void PlatWindowSetTitle(const char *text)
{
    HWND window = TermWindowHandle;
    if (window) SetWindowTextA(window, text ? text : "");
}

void PlatWindowMove(int x, int y, int width, int height)
{
    HWND window = TermWindowHandle;
    if (window) MoveWindow(window, x, y, width, height, TRUE);
}

bool PlatWindowGetRect(int *x, int *y, int *width, int *height)
{
    HWND window = TermWindowHandle;
    RECT rect = {0, 0, 0, 0};
    bool ok = window && GetWindowRect(window, &rect);
    if (!ok) rect = RECT{0, 0, 0, 0};
    *x = rect.left;
    *y = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return ok;
}

void PlatWindowOuterSize(int columns, int rows, int *width, int *height)
{
    if (!TermWindowHandle.load()) {
        *width = *height = 0;
        return;
    }
    OuterSizeForCells(columns, rows, width, height);
}

void PlatWindowPlace(int x, int y, int columns, int rows)
{
    HWND window = TermWindowHandle;
    if (!window) return;
    int w = 0, h = 0;
    OuterSizeForCells(columns, rows, &w, &h);
    MoveWindow(window, x, y, w, h, TRUE);
}

void PlatWindowSizeCells(int columns, int rows)
{
    HWND window = TermWindowHandle;
    if (!window) return;
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    int w = 0, h = 0;
    OuterSizeForCells(columns, rows, &w, &h);
    MoveWindow(window, rect.left, rect.top, w, h, TRUE);
}

void PlatWindowPostCaretType(int type)
{
    HWND window = TermWindowHandle;
    if (window) PostMessageA(window, MSG_SET_CARET, static_cast<WPARAM>(type), 0);
}

void PlatWindowSetFont(const char *face, int height)
{
    std::strncpy(FontFace, face ? face : "", sizeof FontFace - 1);
    FontFace[sizeof FontFace - 1] = '\0';
    FontHeight = height;
    HWND window = TermWindowHandle;
    if (window) PostMessageA(window, MSG_FONT_CHANGED, 0, 0);
}

void PlatWindowEmbed(uintptr_t parent)
{
    HWND window = TermWindowHandle;
    if (!window) return;
    HWND owner = reinterpret_cast<HWND>(parent);
    SetParent(window, owner);
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_CHILD | WS_OVERLAPPEDWINDOW);
    style |= owner ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    SetWindowLongPtrA(window, GWL_STYLE, style);
}

void PlatWindowArmBlinkTimer(bool blinkUsed, uint32_t delayMs)
{
    if (blinkUsed) BlinkUsed = true;
    BlinkArmDelay = delayMs > 0 ? delayMs : 1;
}

void PlatWindowHideCaretForWrite()
{
    if (CaretOff || !HasFocus || CaretHidden) return;
    CaretHidden = true;
    CaretHideRequest = true;
}

bool PlatPumpThreadMessages(void (*onEach)())
{
    bool dispatched = false;
    MSG msg;
    while (!WindowClosed && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (onEach) onEach();
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        dispatched = true;
    }
    return dispatched;
}

void PlatWindowMessageBox(const char *text, const char *caption)
{
    MessageBoxA(nullptr, text, caption, MB_TOPMOST | MB_TASKMODAL);
}

void PlatBeep() { MessageBeep(MB_ICONEXCLAMATION); }

void CopySelection(HWND window)
{
    if (!TermSelectionExists()) return;
    if (!OpenClipboard(window)) return;
    EmptyClipboard();
    std::string text = TermSelectionText();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block) {
        char *p = static_cast<char *>(GlobalLock(block));
        if (p) {
            std::memcpy(p, text.data(), text.size());
            p[text.size()] = '\0';
            GlobalUnlock(block);
            if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}
