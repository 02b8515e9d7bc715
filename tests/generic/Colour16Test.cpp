// The 16-bit screenshot colour: red bits 0-4, green 5-10, blue 11-15.
#include <gtest/gtest.h>

#include "libGeneric/Colour16.h"

namespace {

TEST(Colour16, WidensEachFieldToEightBits)
{
    struct Case {
        uint16_t colour;
        uint8_t red, green, blue;
    };
    for (const Case &c : {Case{0xFFFF, 255, 255, 255}, Case{0x0000, 0, 0, 0}, Case{0x001F, 255, 0, 0},
                          Case{0x07E0, 0, 255, 0}, Case{0xF800, 0, 0, 255}, Case{0x0001, 8, 0, 0},
                          Case{0x0020, 0, 4, 0}, Case{0x0800, 0, 0, 8}, Case{0x0010, 132, 0, 0},
                          Case{0x0400, 0, 130, 0}}) {
        uint8_t red = 1, green = 1, blue = 1;
        Colour16ToRGB(c.colour, &red, &green, &blue);
        EXPECT_EQ(red, c.red) << std::hex << c.colour;
        EXPECT_EQ(green, c.green) << std::hex << c.colour;
        EXPECT_EQ(blue, c.blue) << std::hex << c.colour;
    }
}

TEST(Colour16, PacksTheTopBits)
{
    EXPECT_EQ(RGBToColour16(255, 255, 255), 0xFFFF);
    EXPECT_EQ(RGBToColour16(8, 0, 0), 1);
    EXPECT_EQ(RGBToColour16(7, 3, 7), 0);
    EXPECT_EQ(RGBToColour16(0, 4, 0), 0x0020);
    EXPECT_EQ(RGBToColour16(0, 0, 8), 0x0800);
}

TEST(Colour16, EveryColourSurvivesWideningAndPacking)
{
    for (uint32_t colour = 0; colour <= 0xFFFF; ++colour) {
        uint8_t red, green, blue;
        Colour16ToRGB(static_cast<uint16_t>(colour), &red, &green, &blue);
        ASSERT_EQ(RGBToColour16(red, green, blue), colour);
    }
}

TEST(Colour16, ThreeBitHelpers)
{
    const uint8_t scaled[] = {0, 36, 72, 109, 145, 182, 218, 255};
    for (uint8_t v = 0; v < 8; ++v) {
        EXPECT_EQ(Scale3To8(v), scaled[v]) << int(v);
        EXPECT_EQ(Top3Bits(static_cast<uint8_t>(v << 5)), v);
        EXPECT_EQ(Top3Bits(static_cast<uint8_t>((v << 5) | 0x1F)), v);
        EXPECT_EQ(Top3Bits(Scale3To8(v)), v);
    }
    EXPECT_EQ(Scale3To8(8), 35) << "291 kept to 8 bits";
}

}  // namespace
