// The 16-bit colour value of the controller's screenshots: red in bits 0-4,
// green in bits 5-10, blue in bits 11-15.
#pragma once
#include <cstdint>

// Widens the three fields to 8 bits each (0 stays 0, a full field gives 255).
void Colour16ToRGB(uint16_t colour, uint8_t *red, uint8_t *green, uint8_t *blue);

// Keeps the top 5, 6 and 5 bits of red, green and blue.
uint16_t RGBToColour16(uint8_t red, uint8_t green, uint8_t blue);

// The top three bits of a byte (0 to 7).
uint8_t Top3Bits(uint8_t value);

// value * 255 / 7 in integer arithmetic, kept to 8 bits.
uint8_t Scale3To8(uint8_t value);
