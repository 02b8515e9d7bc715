#include <gtest/gtest.h>

#include <string>

#include "StreamsSupport.h"

namespace {

struct TextCase {
    const char *text;
    uint8_t flags;
    int8_t width;
    const char *expected;
};

class TextFormat : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextFormat, TextAndStringAgree)
{
    const TextCase &c = GetParam();
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutTextFormatted(sio, c.text, c.flags, c.width); }), c.expected);
    if (c.text) {
        DynamicString s = 0;
        StringAssign(&s, StringConstant(c.text));  // a heap copy
        EXPECT_EQ(Captured([&](SIO *sio) { SioPutStringFormatted(sio, s, c.flags, c.width); }), c.expected);
        StringRelease(&s);
    }
}

const TextCase TextCases[] = {
    {"ab", 0, 5, "   ab"},
    {"ab", 0, -5, "ab   "},
    {"ab", 0, 1, "ab"},
    {"ab", 0, -1, "ab"},
    {"ab", 0, 0, "ab"},
    {"ab", 0x01, 1, "a"},
    {"ab", 0x01, -1, "a"},
    {"ab", 0x01, 0, ""},
    {"ab", 0x01, 5, "   ab"},
    {"ab", 0x01, -5, "ab   "},
    {"abcdef", 0x01, -3, "abc"},
    {"", 0, 3, "   "},
    {"", 0, -2, "  "},
    {nullptr, 0, 3, "   "},
    {nullptr, 0, 0, ""},
};
INSTANTIATE_TEST_SUITE_P(Widths, TextFormat, ::testing::ValuesIn(TextCases));

TEST(TextOutput, WidestLeftJustifiedField)
{
    EXPECT_EQ(Captured([](SIO *sio) { SioPutTextFormatted(sio, "ab", 0, -128); }), "ab" + std::string(126, ' '));
}

TEST(TextOutput, PlainAndRawWriteEveryCharacter)
{
    EXPECT_EQ(Captured([](SIO *sio) { SioPutText(sio, "hello world"); }), "hello world");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutRawText(sio, "x\ty"); }), "x\ty");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutRawText(sio, nullptr); }), "");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutString(sio, StringConstant("const")); }), "const");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutString(sio, 0); }), "");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutChar(sio, 'Q'); }), "Q");
}

// A string argument is taken by value: its reference count is the same
// after the call as before.
TEST(TextOutput, StringArgumentKeepsItsReferences)
{
    DynamicString s = 0;
    StringAssign(&s, StringConstant("shared"));
    ASSERT_TRUE(StringIsHandle(s));
    uint16_t refs = StringEntryOf(s)->refs;
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutString(sio, s); }), "shared");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutStringFormatted(sio, s, 0x01, 3); }), "sha");
    EXPECT_EQ(Captured([&](SIO *sio) { SioPutRawString(sio, s); }), "shared");
    EXPECT_EQ(StringEntryOf(s)->refs, refs);
    EXPECT_STREQ(StringText(s), "shared");
    StringRelease(&s);
}

// The output of one operation into a string it reads from.
TEST(TextOutput, StringAppendedToItself)
{
    DynamicString s = 0;
    StringAssign(&s, StringConstant("ab"));
    SIO sink = SioStringAppendSink(&s);
    SioPutString(&sink, s);
    EXPECT_STREQ(StringText(s), "abab");
    StringRelease(&s);
}

}  // namespace
