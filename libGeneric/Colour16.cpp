// Conversion between 8-bit red, green, blue and the 16-bit colour value.
#include "libGeneric/Colour16.h"

void Colour16ToRGB(uint16_t colour, uint8_t *red, uint8_t *green, uint8_t *blue)
{
    uint32_t r = colour & 0x1F;
    uint32_t g = (colour >> 5) & 0x3F;
    uint32_t b = (colour >> 11) & 0x1F;
    *red = static_cast<uint8_t>((r << 3) | (r >> 2));
    *green = static_cast<uint8_t>((g << 2) | (g >> 4));
    *blue = static_cast<uint8_t>((b << 3) | (b >> 2));
}

uint16_t RGBToColour16(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<uint16_t>((red >> 3) | ((green >> 2) << 5) | ((blue >> 3) << 11));
}

uint8_t Top3Bits(uint8_t value) { return static_cast<uint8_t>(value >> 5); }

uint8_t Scale3To8(uint8_t value) { return static_cast<uint8_t>(value * 255 / 7); }
