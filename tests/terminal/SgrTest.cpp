// Select graphic rendition: attributes, both 16-colour palettes, the
// 256-colour table, and the values that are skipped or ignored.
#include "TerminalSupport.h"

namespace {

struct SgrCase {
    const char *name;
    std::string bytes;  // written before the letter A
    uint16_t attrs;
    TermColour fore;
    TermColour back;
};

class SgrTable : public TerminalTest, public ::testing::WithParamInterface<SgrCase> {};

TEST_P(SgrTable, CellOfTheNextCharacter)
{
    const SgrCase &c = GetParam();
    Write(c.bytes + "A");
    ASSERT_EQ(RowText(0), "A");
    Cell cell = CellAt(0, 0);
    EXPECT_EQ(cell.attrs, c.attrs);
    EXPECT_EQ(cell.fore, c.fore);
    EXPECT_EQ(cell.back, c.back);
}

const TermColour White = 0xFFFFFF, Black = 0x000000;

INSTANTIATE_TEST_SUITE_P(
    Cases, SgrTable,
    ::testing::Values(
        SgrCase{"BoldThenRedIsBright", "\x1b[1;31m", ATTR_BOLD, 0x0000FF, Black},
        SgrCase{"RedThenBoldIsDark", "\x1b[31;1m", ATTR_BOLD, 0x000080, Black},
        SgrCase{"EmptyChangesNothing", "\x1b[4;32m\x1b[m", ATTR_UNDERLINE, 0x008000, Black},
        SgrCase{"ZeroKeepsColours", "\x1b[4;32;44m\x1b[0m", 0, 0x008000, 0x800000},
        SgrCase{"YellowNormal", "\x1b[33m", 0, 0x008080, Black},
        SgrCase{"YellowBright", "\x1b[1;33m", ATTR_BOLD, 0x00FFFF, Black},
        SgrCase{"BlackBrightIsGrey", "\x1b[1;30m", ATTR_BOLD, 0x808080, Black},
        SgrCase{"WhiteNormal", "\x1b[37m", 0, 0xC0C0C0, Black},
        SgrCase{"BackgroundsMapLikeForegrounds", "\x1b[41m\x1b[1;47m", ATTR_BOLD, White, 0xFFFFFF},
        SgrCase{"BlueAndCyanBack", "\x1b[34;46m", 0, 0x800000, 0x808000},
        SgrCase{"MagentaBright", "\x1b[1;35;45m", ATTR_BOLD, 0xFF00FF, 0xFF00FF},
        SgrCase{"Fore256Cube", "\x1b[38;5;196m", 0, 0x0000FF, Black},
        SgrCase{"Back256Cube", "\x1b[48;5;21m", 0, White, 0xFF0000},
        SgrCase{"Fore256CubeMixed", "\x1b[38;5;110m", 0, 0xD7AF87, Black},
        SgrCase{"Fore256Standard", "\x1b[38;5;9m", 0, 0x0000FF, Black},
        SgrCase{"Fore256Standard4", "\x1b[38;5;4m", 0, 0x800000, Black},
        SgrCase{"Fore256FirstGrey", "\x1b[38;5;232m", 0, 0x080808, Black},
        SgrCase{"Fore256LastGrey", "\x1b[38;5;255m", 0, 0xEEEEEE, Black},
        SgrCase{"Back256NotBoldDependent", "\x1b[1;48;5;1m", ATTR_BOLD, White, 0x000080},
        // 38;2 skips only the 2: then 1 is bold, 2 is not listed, 3 is italic.
        SgrCase{"TrueColourIsNotKnown", "\x1b[38;2;1;2;3m", ATTR_BOLD | ATTR_ITALIC, White, Black},
        SgrCase{"IndexMissing", "\x1b[38;5m", 0, White, Black},
        SgrCase{"IndexBeyondTable", "\x1b[48;5;256m", 0, White, Black},
        SgrCase{"NextParameterMissing", "\x1b[38m", 0, White, Black},
        SgrCase{"SetAndClear", "\x1b[1;3;4;5;7m\x1b[22;25m", ATTR_ITALIC | ATTR_UNDERLINE | ATTR_REVERSE, White,
                Black},
        SgrCase{"ClearAll", "\x1b[1;3;4;5;7m\x1b[22;23;24;25;27m", 0, White, Black},
        SgrCase{"CellLines", "\x1b[123;124;125;126m",
                ATTR_LINE_TOP | ATTR_LINE_LEFT | ATTR_LINE_BOTTOM | ATTR_LINE_RIGHT, White, Black},
        SgrCase{"CellLinesOnlyZeroClears", "\x1b[123;22;23;24;25;27m", ATTR_LINE_TOP, White, Black},
        SgrCase{"CellLinesClearedByZero", "\x1b[123;126;0m", 0, White, Black},
        SgrCase{"UnknownAndLargeIgnored", "\x1b[2;6;8;9;127;200;999999;38m", 0, White, Black},
        SgrCase{"AboveRangeNotTreatedAsColour", "\x1b[131;147;138;5;1m", ATTR_BLINK | ATTR_BOLD, White, Black}),
    [](const ::testing::TestParamInfo<SgrCase> &info) { return std::string(info.param.name); });

TEST_F(TerminalTest, PaletteLookupFollowsBold)
{
    for (int i = 0; i < 16; ++i) EXPECT_EQ(TermPaletteColour(i), NormalPalette[i]) << i;
    TermBrightOn();
    for (int i = 0; i < 16; ++i) EXPECT_EQ(TermPaletteColour(i), BrightPalette[i]) << i;
    EXPECT_EQ(TermPaletteColour(16), 0xFFFFFFu);
    EXPECT_EQ(TermPaletteColour(-1), 0xFFFFFFu);
    TermBrightOff();
    EXPECT_EQ(ScreenBuffer.TextAttributes, 0);
    EXPECT_EQ(TermPaletteColour(6), 0x204080u);
}

TEST_F(TerminalTest, Palette256Layout)
{
    // Cube entries: red in the low byte, levels 0, 95, 135, 175, 215, 255.
    EXPECT_EQ(Palette256[16], 0x000000u);
    EXPECT_EQ(Palette256[17], 0x5F0000u);   // b = 1
    EXPECT_EQ(Palette256[22], 0x005F00u);   // g = 1
    EXPECT_EQ(Palette256[52], 0x00005Fu);   // r = 1
    EXPECT_EQ(Palette256[231], 0xFFFFFFu);
    EXPECT_EQ(Palette256[7], 0xC0C0C0u);
    EXPECT_EQ(Palette256[12], 0xFF0000u);
    EXPECT_EQ(Palette256[244], 0x808080u);  // 8 + 10 * 12
}

TEST_F(TerminalTest, IndexAndRgbSetters)
{
    EXPECT_EQ(TermSetTextRGB(0x1FF, 2, 3), 0x0302FFu);
    EXPECT_EQ(TermSetBackRGB(16, 32, -1), 0xFF2010u);
    TermSetBackIndex(2);
    EXPECT_EQ(ScreenBuffer.CurrentBack, 0x008000u);
    Write("x");
    EXPECT_EQ(CellAt(0, 0).fore, 0x0302FFu);
    EXPECT_EQ(CellAt(0, 0).back, 0x008000u);
    TermSetTextIndex(99);
    EXPECT_EQ(ScreenBuffer.CurrentFore, 0xFFFFFFu);
}

}  // namespace
