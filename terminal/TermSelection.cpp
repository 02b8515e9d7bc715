// Block selection with the mouse and the text it copies. Runs on the window
// thread; the writer shifts the selection when the store scrolls.
#include "terminal/TermWindowLogic.h"

#include <algorithm>

static int AnchorRow, AnchorColumn, PointRow, PointColumn;

void TermPointToCell(int x, int y, int cellWidth, int cellHeight, int *row, int *column)
{
    ScreenBufferRecord &S = ScreenBuffer;
    if (cellWidth <= 0) cellWidth = 1;
    if (cellHeight <= 0) cellHeight = 1;
    // Truncating toward zero, no lower clamp: a drag above or left of the
    // text gives negative cells, which are never painted nor copied.
    *row = std::min(S.TopLine + y / cellHeight, S.LineCapacity - 1);
    *column = std::min(S.LeftColumn + x / cellWidth, S.ColumnCount - 1);
}

static void SetSelection()
{
    ScreenBufferRecord &S = ScreenBuffer;
    int top = std::min(AnchorRow, PointRow), bottom = std::max(AnchorRow, PointRow);
    int left = std::min(AnchorColumn, PointColumn), right = std::max(AnchorColumn, PointColumn);
    if (top == bottom && left == right) top = left = bottom = right = -1;
    S.SelTop = top;
    S.SelLeft = left;
    S.SelBottom = bottom;
    S.SelRight = right;
    S.RepaintDirty = true;
}

void TermSelectionStart(int x, int y, int cellWidth, int cellHeight)
{
    TermPointToCell(x, y, cellWidth, cellHeight, &AnchorRow, &AnchorColumn);
    PointRow = AnchorRow;
    PointColumn = AnchorColumn;
    SetSelection();
}

void TermSelectionExtend(int x, int y, int cellWidth, int cellHeight)
{
    TermPointToCell(x, y, cellWidth, cellHeight, &PointRow, &PointColumn);
    SetSelection();
}

bool TermSelectionExists()
{
    ScreenBufferRecord &S = ScreenBuffer;
    return S.SelTop >= 0 && S.SelLeft >= 0 && S.SelBottom >= 0 && S.SelRight >= 0;
}

std::string TermSelectionText()
{
    std::string text;
    if (!TermSelectionExists()) return text;
    ScreenBufferRecord &S = ScreenBuffer;
    int top = S.SelTop, left = S.SelLeft, bottom = S.SelBottom, right = S.SelRight;
    for (int row = top; row <= bottom; ++row) {
        if (row >= S.LineCount || row >= LineStorage) continue;
        const ScreenLine &line = S.Lines[row];
        int end = std::min({right + 1, line.Length, S.ColumnCount, ColumnStorage});
        for (int column = left; column < end; ++column)
            text.push_back(static_cast<char>(line.Chars[column] & 0xFF));
        text.append("\r\n");
    }
    return text;
}
