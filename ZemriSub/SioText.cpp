// Text streams: text and string output, plain and in a field.
#include <cstring>

#include "ZemriSub/ZemriSub.h"

static void PutSpaces(SIO *sio, int count)
{
    for (int i = 0; i < count; ++i) SioPutChar(sio, ' ');
}

// n characters of text in a field of width: a positive width right-justifies,
// a negative one left-justifies; flags bit 0 truncates to |width|.
static void PutCharsFormatted(SIO *sio, const char *text, int n, uint8_t flags, int8_t width)
{
    if (n < 0) n = 0;
    int w = width;
    if (w > n) PutSpaces(sio, w - n);
    int shown = n;
    if (flags & FMT_ZERO_PAD) {
        int limit = w < 0 ? -w : w;
        if (limit < shown) shown = limit;
    }
    for (int i = 0; i < shown; ++i) SioPutChar(sio, static_cast<uint8_t>(text[i]));
    if (-w > n) PutSpaces(sio, -w - n);
}

void SioPutTextFormatted(SIO *sio, const char *text, uint8_t flags, int8_t width)
{
    int n = text ? static_cast<int>(std::strlen(text)) : 0;
    PutCharsFormatted(sio, text, n, flags, width);
}

void SioPutText(SIO *sio, const char *text) { SioPutTextFormatted(sio, text, 0, 0); }

void SioPutStringFormatted(SIO *sio, DynamicString value, uint8_t flags, int8_t width)
{
    StringAddRef(&value);
    PutCharsFormatted(sio, StringText(value), StringLength(value), flags, width);
    StringReleaseArgument(&value);
}

void SioPutString(SIO *sio, DynamicString value) { SioPutStringFormatted(sio, value, 0, 0); }

void SioPutRawText(SIO *sio, const char *text)
{
    if (!text) return;
    for (const char *p = text; *p; ++p) SioPutChar(sio, static_cast<uint8_t>(*p));
}

void SioPutRawString(SIO *sio, DynamicString value)
{
    StringAddRef(&value);
    const char *text = StringText(value);
    int16_t n = StringLength(value);
    for (int16_t i = 0; i < n; ++i) SioPutChar(sio, static_cast<uint8_t>(text[i]));
    StringReleaseArgument(&value);
}
