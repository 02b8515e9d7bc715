// The integer formatter: digits, decimal point, grouping, trailing zeros.
#include "ZemriSub/NumberText.h"

const uint64_t FormatPowersOfTen[20] = {
    1ULL,
    10ULL,
    100ULL,
    1000ULL,
    10000ULL,
    100000ULL,
    1000000ULL,
    10000000ULL,
    100000000ULL,
    1000000000ULL,
    10000000000ULL,
    100000000000ULL,
    1000000000000ULL,
    10000000000000ULL,
    100000000000000ULL,
    1000000000000000ULL,
    10000000000000000ULL,
    100000000000000000ULL,
    1000000000000000000ULL,
    10000000000000000000ULL,
};

// The digit at position j (1 = units) of what is left of the value; the
// value keeps the remainder. Positions beyond 10^19 and positions at or
// below 0 give 0.
static int TakeDigit(uint64_t *value, int j)
{
    if (j <= 0 || j > 20) return 0;
    if (j == 1) return static_cast<int>(*value);
    uint64_t power = FormatPowersOfTen[j - 1];
    int digit = static_cast<int>(*value / power);
    *value %= power;
    return digit;
}

void FormatInteger(char *buffer, int size, NumberFormat *F)
{
    if (size < 80) AssertFailed("ZemriSub/ZemriSub", 823);
    F->pointPosition = 0;
    F->integerDigits = 0;
    F->hasPoint = 0;
    F->fractionLength = 0;
    F->fractionDigits = 0;

    // Scale: powers of ten move the point, what remains multiplies.
    int scale = F->scale;
    int decimals = F->decimals;
    while (scale >= 10) {
        scale /= 10;
        decimals -= 1;
    }
    uint64_t magnitude = static_cast<uint64_t>(F->value);
    if (scale > 1) {
        magnitude *= static_cast<uint64_t>(scale);
        F->value = static_cast<int64_t>(magnitude);
    }
    if (decimals < -128) decimals = -128;
    F->decimals = static_cast<int8_t>(decimals);
    FormatClampFields(F);
    decimals = F->decimals;

    if (F->value < 0) {
        magnitude = 0 - magnitude;
        F->signChar = '-';
    } else {
        F->signChar = FormatSignForMode(F->signMode);
    }
    FormatSetPunctuation(F);
    bool group = (F->flags & FMT_GROUP) != 0;

    int digits = 1;
    for (int i = 1; i <= 19 && magnitude >= FormatPowersOfTen[i]; ++i) ++digits;
    int j = digits > decimals ? digits : decimals;

    NumberText t = {buffer, size, 0};
    buffer[0] = 0;
    uint64_t rest = magnitude;
    bool written = false;
    for (; j > decimals; --j) {
        int digit = TakeDigit(&rest, j);
        if (digit != 0 || written || j <= decimals + 1) {
            NumberTextPut(&t, static_cast<char>('0' + digit));
            written = true;
            F->integerDigits += 1;
            int left = j - decimals - 1;
            if (group && left > 0 && left % 3 == 0) NumberTextPut(&t, static_cast<char>(F->groupChar));
        }
    }

    int extraZeros = F->extraZeros;
    if (decimals > 0 || extraZeros > 0) {
        if (digits <= decimals) {
            NumberTextPut(&t, '0');
            F->integerDigits += 1;
        }
        F->pointPosition = t.length;
        NumberTextPut(&t, static_cast<char>(F->pointChar));
        F->hasPoint = 1;
        int fractionStart = t.length;
        for (; j > 0 || extraZeros > 0; --j) {
            int done = decimals - j;
            if (group && done > 0 && done % 3 == 0) NumberTextPut(&t, static_cast<char>(F->groupChar));
            int digit = 0;
            if (j > 0)
                digit = TakeDigit(&rest, j);
            else
                extraZeros -= 1;
            NumberTextPut(&t, static_cast<char>('0' + digit));
            F->fractionDigits += 1;
        }
        F->fractionLength = t.length - fractionStart;
    } else {
        F->pointPosition = t.length;
    }

    if (F->hasPoint && (F->flags & FMT_DROP_ZEROS)) {
        int end = t.length;
        while (end > F->pointPosition + 1 &&
               (buffer[end - 1] == '0' || buffer[end - 1] == static_cast<char>(F->groupChar)))
            --end;
        if (end == F->pointPosition + 1) end = F->pointPosition;  // no digit left: drop the point
        buffer[end] = 0;
    }

    FormatSignAndPad(buffer, size, F);
}
