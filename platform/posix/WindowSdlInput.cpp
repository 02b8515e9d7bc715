// Events of the SDL window: keys and typed characters (the same bytes as the
// Win32 window), the mouse (selection, copy, wheel, scroll bars), focus,
// size, move and close.
#include "WindowSdl.h"

// SDL key to virtual key; 0 when the key is not in the key map.
static int VirtualKey(const SDL_Keysym &key)
{
    switch (key.sym) {
    case SDLK_UP: return KeyUp;
    case SDLK_DOWN: return KeyDown;
    case SDLK_RIGHT: return KeyRight;
    case SDLK_LEFT: return KeyLeft;
    case SDLK_HOME: return KeyHome;
    case SDLK_INSERT: return KeyInsert;
    case SDLK_DELETE: return KeyDelete;
    case SDLK_END: return KeyEnd;
    case SDLK_PAGEUP: return KeyPrior;
    case SDLK_PAGEDOWN: return KeyNext;
    case SDLK_ESCAPE: return KeyEscape;
    case SDLK_PAUSE:
    case SDLK_CANCEL: return KeyCancel;
    default: break;
    }
    if (key.sym >= SDLK_F1 && key.sym <= SDLK_F12) return KeyF1 + (key.sym - SDLK_F1);
    return 0;
}

static void TypedChar(uint8_t ch)
{
    switch (TermWindowChar(ch)) {
    case CharCopy: SdlCopySelection(); break;
    case CharPauseToggled: Sdl.NeedPaint = true; break;
    default: break;
    }
}

// The characters a key types besides its printable text (which arrives as
// text input): Enter, Backspace, Tab, Escape and the Ctrl+letter codes.
static void KeyChar(const SDL_Keysym &key, bool ctrl, bool alt)
{
    switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: TypedChar(13); return;
    case SDLK_BACKSPACE: TypedChar(8); return;
    case SDLK_TAB: TypedChar(9); return;
    case SDLK_ESCAPE: TypedChar(27); return;
    default: break;
    }
    if (ctrl && !alt && key.sym >= SDLK_a && key.sym <= SDLK_z)
        TypedChar(static_cast<uint8_t>(key.sym - SDLK_a + 1));
}

static void KeyDownEvent(const SDL_KeyboardEvent &event)
{
    const SDL_Keysym &key = event.keysym;
    bool shift = (key.mod & KMOD_SHIFT) != 0;
    bool ctrl = (key.mod & KMOD_CTRL) != 0;
    bool alt = (key.mod & KMOD_ALT) != 0;
    int vk = VirtualKey(key);
    // The Pause key closes like Ctrl+Break, which it is with Ctrl held.
    if (vk == KeyCancel) ctrl = true;
    if (vk) TermWindowKeyDown(vk, shift, ctrl, alt);
    KeyChar(key, ctrl, alt);
}

// Printable text as typed characters, one byte each (the low byte of the
// character code, as the Win32 window queues it).
static void TextInput(const char *text)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    while (*p) {
        uint32_t code = *p++;
        int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
        if (extra) code &= 0x3F >> extra;
        for (; extra > 0 && (*p & 0xC0) == 0x80; --extra) code = code << 6 | (*p++ & 0x3F);
        SDL_Keymod mod = SDL_GetModState();
        if ((mod & KMOD_CTRL) && !(mod & KMOD_ALT)) continue;  // typed by KeyChar
        TypedChar(static_cast<uint8_t>(code & 0xFF));
    }
}

static void MouseButtonDown(const SDL_MouseButtonEvent &event)
{
    if (event.button == SDL_BUTTON_RIGHT) {
        SdlCopySelection();
        return;
    }
    if (event.button != SDL_BUTTON_LEFT) return;
    if (SdlScrollBarMouseDown(event.x, event.y)) return;
    SDL_CaptureMouse(SDL_TRUE);
    Sdl.Capturing = true;
    if (SDL_GetModState() & (KMOD_SHIFT | KMOD_CTRL | KMOD_ALT)) return;
    TermSelectionStart(event.x, event.y, CellWidth, CellHeight);
    Selecting = true;
}

static void MouseButtonUp(const SDL_MouseButtonEvent &event)
{
    if (event.button != SDL_BUTTON_LEFT) return;
    SdlScrollBarMouseUp();
    if (!Sdl.Capturing) return;
    SDL_CaptureMouse(SDL_FALSE);
    Sdl.Capturing = false;
    if (Selecting) {
        TermSelectionExtend(event.x, event.y, CellWidth, CellHeight);
        Selecting = false;
    }
}

static void MouseMotion(const SDL_MouseMotionEvent &event)
{
    if (Sdl.BarDrag) {
        SdlScrollBarMouseMove(event.x, event.y);
        return;
    }
    if ((event.state & SDL_BUTTON_LMASK) && Selecting)
        TermSelectionExtend(event.x, event.y, CellWidth, CellHeight);
}

static void MouseWheel(const SDL_MouseWheelEvent &event)
{
    if (SDL_GetModState() & (KMOD_SHIFT | KMOD_CTRL)) return;
    int notches = event.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.y : event.y;
    if (notches == 0) return;
    TermWheel(notches * 120);
    SdlUpdateView();
    Sdl.NeedPaint = true;
}

static void WindowEvent(const SDL_WindowEvent &event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: WindowClosed = true; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        Sdl.HasFocus = true;
        SdlCaretHidden = false;
        if (!Sdl.CaretOff) SdlApplyCaretType(Sdl.CaretType);
        Sdl.NeedPaint = true;
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        Sdl.HasFocus = false;
        Sdl.NeedPaint = true;
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESIZED:
        SdlUpdateView();
        Sdl.NeedPaint = true;
        [[fallthrough]];
    case SDL_WINDOWEVENT_MOVED:
        SdlCacheGeometry();
        if (SDL_TICKS_PASSED(SDL_GetTicks(), Sdl.OwnGeometryUntil)) {
            Sdl.LastGeometryEvent = SDL_GetTicks();
            Sdl.GeometryPending = true;
        }
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED: Sdl.NeedPaint = true; break;
    default: break;
    }
}

void SdlHandleEvent(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_QUIT: WindowClosed = true; break;
    case SDL_WINDOWEVENT:
        if (event.window.windowID == Sdl.WindowId) WindowEvent(event.window);
        break;
    case SDL_KEYDOWN: KeyDownEvent(event.key); break;
    case SDL_KEYUP: TermWindowKeyUp(); break;
    case SDL_TEXTINPUT: TextInput(event.text.text); break;
    case SDL_MOUSEBUTTONDOWN: MouseButtonDown(event.button); break;
    case SDL_MOUSEBUTTONUP: MouseButtonUp(event.button); break;
    case SDL_MOUSEMOTION: MouseMotion(event.motion); break;
    case SDL_MOUSEWHEEL: MouseWheel(event.wheel); break;
    default: break;
    }
}
