#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "StreamsSupport.h"
#include "terminal/Console.h"

namespace {

struct IntCase {
    int64_t value;
    uint8_t flags;
    int8_t signMode;
    int8_t width;
    int8_t decimals;
    int8_t scale;
    const char *expected;
};

void PrintTo(const IntCase &c, std::ostream *os)
{
    *os << "value " << c.value << " flags 0x" << std::hex << int(c.flags) << std::dec << " sign " << int(c.signMode)
        << " width " << int(c.width) << " decimals " << int(c.decimals) << " scale " << int(c.scale) << " -> '"
        << c.expected << "'";
}

class IntFormat : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntFormat, Writes)
{
    const IntCase &c = GetParam();
    std::string out = Captured([&](SIO *sio) {
        SioPutIntFormatted(sio, c.value, c.flags, c.signMode, c.width, c.decimals, c.scale);
    });
    EXPECT_EQ(out, c.expected);
}

const IntCase PlainCases[] = {
    {-42, 0, 0, 0, 0, 0, "-42"},
    {0, 0, 0, 0, 0, 0, "0"},
    {7, 0, 0, 0, 0, 0, "7"},
    {1000000, 0, 0, 0, 0, 0, "1000000"},
    {INT64_MAX, 0, 0, 0, 0, 0, "9223372036854775807"},
    {INT64_MIN, 0, 0, 0, 0, 0, "-9223372036854775808"},
    {-1, 0, 0, 0, 0, 0, "-1"},
};
INSTANTIATE_TEST_SUITE_P(Plain, IntFormat, ::testing::ValuesIn(PlainCases));

const IntCase WidthCases[] = {
    {5, 0x01, 0, 2, 0, 0, "05"},
    {123, 0x01, 0, 2, 0, 0, "123"},  // width is a minimum
    {5, 0x01, 0, 3, 0, 0, "005"},
    {5, 0, 0, 3, 0, 0, "  5"},
    {-5, 0x01, 0, 3, 0, 0, "-05"},  // the sign counts with sign mode 0
    {-5, 0, 0, 3, 0, 0, " -5"},
    {5, 0, 2, 3, 0, 0, "  +5"},  // modes 1 and 2 do not count the sign
    {5, 0, 1, 3, 0, 0, "   5"},
    {5, 0x01, 2, 3, 0, 0, "+005"},
    {5, 0, 2, 0, 0, 0, "+5"},
    {5, 0, 1, 0, 0, 0, " 5"},
    {-5, 0, 2, 0, 0, 0, "-5"},
    {5, 0, 0, -4, 0, 0, "5"},  // a negative width pads nothing
    // Width counts the characters before the point ...
    {5, 0, 0, 6, 2, 0, "     0.05"},
    // ... or, with bit 7, the whole field.
    {5, 0x80, 0, 6, 2, 0, "  0.05"},
    {5, 0x80, 0, 4, 2, 0, "0.05"},
    {-5, 0x80, 0, 6, 2, 0, " -0.05"},
    {-5, 0x81, 0, 6, 2, 0, "-00.05"},
    {5, 0x81, 2, 6, 2, 0, "+00.05"},
};
INSTANTIATE_TEST_SUITE_P(Width, IntFormat, ::testing::ValuesIn(WidthCases));

