// Window control for any thread: show, title, colours, font, position and
// size. Without a window the window calls do nothing.
#include "terminal/Term.h"

#include "platform/Window.h"

void TermShowWindow(int showCommand) { PlatWindowShow(showCommand); }

void TermSetTitle(DynamicString value)
{
    StringAddRef(&value);
    PlatWindowSetTitle(StringText(value));
    StringReleaseArgument(&value);
}

static TermColour Rgb(int red, int green, int blue)
{
    return static_cast<TermColour>(red & 0xFF) | static_cast<TermColour>(green & 0xFF) << 8 |
           static_cast<TermColour>(blue & 0xFF) << 16;
}

TermColour TermSetTextRGB(int red, int green, int blue)
{
    TermColour colour = Rgb(red, green, blue);
    TermSetFore(colour);
    return colour;
}

TermColour TermSetBackRGB(int red, int green, int blue)
{
    TermColour colour = Rgb(red, green, blue);
    TermSetBack(colour);
    return colour;
}

void TermSetScreenForeRGB(int red, int green, int blue)
{
    ScreenLockEnter();
    ScreenBuffer.ScreenFore = Rgb(red, green, blue);
    ScreenBuffer.RepaintDirty = true;
    ScreenLockLeave();
}

void TermSetScreenBackRGB(int red, int green, int blue)
{
    ScreenLockEnter();
    ScreenBuffer.ScreenBack = Rgb(red, green, blue);
    ScreenBuffer.RepaintDirty = true;
    ScreenLockLeave();
}

void TermSetFont(const char *face, int height)
{
    ScreenLockEnter();
    PlatWindowSetFont(face ? face : "", height);
    ScreenBuffer.ScrollInfoDirty = true;
    ScreenBuffer.RepaintDirty = true;
    ScreenLockLeave();
}

void TermMoveWindow(int x, int y, int width, int height) { PlatWindowMove(x, y, width, height); }
void TermPlaceWindow(int x, int y, int columns, int rows) { PlatWindowPlace(x, y, columns, rows); }
void TermSizeWindow(int columns, int rows) { PlatWindowSizeCells(columns, rows); }

void TermGetWindowRect(int *x, int *y, int *width, int *height)
{
    int rx = 0, ry = 0, rw = 0, rh = 0;
    PlatWindowGetRect(&rx, &ry, &rw, &rh);
    if (x) *x = rx;
    if (y) *y = ry;
    if (width) *width = rw;
    if (height) *height = rh;
}

bool TermTakeGeometryChanged() { return GeometryChanged.exchange(false); }

void TermEmbed(uintptr_t parent) { PlatWindowEmbed(parent); }
