// Painting the SDL window: the view through the shared run painter onto the
// window surface (one buffer, shown at once), then the scroll bars and the
// caret. Runs on the window thread under ScreenLock.
#include <algorithm>

#include "WindowSdl.h"

static Uint32 MapColour(SDL_Surface *surface, TermColour c)
{
    return SDL_MapRGB(surface->format, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

static SDL_Color ToSdlColor(TermColour c)
{
    return SDL_Color{static_cast<Uint8>(c & 0xFF), static_cast<Uint8>((c >> 8) & 0xFF),
                     static_cast<Uint8>((c >> 16) & 0xFF), 255};
}

static void PaintFill(void *context, int x, int y, int width, int height, TermColour colour)
{
    SDL_Surface *surface = static_cast<SDL_Surface *>(context);
    SDL_Rect rect{x, y, width, height};
    SDL_FillRect(surface, &rect, MapColour(surface, colour));
}

static void PaintText(void *context, int x, int y, int width, int height, const uint16_t *chars,
                      int count, TermColour text, TermColour background, int font)
{
    SDL_Surface *surface = static_cast<SDL_Surface *>(context);
    SDL_Rect rect{x, y, width, height};
    SDL_FillRect(surface, &rect, MapColour(surface, background));
    TTF_Font *ttf = Sdl.Fonts[font] ? Sdl.Fonts[font] : Sdl.Fonts[FontNormalVariant];
    if (!ttf || count <= 0) return;
    Uint16 buffer[ColumnStorage + 1];
    bool blank = true;
    count = std::min(count, ColumnStorage);
    for (int i = 0; i < count; ++i) {
        uint16_t ch = chars[i];
        if (ch < 0x20 || (ch >= 0xD800 && ch <= 0xDFFF)) ch = ch < 0x20 ? ' ' : 0xFFFD;
        if (ch != ' ') blank = false;
        buffer[i] = ch;
    }
    buffer[count] = 0;
    // Spaces only: the background is all there is (unless underlined).
    if (blank && font != FontUnderlineVariant) return;
    SDL_Surface *glyphs = TTF_RenderUNICODE_Shaded(ttf, buffer, ToSdlColor(text), ToSdlColor(background));
    if (!glyphs) return;
    SDL_Rect clip = rect;
    SDL_SetClipRect(surface, &clip);
    SDL_Rect place{x, y, glyphs->w, glyphs->h};
    SDL_BlitSurface(glyphs, nullptr, surface, &place);
    SDL_SetClipRect(surface, nullptr);
    SDL_FreeSurface(glyphs);
}

static void PaintLine(void *context, int x0, int y0, int x1, int y1, TermColour colour)
{
    SDL_Surface *surface = static_cast<SDL_Surface *>(context);
    SDL_Rect rect;
    if (y0 == y1) rect = SDL_Rect{std::min(x0, x1), y0, std::abs(x1 - x0), 1};
    else rect = SDL_Rect{x0, std::min(y0, y1), 1, std::abs(y1 - y0)};
    SDL_FillRect(surface, &rect, MapColour(surface, colour));
}

// The caret inverts the pixels of its rectangle, like the system caret.
static void DrawCaret(SDL_Surface *surface, int clientWidth, int clientHeight)
{
    if (Sdl.CaretOff || !Sdl.HasFocus || Sdl.CaretWidth <= 0 || Sdl.CaretHeight <= 0) return;
    const ScreenBufferRecord &S = ScreenBuffer;
    int x = (S.CursorColumn - S.LeftColumn) * CellWidth + Sdl.CaretOffsetX;
    int y = (S.CursorRow - S.TopLine) * CellHeight + Sdl.CaretOffsetY;
    SDL_Rect caret{x, y, Sdl.CaretWidth, Sdl.CaretHeight};
    SDL_Rect client{0, 0, clientWidth, clientHeight};
    SDL_Rect area;
    if (!SDL_IntersectRect(&caret, &client, &area)) return;
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    int bpp = surface->format->BytesPerPixel;
    for (int row = area.y; row < area.y + area.h; ++row) {
        Uint8 *p = static_cast<Uint8 *>(surface->pixels) + row * surface->pitch + area.x * bpp;
        for (int i = 0; i < area.w * bpp; ++i) p[i] = static_cast<Uint8>(~p[i]);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

void SdlPaint()
{
    SDL_Surface *surface = SDL_GetWindowSurface(Sdl.Window);
    if (!surface) return;
    int clientWidth = 0, clientHeight = 0;
    SdlClientSize(&clientWidth, &clientHeight);
    TermPainter painter{PaintFill, PaintText, PaintLine, surface};
    bool blinkOn = TermBlinkPhaseOn(TermMilliClock());
    SDL_Rect client{0, 0, clientWidth, clientHeight};
    SDL_SetClipRect(surface, &client);
    TermPaintView(&painter, clientWidth, 0, clientHeight, CellWidth, CellHeight, blinkOn, Sdl.Unusable);
    SDL_SetClipRect(surface, nullptr);
    DrawCaret(surface, clientWidth, clientHeight);
    SDL_SetClipRect(surface, nullptr);
    SdlDrawScrollBars(surface, clientWidth, clientHeight);
    SDL_UpdateWindowSurface(Sdl.Window);
    SdlCaretHidden = false;
}

void SdlApplyCaretType(int type)
{
    int cw = CellWidth, ch = CellHeight;
    switch (type) {
    case CaretUnderline:
        Sdl.CaretOff = false;
        Sdl.CaretOffsetX = 0;
        Sdl.CaretOffsetY = ch - 2;
        Sdl.CaretWidth = cw;
        Sdl.CaretHeight = 2;
        break;
    case CaretBar:
        Sdl.CaretOff = false;
        Sdl.CaretOffsetX = Sdl.CaretOffsetY = 0;
        Sdl.CaretWidth = 2;
        Sdl.CaretHeight = ch;
        break;
    case CaretBlock:
        Sdl.CaretOff = false;
        Sdl.CaretOffsetX = Sdl.CaretOffsetY = 0;
        Sdl.CaretWidth = cw;
        Sdl.CaretHeight = ch;
        break;
    case CaretHiddenType: Sdl.CaretOff = true; break;
    default: break;  // remembered, changes nothing
    }
    Sdl.CaretType = type;
    Sdl.NeedPaint = true;
}