const IntCase DecimalCases[] = {
    {5123, 0x01, 0, 2, 3, 0, "05.123"},
    {1500, 0, 0, 1, 3, 0, "1.500"},
    {1500, 0x02, 0, 1, 3, 0, "1.5"},
    {2000, 0x02, 0, 0, 3, 0, "2"},
    {2010, 0x02, 0, 0, 3, 0, "2.01"},
    {5, 0, 0, 0, 3, 0, "0.005"},
    {-5, 0, 0, 0, 3, 0, "-0.005"},
    {0, 0, 0, 0, 2, 0, "0.00"},
    {0, 0x02, 0, 0, 2, 0, "0"},
    {123456, 0x04, 0, 0, 2, 0, "1234,56"},
    {5, 0, 0, 0, -2, 0, "500"},
    {0, 0, 0, 0, -2, 0, "0"},  // leading zeros are dropped
    {-12, 0, 0, 0, -3, 0, "-12000"},
    // Decimals are clamped to 24.
    {5, 0, 0, 0, 30, 0, "0.000000000000000000000005"},
    {INT64_MIN, 0, 0, 0, 24, 0, "-0.000009223372036854775808"},
    // Scale: each power of ten moves the point one place.
    {5, 0, 0, 0, 0, 100, "500"},
    {12345, 0, 0, 0, 3, 10, "123.45"},
    {1234, 0, 0, 0, 0, 10, "12340"},
    {5, 0, 0, 0, 0, 3, "15"},
    {5, 0, 0, 0, 0, 1, "5"},
};
INSTANTIATE_TEST_SUITE_P(Decimals, IntFormat, ::testing::ValuesIn(DecimalCases));

const IntCase GroupCases[] = {
    {1234567, 0x08, 0, 0, 0, 0, "1,234,567"},
    {1234567, 0x0C, 0, 0, 0, 0, "1 234 567"},
    {123, 0x08, 0, 0, 0, 0, "123"},
    {1234, 0x08, 0, 0, 0, 0, "1,234"},
    {-123456, 0x08, 0, 0, 0, 0, "-123,456"},
    {1234567, 0x08, 0, 0, 2, 0, "12,345.67"},
    {1234567, 0x0C, 0, 0, 2, 0, "12 345,67"},
    // The fraction is grouped rightwards from the point.
    {1234567, 0x08, 0, 0, 6, 0, "1.234,567"},
    {1500000, 0x0A, 0, 0, 6, 0, "1.5"},
    {1000000, 0x0A, 0, 0, 6, 0, "1"},
    {5, 0x08, 0, 0, -4, 0, "50,000"},
    // Zero padding continues the groups; a separator on the first padding
    // position becomes a space.
    {123, 0x09, 0, 6, 0, 0, "00,123"},
    {123, 0x09, 0, 4, 0, 0, " 123"},
    {123, 0x09, 0, 7, 0, 0, "000,123"},
    {123, 0x09, 0, 8, 0, 0, " 000,123"},
    {123, 0x09, 0, 9, 0, 0, "0,000,123"},
    {-1234, 0x09, 0, 8, 0, 0, "-001,234"},
    {-1234, 0x09, 0, 10, 0, 0, "-0,001,234"},
    {12, 0x0D, 0, 6, 0, 0, "00 012"},
    {5, 0x09, 0, 6, 2, 0, "00,000.05"},
};
INSTANTIATE_TEST_SUITE_P(Groups, IntFormat, ::testing::ValuesIn(GroupCases));

// Width is clamped to 35, or 50 when it counts the whole field.
TEST(IntFormatLimits, WidthClamped)
{
    EXPECT_EQ(Captured([](SIO *sio) { SioPutIntFormatted(sio, 5, 0, 0, 100, 0, 0); }),
              std::string(34, ' ') + "5");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutIntFormatted(sio, 5, 0x80, 0, 100, 0, 0); }),
              std::string(49, ' ') + "5");
}

// The widest fields stay inside the 81-byte buffer of the output operations.
TEST(IntFormatLimits, WidestFieldsFitTheBuffer)
{
    std::string out = Captured([](SIO *sio) { SioPutIntFormatted(sio, INT64_MIN, 0x89, 1, 127, 24, 0); });
    const std::string digits = "0.000,009,223,372,036,854,775,808";
    ASSERT_EQ(out.size(), 50u);
    EXPECT_EQ(out[0], '-');
    EXPECT_EQ(out.substr(out.size() - digits.size()), digits);
}

