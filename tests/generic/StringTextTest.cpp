// Substrings, case, character classes and trimming.
#include "GenericSupport.h"
#include "libGeneric/StringUtility.h"

namespace {

using StringPieces = StringLeakCheck;

struct SectionCase {
    int16_t start;
    int16_t count;
    const char *expected;
};

TEST_F(StringPieces, MidClampsStartAndCountToTheText)
{
    for (const SectionCase &c : {SectionCase{3, 10, "DE"}, SectionCase{-2, 2, "AB"}, SectionCase{0, 5, "ABCDE"},
                                 SectionCase{5, 1, ""}, SectionCase{9, 2, ""}, SectionCase{1, -1, ""},
                                 SectionCase{-32768, 32767, "ABCDE"}, SectionCase{32767, 32767, ""},
                                 SectionCase{4, 32767, "E"}}) {
        DynamicString text = Heap("ABCDE");
        EXPECT_EQ(Take(Mid(text, c.start, c.count)), c.expected) << c.start << "," << c.count;
        EXPECT_EQ(Refs(text), 1);
        StringRelease(&text);
    }
}

TEST_F(StringPieces, LeftRightAndMidToEndClamp)
{
    struct Case {
        int16_t n;
        const char *left;
        const char *right;
        const char *toEnd;
    };
    for (const Case &c : {Case{-1, "", "", "ABCDE"}, Case{0, "", "", "ABCDE"}, Case{2, "AB", "DE", "CDE"},
                          Case{5, "ABCDE", "ABCDE", ""}, Case{7, "ABCDE", "ABCDE", ""},
                          Case{32767, "ABCDE", "ABCDE", ""}, Case{-32768, "", "", "ABCDE"}}) {
        DynamicString text = StringConstant("ABCDE");
        EXPECT_EQ(Take(Left(text, c.n)), c.left) << c.n;
        EXPECT_EQ(Take(Right(text, c.n)), c.right) << c.n;
        EXPECT_EQ(Take(MidToEnd(text, c.n)), c.toEnd) << c.n;
    }
    EXPECT_EQ(Take(Left(0, 3)), "");
    EXPECT_EQ(Take(Right(0, 3)), "");
}

TEST_F(StringPieces, SubstringsKeepZeroBytes)
{
    DynamicString text = Heap(std::string("a\0b\0c", 5));
    EXPECT_EQ(Take(Mid(text, 1, 3)), std::string("\0b\0", 3));
    EXPECT_EQ(Take(Right(text, 2)), std::string("\0c", 2));
    StringRelease(&text);
}

TEST_F(StringPieces, CaseConversionTouchesOnlyAsciiLetters)
{
    std::string mixed = "aZ09_@[`{\x7F\xE9\xC9 z";
    EXPECT_EQ(Unary(UpperCase, mixed), "AZ09_@[`{\x7F\xE9\xC9 Z");
    EXPECT_EQ(Unary(LowerCase, mixed), "az09_@[`{\x7F\xE9\xC9 z");
    EXPECT_EQ(Unary(UpperCase, ""), "");
    DynamicString withZero = Heap(std::string("a\0b", 3));
    EXPECT_EQ(Take(UpperCase(withZero)), std::string("A\0B", 3)) << "length kept over zero bytes";
    StringRelease(&withZero);
}

TEST_F(StringPieces, CaseConversionLeavesASharedArgumentAlone)
{
    DynamicString text = Heap("abc");
    DynamicString copy = StringRetain(text);
    EXPECT_EQ(Take(UpperCase(text)), "ABC");
    EXPECT_EQ(Bytes(text), "abc");
    EXPECT_EQ(Refs(text), 2);
    StringRelease(&copy);
    StringRelease(&text);
}

TEST_F(StringPieces, CharacterClassesOverWholeText)
{
    struct Case {
        const char *text;
        bool letters;
        bool digits;
        bool lettersOrDigits;
    };
    for (const Case &c : {Case{"", true, true, true}, Case{"abcXYZ", true, false, true},
                          Case{"0129", false, true, true}, Case{"a1", false, false, true},
                          Case{"a_", false, false, false}, Case{"\xE9", false, false, false},
                          Case{"12 ", false, false, false}, Case{"@[`{", false, false, false},
                          Case{"/:", false, false, false}}) {
        DynamicString text = StringConstant(c.text);
        EXPECT_EQ(AllLetters(text), c.letters) << c.text;
        EXPECT_EQ(AllDigits(text), c.digits) << c.text;
        EXPECT_EQ(AllLettersOrDigits(text), c.lettersOrDigits) << c.text;
    }
    DynamicString withZero = Heap(std::string("1\0", 2));
    EXPECT_FALSE(AllDigits(withZero)) << "a zero byte is not a digit";
    StringRelease(&withZero);
}

struct TrimCase {
    const char *text;
    const char *left;
    const char *right;
    const char *both;
};

void ExpectTrims(DynamicString (*left)(DynamicString), DynamicString (*right)(DynamicString),
                 DynamicString (*both)(DynamicString), std::initializer_list<TrimCase> cases)
{
    for (const TrimCase &c : cases) {
        EXPECT_EQ(Unary(left, c.text), c.left) << "left of \"" << c.text << '"';
        EXPECT_EQ(Unary(right, c.text), c.right) << "right of \"" << c.text << '"';
        EXPECT_EQ(Unary(both, c.text), c.both) << "both ends of \"" << c.text << '"';
    }
}

TEST_F(StringPieces, TrimSpaces)
{
    ExpectTrims(TrimLeft, TrimRight, Trim,
                {{"  x  ", "x  ", "  x", "x"}, {"   ", "   ", "   ", "   "}, {"", "", "", ""}, {"x", "x", "x", "x"},
                 {" a b ", "a b ", " a b", "a b"}, {"\tx\t", "\tx\t", "\tx\t", "\tx\t"},
                 {"\r\nx ", "\r\nx ", "\r\nx", "\r\nx"}});
}

TEST_F(StringPieces, TrimNewlines)
{
    ExpectTrims(TrimLeftNewlines, TrimRightNewlines, TrimNewlines,
                {{"\r\nab\n\r", "ab\n\r", "\r\nab", "ab"}, {"\r\n\r", "\r\n\r", "\r\n\r", "\r\n\r"},
                 {" x\n", " x\n", " x", " x"}, {"a\nb", "a\nb", "a\nb", "a\nb"}, {"", "", "", ""}});
}

}  // namespace
