// Small value helpers: rotation, minimum and maximum, absolute value,
// ASCII character classes, guarded real arithmetic, rounding and bit
// reinterpretation. All are pure functions of their arguments.
#pragma once
#include <cstdint>

// Rotation of the unsigned pattern by count (0..width; other counts are
// taken modulo the width).
uint8_t RotateLeft8(uint8_t value, int count);
uint16_t RotateLeft16(uint16_t value, int count);
uint32_t RotateLeft32(uint32_t value, int count);
uint8_t RotateRight8(uint8_t value, int count);
uint16_t RotateRight16(uint16_t value, int count);
uint32_t RotateRight32(uint32_t value, int count);

// a < b ? a : b (for reals a NaN comparison yields b).
uint8_t MinUInt8(uint8_t a, uint8_t b);
uint16_t MinUInt16(uint16_t a, uint16_t b);
uint32_t MinUInt32(uint32_t a, uint32_t b);
int8_t MinInt8(int8_t a, int8_t b);
int16_t MinInt16(int16_t a, int16_t b);
int32_t MinInt32(int32_t a, int32_t b);
float MinReal32(float a, float b);
double MinReal64(double a, double b);

// b < a ? a : b for integers, a > b ? a : b for reals.
uint8_t MaxUInt8(uint8_t a, uint8_t b);
uint16_t MaxUInt16(uint16_t a, uint16_t b);
uint32_t MaxUInt32(uint32_t a, uint32_t b);
int8_t MaxInt8(int8_t a, int8_t b);
int16_t MaxInt16(int16_t a, int16_t b);
int32_t MaxInt32(int32_t a, int32_t b);
float MaxReal32(float a, float b);
double MaxReal64(double a, double b);

// The most negative integer of each width stays as it is; -0.0 stays -0.0.
int8_t AbsInt8(int8_t value);
int16_t AbsInt16(int16_t value);
int32_t AbsInt32(int32_t value);
float AbsReal32(float value);
double AbsReal64(double value);

// ASCII only; every other byte is returned unchanged.
bool IsLetter(uint8_t ch);
bool IsDigit(uint8_t ch);
bool IsLetterOrDigit(uint8_t ch);
bool IsUpper(uint8_t ch);
bool IsLower(uint8_t ch);
uint8_t ToUpper(uint8_t ch);
uint8_t ToLower(uint8_t ch);

// True when exactly one of the two bytes is non-zero.
bool BoolXor(uint8_t a, uint8_t b);

// Float arithmetic in which a NaN operand counts as 0; DivReal32 also
// gives 0 for a NaN quotient (0/0). Infinities pass through.
float AddReal32(float a, float b);
float SubReal32(float a, float b);
float MulReal32(float a, float b);
float DivReal32(float a, float b);

// Half away from zero. The decimal forms take 0..10 decimals and return
// any other count (and a value whose scaled form does not fit the integer)
// unchanged; the integer forms saturate, and give 0 for NaN.
float RoundReal32ToDecimals(float value, int decimals);
double RoundReal64ToDecimals(double value, int decimals);
int32_t RoundReal32ToInt32(float value);
int64_t RoundReal64ToInt64(double value);

// Bit patterns.
uint32_t Real32Bits(float value);
float Real32FromBits(uint32_t bits);
float Real32FromHalves(uint16_t high, uint16_t low);
uint16_t HighHalf16(uint32_t value);
uint16_t LowHalf16(uint32_t value);
double Real64FromWords(uint32_t high, uint32_t low);
uint32_t HighWord32(uint64_t value);
uint32_t LowWord32(uint64_t value);
