// Internal state of the Win32 terminal window, shared by its source files.
// Owned by the window thread unless it is atomic.
#pragma once
#include <windows.h>

#include <atomic>

#include "platform/Window.h"
#include "terminal/TermWindowLogic.h"

constexpr UINT MSG_FONT_CHANGED = WM_USER + 1;
constexpr UINT MSG_SET_CARET = WM_USER + 4;
constexpr UINT_PTR BlinkTimerId = 1;

// The instance of the program (stored by the process entry) for the class.
extern HINSTANCE TermInstance;

extern std::atomic<HWND> TermWindowHandle;
extern char FontFace[256];          // guarded by ScreenLock
extern int FontHeight;
extern HFONT Fonts[4];              // normal, underline, bold, italic
extern bool FontUnusable[4];
extern std::atomic<bool> HasFocus;
extern int CaretType;
extern std::atomic<bool> CaretOff;
extern std::atomic<bool> CaretHidden;
extern std::atomic<bool> CaretHideRequest;  // HideCaret to run on the window thread
extern int CaretOffsetX, CaretOffsetY;
extern std::atomic<bool> BlinkUsed;
extern std::atomic<uint32_t> BlinkArmDelay;  // SetTimer to run on the window thread
extern bool VScrollEnabled, HScrollEnabled;

LRESULT CALLBACK TermWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fonts and the cell (WindowFont.cpp).
void CreateFonts();
void DeleteFonts();
void MeasureCell(HWND window);

// Painting (WindowPaint.cpp).
void PaintWindow(HWND window);

// View, scroll bars and caret (Window.cpp).
void UpdateView(HWND window);
void ApplyCaretType(HWND window, int type);
void PlaceCaret();
void OuterSizeForCells(int columns, int rows, int *width, int *height);

// Clipboard (WindowCalls.cpp).
void CopySelection(HWND window);
