#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "ZemriSub/ValueHelpers.h"

TEST(ValueHelpers, Rotations)
{
    const struct {
        uint32_t value;
        int count;
        uint8_t left8, right8;
        uint16_t left16, right16;
        uint32_t left32, right32;
    } cases[] = {
        {0x81, 0, 0x81, 0x81, 0x0081, 0x0081, 0x00000081u, 0x00000081u},
        {0x81, 1, 0x03, 0xC0, 0x0102, 0x8040, 0x00000102u, 0x80000040u},
        {0x12345681u, 4, 0x18, 0x18, 0x6815, 0x1568, 0x23456811u, 0x11234568u},
        {0x12345681u, 8, 0x81, 0x81, 0x8156, 0x8156, 0x34568112u, 0x81123456u},
        {0x12345681u, 16, 0x81, 0x81, 0x5681, 0x5681, 0x56811234u, 0x56811234u},
        {0x80000001u, 31, 0x80, 0x02, 0x8000, 0x0002, 0xC0000000u, 0x00000003u},
        {0x80000001u, 32, 0x01, 0x01, 0x0001, 0x0001, 0x80000001u, 0x80000001u},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.value << " by " << std::dec << c.count);
        EXPECT_EQ(RotateLeft8(static_cast<uint8_t>(c.value), c.count), c.left8);
        EXPECT_EQ(RotateRight8(static_cast<uint8_t>(c.value), c.count), c.right8);
        EXPECT_EQ(RotateLeft16(static_cast<uint16_t>(c.value), c.count), c.left16);
        EXPECT_EQ(RotateRight16(static_cast<uint16_t>(c.value), c.count), c.right16);
        EXPECT_EQ(RotateLeft32(c.value, c.count), c.left32);
        EXPECT_EQ(RotateRight32(c.value, c.count), c.right32);
    }
}

TEST(ValueHelpers, MinimumAndMaximumInTheirOwnTypes)
{
    EXPECT_EQ(MinUInt8(200, 100), 100);
    EXPECT_EQ(MaxUInt8(200, 100), 200);
    EXPECT_EQ(MinUInt16(65535, 1), 1);
    EXPECT_EQ(MaxUInt16(65535, 1), 65535);
    EXPECT_EQ(MinUInt32(0xFFFFFFFFu, 0), 0u);
    EXPECT_EQ(MaxUInt32(0xFFFFFFFFu, 0), 0xFFFFFFFFu);
    EXPECT_EQ(MinInt8(-128, 127), -128);
    EXPECT_EQ(MaxInt8(-128, 127), 127);
    EXPECT_EQ(MinInt16(-1, 1), -1);
    EXPECT_EQ(MaxInt16(-32768, -32767), -32767);
    EXPECT_EQ(MinInt32(INT32_MIN, 0), INT32_MIN);
    EXPECT_EQ(MaxInt32(INT32_MIN, INT32_MAX), INT32_MAX);
    EXPECT_EQ(MinReal32(1.5f, -2.0f), -2.0f);
    EXPECT_EQ(MaxReal64(1.5, -2.0), 1.5);
}

// A comparison with NaN is false, so the second operand comes back.
TEST(ValueHelpers, NaNInMinimumAndMaximumYieldsTheSecondOperand)
{
    const float nanf = std::numeric_limits<float>::quiet_NaN();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(MinReal32(nanf, 3.0f), 3.0f);
    EXPECT_TRUE(std::isnan(MinReal32(3.0f, nanf)));
    EXPECT_EQ(MaxReal32(nanf, 3.0f), 3.0f);
    EXPECT_TRUE(std::isnan(MaxReal32(3.0f, nanf)));
    EXPECT_EQ(MinReal64(nan, -1.0), -1.0);
    EXPECT_TRUE(std::isnan(MinReal64(-1.0, nan)));
    EXPECT_EQ(MaxReal64(nan, -1.0), -1.0);
    EXPECT_TRUE(std::isnan(MaxReal64(-1.0, nan)));
}

