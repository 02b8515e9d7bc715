#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "StreamsSupport.h"

namespace {

struct RealCase {
    double x;
    int8_t precision;
    uint8_t flags;
    int8_t signMode;
    int8_t width;
    int8_t decimals;
    const char *expected;
};

void PrintTo(const RealCase &c, std::ostream *os)
{
    *os << c.x << " precision " << int(c.precision) << " flags 0x" << std::hex << int(c.flags) << std::dec
        << " sign " << int(c.signMode) << " width " << int(c.width) << " decimals " << int(c.decimals) << " -> '"
        << c.expected << "'";
}

class RealFormat : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealFormat, Writes)
{
    const RealCase &c = GetParam();
    std::string out = Captured([&](SIO *sio) {
        SioPutRealFormatted(sio, c.x, c.precision, c.flags, c.signMode, c.width, c.decimals, 0);
    });
    EXPECT_EQ(out, c.expected);
}

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

// No width and no decimals: the shortest text, plain between 1E-3 and 1E7.
const RealCase FreeCases[] = {
    {3.14159, 15, 0, 0, 0, 0, "3.14159"},
    {1e10, 15, 0, 0, 0, 0, "1E10"},
    {0, 15, 0, 0, 0, 0, "0"},
    {-0.0, 15, 0, 0, 0, 0, "0"},
    {-2.5, 15, 0, 0, 0, 0, "-2.5"},
    {100, 15, 0, 0, 0, 0, "100"},
    {0.1, 15, 0, 0, 0, 0, "0.1"},
    {0.3, 15, 0, 0, 0, 0, "0.3"},
    {123.456, 15, 0, 0, 0, 0, "123.456"},
    {0.001, 15, 0, 0, 0, 0, "0.001"},
    {0.0001, 15, 0, 0, 0, 0, "1E-4"},
    {1e-5, 15, 0, 0, 0, 0, "1E-5"},
    {12345678, 15, 0, 0, 0, 0, "12345678"},
    {123456789, 15, 0, 0, 0, 0, "1.23456789E8"},
    {1e100, 15, 0, 0, 0, 0, "1E100"},
    {-1.5e-300, 15, 0, 0, 0, 0, "-1.5E-300"},
    {1.0 / 3, 15, 0, 0, 0, 0, "0.33333333333333"},
    {2.0 / 3, 15, 0, 0, 0, 0, "0.66666666666667"},
    {2.5, 15, 0, 2, 0, 0, "+2.5"},
    {2.5, 15, 0, 1, 0, 0, " 2.5"},
    // Precision below 2 means 15; the digits are precision - 1.
    {2.0 / 3, 0, 0, 0, 0, 0, "0.66666666666667"},
    {2.0 / 3, 7, 0, 0, 0, 0, "0.666667"},
    {1234, 3, 0, 0, 0, 0, "1200"},
    {9.96, 3, 0, 0, 0, 0, "10"},
    // Flags bit 0 keeps the trailing zeros.
    {2.5, 4, 0x01, 0, 0, 0, "2.50"},
    {3.25, 15, 0x04, 0, 0, 0, "3,25"},
    {1234567.5, 15, 0x08, 0, 0, 0, "1,234,567.5"},
    {1234567.5, 15, 0x0C, 0, 0, 0, "1 234 567,5"},
    // Bit 4: width and decimals do not force fixed notation.
    {3.14159, 15, 0x10, 0, 0, 2, "3.14159"},
    {3.5, 15, 0x10, 0, 8, 0, "       3.5"},
    {1e10, 15, 0x10, 0, 6, 0, "     1E10"},
};
INSTANTIATE_TEST_SUITE_P(Free, RealFormat, ::testing::ValuesIn(FreeCases));

const RealCase SpecialCases[] = {
    {Inf, 15, 0, 0, 0, 0, "++++"},
    {-Inf, 15, 0, 0, 0, 0, "----"},
    {NaN, 15, 0, 0, 0, 0, "0000"},
    {Inf, 15, 0, 0, 3, 3, "++++++"},    // width + decimals
    {Inf, 15, 0x80, 0, 6, 3, "++++++"}, // the whole field
    {-Inf, 15, 0x80, 0, 2, 0, "----"},
    {NaN, 15, 0, 2, 5, 0, "00000"},
};
INSTANTIATE_TEST_SUITE_P(Special, RealFormat, ::testing::ValuesIn(SpecialCases));

const RealCase FixedCases[] = {
    {3.14159, 15, 0, 0, 0, 2, "3.14"},
    {2.5, 15, 0, 0, 1, 0, "3"},  // half away from zero
    {0.125, 15, 0, 0, 0, 2, "0.13"},
    {-0.125, 15, 0, 0, 0, 2, "-0.13"},
    {9.996, 15, 0, 0, 0, 2, "10.00"},
    {1.5, 15, 0, 0, 0, 3, "1.500"},
    {1.5, 4, 0, 0, 0, 5, "1.50000"},  // more decimals than digits: zeros follow
    {3.14159, 15, 0, 0, 6, 2, "     3.14"},
    {3.14159, 15, 0x80, 0, 6, 2, "  3.14"},
    {3.14159, 15, 0x81, 0, 6, 2, "003.14"},
    {-3.14159, 15, 0x01, 0, 3, 2, "-03.14"},
    {3.14159, 15, 0, 2, 0, 2, "+3.14"},
    {3.14159, 15, 0, 2, 4, 2, "   +3.14"},
    {1234567.891, 15, 0x08, 0, 0, 2, "1,234,567.89"},
    {1234567.891, 15, 0x09, 0, 10, 2, "01,234,567.89"},
    {1234567.5, 15, 0x0C, 0, 0, 1, "1 234 567,5"},
    {567, 15, 0, 0, 0, -2, "600"},
    {1e-300, 15, 0, 0, 0, 2, "0.00"},
    {0, 15, 0, 0, 0, 2, "0.00"},
    {0, 15, 0, 0, 4, 0, "   0"},
    // Large values in fixed notation: all their digits, no fraction unless
    // decimals ask for one.
    {1e20, 15, 0, 0, 10, 0, "100000000000000000000"},
    {1e15, 15, 0, 0, 0, 2, "1000000000000000.00"},
    // Too many digits for the buffer: the exponent stays.
    {1e300, 15, 0, 0, 10, 0, "         1E300"},
};
INSTANTIATE_TEST_SUITE_P(Fixed, RealFormat, ::testing::ValuesIn(FixedCases));

