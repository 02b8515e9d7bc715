// The BMP writer: header fields, palettes, row layout and padding for every
// depth, and the failures. Files are written to a folder under the current
// directory and read back byte for byte.
#include <gmock/gmock.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GenericSupport.h"
#include "libGeneric/Bitmap.h"
#include "terminal/Console.h"

namespace {

using Bytes8 = std::vector<uint8_t>;

std::string OutputPath(const std::string &name)
{
    std::filesystem::path folder = std::filesystem::current_path() / "generic-bmp";
    std::filesystem::create_directories(folder);
    return (folder / (name + ".bmp")).string();
}

Bytes8 ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes8(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t U16(const Bytes8 &file, size_t at) { return file[at] | (file[at + 1] << 8); }

uint32_t U32(const Bytes8 &file, size_t at)
{
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (static_cast<uint32_t>(file[at + 3]) << 24);
}

// Writes a file and returns its bytes; the console output goes to *console.
Bytes8 Write(const std::string &name, int8_t bits, int32_t width, int32_t height, const Bytes8 &pixels,
             const uint8_t *palette, bool *result, std::string *console = nullptr)
{
    std::string path = OutputPath(name);
    DynamicString file = Heap(path);
    ConsoleCaptureStart();
    *result = WriteBMP(file, bits, width, height, pixels.empty() ? nullptr : pixels.data(), palette);
    std::string written = ConsoleCaptureStop();
    if (console) *console = written;
    EXPECT_EQ(Refs(file), 1);
    StringRelease(&file);
    EXPECT_EQ(BMPFile, nullptr) << "closed after writing";
    return ReadAll(path);
}

Bytes8 Pattern(size_t size, uint32_t seed)
{
    Bytes8 bytes(size);
    for (uint8_t &b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<uint8_t>(seed >> 16);
    }
    return bytes;
}

// A palette big enough for 8 bits per pixel: entry i is red i, green 2i, blue 3i.
Bytes8 Palette()
{
    Bytes8 palette(256 * 3);
    for (int i = 0; i < 256; ++i) {
        palette[3 * i] = static_cast<uint8_t>(i);
        palette[3 * i + 1] = static_cast<uint8_t>(2 * i);
        palette[3 * i + 2] = static_cast<uint8_t>(3 * i);
    }
    return palette;
}

using BitmapWriter = StringLeakCheck;

struct Layout {
    int8_t bits;
    int32_t width;
    int32_t height;
    uint32_t inputRowBytes;  // tightly packed input
    uint32_t dataBytes;      // pixel bytes in a file row
    uint32_t fileRowBytes;   // after padding to 4
    uint32_t dataOffset;
};

const Layout Layouts[] = {
    {1, 36, 3, 5, 5, 8, 62},   {1, 1, 2, 1, 1, 4, 62},    {1, 33, 1, 5, 5, 8, 62},   {1, 32, 2, 4, 4, 4, 62},
    {4, 9, 2, 5, 5, 8, 118},   {4, 8, 1, 4, 4, 4, 118},   {4, 1, 3, 1, 1, 4, 118},   {8, 5, 3, 5, 5, 8, 1078},
    {8, 4, 1, 4, 4, 4, 1078},  {24, 1, 2, 3, 3, 4, 54},   {24, 4, 2, 12, 12, 12, 54}, {24, 5, 1, 15, 15, 16, 54},
    {32, 3, 2, 12, 12, 12, 54}, {32, 1, 1, 4, 4, 4, 54},
};

TEST_F(BitmapWriter, HeaderFieldsForEveryDepth)
{
    Bytes8 palette = Palette();
    for (const Layout &l : Layouts) {
        SCOPED_TRACE(testing::Message() << int(l.bits) << " bpp, " << l.width << " x " << l.height);
        Bytes8 pixels = Pattern(l.inputRowBytes * l.height, l.bits);
        bool ok = false;
        Bytes8 file = Write("header", l.bits, l.width, l.height, pixels, palette.data(), &ok);
        ASSERT_TRUE(ok);
        uint32_t imageSize = l.fileRowBytes * l.height;
        ASSERT_EQ(file.size(), l.dataOffset + imageSize);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(U32(file, 2), file.size());
        EXPECT_EQ(U16(file, 6), 0u);
        EXPECT_EQ(U16(file, 8), 0u);
        EXPECT_EQ(U32(file, 10), l.dataOffset);
        EXPECT_EQ(U32(file, 14), 40u);
        EXPECT_EQ(U32(file, 18), static_cast<uint32_t>(l.width));
        EXPECT_EQ(static_cast<int32_t>(U32(file, 22)), -l.height) << "negative: rows top-down";
        EXPECT_EQ(U16(file, 26), 1u);
        EXPECT_EQ(U16(file, 28), static_cast<uint32_t>(l.bits));
        EXPECT_EQ(U32(file, 30), 0u);
        EXPECT_EQ(U32(file, 34), imageSize);
        EXPECT_EQ(U32(file, 38), 0u);
        EXPECT_EQ(U32(file, 42), 0u);
        EXPECT_EQ(U32(file, 46), l.bits < 16 ? (l.dataOffset - 54) / 4 : 0u);
        EXPECT_EQ(U32(file, 50), 0u);
        EXPECT_EQ(BMPBytesWritten, file.size());
    }
}

TEST_F(BitmapWriter, RowsAreConvertedAndPaddedWithZeros)
{
    Bytes8 palette = Palette();
    for (const Layout &l : Layouts) {
        SCOPED_TRACE(testing::Message() << int(l.bits) << " bpp, " << l.width << " x " << l.height);
        Bytes8 pixels = Pattern(l.inputRowBytes * l.height, 7 + l.width);
        bool ok = false;
        Bytes8 file = Write("rows", l.bits, l.width, l.height, pixels, palette.data(), &ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(file.size(), l.dataOffset + l.fileRowBytes * l.height);
        for (int32_t y = 0; y < l.height; ++y) {
            const uint8_t *in = pixels.data() + y * l.inputRowBytes;
            const uint8_t *out = file.data() + l.dataOffset + y * l.fileRowBytes;
            for (uint32_t i = 0; i < l.dataBytes; ++i) {
                uint8_t expected = in[i];
                if (l.bits == 24) expected = in[i / 3 * 3 + 2 - i % 3];            // R G B -> B G R
                if (l.bits == 32) expected = in[i / 4 * 4 + (i % 4 == 3 ? 0 : 3 - i % 4)];  // A R G B -> B G R A
                ASSERT_EQ(out[i], expected) << "row " << y << " byte " << i;
            }
            for (uint32_t i = l.dataBytes; i < l.fileRowBytes; ++i) ASSERT_EQ(out[i], 0) << "row " << y << " pad " << i;
        }
    }
}

TEST_F(BitmapWriter, TwentyFourBitPixelsAreBlueGreenRedTopRowFirst)
{
    // 2 x 2: top row red, green; bottom row blue, white.
    Bytes8 pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    bool ok = false;
    Bytes8 file = Write("rgb", 24, 2, 2, pixels, nullptr, &ok);
    ASSERT_TRUE(ok);
    Bytes8 data(file.begin() + 54, file.end());
    EXPECT_EQ(data, (Bytes8{0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}));
}

TEST_F(BitmapWriter, PalettesAreBlueGreenRedZero)
{
    Bytes8 palette = Palette();
    for (int8_t bits : {4, 8}) {
        SCOPED_TRACE(int(bits));
        bool ok = false;
        Bytes8 file = Write("palette", bits, 2, 1, Bytes8{0x12, 0x34}, palette.data(), &ok);
        ASSERT_TRUE(ok);
        uint32_t colours = 1u << bits;
        ASSERT_GE(file.size(), 54 + 4 * colours);
        for (uint32_t i = 0; i < colours; ++i) {
            const uint8_t *entry = file.data() + 54 + 4 * i;
            ASSERT_EQ(entry[0], static_cast<uint8_t>(3 * i)) << i;
            ASSERT_EQ(entry[1], static_cast<uint8_t>(2 * i)) << i;
            ASSERT_EQ(entry[2], static_cast<uint8_t>(i)) << i;
            ASSERT_EQ(entry[3], 0) << i;
        }
    }
}

TEST_F(BitmapWriter, OneBitUsesTheFixedWhiteAndBlackPalette)
{
    Bytes8 palette = Palette();
    for (const uint8_t *given : {static_cast<const uint8_t *>(nullptr), static_cast<const uint8_t *>(palette.data())}) {
        bool ok = false;
        Bytes8 file = Write("mono", 1, 8, 1, Bytes8{0xA5}, given, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(Bytes8(file.begin() + 54, file.end()), (Bytes8{255, 255, 255, 0, 0, 0, 0, 0, 0xA5, 0, 0, 0}));
    }
}

TEST_F(BitmapWriter, EmptyImageIsJustTheHeaders)
{
    struct Case {
        int8_t bits;
        size_t size;
    };
    for (const Case &c : {Case{24, 54}, Case{32, 54}, Case{1, 62}, Case{8, 1078}}) {
        Bytes8 palette = Palette();
        bool ok = false;
        Bytes8 file = Write("empty", c.bits, 0, 0, Bytes8{}, palette.data(), &ok);
        EXPECT_TRUE(ok) << int(c.bits);
        ASSERT_EQ(file.size(), c.size) << int(c.bits);
        EXPECT_EQ(U32(file, 2), c.size);
        EXPECT_EQ(U32(file, 34), 0u);
    }
    // Width 0 with rows, and rows of width with no height, have no pixel data.
    bool ok = false;
    EXPECT_EQ(Write("empty", 24, 0, 5, Bytes8{}, nullptr, &ok).size(), 54u);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Write("empty", 24, 5, 0, Bytes8{}, nullptr, &ok).size(), 54u);
    EXPECT_TRUE(ok);
}

TEST_F(BitmapWriter, NegativeSizesCountAsTheirMagnitude)
{
    Bytes8 pixels = Pattern(3 * 3 * 2, 5);
    bool ok = false;
    Bytes8 reference = Write("positive", 24, 3, 2, pixels, nullptr, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(Write("negative", 24, 3, -2, pixels, nullptr, &ok), reference);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Write("negative", 24, -3, -2, pixels, nullptr, &ok), reference);
    EXPECT_TRUE(ok);
}

TEST_F(BitmapWriter, UnsupportedDepthsLeaveAnEmptyFile)
{
    Bytes8 palette = Palette();
    struct Case {
        int8_t bits;
        const char *message;
    };
    for (const Case &c : {Case{16, "Unsupported BPP:16"}, Case{0, "Unsupported BPP:0"}, Case{2, "Unsupported BPP:2"},
                          Case{15, "Unsupported BPP:15"}, Case{-1, "Unsupported BPP:-1"},
                          Case{-128, "Unsupported BPP:-128"}, Case{127, "Unsupported BPP:127"}}) {
        bool ok = true;
        std::string console;
        Bytes8 file = Write("unsupported", c.bits, 4, 4, Pattern(64, 1), palette.data(), &ok, &console);
        EXPECT_FALSE(ok) << int(c.bits);
        EXPECT_EQ(console, c.message);
        EXPECT_TRUE(file.empty()) << int(c.bits);
    }
    EXPECT_TRUE(std::filesystem::exists(OutputPath("unsupported")));
}

TEST_F(BitmapWriter, PaletteDepthsWithoutPaletteFail)
{
    for (int8_t bits : {4, 8, 2}) {
        bool ok = true;
        std::string console;
        Bytes8 file = Write("nopalette", bits, 4, 4, Pattern(16, 1), nullptr, &ok, &console);
        EXPECT_FALSE(ok) << int(bits);
        EXPECT_EQ(console, "Missing palette");
        EXPECT_TRUE(file.empty());
    }
}

TEST_F(BitmapWriter, PutHelpersWriteLowByteFirstAndCount)
{
    std::string path = OutputPath("put");
    BMPFile = FileCreate(path.c_str());
    ASSERT_NE(BMPFile, nullptr);
    BMPBytesWritten = 0;
    BMPPutWord(0x1234);
    BMPPutLong(0xA1B2C3D4u);
    BMPPutZeros(3);
    BMPPutZeros(0);
    BMPPutZeros(-2);
    BMPPutByte(0x7F);
    EXPECT_EQ(BMPBytesWritten, 10u);
    FileClose(&BMPFile);
    EXPECT_EQ(ReadAll(path), (Bytes8{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0, 0, 0, 0x7F}));
}

TEST_F(BitmapWriter, ContentsCanBeWrittenToAnOpenFile)
{
    std::string path = OutputPath("contents");
    BMPFile = FileCreate(path.c_str());
    ASSERT_NE(BMPFile, nullptr);
    EXPECT_TRUE(WriteBMPContents(24, 1, 1, Bytes8{1, 2, 3}.data(), nullptr));
    EXPECT_EQ(BMPBytesWritten, 58u);
    FileClose(&BMPFile);
    Bytes8 file = ReadAll(path);
    ASSERT_EQ(file.size(), 58u);
    EXPECT_EQ(Bytes8(file.begin() + 54, file.end()), (Bytes8{3, 2, 1, 0}));
}

TEST(BitmapWriterDeathTest, FileThatCannotBeCreatedEndsTheProgram)
{
    std::string path = (std::filesystem::current_path() / "generic-no-such-folder" / "x.bmp").string();
    EXPECT_EXIT(
        {
            std::setvbuf(stderr, nullptr, _IONBF, 0);
            ConsoleTap = ConsoleToStderr;
            WriteBMP(StringConstant(path.c_str()), 24, 1, 1, Bytes8{1, 2, 3}.data(), nullptr);
        },
        ::testing::ExitedWithCode(1),
        ::testing::AllOf(::testing::HasSubstr("Cannot create file: "), ::testing::HasSubstr("Fatal error: ")));
}

}  // namespace
