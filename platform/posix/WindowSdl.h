// Internal state of the SDL terminal window, shared by its source files.
// Everything here belongs to the window thread unless it is atomic.
#pragma once
#include <SDL.h>
#include <SDL_ttf.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/Window.h"
#include "terminal/TermWindowLogic.h"

constexpr int ScrollBarSize = 16;      // thickness of the two bars, pixels
constexpr uint32_t GeometrySettleMs = 400;  // a move/resize ends after this quiet time

struct SdlWindowState {
    SDL_Window *Window;
    uint32_t WindowId;
    TTF_Font *Fonts[4];          // normal, underline, bold, italic
    bool Unusable[4];
    std::string FontFace;        // guarded by the request lock
    int FontHeight;
    bool HasFocus;
    int CaretType;
    bool CaretOff;
    int CaretOffsetX, CaretOffsetY;
    int CaretWidth, CaretHeight;
    bool NeedPaint;              // something asks for a repaint
    ScrollBarState VBar, HBar;   // last state given to the bars
    // Scroll-bar drag: 0 none, 1 vertical thumb, 2 horizontal thumb.
    int BarDrag;
    int BarDragGrab;             // pointer offset inside the thumb
    bool Capturing;              // the left button is held over the text
    // A move or resize by the user ends once the window has been quiet.
    uint32_t LastGeometryEvent;
    bool GeometryPending;
    uint32_t OwnGeometryUntil;   // our own moves do not count as the user's
};

extern SdlWindowState Sdl;
extern std::atomic<bool> SdlCaretHidden;
extern std::atomic<bool> SdlBlinkUsed;
extern std::atomic<uint32_t> SdlBlinkDue;     // SDL_GetTicks time of the next tick
extern std::atomic<bool> SdlBlinkArmed;
extern std::atomic<bool> SdlWindowAlive;      // the window exists and takes requests
extern std::atomic<int> SdlCachedX, SdlCachedY, SdlCachedW, SdlCachedH;

// Fonts (WindowSdlFont.cpp).
bool SdlFontsCreate();
void SdlFontsDelete();

// Client area (the window less the two bars).
void SdlClientSize(int *width, int *height);
void SdlOuterSizeForCells(int columns, int rows, int *width, int *height);
void SdlUpdateSizeLimits();
void SdlUpdateView();         // view and bars from the client size
void SdlCacheGeometry();

// Painting (WindowSdlPaint.cpp): the whole window, under ScreenLock.
void SdlPaint();
// Caret (WindowSdlPaint.cpp).
void SdlApplyCaretType(int type);

// Scroll bars (WindowSdlScrollBars.cpp).
void SdlDrawScrollBars(SDL_Surface *surface, int clientWidth, int clientHeight);
bool SdlScrollBarMouseDown(int x, int y);   // true when the point was on a bar
void SdlScrollBarMouseMove(int x, int y);
void SdlScrollBarMouseUp();

// Input (WindowSdlInput.cpp).
void SdlHandleEvent(const SDL_Event &event);

// Requests from other threads (WindowSdlCalls.cpp), run by the window thread.
void SdlRunRequests();
void SdlCopySelection();
