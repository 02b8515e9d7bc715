// Padding and printable renderings.
#include "ZemriSub/ZemriSub.h"
#include "libGeneric/StringUtility.h"
#include "libGeneric/StringUtilityPrivate.h"

void PadRightWith(DynamicString *var, uint8_t ch, int16_t width)
{
    StringUtilityAt(__LINE__);
    if (ch == 0) return;
    while (StringLength(*var) < width) StringAppendChar(var, ch);
}

void PadLeftWith(DynamicString *var, uint8_t ch, int16_t width)
{
    StringUtilityAt(__LINE__);
    DynamicString padding = Repeated(ch, width - TextLength(*var));
    if (padding != 0) StringInsert(var, 0, padding);
    StringRelease(&padding);
}

DynamicString PadRight(DynamicString text, int16_t width)
{
    StringAddRef(&text);
    StringUtilityAt(__LINE__);
    DynamicString result = StringRetain(text);
    PadRightWith(&result, ' ', width);
    StringReleaseArgument(&text);
    return result;
}

DynamicString Spaces(int16_t n)
{
    StringUtilityAt(__LINE__);
    return n >= 0 && n <= 50 ? Repeated(' ', n) : 0;
}

DynamicString FromText(const char *text)
{
    StringUtilityAt(__LINE__);
    return StringRetain(StringConstant(text));
}

// A copy of the text in which every character outside printable is replaced
// by its rendering.
static DynamicString Render(DynamicString text, bool (*printable)(uint8_t),
                            void (*render)(SIO *sink, uint8_t ch))
{
    StringAddRef(&text);
    StringUtilityAt(__LINE__);
    DynamicString result = 0;
    SIO sink = SioStringAppendSink(&result);
    const uint8_t *data = reinterpret_cast<const uint8_t *>(StringText(text));
    int32_t length = TextLength(text);
    for (int32_t i = 0; i < length; ++i) {
        if (printable(data[i]))
            SioPutChar(&sink, data[i]);
        else
            render(&sink, data[i]);
    }
    StringReleaseArgument(&text);
    return result;
}

static bool HexPrintable(uint8_t ch) { return ch > 32 && ch < 127; }

static void RenderHex(SIO *sink, uint8_t ch)
{
    SioPutChar(sink, '$');
    SioPutHex8(sink, ch);
}

static bool DecimalPrintable(uint8_t ch) { return ch >= 30 && ch <= 127; }

static void RenderDecimal(SIO *sink, uint8_t ch)
{
    SioPutChar(sink, '<');
    SioPutInt(sink, ch);
    SioPutChar(sink, '>');
}

DynamicString VisibleHex(DynamicString text) { return Render(text, HexPrintable, RenderHex); }

DynamicString VisibleDecimal(DynamicString text)
{
    return Render(text, DecimalPrintable, RenderDecimal);
}

DynamicString DottedQuad(uint32_t value)
{
    StringUtilityAt(__LINE__);
    DynamicString result = 0;
    SIO sink = SioStringAppendSink(&result);
    for (int shift = 24; shift >= 0; shift -= 8) {
        SioPutInt(&sink, (value >> shift) & 0xFF);
        if (shift > 0) SioPutChar(&sink, '.');
    }
    return result;
}
