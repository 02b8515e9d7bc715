// Painting by runs: what the window is asked to draw for a given store.
#include <string>
#include <vector>

#include "WindowSupport.h"

namespace {

constexpr int CW = 7, CH = 14;

struct Drawn {
    char kind;  // 'F' fill, 'T' text, 'L' line
    int x, y, w, h;
    std::string text;
    TermColour colour, background;
    int font;
};

std::vector<Drawn> Calls;

void RecFill(void *, int x, int y, int w, int h, TermColour colour)
{
    Calls.push_back({'F', x, y, w, h, "", colour, 0, 0});
}

void RecText(void *, int x, int y, int w, int h, const uint16_t *chars, int count, TermColour text,
             TermColour background, int font)
{
    std::string s;
    for (int i = 0; i < count; ++i) s += static_cast<char>(chars[i]);
    Calls.push_back({'T', x, y, w, h, s, text, background, font});
}

void RecLine(void *, int x0, int y0, int x1, int y1, TermColour colour)
{
    Calls.push_back({'L', x0, y0, x1, y1, "", colour, 0, 0});
}

const bool AllUsable[4] = {false, false, false, false};

class PaintTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        TermViewUpdate(40 * CW, 3 * CH - 1, CW, CH, nullptr, nullptr);  // 41 x 3 cells
        Calls.clear();
    }
    void Paint(bool blinkOn = true, const bool *unusable = AllUsable, int top = 0, int bottom = 1000)
    {
        Calls.clear();
        TermPainter painter{RecFill, RecText, RecLine, nullptr};
        TermPaintView(&painter, 40 * CW, top, bottom, CW, CH, blinkOn, unusable);
    }
    std::vector<Drawn> Texts()
    {
        std::vector<Drawn> texts;
        for (const Drawn &d : Calls)
            if (d.kind == 'T') texts.push_back(d);
        return texts;
    }
    void Write(const char *text)
    {
        while (*text) TermPutChar(static_cast<uint8_t>(*text++));
    }
};

TEST_F(PaintTest, EqualCellsMakeOneRunAndTheRowIsFilledToTheEdge)
{
    Write("ab\x1b[31mcd\x1b[0;1mef");
    Paint();
    std::vector<Drawn> texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "ab");
    EXPECT_EQ(texts[1].text, "cd");
    EXPECT_EQ(texts[1].colour, 0x000080u);  // normal red: bold came later
    EXPECT_EQ(texts[2].text, "ef");
    EXPECT_EQ(texts[2].font, FontBoldVariant);
    EXPECT_EQ(texts[1].x, 2 * CW);
    EXPECT_EQ(texts[1].w, 2 * CW);
    // Row 0: three runs, then the rest of the row; rows 1 and 2 filled whole.
    ASSERT_EQ(Calls.size(), 6u);
    EXPECT_EQ(Calls[3].kind, 'F');
    EXPECT_EQ(Calls[3].x, 6 * CW);
    EXPECT_EQ(Calls[3].w, 40 * CW - 6 * CW);
    EXPECT_EQ(Calls[4].kind, 'F');
    EXPECT_EQ(Calls[4].y, CH);
    EXPECT_EQ(Calls[5].y, 2 * CH);
    EXPECT_EQ(Calls[5].colour, 0x000000u);
}

TEST_F(PaintTest, ReverseBlinkAndSelectionColours)
{
    TermSetFore(0x0000FF);
    TermSetBack(0x00FF00);
    Write("n\x1b[7mr\x1b[0;5mb");
    Paint(false);
    std::vector<Drawn> texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].colour, 0x0000FFu);
    EXPECT_EQ(texts[0].background, 0x00FF00u);
    EXPECT_EQ(texts[1].colour, 0x00FF00u);      // reverse
    EXPECT_EQ(texts[1].background, 0x0000FFu);
    EXPECT_EQ(texts[2].colour, 0x00FF00u);      // blink, off phase: invisible
    Paint(true);
    EXPECT_EQ(Texts()[2].colour, 0x0000FFu);
    ScreenBuffer.SelTop = ScreenBuffer.SelBottom = 0;
    ScreenBuffer.SelLeft = ScreenBuffer.SelRight = 0;
    Paint();
    texts = Texts();
    EXPECT_EQ(texts[0].colour, 0x00FF00u);      // selected: exchanged
    EXPECT_EQ(texts[0].background, 0x0000FFu);
}

