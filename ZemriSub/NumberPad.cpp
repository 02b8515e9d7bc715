// Sign and padding of formatted numbers, shared by the integer and the real
// formatter.
#include <cstring>

#include "ZemriSub/NumberText.h"

void FormatClampFields(NumberFormat *F)
{
    if (F->decimals > 24) F->decimals = 24;
    if (F->decimals < -24) F->decimals = -24;
    int8_t maxWidth = (F->flags & FMT_WHOLE_WIDTH) ? 50 : 35;
    if (F->width > maxWidth) F->width = maxWidth;
}

uint8_t FormatSignForMode(int8_t signMode)
{
    if (signMode == 1) return ' ';
    if (signMode == 2) return '+';
    return 0;
}

void FormatSetPunctuation(NumberFormat *F)
{
    bool comma = (F->flags & FMT_DECIMAL_COMMA) != 0;
    F->pointChar = comma ? ',' : '.';
    F->groupChar = comma ? ' ' : ',';
}

void FormatSignAndPad(char *buffer, int size, NumberFormat *F)
{
    int n = static_cast<int>(std::strlen(buffer));
    bool hasSign = F->signChar != 0;
    int width;
    if (F->flags & FMT_WHOLE_WIDTH) {
        width = F->width - n;
        if (hasSign) width -= 1;
    } else {
        width = F->width - F->pointPosition;
        if (F->signMode == 0 && hasSign) width -= 1;
    }
    if (width < 0) width = 0;
    int pad = width + (hasSign ? 1 : 0);
    if (pad <= 0) return;
    // The text never grows past the buffer: the padding shrinks instead.
    if (n + pad + 1 > size) {
        pad = size - 1 - n;
        if (pad <= 0) return;
        width = pad - (hasSign ? 1 : 0);
    }
    std::memmove(buffer + pad, buffer, static_cast<size_t>(n) + 1);
    if (F->flags & FMT_ZERO_PAD) {
        char *front = buffer;
        if (hasSign) *front++ = static_cast<char>(F->signChar);
        if (F->flags & FMT_GROUP) {
            // Fill from the right, continuing the groups of three of the
            // integer digits already written.
            int digits = F->integerDigits;
            bool separatorLast = false;
            for (int i = width - 1; i >= 0; --i) {
                if (digits > 0 && digits % 3 == 0 && !separatorLast) {
                    front[i] = i == 0 ? ' ' : static_cast<char>(F->groupChar);
                    separatorLast = true;
                } else {
                    front[i] = '0';
                    ++digits;
                    separatorLast = false;
                }
            }
        } else {
            std::memset(front, '0', static_cast<size_t>(width));
        }
    } else {
        std::memset(buffer, ' ', static_cast<size_t>(width));
        if (hasSign) buffer[width] = static_cast<char>(F->signChar);
    }
}
