// Text streams: the number parsers. Their input may come from the serial
// line, so every accumulation is bounded and free of overflow:
//   - decimal integers saturate at the int64 limits (the digits that follow
//     are still consumed);
//   - hexadecimal digits keep the low 64 bits, as a shift register would;
//   - reals accumulate in double (going to infinity at worst), and an
//     exponent stops being applied once the value is 0 or infinite.
#include <cmath>

#include "ZemriSub/ZemriSub.h"

static uint8_t SkipBlanks(SIO *sio)
{
    uint8_t ch = SioGetChar(sio);
    while (ch == ' ' || ch == '\t') ch = SioGetChar(sio);
    return ch;
}

static bool IsDigit(uint8_t ch) { return ch >= '0' && ch <= '9'; }

static int HexDigitValue(uint8_t ch)
{
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return -1;
}

int64_t SioReadInt(SIO *sio)
{
    uint8_t ch = SkipBlanks(sio);
    bool negative = ch == '-';
    if (negative) ch = SioGetChar(sio);
    // The magnitude may reach 2^63 for a negative number, 2^63 - 1 otherwise.
    const uint64_t limit = negative ? (static_cast<uint64_t>(INT64_MAX) + 1) : static_cast<uint64_t>(INT64_MAX);
    uint64_t magnitude = 0;
    while (IsDigit(ch)) {
        unsigned digit = ch - '0';
        if (magnitude > (limit - digit) / 10)
            magnitude = limit;
        else
            magnitude = magnitude * 10 + digit;
        ch = SioGetChar(sio);
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

int64_t SioReadHex(SIO *sio, int size)
{
    uint8_t ch = SkipBlanks(sio);
    if (ch == '$') ch = SioGetChar(sio);
    int budget = 2 * size;
    uint64_t value = 0;
    if (ch == '0') {
        ch = SioGetChar(sio);
        if (ch == 'x')
            ch = SioGetChar(sio);
        else
            budget -= 1;  // that "0" was the first digit
    }
    while (budget > 0) {
        int digit = HexDigitValue(ch);
        if (digit < 0) break;
        value = (value << 4) | static_cast<unsigned>(digit);
        budget -= 1;
        if (budget > 0) ch = SioGetChar(sio);
    }
    return static_cast<int64_t>(value);
}

double SioReadReal(SIO *sio)
{
    uint8_t ch = SkipBlanks(sio);
    bool negative = ch == '-';
    if (negative) ch = SioGetChar(sio);
    double value = 0;
    while (IsDigit(ch)) {
        value = value * 10 + (ch - '0');
        ch = SioGetChar(sio);
    }
    if (ch == '.') {
        ch = SioGetChar(sio);
        double divisor = 1;
        while (IsDigit(ch)) {
            divisor *= 10;  // 10^n for the n-th fraction digit
            value += (ch - '0') / divisor;
            ch = SioGetChar(sio);
        }
    }
    if (ch == 'E' || ch == 'e') {
        int64_t exponent = SioReadInt(sio);
        uint64_t steps = exponent < 0 ? 0 - static_cast<uint64_t>(exponent) : static_cast<uint64_t>(exponent);
        for (uint64_t i = 0; i < steps && value != 0 && !std::isinf(value); ++i) {
            if (exponent < 0)
                value /= 10;
            else
                value *= 10;
        }
    }
    return negative ? -value : value;
}