TEST(ValueHelpers, AbsoluteValues)
{
    EXPECT_EQ(AbsInt8(-5), 5);
    EXPECT_EQ(AbsInt8(-128), -128);
    EXPECT_EQ(AbsInt8(127), 127);
    EXPECT_EQ(AbsInt16(-32768), -32768);
    EXPECT_EQ(AbsInt16(-32767), 32767);
    EXPECT_EQ(AbsInt32(INT32_MIN), INT32_MIN);
    EXPECT_EQ(AbsInt32(-INT32_MAX), INT32_MAX);
    EXPECT_EQ(AbsReal32(-2.5f), 2.5f);
    EXPECT_EQ(AbsReal64(-std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
    // -0.0 is not below 0 and stays as it is.
    EXPECT_TRUE(std::signbit(AbsReal32(-0.0f)));
    EXPECT_TRUE(std::signbit(AbsReal64(-0.0)));
}

TEST(ValueHelpers, CharacterClassesAreAsciiOnly)
{
    for (int ch = 0; ch < 256; ++ch) {
        SCOPED_TRACE(ch);
        uint8_t c = static_cast<uint8_t>(ch);
        bool upper = ch >= 'A' && ch <= 'Z';
        bool lower = ch >= 'a' && ch <= 'z';
        bool digit = ch >= '0' && ch <= '9';
        EXPECT_EQ(IsUpper(c), upper);
        EXPECT_EQ(IsLower(c), lower);
        EXPECT_EQ(IsLetter(c), upper || lower);
        EXPECT_EQ(IsDigit(c), digit);
        EXPECT_EQ(IsLetterOrDigit(c), upper || lower || digit);
        EXPECT_EQ(ToUpper(c), lower ? ch - 32 : ch);
        EXPECT_EQ(ToLower(c), upper ? ch + 32 : ch);
    }
    EXPECT_EQ(ToUpper('a'), 'A');
    EXPECT_EQ(ToUpper(0xE9), 0xE9);
    EXPECT_FALSE(IsLetter('_'));
}

TEST(ValueHelpers, BoolXor)
{
    EXPECT_FALSE(BoolXor(0, 0));
    EXPECT_TRUE(BoolXor(0, 7));
    EXPECT_TRUE(BoolXor(200, 0));
    EXPECT_FALSE(BoolXor(1, 2));
}

TEST(ValueHelpers, GuardedRealArithmetic)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float (*op)(float, float);
        float a, b, expected;
    } cases[] = {
        {AddReal32, 1.5f, 2.0f, 3.5f},   {AddReal32, nan, 2.0f, 2.0f},  {AddReal32, 2.0f, nan, 2.0f},
        {AddReal32, nan, nan, 0.0f},     {AddReal32, inf, 1.0f, inf},   {SubReal32, nan, 2.0f, -2.0f},
        {SubReal32, 5.0f, nan, 5.0f},    {SubReal32, 1.0f, inf, -inf},  {MulReal32, nan, 4.0f, 0.0f},
        {MulReal32, 3.0f, 4.0f, 12.0f},  {MulReal32, inf, 2.0f, inf},   {DivReal32, 1.0f, 4.0f, 0.25f},
        {DivReal32, 0.0f, 0.0f, 0.0f},   {DivReal32, nan, 2.0f, 0.0f},  {DivReal32, 1.0f, nan, inf},
        {DivReal32, 1.0f, 0.0f, inf},    {DivReal32, -1.0f, 0.0f, -inf}, {DivReal32, inf, inf, 0.0f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b);
        float result = c.op(c.a, c.b);
        EXPECT_FALSE(std::isnan(result));
        EXPECT_EQ(result, c.expected);
    }
}