NumberFormat Zeroed()
{
    NumberFormat FR;
    std::memset(&FR, 0, sizeof FR);
    return FR;
}

TEST(FormatInteger, ReportsWhereThePointIs)
{
    NumberFormat FR = Zeroed();
    FR.value = 1234567;
    FR.decimals = 6;
    FR.flags = 0x08;
    char buffer[80];
    FormatInteger(buffer, sizeof buffer, &FR);
    EXPECT_STREQ(buffer, "1.234,567");
    EXPECT_EQ(FR.hasPoint, 1);
    EXPECT_EQ(FR.pointPosition, 1);
    EXPECT_EQ(FR.integerDigits, 1);
    EXPECT_EQ(FR.fractionDigits, 6);
    EXPECT_EQ(FR.fractionLength, 7);  // the separator counts
    EXPECT_EQ(FR.pointChar, '.');
    EXPECT_EQ(FR.groupChar, ',');
    EXPECT_EQ(FR.signChar, 0);

    FR = Zeroed();
    FR.value = -1234;
    FR.flags = 0x0C;
    FormatInteger(buffer, sizeof buffer, &FR);
    EXPECT_STREQ(buffer, "-1 234");
    EXPECT_EQ(FR.hasPoint, 0);
    EXPECT_EQ(FR.pointPosition, 5);  // the end of the digit text
    EXPECT_EQ(FR.integerDigits, 4);
    EXPECT_EQ(FR.signChar, '-');
    EXPECT_EQ(FR.pointChar, ',');
    EXPECT_EQ(FR.groupChar, ' ');
}

TEST(FormatInteger, ExtraZerosFollowTheFraction)
{
    NumberFormat FR = Zeroed();
    FR.value = 15;
    FR.decimals = 1;
    FR.extraZeros = 2;
    char buffer[80];
    FormatInteger(buffer, sizeof buffer, &FR);
    EXPECT_STREQ(buffer, "1.500");
    EXPECT_EQ(FR.fractionDigits, 3);

    FR = Zeroed();
    FR.value = 7;
    FR.extraZeros = 2;
    FormatInteger(buffer, sizeof buffer, &FR);
    EXPECT_STREQ(buffer, "7.00");

    FR = Zeroed();
    FR.value = 7;
    FR.decimals = -1;
    FR.extraZeros = 1;
    FormatInteger(buffer, sizeof buffer, &FR);
    EXPECT_STREQ(buffer, "70.0");
}

TEST(FormatInteger, OverlongTextIsCutAtTheBufferEnd)
{
    NumberFormat FR = Zeroed();
    FR.value = 1;
    FR.extraZeros = 127;
    FR.flags = 0x08;
    char buffer[90];
    std::memset(buffer, 'x', sizeof buffer);
    FormatInteger(buffer, 80, &FR);
    EXPECT_EQ(std::strlen(buffer), 79u);
    EXPECT_EQ(std::string(buffer, 6), "1.000,");
    EXPECT_EQ(buffer[80], 'x');  // nothing past the given size
}

void TapToStderr(uint8_t ch) { std::fputc(ch, stderr); }

TEST(FormatIntegerDeathTest, SmallBufferIsAnAssertionFailure)
{
    EXPECT_EXIT(
        {
            std::setvbuf(stderr, nullptr, _IONBF, 0);
            ConsoleTap = TapToStderr;
            NumberFormat FR = Zeroed();
            char buffer[79];
            FormatInteger(buffer, sizeof buffer, &FR);
        },
        ::testing::ExitedWithCode(1), "Assert Failed:ZemriSub/ZemriSub:823");
}

TEST(FormatInteger, BufferOfEightyIsEnough)
{
    NumberFormat FR = Zeroed();
    FR.value = 42;
    char buffer[80];
    FormatInteger(buffer, sizeof buffer, &FR);
    EXPECT_STREQ(buffer, "42");
}

}  // namespace
