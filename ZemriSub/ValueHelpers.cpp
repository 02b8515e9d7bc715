// Small value helpers; each family shares one template over its widths.
#include "ZemriSub/ValueHelpers.h"

#include <bit>
#include <cmath>
#include <limits>
#include <type_traits>

template <typename T> static T RotateLeftBy(T value, int count)
{
    constexpr int width = std::numeric_limits<T>::digits;
    int shift = ((count % width) + width) % width;
    if (shift == 0) return value;
    return static_cast<T>(static_cast<T>(value << shift) | static_cast<T>(value >> (width - shift)));
}

template <typename T> static T RotateRightBy(T value, int count)
{
    constexpr int width = std::numeric_limits<T>::digits;
    return RotateLeftBy<T>(value, width - ((count % width) + width) % width);
}

uint8_t RotateLeft8(uint8_t value, int count) { return RotateLeftBy(value, count); }
uint16_t RotateLeft16(uint16_t value, int count) { return RotateLeftBy(value, count); }
uint32_t RotateLeft32(uint32_t value, int count) { return RotateLeftBy(value, count); }
uint8_t RotateRight8(uint8_t value, int count) { return RotateRightBy(value, count); }
uint16_t RotateRight16(uint16_t value, int count) { return RotateRightBy(value, count); }
uint32_t RotateRight32(uint32_t value, int count) { return RotateRightBy(value, count); }

template <typename T> static T Smaller(T a, T b) { return a < b ? a : b; }
template <typename T> static T LargerInteger(T a, T b) { return b < a ? a : b; }
template <typename T> static T LargerReal(T a, T b) { return a > b ? a : b; }

uint8_t MinUInt8(uint8_t a, uint8_t b) { return Smaller(a, b); }
uint16_t MinUInt16(uint16_t a, uint16_t b) { return Smaller(a, b); }
uint32_t MinUInt32(uint32_t a, uint32_t b) { return Smaller(a, b); }
int8_t MinInt8(int8_t a, int8_t b) { return Smaller(a, b); }
int16_t MinInt16(int16_t a, int16_t b) { return Smaller(a, b); }
int32_t MinInt32(int32_t a, int32_t b) { return Smaller(a, b); }
float MinReal32(float a, float b) { return Smaller(a, b); }
double MinReal64(double a, double b) { return Smaller(a, b); }

uint8_t MaxUInt8(uint8_t a, uint8_t b) { return LargerInteger(a, b); }
uint16_t MaxUInt16(uint16_t a, uint16_t b) { return LargerInteger(a, b); }
uint32_t MaxUInt32(uint32_t a, uint32_t b) { return LargerInteger(a, b); }
int8_t MaxInt8(int8_t a, int8_t b) { return LargerInteger(a, b); }
int16_t MaxInt16(int16_t a, int16_t b) { return LargerInteger(a, b); }
int32_t MaxInt32(int32_t a, int32_t b) { return LargerInteger(a, b); }
float MaxReal32(float a, float b) { return LargerReal(a, b); }
double MaxReal64(double a, double b) { return LargerReal(a, b); }

// Negation in the unsigned type of the same width, so that the most
// negative value maps to itself instead of overflowing.
template <typename T> static T AbsInteger(T value)
{
    using U = std::make_unsigned_t<T>;
    if (value >= 0) return value;
    return static_cast<T>(static_cast<U>(0u - static_cast<U>(value)));
}

template <typename T> static T AbsReal(T value) { return value < 0 ? -value : value; }

int8_t AbsInt8(int8_t value) { return AbsInteger(value); }
int16_t AbsInt16(int16_t value) { return AbsInteger(value); }
int32_t AbsInt32(int32_t value) { return AbsInteger(value); }
float AbsReal32(float value) { return AbsReal(value); }
double AbsReal64(double value) { return AbsReal(value); }

