// The BMP writer: a pixel buffer in memory to an uncompressed Windows bitmap
// (40-byte information header, rows stored top-down). One file at a time.
//
// Input rows are tightly packed, top row first: 1, 4 and 8 bits per pixel are
// copied byte for byte, 24 bits are red, green, blue per pixel and 32 bits
// alpha, red, green, blue. A palette (4 and 8 bits) holds 2^bits entries of
// red, green, blue; 1 bit per pixel uses the fixed white/black palette.
#pragma once
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/ZemriSubPC.h"

// The file being written (null outside WriteBMP) and the bytes written to it
// since the image began.
extern FileHandle *BMPFile;
extern uint32_t BMPBytesWritten;

// Creates the file, writes the image and closes the file; true when all of it
// was written and the sizes agree. A file that cannot be created ends the
// program. Negative sizes count as their absolute values.
bool WriteBMP(DynamicString Filename, int8_t bits, int32_t width, int32_t height,
              const uint8_t *pixels, const uint8_t *palette);

// Writes header, palette and rows to BMPFile. Failures are reported on the
// console and give false.
bool WriteBMPContents(int8_t bits, int32_t width, int32_t height, const uint8_t *pixels,
                      const uint8_t *palette);

// Byte output to BMPFile, counted in BMPBytesWritten; multi-byte values go
// lowest byte first.
void BMPPutByte(uint8_t byte);
void BMPPutZeros(int32_t count);
void BMPPutWord(uint16_t value);
void BMPPutLong(uint32_t value);
