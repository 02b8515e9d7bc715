#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "StreamsSupport.h"

namespace {

struct IntParse {
    const char *text;
    int64_t expected;
    char next;  // the character read after the number
};

void PrintTo(const IntParse &c, std::ostream *os) { *os << "'" << c.text << "'"; }

class ReadInt : public ::testing::TestWithParam<IntParse> {};

TEST_P(ReadInt, Reads)
{
    const IntParse &c = GetParam();
    SIO source = SioTextSource(c.text);
    EXPECT_EQ(SioReadInt(&source), c.expected);
    EXPECT_EQ(static_cast<char>(SioGetChar(&source)), c.next);
}

// Every text goes on after the number, so that the character read next is
// part of it.
const IntParse IntCases[] = {
    {"  -12x.", -12, '.'},  // the first non-digit is consumed
    {"+5", 0, '5'},         // "+" is not accepted
    {"\t 42 7", 42, '7'},
    {";!", 0, '!'},
    {"-;!", 0, '!'},
    {"x1", 0, '1'},
    {"007;!", 7, '!'},
    {"9223372036854775807 !", INT64_MAX, '!'},
    {"-9223372036854775808 !", INT64_MIN, '!'},
    // Too many digits: the value stops at the limit, the digits are read.
    {"9223372036854775808 !", INT64_MAX, '!'},
    {"99999999999999999999999999999999 1", INT64_MAX, '1'},
    {"-9223372036854775809 !", INT64_MIN, '!'},
    {"-99999999999999999999999999999999 1", INT64_MIN, '1'},
};
INSTANTIATE_TEST_SUITE_P(Texts, ReadInt, ::testing::ValuesIn(IntCases));

struct HexParse {
    const char *text;
    int size;
    int64_t expected;
    char next;
};

void PrintTo(const HexParse &c, std::ostream *os) { *os << "'" << c.text << "' size " << c.size; }

class ReadHex : public ::testing::TestWithParam<HexParse> {};

TEST_P(ReadHex, Reads)
{
    const HexParse &c = GetParam();
    SIO source = SioTextSource(c.text);
    EXPECT_EQ(SioReadHex(&source, c.size), c.expected);
    EXPECT_EQ(static_cast<char>(SioGetChar(&source)), c.next);
}

const HexParse HexCases[] = {
    {"$1F.", 1, 31, '.'},       // budget used: the next character stays
    {"0x1234", 1, 0x12, '3'},   // two digits after the prefix
    {"0123", 1, 1, '2'},        // a leading 0 is one digit of the budget
    {"0x1234;", 2, 0x1234, ';'},
    {"  $ab;x", 2, 0xAB, 'x'},  // a non-digit ends and is consumed
    {"\tdeadBEEF!", 4, static_cast<int64_t>(0xDEADBEEF), '!'},
    {"0X12", 1, 0, '1'},        // "0X" is no prefix: the X ends the number
    {"g!", 1, 0, '!'},
    {"  7;", 0, 0, ';'},        // no budget: no digit taken
    {"FFFFFFFFFFFFFFFF!", 8, -1, '!'},
    // More digits than 64 bits hold: the low 64 bits remain.
    {"0123456789ABCDEFFEDCBA9876543210!", 16, static_cast<int64_t>(0xFEDCBA9876543210ULL), '!'},
};
INSTANTIATE_TEST_SUITE_P(Texts, ReadHex, ::testing::ValuesIn(HexCases));

struct RealParse {
    const char *text;
    double expected;
    char next;
};

void PrintTo(const RealParse &c, std::ostream *os) { *os << "'" << c.text << "'"; }

class ReadReal : public ::testing::TestWithParam<RealParse> {};

TEST_P(ReadReal, Reads)
{
    const RealParse &c = GetParam();
    SIO source = SioTextSource(c.text);
    double value = SioReadReal(&source);
    if (std::isinf(c.expected) || c.expected == 0)
        EXPECT_EQ(value, c.expected);
    else
        EXPECT_DOUBLE_EQ(value, c.expected);
    EXPECT_EQ(static_cast<char>(SioGetChar(&source)), c.next);
}

const double Inf = HUGE_VAL;

const RealParse RealCases[] = {
    {"3.25;!", 3.25, '!'},
    {"  -0.5;!", -0.5, '!'},
    {"12 7", 12, '7'},
    {"7x=", 7, '='},
    {"1E3 !", 1000, '!'},
    {"2.5e-2 !", 0.025, '!'},
    {"-1.5E+2", -1.5, '2'},  // "+" is no exponent sign
    {".5 !", 0.5, '!'},
    {";!", 0, '!'},
    {"1e999999999 !", Inf, '!'},
    {"-1e999999999 !", -Inf, '!'},
    {"1e-999999999 !", 0, '!'},
    {"0E9223372036854775807 !", 0, '!'},
    {"5E99999999999999999999999999 !", Inf, '!'},
    {"5E-99999999999999999999999999 !", 0, '!'},
    {"123456789012345678901234567890;!", 123456789012345678901234567890.0, '!'},
};
INSTANTIATE_TEST_SUITE_P(Texts, ReadReal, ::testing::ValuesIn(RealCases));

// Long digit runs from the line end in a finite value, or in infinity.
TEST(ReadRealLimits, LongDigitRuns)
{
    std::string fraction = "0." + std::string(100000, '3') + " ";
    SIO source = SioTextSource(fraction.c_str());
    EXPECT_NEAR(SioReadReal(&source), 1.0 / 3, 1e-15);

    std::string integer(1000, '9');
    SIO big = SioTextSource(integer.c_str());
    EXPECT_TRUE(std::isinf(SioReadReal(&big)));

    std::string both = integer + "E-999999999999";
    SIO mixed = SioTextSource(both.c_str());
    EXPECT_TRUE(std::isinf(SioReadReal(&mixed)));  // infinity stays infinite
}

}  // namespace
