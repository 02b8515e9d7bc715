// Control sequences (ESC [ ...): the parser and the command table.
#include <climits>
#include <cstring>

#include "terminal/Term.h"

// Digits beyond the range of an int saturate: a huge count still clamps.
static void ParseNumber(const char *text, int *pos, CsiParams *P)
{
    long long value = 0;
    bool digits = false;
    while (text[*pos] >= '0' && text[*pos] <= '9') {
        value = value * 10 + (text[*pos] - '0');
        if (value > INT_MAX) value = INT_MAX;
        digits = true;
        ++*pos;
    }
    if (!digits) return;
    P->ParamValues[P->ParamCount] = static_cast<int>(value);
    P->ParamCount += 1;
}

static void ParseQuoted(const char *text, int *pos, CsiParams *P)
{
    char *out = P->ParamStrings[P->ParamCount];
    int kept = 0;
    ++*pos;  // the opening quote
    while (text[*pos] && text[*pos] != '"') {
        if (kept < CsiBufferSize - 1) out[kept++] = text[*pos];
        ++*pos;
    }
    out[kept] = 0;
    if (text[*pos] == '"') ++*pos;
    P->ParamCount += 1;
}

static void ParseParameter(const char *text, int *pos, CsiParams *P)
{
    if (text[*pos] == '"')
        ParseQuoted(text, pos, P);
    else
        ParseNumber(text, pos, P);
}

void TermRunControlSequence(const char *text)
{
    CsiParams P;
    std::memset(&P, 0, sizeof P);
    int pos = 0;
    ParseParameter(text, &pos, &P);
    while (text[pos] == ';') {
        if (P.ParamCount == CsiMaxParams) return;  // too many: nothing runs
        ++pos;
        ParseParameter(text, &pos, &P);
    }
    const char *name = text + pos;
    size_t length = std::strlen(name);
    for (const CsiCommand &row : CsiCommandTable) {
        if (std::strlen(row.Name) == length && std::memcmp(row.Name, name, length) == 0) row.Run(&P);
    }
}

// ------------------------------------------------------------ the commands

static int FirstOr(const CsiParams *P, int absent) { return P->ParamCount >= 1 ? P->ParamValues[0] : absent; }

// A count, clamped to what any move could need, so that the sums below
// cannot overflow; TermGoto clamps to the store.
static int Count(const CsiParams *P)
{
    int n = FirstOr(P, 1);
    return n > LineStorage + ColumnStorage ? LineStorage + ColumnStorage : n;
}

static void CsiGoto(const CsiParams *P)
{
    int row = P->ParamCount >= 1 ? P->ParamValues[0] - 1 : 0;
    int column = P->ParamCount >= 2 ? P->ParamValues[1] - 1 : 0;
    TermGoto(column, row);
}

static void CsiUp(const CsiParams *P) { TermGoto(ScreenBuffer.CursorColumn, ScreenBuffer.CursorRow - Count(P)); }
static void CsiDown(const CsiParams *P) { TermGoto(ScreenBuffer.CursorColumn, ScreenBuffer.CursorRow + Count(P)); }
static void CsiRight(const CsiParams *P) { TermGoto(ScreenBuffer.CursorColumn + Count(P), ScreenBuffer.CursorRow); }
static void CsiLeft(const CsiParams *P) { TermGoto(ScreenBuffer.CursorColumn - Count(P), ScreenBuffer.CursorRow); }

static int PutDecimal(uint8_t *out, int value)
{
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(digits[n - 1 - i]);
    return n;
}

// Cursor position report: ESC [ row , column R into the key queue.
static void CsiReport(const CsiParams *P)
{
    if (P->ParamCount != 1 || P->ParamValues[0] != 6) return;
    uint8_t report[32];
    int n = 0;
    report[n++] = 0x1B;
    report[n++] = '[';
    n += PutDecimal(report + n, ScreenBuffer.CursorRow + 1);
    report[n++] = ',';
    n += PutDecimal(report + n, ScreenBuffer.CursorColumn + 1);
    report[n++] = 'R';
    TermKeyPushBytes(report, n);
}

static void CsiSave(const CsiParams *)
{
    ScreenBuffer.SavedRow = ScreenBuffer.CursorRow;
    ScreenBuffer.SavedColumn = ScreenBuffer.CursorColumn;
}

static void CsiRestore(const CsiParams *) { TermGoto(ScreenBuffer.SavedColumn, ScreenBuffer.SavedRow); }

static void CsiEraseText(const CsiParams *P)
{
    if (FirstOr(P, 0) == 2) TermEraseText();
}

static void CsiEraseLine(const CsiParams *P)
{
    switch (FirstOr(P, 0)) {
    case 1: TermEraseLineStart(); break;
    case 2: TermEraseLine(); break;
    default: TermEraseLineEnd(); break;
    }
}

static void CsiCaretHidden(const CsiParams *) { TermPostCaretType(3); }
static void CsiCaretBlock(const CsiParams *) { TermPostCaretType(2); }
static void CsiCaretBar(const CsiParams *) { TermPostCaretType(1); }
static void CsiCaretUnderline(const CsiParams *) { TermPostCaretType(0); }

const CsiCommand CsiCommandTable[CsiCommandCount] = {
    {"H", CsiGoto},
    {"f", CsiGoto},
    {"A", CsiUp},
    {"B", CsiDown},
    {"C", CsiRight},
    {"D", CsiLeft},
    {"n", CsiReport},
    {"s", CsiSave},
    {"u", CsiRestore},
    {"J", CsiEraseText},
    {"K", CsiEraseLine},
    {"m", TermSelectGraphicRendition},
    {"?25l", CsiCaretHidden},
    {"?25h", CsiCaretBlock},
    {"?25i", CsiCaretBar},
    {"?25j", CsiCaretUnderline},
};
