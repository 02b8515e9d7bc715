// Painting the view by runs of equal cells: one text call per run, the
// colour, font and cell-line rules shared by both window implementations.
#include "terminal/TermWindowLogic.h"

#include <algorithm>

bool TermBlinkPhaseOn(uint32_t milliClock) { return milliClock % 750 < 375; }

RunLook TermRunLook(uint16_t attrs, TermColour fore, TermColour back, bool selected,
                    bool paused, bool blinkOn, const bool unusable[4])
{
    TermColour f = paused ? back : fore;
    TermColour b = paused ? fore : back;
    RunLook look;
    if (selected) {
        look.Background = f;
        look.Text = b;
    } else {
        bool reverse = (attrs & ATTR_REVERSE) != 0;
        look.Background = reverse ? f : b;
        if (reverse || ((attrs & ATTR_BLINK) && !blinkOn))
            look.Text = b;
        else
            look.Text = f;
    }
    look.LineColour = f;
    if ((attrs & ATTR_UNDERLINE) && !unusable[FontUnderlineVariant])
        look.Font = FontUnderlineVariant;
    else if ((attrs & ATTR_BOLD) && !unusable[FontBoldVariant])
        look.Font = FontBoldVariant;
    else if ((attrs & ATTR_ITALIC) && !unusable[FontItalicVariant])
        look.Font = FontItalicVariant;
    else
        look.Font = FontNormalVariant;
    return look;
}

static bool CellSelected(int row, int column, int top, int left, int bottom, int right)
{
    return row >= top && row <= bottom && column >= left && column <= right;
}

// Draws the runs of one store line from column `first` to `end` (exclusive)
// at height y; returns the x after the last run.
static int PaintLineRuns(const TermPainter *painter, int row, int first, int end, int y,
                         int cellWidth, int cellHeight, bool paused, bool blinkOn,
                         const bool unusable[4])
{
    const ScreenBufferRecord &S = ScreenBuffer;
    const ScreenLine &line = S.Lines[row];
    int top = S.SelTop, left = S.SelLeft, bottom = S.SelBottom, right = S.SelRight;
    int x = 0;
    int j = first;
    while (j < end) {
        uint16_t attrs = line.Attrs[j];
        TermColour fore = line.Fore[j], back = line.Back[j];
        bool selected = CellSelected(row, j, top, left, bottom, right);
        int k = j + 1;
        while (k < end && line.Attrs[k] == attrs && line.Fore[k] == fore &&
               line.Back[k] == back && CellSelected(row, k, top, left, bottom, right) == selected)
            ++k;
        int w = (k - j) * cellWidth, h = cellHeight;
        RunLook look = TermRunLook(attrs, fore, back, selected, paused, blinkOn, unusable);
        painter->Text(painter->Context, x, y, w, h, &line.Chars[j], k - j, look.Text,
                      look.Background, look.Font);
        if (attrs & ATTR_LINE_TOP) painter->Line(painter->Context, x, y, x + w, y, look.LineColour);
        if (attrs & ATTR_LINE_LEFT) painter->Line(painter->Context, x, y, x, y + h, look.LineColour);
        if (attrs & ATTR_LINE_BOTTOM)
            painter->Line(painter->Context, x, y + h - 1, x + w, y + h - 1, look.LineColour);
        if (attrs & ATTR_LINE_RIGHT)
            painter->Line(painter->Context, x + w - 1, y, x + w - 1, y + h, look.LineColour);
        x += w;
        j = k;
    }
    return x;
}

void TermPaintView(const TermPainter *painter, int clientWidth, int updateTop, int updateBottom,
                   int cellWidth, int cellHeight, bool blinkOn, const bool unusable[4])
{
    const ScreenBufferRecord &S = ScreenBuffer;
    bool paused = OutputPaused;
    TermColour fill = paused ? S.ScreenFore : S.ScreenBack;
    int topLine = S.TopLine, leftColumn = S.LeftColumn;
    int visibleRows = S.VisibleRows, visibleColumns = S.VisibleColumns;
    for (int r = 0; topLine + r < topLine + visibleRows; ++r) {
        int i = topLine + r;
        int y = r * cellHeight;
        if (y + cellHeight <= updateTop || y >= updateBottom) continue;
        const ScreenLine *line = (i >= 0 && i < S.LineCount && i < LineStorage) ? &S.Lines[i] : nullptr;
        if (line && leftColumn >= 0 && leftColumn < line->Length) {
            int end = std::min({leftColumn + visibleColumns, line->Length, S.ColumnCount, ColumnStorage});
            int x = PaintLineRuns(painter, i, leftColumn, end, y, cellWidth, cellHeight, paused,
                                  blinkOn, unusable);
            if (x < clientWidth) painter->Fill(painter->Context, x, y, clientWidth - x, cellHeight, fill);
        } else {
            painter->Fill(painter->Context, 0, y, clientWidth, cellHeight, fill);
        }
    }
}
