// Painting: double-buffered, the view drawn by runs of equal cells with one
// ExtTextOutW each (the shared run painter), then copied to the window.
#include "WindowWin32.h"

struct PaintContext {
    HDC Dc;
};

static void PaintFill(void *context, int x, int y, int width, int height, TermColour colour)
{
    HDC dc = static_cast<PaintContext *>(context)->Dc;
    RECT rect = {x, y, x + width, y + height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

static void PaintText(void *context, int x, int y, int width, int height, const uint16_t *chars,
                      int count, TermColour text, TermColour background, int font)
{
    HDC dc = static_cast<PaintContext *>(context)->Dc;
    RECT rect = {x, y, x + width, y + height};
    SelectObject(dc, Fonts[font] ? Fonts[font] : Fonts[FontNormalVariant]);
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    ExtTextOutW(dc, x, y, ETO_CLIPPED | ETO_OPAQUE, &rect, reinterpret_cast<LPCWSTR>(chars),
                static_cast<UINT>(count), nullptr);
}

static void PaintLine(void *context, int x0, int y0, int x1, int y1, TermColour colour)
{
    HDC dc = static_cast<PaintContext *>(context)->Dc;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void PaintWindow(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    int width = client.right - client.left, height = client.bottom - client.top;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width > 0 ? width : 1, height > 0 ? height : 1);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    const ScreenBufferRecord &S = ScreenBuffer;
    HGDIOBJ oldFont = SelectObject(memory, Fonts[FontNormalVariant]);
    int oldMode = SetBkMode(memory, OPAQUE);
    COLORREF oldBack = SetBkColor(memory, S.ScreenBack);
    COLORREF oldText = SetTextColor(memory, S.ScreenFore);
    UINT oldAlign = SetTextAlign(memory, TA_LEFT);
    int oldExtra = SetTextCharacterExtra(memory, 0);
    PaintContext context = {memory};
    TermPainter painter = {PaintFill, PaintText, PaintLine, &context};
    bool blinkOn = TermBlinkPhaseOn(TermMilliClock());
    TermPaintView(&painter, width, ps.rcPaint.top, ps.rcPaint.bottom, CellWidth, CellHeight,
                  blinkOn, FontUnusable);
    SetTextCharacterExtra(memory, oldExtra);
    SetTextAlign(memory, oldAlign);
    SetTextColor(memory, oldText);
    SetBkColor(memory, oldBack);
    SetBkMode(memory, oldMode);
    SelectObject(memory, oldFont);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &ps);
}
