// The two scroll bars of the SDL window, drawn by the window itself: an
// arrow button at each end (one line), the track on either side of the thumb
// (one page) and the thumb, which can be dragged. A bar that is not needed
// is drawn disabled and ignores the mouse.
#include <algorithm>

#include "WindowSdl.h"

// Geometry of one bar along its own axis (pixels from the bar's start).
struct BarGeometry {
    int Length;       // whole bar, arrows included
    int TrackStart;   // after the first arrow
    int TrackLength;
    int ThumbStart;   // from the bar's start
    int ThumbLength;
};

static BarGeometry Geometry(const ScrollBarState &bar, int length)
{
    BarGeometry g;
    g.Length = length;
    int arrow = std::min(ScrollBarSize, length / 2);
    g.TrackStart = arrow;
    g.TrackLength = std::max(length - 2 * arrow, 0);
    int range = bar.Max + 1;                       // positions 0..Max
    int page = std::clamp(bar.Page, 1, std::max(range, 1));
    g.ThumbLength = range > 0 ? g.TrackLength * page / range : g.TrackLength;
    g.ThumbLength = std::clamp(g.ThumbLength, std::min(8, g.TrackLength), g.TrackLength);
    int positions = std::max(range - page, 0);     // largest thumb position
    int travel = g.TrackLength - g.ThumbLength;
    int pos = std::clamp(bar.Pos, 0, positions);
    g.ThumbStart = g.TrackStart + (positions > 0 ? travel * pos / positions : 0);
    return g;
}

static int PositionFromThumb(const ScrollBarState &bar, const BarGeometry &g, int thumbStart)
{
    int range = bar.Max + 1;
    int page = std::clamp(bar.Page, 1, std::max(range, 1));
    int positions = std::max(range - page, 0);
    int travel = g.TrackLength - g.ThumbLength;
    if (travel <= 0) return 0;
    int offset = std::clamp(thumbStart - g.TrackStart, 0, travel);
    return (offset * positions + travel / 2) / travel;
}

static void FillRect(SDL_Surface *surface, int x, int y, int w, int h, Uint8 grey)
{
    SDL_Rect rect{x, y, w, h};
    SDL_FillRect(surface, &rect, SDL_MapRGB(surface->format, grey, grey, grey));
}

// A small triangle pointing along the axis: dir 0 up, 1 down, 2 left, 3 right.
static void Arrow(SDL_Surface *surface, int x, int y, int size, int dir, Uint8 grey)
{
    int half = size / 4;
    int cx = x + size / 2, cy = y + size / 2;
    for (int i = 0; i <= half; ++i) {
        int span = i;
        switch (dir) {
        case 0: FillRect(surface, cx - span, cy - half / 2 + i, 2 * span + 1, 1, grey); break;
        case 1: FillRect(surface, cx - span, cy + half / 2 - i, 2 * span + 1, 1, grey); break;
        case 2: FillRect(surface, cx - half / 2 + i, cy - span, 1, 2 * span + 1, grey); break;
        default: FillRect(surface, cx + half / 2 - i, cy - span, 1, 2 * span + 1, grey); break;
        }
    }
}

static void DrawBar(SDL_Surface *surface, const ScrollBarState &bar, bool vertical, int x, int y,
                    int length)
{
    if (length <= 0) return;
    int w = vertical ? ScrollBarSize : length, h = vertical ? length : ScrollBarSize;
    FillRect(surface, x, y, w, h, 0xE8);
    BarGeometry g = Geometry(bar, length);
    Uint8 ink = bar.Needed ? 0x50 : 0xB0;
    int a = g.TrackStart;
    if (vertical) {
        FillRect(surface, x, y, ScrollBarSize, a, 0xD8);
        FillRect(surface, x, y + length - a, ScrollBarSize, a, 0xD8);
        Arrow(surface, x, y, ScrollBarSize, 0, ink);
        Arrow(surface, x, y + length - a, ScrollBarSize, 1, ink);
        if (bar.Needed) FillRect(surface, x + 2, y + g.ThumbStart, ScrollBarSize - 4, g.ThumbLength, 0xA0);
    } else {
        FillRect(surface, x, y, a, ScrollBarSize, 0xD8);
        FillRect(surface, x + length - a, y, a, ScrollBarSize, 0xD8);
        Arrow(surface, x, y, ScrollBarSize, 2, ink);
        Arrow(surface, x + length - a, y, ScrollBarSize, 3, ink);
        if (bar.Needed) FillRect(surface, x + g.ThumbStart, y + 2, g.ThumbLength, ScrollBarSize - 4, 0xA0);
    }
}

void SdlDrawScrollBars(SDL_Surface *surface, int clientWidth, int clientHeight)
{
    DrawBar(surface, Sdl.VBar, true, clientWidth, 0, clientHeight);
    DrawBar(surface, Sdl.HBar, false, 0, clientHeight, clientWidth);
    FillRect(surface, clientWidth, clientHeight, ScrollBarSize, ScrollBarSize, 0xE8);
}

static void Scrolled(bool vertical, int code, int position)
{
    bool changed = vertical ? TermScrollVertical(code, position) : TermScrollHorizontal(code, position);
    if (!changed) return;
    SdlUpdateView();
    Sdl.NeedPaint = true;
}

// The click at offset `along` of a bar: a line, a page or the start of a drag.
static void BarClick(bool vertical, int along, int length)
{
    const ScrollBarState &bar = vertical ? Sdl.VBar : Sdl.HBar;
    if (!bar.Needed) return;
    BarGeometry g = Geometry(bar, length);
    if (along < g.TrackStart) Scrolled(vertical, ScrollLineUp, 0);
    else if (along >= g.TrackStart + g.TrackLength) Scrolled(vertical, ScrollLineDown, 0);
    else if (along < g.ThumbStart) Scrolled(vertical, ScrollPageUp, 0);
    else if (along >= g.ThumbStart + g.ThumbLength) Scrolled(vertical, ScrollPageDown, 0);
    else {
        Sdl.BarDrag = vertical ? 1 : 2;
        Sdl.BarDragGrab = along - g.ThumbStart;
    }
}

bool SdlScrollBarMouseDown(int x, int y)
{
    int cw = 0, ch = 0;
    SdlClientSize(&cw, &ch);
    if (x >= cw && y < ch) {
        BarClick(true, y, ch);
        return true;
    }
    if (y >= ch && x < cw) {
        BarClick(false, x, cw);
        return true;
    }
    return x >= cw && y >= ch;  // the corner
}

void SdlScrollBarMouseMove(int x, int y)
{
    if (!Sdl.BarDrag) return;
    int cw = 0, ch = 0;
    SdlClientSize(&cw, &ch);
    bool vertical = Sdl.BarDrag == 1;
    const ScrollBarState &bar = vertical ? Sdl.VBar : Sdl.HBar;
    BarGeometry g = Geometry(bar, vertical ? ch : cw);
    int along = vertical ? y : x;
    Scrolled(vertical, ScrollThumbTrack, PositionFromThumb(bar, g, along - Sdl.BarDragGrab));
}

void SdlScrollBarMouseUp() { Sdl.BarDrag = 0; }
