#include <gtest/gtest.h>

#include <string>

#include "StreamsSupport.h"

namespace {

struct HexCase {
    uint64_t value;
    int8_t digits;
    uint8_t flags;
    int8_t width;
    const char *expected;
};

void PrintTo(const HexCase &c, std::ostream *os)
{
    *os << std::hex << c.value << std::dec << " digits " << int(c.digits) << " flags " << int(c.flags) << " width "
        << int(c.width) << " -> '" << c.expected << "'";
}

class HexFormat : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexFormat, Writes)
{
    const HexCase &c = GetParam();
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHexFormatted(sio, c.value, c.digits, c.flags, c.width); }), c.expected);
}

const HexCase HexCases[] = {
    {10, 2, 0, 0, "0A"},
    {0x12345, 4, 0, 0, "2345"},  // cut to the digits asked for
    {0xABCDEF, 6, 0, 0, "ABCDEF"},
    {0x1234ABCD, 8, 0x08, 0, "1234 ABCD"},
    {0x0123456789ABCDEFULL, 16, 0x08, 0, "0123 4567 89AB CDEF"},
    {0xFFFFFFFFFFFFFFFFULL, 16, 0, 0, "FFFFFFFFFFFFFFFF"},
    {0xF, 20, 0, 0, "0000000000000000000F"},  // no bits beyond 64
    {0xFF, 2, 0, 5, "   FF"},
    {0xFF, 2, 0, 1, "FF"},
    {0x1234ABCD, 8, 0x08, 10, " 1234 ABCD"},  // the separator counts
    {0x1234, 4, 0x08, 6, "  1234"},
    // Grouping of widths that are no multiple of four: the field still
    // counts the separators that are written.
    {0x123456, 6, 0x08, 8, " 12 3456"},
    {0xAB, 2, 0x08, 3, " AB"},
    {0x5, 0, 0, 3, "   "},
    {0x5, -4, 0, 0, ""},
};
INSTANTIATE_TEST_SUITE_P(Values, HexFormat, ::testing::ValuesIn(HexCases));

TEST(HexOutput, FixedSizes)
{
    const uint64_t v = 0xFEDCBA9876543210ULL;
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHex8(sio, v); }), "10");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHex16(sio, v); }), "3210");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHex32(sio, v); }), "76543210");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHex64(sio, v); }), "FEDCBA9876543210");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHex8(sio, 0xA, 0, 4); }), "  0A");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHex16(sio, 0xBEEF, 0x08, 6); }), "  BEEF");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHex32(sio, v, 0x08, 0); }), "7654 3210");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutHex64(sio, v, 0x08, 20); }), " FEDC BA98 7654 3210");
}

// What the hexadecimal writer writes, the hexadecimal reader reads.
TEST(HexOutput, ReadsBack)
{
    const uint64_t values[] = {0, 1, 0x7F, 0x8000, 0xDEADBEEF, 0x0123456789ABCDEFULL, ~0ULL};
    for (uint64_t v : values) {
        std::string text = Captured([&](SIO *sio) {
            SioPutChar(sio, '$');
            SioPutHex64(sio, v);
            SioPutChar(sio, ';');
        });
        SIO source = SioTextSource(text.c_str());
        EXPECT_EQ(static_cast<uint64_t>(SioReadHex(&source, 8)), v) << text;
    }
}

}  // namespace
