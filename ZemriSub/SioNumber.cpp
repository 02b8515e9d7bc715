// Text streams: decimal, hexadecimal and real output.
#include <cstring>

#include "ZemriSub/ZemriSub.h"

constexpr int BuffSize = 81;

static void PutBuffer(SIO *sio, const char *Buff)
{
    for (const char *p = Buff; *p; ++p) SioPutChar(sio, static_cast<uint8_t>(*p));
}

// A format record with the fields every formatted output takes.
static NumberFormat FormatRecord(uint8_t flags, int8_t signMode, int8_t width, int8_t decimals, int8_t scale)
{
    NumberFormat FR;
    std::memset(&FR, 0, sizeof FR);
    FR.flags = flags;
    FR.signMode = signMode;
    FR.width = width;
    FR.decimals = decimals;
    FR.scale = scale;
    return FR;
}

void SioPutIntFormatted(SIO *sio, int64_t value, uint8_t flags, int8_t signMode, int8_t width,
                        int8_t decimals, int8_t scale)
{
    NumberFormat FR = FormatRecord(flags, signMode, width, decimals, scale);
    FR.value = value;
    char Buff[BuffSize];
    FormatInteger(Buff, BuffSize, &FR);
    PutBuffer(sio, Buff);
}

void SioPutInt(SIO *sio, int64_t value) { SioPutIntFormatted(sio, value, 0, 0, 0, 0, 0); }

void SioPutRealFormatted(SIO *sio, double x, int8_t precision, uint8_t flags, int8_t signMode,
                         int8_t width, int8_t decimals, int8_t scale)
{
    NumberFormat FR = FormatRecord(flags, signMode, width, decimals, scale);
    FR.precision = precision;
    char Buff[BuffSize];
    FormatReal(x, Buff, BuffSize, &FR);
    PutBuffer(sio, Buff);
}

void SioPutReal(SIO *sio, double x, int8_t precision) { SioPutRealFormatted(sio, x, precision, 0, 0, 0, 0, 0); }
void SioPutReal(SIO *sio, float x) { SioPutReal(sio, static_cast<double>(x), 7); }
void SioPutReal(SIO *sio, double x) { SioPutReal(sio, x, 15); }

// Hexadecimal: the low `digits` nibbles, most significant first, with a
// space between groups of four under flags bit 3.
void SioPutHexFormatted(SIO *sio, uint64_t value, int8_t digits, uint8_t flags, int8_t width)
{
    int D = digits > 0 ? digits : 0;
    bool group = (flags & FMT_GROUP) != 0;
    // The separators actually written: one after each digit position i
    // with 0 < i < D - 1 and i a multiple of 4.
    int separators = (group && D >= 2) ? (D - 2) / 4 : 0;
    int spaces = width - D - separators;
    for (int i = 0; i < spaces; ++i) SioPutChar(sio, ' ');
    for (int i = D - 1; i >= 0; --i) {
        unsigned nibble = i < 16 ? static_cast<unsigned>((value >> (4 * i)) & 0xF) : 0;
        SioPutChar(sio, static_cast<uint8_t>(nibble < 10 ? '0' + nibble : 'A' + nibble - 10));
        if (group && i > 0 && i < D - 1 && i % 4 == 0) SioPutChar(sio, ' ');
    }
}

void SioPutHex8(SIO *sio, uint64_t value, uint8_t flags, int8_t width) { SioPutHexFormatted(sio, value, 2, flags, width); }
void SioPutHex16(SIO *sio, uint64_t value, uint8_t flags, int8_t width) { SioPutHexFormatted(sio, value, 4, flags, width); }
void SioPutHex32(SIO *sio, uint64_t value, uint8_t flags, int8_t width) { SioPutHexFormatted(sio, value, 8, flags, width); }
void SioPutHex64(SIO *sio, uint64_t value, uint8_t flags, int8_t width) { SioPutHexFormatted(sio, value, 16, flags, width); }
void SioPutHex8(SIO *sio, uint64_t value) { SioPutHexFormatted(sio, value, 2, 0, 0); }
void SioPutHex16(SIO *sio, uint64_t value) { SioPutHexFormatted(sio, value, 4, 0, 0); }
void SioPutHex32(SIO *sio, uint64_t value) { SioPutHexFormatted(sio, value, 8, 0, 0); }
void SioPutHex64(SIO *sio, uint64_t value) { SioPutHexFormatted(sio, value, 16, 0, 0); }
