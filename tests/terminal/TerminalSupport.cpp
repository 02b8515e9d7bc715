#include "TerminalSupport.h"

void Write(const std::string &bytes)
{
    for (char c : bytes) TermPutChar(static_cast<uint8_t>(c));
}

int LineLength(int row) { return ScreenBuffer.Lines[row].Length; }

std::string RowText(int row)
{
    const ScreenLine &line = ScreenBuffer.Lines[row];
    std::string text;
    for (int c = 0; c < line.Length; ++c) text += static_cast<char>(line.Chars[c] & 0xFF);
    return text;
}

std::vector<uint16_t> RowCodes(int row)
{
    const ScreenLine &line = ScreenBuffer.Lines[row];
    return std::vector<uint16_t>(line.Chars, line.Chars + line.Length);
}

Cell CellAt(int row, int column)
{
    const ScreenLine &line = ScreenBuffer.Lines[row];
    return Cell{line.Chars[column], line.Attrs[column], line.Fore[column], line.Back[column]};
}

std::string DrainKeys()
{
    std::string keys;
    while (KeyQueueHasByte()) keys += static_cast<char>(KeyQueueTake());
    return keys;
}

void ResetTerminal()
{
    WindowClosed = false;
    OutputPaused = false;
    Selecting = false;
    GeometryChanged = false;
    CaretTypeTap = nullptr;
    EscapeState = EscapeStateRecord{};
    TermSetColumns(120);
    TermSetLineCapacity(LineStorage);
    TermSetFore(0xFFFFFF);
    TermSetBack(0x000000);
    TermClearScreen();
    ScreenBuffer.SavedRow = 0;
    ScreenBuffer.SavedColumn = 0;
    ScreenBuffer.SelTop = -1;
    ScreenBuffer.SelLeft = -1;
    ScreenBuffer.SelBottom = -1;
    ScreenBuffer.SelRight = -1;
    ScreenBuffer.ScrollInfoDirty = false;
    ScreenBuffer.CaretDirty = false;
    ScreenBuffer.RepaintDirty = false;
    DrainKeys();
}
