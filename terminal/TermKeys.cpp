// Keys of the window: the special-key map and the typed characters.
#include "terminal/TermWindowLogic.h"

#include <atomic>
#include <cstring>

#include "platform/Platform.h"

const KeyMapRow KeyMap[KeyMapCount] = {
    {KeyUp, "A"},          {KeyDown, "B"},        {KeyRight, "C"},       {KeyLeft, "D"},
    {KeyHome, "1~"},       {KeyInsert, "2~"},     {KeyDelete, "3~"},     {KeyEnd, "4~"},
    {KeyPrior, "5~"},      {KeyNext, "6~"},       {KeyF1 + 0, "11~"},    {KeyF1 + 1, "12~"},
    {KeyF1 + 2, "13~"},    {KeyF1 + 3, "14~"},    {KeyF1 + 4, "15~"},    {KeyF1 + 5, "17~"},
    {KeyF1 + 6, "18~"},    {KeyF1 + 7, "19~"},    {KeyF1 + 8, "20~"},    {KeyF1 + 9, "21~"},
    {KeyF1 + 10, "23~"},   {KeyF1 + 11, "24~"},   {KeyEscape, "99~"},
};

// A special key produces its sequence once, not per auto-repeat.
static std::atomic<bool> SpecialKeyDown{false};

void TermWindowKeyDown(int virtualKey, bool shift, bool ctrl, bool alt)
{
    if (SpecialKeyDown) return;
    if (!shift && !ctrl && !alt) {
        for (const KeyMapRow &row : KeyMap) {
            if (row.VirtualKey != virtualKey) continue;
            uint8_t bytes[2 + sizeof row.Text];
            int count = 0;
            bytes[count++] = 0x1B;
            bytes[count++] = '[';
            for (const char *p = row.Text; *p; ++p) bytes[count++] = static_cast<uint8_t>(*p);
            TermKeyPushBytes(bytes, count);
            SpecialKeyDown = true;
            return;
        }
        return;
    }
    if (virtualKey == KeyCancel && ctrl && !shift && !alt) {
        WindowClosed = true;
        if (!ExitInProgress) PlatExit(1);
    }
}

void TermWindowKeyUp() { SpecialKeyDown = false; }

int TermWindowChar(uint8_t ch)
{
    if (ch == 3) return CharCopy;
    if (ch == 19) {
        OutputPaused = !OutputPaused;
        return CharPauseToggled;
    }
    TermKeyPush(ch);
    return CharPushed;
}
