#include "WindowSupport.h"

#include <string>

void FillLines(int count)
{
    for (int i = 0; i < count; ++i) {
        std::string text = (i ? "\r\nline " : "line ") + std::to_string(i);
        for (char c : text) TermPutChar(static_cast<uint8_t>(c));
    }
}

std::string TakeKeys()
{
    std::string keys;
    while (KeyQueueHasByte()) keys += static_cast<char>(KeyQueueTake());
    return keys;
}

void WindowTest::SetUp()
{
    WindowClosed = false;
    OutputPaused = false;
    Selecting = false;
    TermSetColumns(120);
    TermSetLineCapacity(LineStorage);
    TermSetFore(0xFFFFFF);
    TermSetBack(0x000000);
    TermSetAttributes(0);
    TermClearScreen();
    ScreenBuffer.SelTop = ScreenBuffer.SelLeft = ScreenBuffer.SelBottom = ScreenBuffer.SelRight = -1;
    TermWheelReset();
    TermWindowKeyUp();
    TakeKeys();
}
