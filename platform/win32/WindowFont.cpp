// The four fonts of the window and the cell size they give.
#include "WindowWin32.h"

HFONT Fonts[4] = {};
bool FontUnusable[4] = {};

static HFONT MakeFont(int weight, bool underline, bool italic)
{
    return CreateFontA(FontHeight, 0, 0, 0, weight, italic, underline, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0, FontFace);
}

void CreateFonts()
{
    Fonts[FontNormalVariant] = MakeFont(400, false, false);
    Fonts[FontUnderlineVariant] = MakeFont(400, true, false);
    Fonts[FontBoldVariant] = MakeFont(700, false, false);
    Fonts[FontItalicVariant] = MakeFont(400, false, true);
}

void DeleteFonts()
{
    for (HFONT &font : Fonts) {
        if (font) DeleteObject(font);
        font = nullptr;
    }
}

// The extent of one space in the normal font is the cell; a variant whose
// space differs is never used.
void MeasureCell(HWND window)
{
    HDC dc = GetDC(window);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, Fonts[FontNormalVariant]);
    int oldExtra = SetTextCharacterExtra(dc, 0);
    SIZE cell = {0, 0};
    GetTextExtentPoint32A(dc, " ", 1, &cell);
    CellWidth = cell.cx > 0 ? cell.cx : 1;
    CellHeight = cell.cy > 0 ? cell.cy : 1;
    FontUnusable[FontNormalVariant] = false;
    for (int v = FontUnderlineVariant; v <= FontItalicVariant; ++v) {
        SIZE size = {0, 0};
        SelectObject(dc, Fonts[v]);
        GetTextExtentPoint32A(dc, " ", 1, &size);
        FontUnusable[v] = size.cx != cell.cx || size.cy != cell.cy;
    }
    SetTextCharacterExtra(dc, oldExtra);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
}
