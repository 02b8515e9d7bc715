// The real formatter: normalises the value to a fixed number of significant
// digits and lets the integer formatter write them, in plain, scientific or
// engineering notation.
#include <cmath>
#include <cstring>

#include "ZemriSub/NumberText.h"

static const double PositivePowers[8] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
static const double NegativePowers[8] = {1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7};

// 10^n built from exact small powers, so that the digits do not depend on
// the platform's pow().
static double PowerOfTen(int n)
{
    double result;
    int whole;
    if (n >= 0) {
        result = PositivePowers[n % 8];
        whole = n / 8;
        for (int i = 0; i < whole && !std::isinf(result); ++i) result *= 1e8;
    } else {
        result = NegativePowers[-(n % 8)];
        whole = -(n / 8);
        for (int i = 0; i < whole && result != 0; ++i) result /= 1e8;
    }
    return result;
}

static uint64_t RoundScaled(double x, int k) { return static_cast<uint64_t>(std::round(x * PowerOfTen(k))); }

// Significant digits that a 64-bit value can carry with one to spare.
constexpr int MaxPrecision = 19;

static void FormatSpecial(double x, NumberText *t, const NumberFormat *F)
{
    int w = (F->flags & FMT_WHOLE_WIDTH) ? F->width : F->width + F->decimals;
    int count = w > 4 ? w : 4;
    char fill = std::isnan(x) ? '0' : (x > 0 ? '+' : '-');
    for (int i = 0; i < count; ++i) NumberTextPut(t, fill);
}

void FormatReal(double x, char *buffer, int size, NumberFormat *F)
{
    if (size < 1) return;
    bool fixed = (F->decimals != 0 || F->width != 0) && !(F->flags & FMT_REAL_FREE);
    FormatClampFields(F);
    FormatSetPunctuation(F);
    NumberText t = {buffer, size, 0};
    buffer[0] = 0;

    if (std::isnan(x) || std::isinf(x)) {
        FormatSpecial(x, &t, F);
        return;
    }

    if (F->scale > 1) x /= F->scale;
    int precision = F->precision < 2 ? 15 : F->precision;
    if (precision > MaxPrecision) precision = MaxPrecision;
    int P = precision - 1;

    if (x < 0) {
        x = -x;
        F->signChar = '-';
    } else {
        F->signChar = FormatSignForMode(F->signMode);
    }

    uint64_t value;
    int D;
    int k;
    if (x == 0) {
        value = 0;
        D = 0;
        k = P - 1;
    } else {
        int E = 0;
        double big = PowerOfTen(P + 10);
        double limit = PowerOfTen(P);
        while (x >= big) {
            x /= 1e10;
            E += 10;
        }
        while (1e-10 >= x) {
            x *= 1e10;
            E -= 10;
        }
        while (x >= limit) {
            x /= 10;
            E += 1;
        }
        while (x < 1) {
            x *= 10;
            E -= 1;
        }
        k = 0;
        value = RoundScaled(x, k);
        while (value < FormatPowersOfTen[P - 1]) value = RoundScaled(x, ++k);
        while (value >= FormatPowersOfTen[P]) value = RoundScaled(x, --k);
        D = E + P - k - 1;
    }

    NumberFormat NumberFR;
    std::memset(&NumberFR, 0, sizeof NumberFR);
    NumberFR.scale = F->scale;
    NumberFR.flags = F->flags & (FMT_DECIMAL_COMMA | FMT_GROUP);

    int numberDecimals;
    bool exponent = false;
    if (F->flags & FMT_ENGINEERING) {
        numberDecimals = P - 1;
        while (D % 3 != 0) {
            D -= 1;
            numberDecimals -= 1;
        }
        exponent = true;
    } else if ((F->flags & FMT_SCIENTIFIC) || ((D < -3 || D > 7) && !fixed)) {
        numberDecimals = P - 1;
        exponent = true;
    } else {
        numberDecimals = P - D - 1;
        // Plain digits followed by more zeros than the formatter writes
        // would show a wrong value: such a number keeps its exponent.
        if (numberDecimals < -24) {
            numberDecimals = P - 1;
            exponent = true;
        }
    }

    if (fixed) {
        int excess = numberDecimals - F->decimals;
        if (excess > 0) {
            P = P - excess < 1 ? 1 : P - excess;
            numberDecimals -= excess;
            k -= excess;
            value = RoundScaled(x, k);
        } else if (excess < 0) {
            // Only fraction digits need padding: a value already shown
            // with zeros before the point gets no zeros after it.
            int fraction = numberDecimals > 0 ? numberDecimals : 0;
            if (F->decimals > fraction) NumberFR.extraZeros = static_cast<int8_t>(F->decimals - fraction);
        }
    } else if (!(F->flags & FMT_ZERO_PAD)) {
        NumberFR.flags |= FMT_DROP_ZEROS;
    }
    NumberFR.value = static_cast<int64_t>(value);
    NumberFR.decimals = static_cast<int8_t>(numberDecimals);

    FormatInteger(buffer, size, &NumberFR);
    F->groupChar = NumberFR.groupChar;
    F->pointPosition = NumberFR.pointPosition;
    F->integerDigits = NumberFR.integerDigits;
    F->hasPoint = NumberFR.hasPoint;
    t.length = static_cast<int>(std::strlen(buffer));

    if (exponent && D != 0) {
        NumberFormat ExponentFR;
        std::memset(&ExponentFR, 0, sizeof ExponentFR);
        ExponentFR.value = D;  // its sign comes with the digits: "-" only
        char digits[80];
        FormatInteger(digits, sizeof digits, &ExponentFR);
        NumberTextPut(&t, 'E');
        NumberTextPutText(&t, digits);
    }

    FormatSignAndPad(buffer, size, F);
}
