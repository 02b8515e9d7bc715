// Keys of the window: special keys, typed characters, Ctrl+Break.
#include "WindowSupport.h"

#include <cstdio>

namespace {

struct KeyCase {
    int key;
    const char *bytes;
};

TEST_F(WindowTest, SpecialKeysQueueTheirSequences)
{
    const KeyCase cases[] = {
        {KeyUp, "\x1b[A"},      {KeyDown, "\x1b[B"},    {KeyRight, "\x1b[C"},   {KeyLeft, "\x1b[D"},
        {KeyHome, "\x1b[1~"},   {KeyInsert, "\x1b[2~"}, {KeyDelete, "\x1b[3~"}, {KeyEnd, "\x1b[4~"},
        {KeyPrior, "\x1b[5~"},  {KeyNext, "\x1b[6~"},   {KeyF1, "\x1b[11~"},    {KeyF1 + 4, "\x1b[15~"},
        {KeyF1 + 5, "\x1b[17~"}, {KeyF1 + 9, "\x1b[21~"}, {KeyF1 + 10, "\x1b[23~"}, {KeyF1 + 11, "\x1b[24~"},
        {KeyEscape, "\x1b[99~"}, {'A', ""},
    };
    for (const KeyCase &c : cases) {
        TermWindowKeyDown(c.key, false, false, false);
        TermWindowKeyUp();
        EXPECT_EQ(TakeKeys(), c.bytes) << "key " << c.key;
    }
}

TEST_F(WindowTest, EscapeIsItsSequenceThenTheCharacter)
{
    TermWindowKeyDown(KeyEscape, false, false, false);
    EXPECT_EQ(TermWindowChar(27), CharPushed);
    EXPECT_EQ(TakeKeys(), "\x1b[99~\x1b");
}

TEST_F(WindowTest, HeldSpecialKeyGivesItsSequenceOnce)
{
    for (int i = 0; i < 5; ++i) TermWindowKeyDown(KeyDown, false, false, false);
    EXPECT_EQ(TakeKeys(), "\x1b[B");
    TermWindowKeyUp();
    TermWindowKeyDown(KeyDown, false, false, false);
    EXPECT_EQ(TakeKeys(), "\x1b[B");
}

TEST_F(WindowTest, ModifiersSuppressSpecialKeys)
{
    TermWindowKeyDown(KeyUp, true, false, false);
    TermWindowKeyDown(KeyDelete, false, true, false);
    TermWindowKeyDown(KeyF1, false, false, true);
    EXPECT_EQ(TakeKeys(), "");
    TermWindowKeyDown(KeyCancel, true, true, false);  // Shift+Ctrl+Break
    TermWindowKeyDown(KeyCancel, false, true, true);
    EXPECT_FALSE(WindowClosed);
}

TEST_F(WindowTest, TypedCharactersAndTheTwoTheWindowKeeps)
{
    EXPECT_EQ(TermWindowChar(8), CharPushed);   // Ctrl+H
    EXPECT_EQ(TermWindowChar(13), CharPushed);
    EXPECT_EQ(TermWindowChar(0xE9), CharPushed);
    EXPECT_EQ(TermWindowChar(3), CharCopy);
    EXPECT_EQ(TakeKeys(), "\x08\x0d\xe9");
    EXPECT_EQ(TermWindowChar(19), CharPauseToggled);
    EXPECT_TRUE(OutputPaused);
    EXPECT_EQ(TermWindowChar(19), CharPauseToggled);
    EXPECT_FALSE(OutputPaused);
    EXPECT_EQ(TakeKeys(), "");
}

TEST_F(WindowTest, CtrlBreakEndsTheProcessWithStatusOne)
{
    EXPECT_EXIT(
        {
            TermWindowKeyDown(KeyCancel, false, true, false);
            std::fputs("still running", stderr);
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), "");
}

TEST_F(WindowTest, CtrlBreakDuringAnExitOnlyClosesTheWindow)
{
    ExitInProgress = true;
    TermWindowKeyDown(KeyCancel, false, true, false);
    ExitInProgress = false;
    EXPECT_TRUE(WindowClosed);
}

}  // namespace
