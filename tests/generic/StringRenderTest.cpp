// Padding, spaces and printable renderings.
#include <string>

#include "GenericSupport.h"
#include "libGeneric/StringUtility.h"

namespace {

using StringRender = StringLeakCheck;

TEST_F(StringRender, SpacesOnlyFromZeroToFifty)
{
    struct Case {
        int16_t n;
        size_t length;
    };
    for (const Case &c : {Case{0, 0}, Case{1, 1}, Case{50, 50}, Case{51, 0}, Case{-1, 0}, Case{-32768, 0},
                          Case{32767, 0}}) {
        std::string spaces = Take(Spaces(c.n));
        EXPECT_EQ(spaces, std::string(c.length, ' ')) << c.n;
    }
}

struct PadCase {
    const char *text;
    uint8_t ch;
    int16_t width;
    const char *expected;
};

// Pads a variable whose value is shared with another: only the variable changes.
void ExpectPads(void (*pad)(DynamicString *, uint8_t, int16_t), std::initializer_list<PadCase> cases)
{
    for (const PadCase &c : cases) {
        DynamicString var = Heap(c.text);
        DynamicString shared = StringRetain(var);
        pad(&var, c.ch, c.width);
        EXPECT_EQ(Bytes(var), c.expected) << c.text << " " << c.width;
        EXPECT_EQ(Bytes(shared), c.text);
        StringRelease(&var);
        StringRelease(&shared);
    }
}

TEST_F(StringRender, PadRightWithAppendsUpToWidth)
{
    ExpectPads(PadRightWith, {{"ab", '.', 5, "ab..."}, {"abcdef", '.', 3, "abcdef"}, {"ab", 0, 5, "ab"},
                              {"", '-', 2, "--"}, {"ab", '.', -1, "ab"}, {"ab", '.', 2, "ab"}});
    DynamicString fromZero = 0;
    PadRightWith(&fromZero, '*', 3);
    EXPECT_EQ(Take(fromZero), "***");
}

TEST_F(StringRender, PadLeftWithPutsCopiesInFront)
{
    ExpectPads(PadLeftWith, {{"7", '0', 3, "007"}, {"1234", '0', 3, "1234"}, {"", ' ', 2, "  "},
                             {"ab", ' ', 2, "ab"}, {"ab", ' ', -5, "ab"}});
    DynamicString constant = StringConstant("9");
    PadLeftWith(&constant, '0', 2);
    EXPECT_EQ(Take(constant), "09");
}

TEST_F(StringRender, PadRightWithSpaces)
{
    DynamicString text = Heap("ab");
    EXPECT_EQ(Take(PadRight(text, 4)), "ab  ");
    EXPECT_EQ(Take(PadRight(text, 1)), "ab");
    EXPECT_EQ(Bytes(text), "ab");
    EXPECT_EQ(Refs(text), 1);
    StringRelease(&text);
    EXPECT_EQ(Take(PadRight(0, 2)), "  ");
}

TEST_F(StringRender, FromTextCopiesIntoTheHeap)
{
    char buffer[] = "copy me";
    DynamicString copy = FromText(buffer);
    buffer[0] = 'X';
    EXPECT_EQ(Bytes(copy), "copy me");
    EXPECT_TRUE(StringIsHandle(copy));
    StringRelease(&copy);
    EXPECT_EQ(Take(FromText(nullptr)), "");
    EXPECT_EQ(Take(FromText("")), "");
}

TEST_F(StringRender, VisibleHexEscapesControlSpaceAndHighBytes)
{
    struct Case {
        std::string text;
        const char *expected;
    };
    for (const Case &c : {Case{"\r\n", "$0D$0A"}, Case{"a b", "a$20b"}, Case{"!~", "!~"}, Case{"\x7F\x80\xFF", "$7F$80$FF"},
                          Case{std::string("\0x", 2), "$00x"}, Case{"$", "$"}, Case{"", ""}, Case{"\x1F", "$1F"}}) {
        DynamicString text = Heap(c.text);
        EXPECT_EQ(Take(VisibleHex(text)), c.expected);
        EXPECT_EQ(Refs(text), 1);
        StringRelease(&text);
    }
}

TEST_F(StringRender, VisibleDecimalEscapesBelowThirtyAndAbove127)
{
    struct Case {
        std::string text;
        const char *expected;
    };
    for (const Case &c : {Case{"\r\n", "<13><10>"}, Case{"\x1D\x1E", "<29>\x1E"}, Case{"\x7F\x80", "\x7F<128>"},
                          Case{std::string("\0", 1), "<0>"}, Case{"\xFF" "a", "<255>a"}, Case{"a b", "a b"}}) {
        DynamicString text = Heap(c.text);
        EXPECT_EQ(Take(VisibleDecimal(text)), c.expected);
        StringRelease(&text);
    }
}

TEST_F(StringRender, DottedQuadMostSignificantByteFirst)
{
    struct Case {
        uint32_t value;
        const char *expected;
    };
    for (const Case &c : {Case{0x01020304u, "1.2.3.4"}, Case{0xFF000001u, "255.0.0.1"}, Case{0, "0.0.0.0"},
                          Case{0xFFFFFFFFu, "255.255.255.255"}, Case{0xC0A8640Au, "192.168.100.10"}})
        EXPECT_EQ(Take(DottedQuad(c.value)), c.expected);
}

}  // namespace
