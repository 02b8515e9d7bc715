// The BMP writer. All output goes through BMPPutByte, so BMPBytesWritten
// checks the layout against the sizes announced in the header. Sizes are
// unsigned 32-bit, as in the file's own fields.
#include "libGeneric/Bitmap.h"

#include "ZemriSub/ZemriSub.h"

static const char *const ModuleName = "libGeneric/Bitmap";

FileHandle *BMPFile = nullptr;
uint32_t BMPBytesWritten = 0;

void BMPPutByte(uint8_t byte)
{
    SIO sink = SioFileSink(&BMPFile);
    SioPutChar(&sink, byte);
    ++BMPBytesWritten;
}

void BMPPutZeros(int32_t count)
{
    for (int32_t i = 0; i < count; ++i) BMPPutByte(0);
}

void BMPPutWord(uint16_t value)
{
    BMPPutByte(static_cast<uint8_t>(value));
    BMPPutByte(static_cast<uint8_t>(value >> 8));
}

void BMPPutLong(uint32_t value)
{
    BMPPutWord(static_cast<uint16_t>(value));
    BMPPutWord(static_cast<uint16_t>(value >> 16));
}

// A message on the console as it stands; the writer then gives up.
static bool Fail(const char *message)
{
    SIO console = SioConsoleSink();
    SioPutText(&console, message);
    return false;
}

static uint32_t Magnitude(int32_t value)
{
    return value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
}

// Bytes of pixel data in one file row, before the padding to 4; 0 for a
// depth the writer does not support.
static uint32_t RowDataBytes(int8_t bits, uint32_t width)
{
    switch (bits) {
    case 1: return (width + 7) / 8;
    case 4: return (width + 1) / 2;
    case 8: return width;
    case 24: return 3 * width;
    case 32: return 4 * width;
    default: return 0;
    }
}

static bool SupportedDepth(int8_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

static void PutHeaders(int8_t bits, uint32_t width, uint32_t height, uint32_t colours,
                       uint32_t dataOffset, uint32_t imageSize)
{
    // File header.
    BMPPutByte('B');
    BMPPutByte('M');
    BMPPutLong(dataOffset + imageSize);
    BMPPutWord(0);
    BMPPutWord(0);
    BMPPutLong(dataOffset);
    // Information header; the negative height stores the rows top-down.
    BMPPutLong(40);
    BMPPutLong(width);
    BMPPutLong(0u - height);
    BMPPutWord(1);
    BMPPutWord(static_cast<uint16_t>(bits));
    BMPPutLong(0);
    BMPPutLong(imageSize);
    BMPPutLong(0);
    BMPPutLong(0);
    BMPPutLong(colours);
    BMPPutLong(0);
}

// File palette entries are blue, green, red, 0.
static void PutPalette(int8_t bits, uint32_t colours, const uint8_t *palette)
{
    if (bits == 1) {
        BMPPutByte(255);
        BMPPutByte(255);
        BMPPutByte(255);
        BMPPutByte(0);
        BMPPutZeros(4);
        return;
    }
    for (uint32_t i = 0; i < colours; ++i) {
        const uint8_t *entry = palette + 3 * i;
        BMPPutByte(entry[2]);
        BMPPutByte(entry[1]);
        BMPPutByte(entry[0]);
        BMPPutByte(0);
    }
}

// One row from the input, padded with zeros to a multiple of 4 bytes;
// returns the input after the row.
static const uint8_t *PutRow(int8_t bits, uint32_t width, const uint8_t *pixels)
{
    uint32_t rowStart = BMPBytesWritten;
    uint32_t x = 0;
    while (x < width) {
        if (bits == 24) {
            BMPPutByte(pixels[2]);
            BMPPutByte(pixels[1]);
            BMPPutByte(pixels[0]);
            pixels += 3;
            x += 1;
        } else if (bits == 32) {
            BMPPutByte(pixels[3]);
            BMPPutByte(pixels[2]);
            BMPPutByte(pixels[1]);
            BMPPutByte(pixels[0]);
            pixels += 4;
            x += 1;
        } else {
            BMPPutByte(*pixels++);
            x += bits == 1 ? 8 : bits == 4 ? 2 : 1;
        }
    }
    while ((BMPBytesWritten - rowStart) % 4 != 0) BMPPutByte(0);
    return pixels;
}

bool WriteBMPContents(int8_t bits, int32_t width, int32_t height, const uint8_t *pixels,
                      const uint8_t *palette)
{
    SetLocation(ModuleName, __LINE__);
    uint32_t w = Magnitude(width);
    uint32_t h = Magnitude(height);
    BMPBytesWritten = 0;

    uint32_t colours = 0;
    if (bits < 16) {
        if (bits >= 0) colours = 1u << bits;
        if (bits > 1 && palette == nullptr) return Fail("Missing palette");
    }
    uint32_t dataOffset = 14 + 40 + 4 * colours;

    if (!SupportedDepth(bits)) {
        SIO console = SioConsoleSink();
        SioPutText(&console, "Unsupported BPP:");
        SioPutInt(&console, bits);
        return false;
    }
    uint32_t rowBytes = (RowDataBytes(bits, w) + 3) / 4 * 4;
    uint32_t imageSize = h * rowBytes;
    uint32_t fileSize = dataOffset + imageSize;

    PutHeaders(bits, w, h, colours, dataOffset, imageSize);
    PutPalette(bits, colours, palette);
    if (BMPBytesWritten != dataOffset) return Fail("Internal error is BMP reader (BitmapDataOffset)");

    for (uint32_t y = 0; y < h; ++y) pixels = PutRow(bits, w, pixels);

    if (BMPBytesWritten - dataOffset != imageSize)
        return Fail("Internal error is BMP writer - bitmap data size error");
    if (BMPBytesWritten != fileSize) return Fail("Internal error is BMP writer - file size error");
    return true;
}

bool WriteBMP(DynamicString Filename, int8_t bits, int32_t width, int32_t height,
              const uint8_t *pixels, const uint8_t *palette)
{
    StringAddRef(&Filename);
    SetLocation(ModuleName, __LINE__);
    int16_t error = FileCreateString(&BMPFile, Filename);
    if (error != 0) FatalSystemError(error);
    bool result = WriteBMPContents(bits, width, height, pixels, palette);
    FileClose(&BMPFile);
    StringReleaseArgument(&Filename);
    return result;
}