TEST_F(PaintTest, PausedScreenIsInverted)
{
    TermSetFore(0x112233);
    TermSetBack(0x445566);
    Write("x");
    OutputPaused = true;
    Paint();
    OutputPaused = false;
    std::vector<Drawn> texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].colour, 0x445566u);
    EXPECT_EQ(texts[0].background, 0x112233u);
    for (const Drawn &d : Calls) {
        if (d.kind == 'F') {
            EXPECT_EQ(d.colour, ScreenBuffer.ScreenFore.load());
        }
    }
}

TEST_F(PaintTest, UnusableVariantsFallBackInOrder)
{
    Write("\x1b[4;1;3mu");
    Paint();
    EXPECT_EQ(Texts()[0].font, FontUnderlineVariant);
    const bool noUnderline[4] = {false, true, false, false};
    Paint(true, noUnderline);
    EXPECT_EQ(Texts()[0].font, FontBoldVariant);
    const bool onlyNormal[4] = {false, true, true, true};
    Paint(true, onlyNormal);
    EXPECT_EQ(Texts()[0].font, FontNormalVariant);
}

TEST_F(PaintTest, CellLinesFrameTheRun)
{
    TermSetFore(0x0000FF);
    Write("\x1b[123;124;125;126mbox");
    Paint();
    std::vector<Drawn> lines;
    for (const Drawn &d : Calls)
        if (d.kind == 'L') lines.push_back(d);
    ASSERT_EQ(lines.size(), 4u);
    int w = 3 * CW;
    EXPECT_EQ(std::vector<int>({lines[0].x, lines[0].y, lines[0].w, lines[0].h}), std::vector<int>({0, 0, w, 0}));
    EXPECT_EQ(std::vector<int>({lines[1].x, lines[1].y, lines[1].w, lines[1].h}), std::vector<int>({0, 0, 0, CH}));
    EXPECT_EQ(std::vector<int>({lines[2].x, lines[2].y, lines[2].w, lines[2].h}),
              std::vector<int>({0, CH - 1, w, CH - 1}));
    EXPECT_EQ(std::vector<int>({lines[3].x, lines[3].y, lines[3].w, lines[3].h}),
              std::vector<int>({w - 1, 0, w - 1, CH}));
    for (const Drawn &d : lines) EXPECT_EQ(d.colour, 0x0000FFu);
}

TEST_F(PaintTest, OnlyRowsMeetingTheUpdateBandAndTheViewArePainted)
{
    Write("r0\r\nr1\r\nr2");
    ScreenBuffer.TopLine = 0;  // the writer followed the cursor down
    Paint(true, AllUsable, CH, CH + 1);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text, "r1");
    EXPECT_EQ(Texts()[0].y, 0 + CH);
    ScreenBuffer.LeftColumn = 1;
    Paint();
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(Texts()[0].text, "0");
    EXPECT_EQ(Texts()[0].x, 0);
    ScreenBuffer.LeftColumn = 2;  // past every line: rows are filled whole
    Paint();
    EXPECT_TRUE(Texts().empty());
}

TEST_F(PaintTest, RunsStopAtTheVisibleColumns)
{
    Write(std::string(100, 'z').c_str());
    Paint();
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text.size(), 41u);
}

TEST(BlinkPhase, OnForTheFirstHalfOfEachCycle)
{
    EXPECT_TRUE(TermBlinkPhaseOn(0));
    EXPECT_TRUE(TermBlinkPhaseOn(374));
    EXPECT_FALSE(TermBlinkPhaseOn(375));
    EXPECT_FALSE(TermBlinkPhaseOn(749));
    EXPECT_TRUE(TermBlinkPhaseOn(750));
}

}  // namespace
