// Select graphic rendition (CSI ... m): attributes and colours, each
// parameter taking effect at once in order.
#include "terminal/Term.h"

// The colour codes 30..37 and 40..47 name these palette indexes.
static const int SgrColourIndex[8] = {0, 4, 2, 14, 1, 5, 3, 15};

static void SetBits(uint16_t bits) { TermSetAttributes(static_cast<uint16_t>(ScreenBuffer.TextAttributes | bits)); }
static void ClearBits(uint16_t bits) { TermSetAttributes(static_cast<uint16_t>(ScreenBuffer.TextAttributes & ~bits)); }

// 38;5;n and 48;5;n: an entry of the 256-colour table. Returns how many of
// the following parameters were consumed.
static int ExtendedColour(const CsiParams *P, int i, void (*set)(TermColour))
{
    if (i + 1 >= P->ParamCount) return 0;
    if (P->ParamValues[i + 1] != 5) return 1;
    if (i + 2 < P->ParamCount && P->ParamValues[i + 2] <= 255) {
        set(Palette256[P->ParamValues[i + 2]]);
        return 2;
    }
    return 1;  // the 5 alone; a value beyond the table is ignored as ordinary
}

void TermSelectGraphicRendition(const CsiParams *P)
{
    for (int i = 0; i < P->ParamCount; ++i) {
        int v = P->ParamValues[i];
        switch (v) {
        case 0: TermSetAttributes(0); break;
        case 1: SetBits(ATTR_BOLD); break;
        case 3: SetBits(ATTR_ITALIC); break;
        case 4: SetBits(ATTR_UNDERLINE); break;
        case 5: SetBits(ATTR_BLINK); break;
        case 7: SetBits(ATTR_REVERSE); break;
        case 22: ClearBits(ATTR_BOLD); break;
        case 23: ClearBits(ATTR_ITALIC); break;
        case 24: ClearBits(ATTR_UNDERLINE); break;
        case 25: ClearBits(ATTR_BLINK); break;
        case 27: ClearBits(ATTR_REVERSE); break;
        case 38: i += ExtendedColour(P, i, TermSetFore); break;
        case 48: i += ExtendedColour(P, i, TermSetBack); break;
        case 123: SetBits(ATTR_LINE_TOP); break;
        case 124: SetBits(ATTR_LINE_LEFT); break;
        case 125: SetBits(ATTR_LINE_BOTTOM); break;
        case 126: SetBits(ATTR_LINE_RIGHT); break;
        default:
            if (v >= 30 && v <= 37)
                TermSetFore(TermPaletteColour(SgrColourIndex[v - 30]));
            else if (v >= 40 && v <= 47)
                TermSetBack(TermPaletteColour(SgrColourIndex[v - 40]));
            break;
        }
    }
}