TEST(ValueHelpers, RoundingToIntegersIsHalfAwayFromZero)
{
    const struct {
        double value;
        int64_t expected;
    } cases[] = {
        {0.0, 0},   {0.4, 0},   {0.5, 1},   {1.5, 2},    {2.5, 3},        {-0.4, 0},
        {-0.5, -1}, {-1.5, -2}, {-2.5, -3}, {-2.49, -2}, {1e15 + 0.5, 1000000000000001},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundReal64ToInt64(c.value), c.expected);
        if (std::fabs(c.value) < 1e6) {
            EXPECT_EQ(RoundReal32ToInt32(static_cast<float>(c.value)), c.expected);
        }
    }
    // The largest float below one half rounds down (its sum with 0.5 is
    // exact in double).
    EXPECT_EQ(RoundReal32ToInt32(std::nextafter(0.5f, 0.0f)), 0);
}

// Values beyond the integer saturate, NaN gives 0: no undefined conversion.
TEST(ValueHelpers, RoundingToIntegersSaturates)
{
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(RoundReal32ToInt32(3e9f), INT32_MAX);
    EXPECT_EQ(RoundReal32ToInt32(-3e9f), INT32_MIN);
    EXPECT_EQ(RoundReal32ToInt32(-2147483648.0f), INT32_MIN);
    EXPECT_EQ(RoundReal32ToInt32(inf), INT32_MAX);
    EXPECT_EQ(RoundReal32ToInt32(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(RoundReal64ToInt64(1e19), INT64_MAX);
    EXPECT_EQ(RoundReal64ToInt64(-1e19), INT64_MIN);
    EXPECT_EQ(RoundReal64ToInt64(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ValueHelpers, RoundingToDecimals)
{
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {2.345, 2, 2.35},   {-2.345, 2, -2.35},  {2.5, 0, 3.0},          {-2.5, 0, -3.0},
        {1.23456, 4, 1.2346}, {0.000049, 4, 0.0}, {0.00005, 4, 0.0001},  {123.456, 1, 123.5},
        {0.12345678901, 10, 0.123456789}, {9.87, -1, 9.87}, {9.87, 11, 9.87},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.decimals);
        EXPECT_DOUBLE_EQ(RoundReal64ToDecimals(c.value, c.decimals), c.expected);
        if (c.decimals <= 4) {
            EXPECT_FLOAT_EQ(RoundReal32ToDecimals(static_cast<float>(c.value), c.decimals),
                            static_cast<float>(c.expected));
        }
    }
    EXPECT_FLOAT_EQ(RoundReal32ToDecimals(2.345f, 2), 2.35f);
    // Scaled values beyond the integer have nothing left to round.
    EXPECT_EQ(RoundReal32ToDecimals(12345.678f, 10), 12345.678f);
    EXPECT_EQ(RoundReal64ToDecimals(1e300, 10), 1e300);
    EXPECT_TRUE(std::isnan(RoundReal64ToDecimals(std::numeric_limits<double>::quiet_NaN(), 2)));
}

TEST(ValueHelpers, BitReinterpretation)
{
    EXPECT_EQ(Real32Bits(1.0f), 0x3F800000u);
    EXPECT_EQ(Real32Bits(-0.0f), 0x80000000u);
    EXPECT_EQ(Real32FromBits(0x40490FDBu), 3.14159274f);
    EXPECT_EQ(Real32FromHalves(0x3F80, 0x0000), 1.0f);
    EXPECT_EQ(Real32FromHalves(0xC000, 0x0000), -2.0f);
    EXPECT_EQ(HighHalf16(0x12345678u), 0x1234);
    EXPECT_EQ(LowHalf16(0x12345678u), 0x5678);
    EXPECT_EQ(Real64FromWords(0x3FF00000u, 0), 1.0);
    EXPECT_EQ(Real64FromWords(0x400921FBu, 0x54442D18u), 3.141592653589793);
    EXPECT_EQ(HighWord32(0x0123456789ABCDEFull), 0x01234567u);
    EXPECT_EQ(LowWord32(0x0123456789ABCDEFull), 0x89ABCDEFu);
    EXPECT_TRUE(std::isnan(Real32FromBits(0x7FC00000u)));
}