const RealCase ExponentCases[] = {
    {1234.5, 15, 0x40, 0, 0, 0, "1.2345E3"},
    {0.5, 15, 0x40, 0, 0, 0, "5E-1"},
    {3.14159, 15, 0x40, 0, 0, 0, "3.14159"},  // exponent 0 is not written
    {-1234.5, 15, 0x40, 0, 0, 0, "-1.2345E3"},
    {1234.5, 15, 0x40, 0, 0, 2, "1.23E3"},
    {1234.5, 6, 0x41, 0, 0, 0, "1.2345E3"},
    {1234.5, 8, 0x41, 0, 0, 0, "1.234500E3"},
    {12345, 15, 0x20, 0, 0, 0, "12.345E3"},
    {123456, 15, 0x20, 0, 0, 0, "123.456E3"},
    {0.0123, 15, 0x20, 0, 0, 0, "12.3E-3"},
    {0.5, 15, 0x20, 0, 0, 0, "500E-3"},
    {1.5, 15, 0x20, 0, 0, 0, "1.5"},
    {1e6, 15, 0x20, 0, 0, 0, "1E6"},
    {0, 15, 0x20, 0, 0, 0, "0"},
    {-1e-7, 15, 0x20, 0, 0, 0, "-100E-9"},
    {12345, 15, 0x24, 0, 0, 0, "12,345E3"},
};
INSTANTIATE_TEST_SUITE_P(Exponent, RealFormat, ::testing::ValuesIn(ExponentCases));

TEST(RealOutput, FloatAndDoubleForms)
{
    EXPECT_EQ(Captured([](SIO *sio) { SioPutReal(sio, 3.14159, 15); }), "3.14159");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutReal(sio, 0.1); }), "0.1");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutReal(sio, 0.1f); }), "0.1");  // 0.100000001 in 6 digits
    EXPECT_EQ(Captured([](SIO *sio) { SioPutReal(sio, 3.14159f); }), "3.14159");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutReal(sio, 123456.7f); }), "123457");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutReal(sio, 1e10f); }), "1E10");
}

TEST(RealOutput, ExtremeMagnitudes)
{
    std::string max = Captured([](SIO *sio) { SioPutReal(sio, DBL_MAX); });
    EXPECT_EQ(max, "1.7976931348623E308");
    std::string min = Captured([](SIO *sio) { SioPutReal(sio, DBL_MIN); });
    EXPECT_EQ(min, "2.2250738585072E-308");
    std::string tiny = Captured([](SIO *sio) { SioPutReal(sio, std::numeric_limits<double>::denorm_min()); });
    EXPECT_EQ(tiny.substr(0, 9), "4.9406564");
    EXPECT_EQ(tiny.substr(tiny.size() - 5), "E-324");
}

TEST(RealOutput, PrecisionBeyondSixtyFourBitsIsLimited)
{
    std::string out = Captured([](SIO *sio) { SioPutReal(sio, 1.0 / 3, 100); });
    // 18 significant digits at most: the value must fit 64 bits.
    EXPECT_EQ(out.substr(0, 17), "0.333333333333333");
    EXPECT_LE(out.size(), 20u);
}

TEST(FormatReal, ReportsSignAndPoint)
{
    NumberFormat FR;
    std::memset(&FR, 0, sizeof FR);
    FR.decimals = 2;
    FR.flags = 0x08;
    char buffer[80];
    FormatReal(-1234.567, buffer, sizeof buffer, &FR);
    EXPECT_STREQ(buffer, "-1,234.57");
    EXPECT_EQ(FR.signChar, '-');
    EXPECT_EQ(FR.pointPosition, 5);
    EXPECT_EQ(FR.integerDigits, 4);
    EXPECT_EQ(FR.groupChar, ',');
}

// What is written in scientific notation with full precision reads back.
TEST(RealOutput, ScientificTextReadsBack)
{
    const double values[] = {1.0, 123.456, -98765.4321, 6.02214076e23, 1.602176634e-19, 1e-300, 1e300,
                             2.2250738585072014e-308, 0.1, 7.0 / 3};
    for (double x : values) {
        std::string text = Captured([&](SIO *sio) { SioPutRealFormatted(sio, x, 18, 0x40, 0, 0, 0, 0); });
        SIO source = SioTextSource(text.c_str());
        double back = SioReadReal(&source);
        EXPECT_NEAR(back / x, 1.0, 1e-13) << text;
    }
}

}  // namespace