bool IsUpper(uint8_t ch) { return ch >= 'A' && ch <= 'Z'; }
bool IsLower(uint8_t ch) { return ch >= 'a' && ch <= 'z'; }
bool IsLetter(uint8_t ch) { return IsUpper(ch) || IsLower(ch); }
bool IsDigit(uint8_t ch) { return ch >= '0' && ch <= '9'; }
bool IsLetterOrDigit(uint8_t ch) { return IsLetter(ch) || IsDigit(ch); }
uint8_t ToUpper(uint8_t ch) { return IsLower(ch) ? static_cast<uint8_t>(ch & 0x5F) : ch; }
uint8_t ToLower(uint8_t ch) { return IsUpper(ch) ? static_cast<uint8_t>(ch | 0x20) : ch; }

bool BoolXor(uint8_t a, uint8_t b) { return (a != 0) != (b != 0); }

static float NanAsZero(float value) { return std::isnan(value) ? 0.0f : value; }

float AddReal32(float a, float b) { return NanAsZero(a) + NanAsZero(b); }
float SubReal32(float a, float b) { return NanAsZero(a) - NanAsZero(b); }
float MulReal32(float a, float b) { return NanAsZero(a) * NanAsZero(b); }
float DivReal32(float a, float b) { return NanAsZero(NanAsZero(a) / NanAsZero(b)); }

// trunc(x + 0.5) for x >= 0, -trunc(-x + 0.5) below. Floats are rounded in
// double, where x + 0.5 is exact: the float sum would carry the largest
// float below one half up to 1.
static double RoundHalfAway(double value)
{
    return value >= 0 ? std::trunc(value + 0.5) : -std::trunc(-value + 0.5);
}

// The rounded value as the integer type, or false when it does not fit
// (NaN included).
template <typename I, typename T> static bool RoundToInteger(T value, I *result)
{
    // 2^31 or 2^63, exact in double.
    const double limit = -static_cast<double>(std::numeric_limits<I>::min());
    double rounded = RoundHalfAway(value);
    if (!(rounded < limit && rounded >= -limit)) return false;
    *result = static_cast<I>(rounded);
    return true;
}

template <typename I, typename T> static I RoundSaturated(T value)
{
    I result = 0;
    if (RoundToInteger(value, &result)) return result;
    if (std::isnan(value)) return 0;
    return value > 0 ? std::numeric_limits<I>::max() : std::numeric_limits<I>::min();
}

int32_t RoundReal32ToInt32(float value) { return RoundSaturated<int32_t>(value); }
int64_t RoundReal64ToInt64(double value) { return RoundSaturated<int64_t>(value); }

static const float PowersOfTen32[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
static const double PowersOfTen64[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
static constexpr int MaxDecimals = 10;

// x * 10^n rounded as an integer of type I, divided by 10^n again. A
// scaled value beyond the integer already has no digits after the point
// to round, so x comes back as it is.
template <typename I, typename T> static T RoundToDecimals(T value, int decimals, const T *powers)
{
    if (decimals < 0 || decimals > MaxDecimals) return value;
    T scale = powers[decimals];
    I rounded = 0;
    if (!RoundToInteger(static_cast<T>(value * scale), &rounded)) return value;
    return static_cast<T>(rounded) / scale;
}

float RoundReal32ToDecimals(float value, int decimals)
{
    return RoundToDecimals<int32_t>(value, decimals, PowersOfTen32);
}

double RoundReal64ToDecimals(double value, int decimals)
{
    return RoundToDecimals<int64_t>(value, decimals, PowersOfTen64);
}

uint32_t Real32Bits(float value) { return std::bit_cast<uint32_t>(value); }
float Real32FromBits(uint32_t bits) { return std::bit_cast<float>(bits); }
float Real32FromHalves(uint16_t high, uint16_t low)
{
    return Real32FromBits(static_cast<uint32_t>(high) << 16 | low);
}
uint16_t HighHalf16(uint32_t value) { return static_cast<uint16_t>(value >> 16); }
uint16_t LowHalf16(uint32_t value) { return static_cast<uint16_t>(value); }
double Real64FromWords(uint32_t high, uint32_t low)
{
    return std::bit_cast<double>(static_cast<uint64_t>(high) << 32 | low);
}
uint32_t HighWord32(uint64_t value) { return static_cast<uint32_t>(value >> 32); }
uint32_t LowWord32(uint64_t value) { return static_cast<uint32_t>(value); }
