// Shared helpers of the number formatters: a bounded text writer and the
// sign and padding step that both formatters end with.
#pragma once
#include <cstdint>

#include "ZemriSub/ZemriSub.h"

// Appends to a NUL-terminated text in a buffer of size bytes, never past its
// end (the last byte stays for the NUL).
struct NumberText {
    char *buffer;
    int size;
    int length;
};

inline void NumberTextPut(NumberText *t, char ch)
{
    if (t->length < t->size - 1) {
        t->buffer[t->length++] = ch;
        t->buffer[t->length] = 0;
    }
}

inline void NumberTextPutText(NumberText *t, const char *text)
{
    for (const char *p = text; *p; ++p) NumberTextPut(t, *p);
}

// Places the sign and pads the digit text in buffer to F's width.
void FormatSignAndPad(char *buffer, int size, NumberFormat *F);

// Clamps F's decimals to -24..24 and its width to 35 (50 with flags bit 7).
void FormatClampFields(NumberFormat *F);

// Sets F's sign character for a non-negative value from the sign mode.
uint8_t FormatSignForMode(int8_t signMode);

// Point and group characters for the flags (bit 2: decimal comma).
void FormatSetPunctuation(NumberFormat *F);

// 10^0 .. 10^19 as 64-bit integers.
extern const uint64_t FormatPowersOfTen[20];
