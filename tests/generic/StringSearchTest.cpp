// Comparison, search and wildcard matching.
#include <string>

#include "GenericSupport.h"
#include "libGeneric/StringUtility.h"

namespace {

// Restores the heap's case switch after each test.
class StringSearch : public StringLeakCheck {
protected:
    void TearDown() override
    {
        StringCompareIgnoreCase = false;
        StringLeakCheck::TearDown();
    }
};

int Sign(int value) { return (value > 0) - (value < 0); }

TEST_F(StringSearch, CompareOrdersByUnsignedBytesThenLength)
{
    struct Case {
        const char *a;
        const char *b;
        int sign;
    };
    for (const Case &c : {Case{"abc", "abd", -1}, Case{"abd", "abc", 1}, Case{"abc", "ab", 1}, Case{"ab", "abc", -1},
                          Case{"abc", "abc", 0}, Case{"", "", 0}, Case{"", "a", -1}, Case{"a", "", 1},
                          Case{"B", "a", -1}, Case{"\xFF", "a", 1}, Case{"a\x80", "a\x7F", 1}}) {
        DynamicString a = Heap(c.a);
        EXPECT_EQ(Sign(Compare(a, StringConstant(c.b))), c.sign) << c.a << " vs " << c.b;
        EXPECT_EQ(Refs(a), 1);
        StringRelease(&a);
    }
    EXPECT_EQ(Compare(0, StringConstant("")), 0);
    EXPECT_EQ(Compare(StringConstant("ab"), StringConstant("abc")), -1) << "tie on common length gives -1";
}

TEST_F(StringSearch, CompareSeesZeroBytesAndFollowsTheCaseSwitch)
{
    DynamicString a = Heap(std::string("a\0b", 3));
    DynamicString b = Heap(std::string("a\0c", 3));
    EXPECT_LT(Compare(a, b), 0);
    StringRelease(&a);
    StringRelease(&b);

    EXPECT_NE(Compare(StringConstant("ABC"), StringConstant("abc")), 0);
    StringCompareIgnoreCase = true;
    EXPECT_EQ(Compare(StringConstant("ABC"), StringConstant("abc")), 0);
    EXPECT_LT(Compare(StringConstant("abc"), StringConstant("ABD")), 0);
    EXPECT_NE(Compare(StringConstant("@"), StringConstant("`")), 0) << "only letters fold";
}

TEST_F(StringSearch, CompareSectionClampsEachSide)
{
    struct Case {
        const char *a;
        int16_t startA;
        const char *b;
        int16_t startB;
        int16_t count;
        int sign;
    };
    for (const Case &c : {Case{"xxabc", 2, "abc", 0, 3, 0}, Case{"xxabc", 2, "abd", 0, 3, -1},
                          Case{"xxabc", 2, "abd", 0, 2, 0}, Case{"abc", 1, "bc", 0, 10, 0},
                          Case{"abc", 1, "bcd", 0, 10, -1}, Case{"abc", -5, "abc", 0, 3, 0},
                          Case{"abc", 9, "", 0, 3, 0}, Case{"abc", 0, "abc", 1, 0, 0},
                          Case{"abc", 0, "xyz", 0, -4, 0}}) {
        EXPECT_EQ(Sign(CompareSection(StringConstant(c.a), c.startA, StringConstant(c.b), c.startB, c.count)), c.sign)
            << c.a << "@" << c.startA << " vs " << c.b << "@" << c.startB << " #" << c.count;
    }
}

TEST_F(StringSearch, FindAndFindLast)
{
    struct Case {
        const char *text;
        int16_t start;
        const char *pattern;
        int16_t first;
        int16_t last;
    };
    for (const Case &c : {Case{"abcabc", 2, "b", 4, 1}, Case{"abcabc", 5, "b", -1, 4}, Case{"abcabc", 0, "abc", 0, 0},
                          Case{"abcabc", 1, "abc", 3, 0}, Case{"abcabc", 9, "abc", -1, 3},
                          Case{"abcabc", -3, "abc", 0, -1}, Case{"abcabc", 0, "", -1, -1},
                          Case{"", 0, "a", -1, -1}, Case{"ab", 0, "abc", -1, -1}, Case{"aaaa", 1, "aa", 1, 1},
                          Case{"abcabc", 3, "c", 5, 2}}) {
        DynamicString text = Heap(c.text);
        DynamicString pattern = Heap(c.pattern);
        EXPECT_EQ(Find(text, c.start, pattern), c.first) << c.text << " " << c.start << " " << c.pattern;
        EXPECT_EQ(FindLast(text, c.start, pattern), c.last) << c.text << " " << c.start << " " << c.pattern;
        EXPECT_EQ(Refs(text), 1);
        EXPECT_EQ(Refs(pattern), 1);
        StringRelease(&text);
        StringRelease(&pattern);
    }
}

TEST_F(StringSearch, FindSectionUsesTheClampedPatternSection)
{
    struct Case {
        int16_t start;
        int16_t patternStart;
        int16_t patternCount;
        int16_t first;
        int16_t last;
    };
    // Text "xabcabcx", pattern "zbcz".
    for (const Case &c : {Case{0, 1, 2, 2, -1}, Case{3, 1, 2, 5, 2}, Case{9, 1, 2, -1, 5}, Case{0, 1, 10, -1, -1},
                          Case{0, 4, 1, -1, -1}, Case{0, -3, 1, -1, -1}, Case{0, 1, 0, -1, -1},
                          Case{0, 2, 1, 3, -1}, Case{7, 2, 1, -1, 6}}) {
        DynamicString text = StringConstant("xabcabcx");
        DynamicString pattern = StringConstant("zbcz");
        EXPECT_EQ(FindSection(text, c.start, pattern, c.patternStart, c.patternCount), c.first)
            << c.start << " " << c.patternStart << " " << c.patternCount;
        EXPECT_EQ(FindSectionLast(text, c.start, pattern, c.patternStart, c.patternCount), c.last)
            << c.start << " " << c.patternStart << " " << c.patternCount;
    }
}

TEST_F(StringSearch, SearchesFollowTheCaseSwitch)
{
    DynamicString text = StringConstant("xABcab");
    EXPECT_EQ(Find(text, 0, StringConstant("ab")), 4);
    EXPECT_EQ(FindChar(text, 0, 'b'), 5);
    StringCompareIgnoreCase = true;
    EXPECT_EQ(Find(text, 0, StringConstant("ab")), 1);
    EXPECT_EQ(FindLast(text, 9, StringConstant("AB")), 4);
    EXPECT_EQ(FindChar(text, 0, 'b'), 2);
    EXPECT_EQ(FindCharLast(text, 9, 'C'), 3);
}

TEST_F(StringSearch, FindCharAndFindCharLast)
{
    struct Case {
        int16_t start;
        uint8_t ch;
        int16_t first;
        int16_t last;
    };
    // Text "abcabc".
    for (const Case &c : {Case{-5, 'a', 0, -1}, Case{0, 'a', 0, 0}, Case{1, 'a', 3, 0}, Case{4, 'a', -1, 3},
                          Case{100, 'c', -1, 5}, Case{5, 'c', 5, 5}, Case{0, 'z', -1, -1}, Case{-1, 'c', 2, -1},
                          Case{6, 'c', -1, 5}}) {
        EXPECT_EQ(FindChar(StringConstant("abcabc"), c.start, c.ch), c.first) << c.start << " " << c.ch;
        EXPECT_EQ(FindCharLast(StringConstant("abcabc"), c.start, c.ch), c.last) << c.start << " " << c.ch;
    }
    EXPECT_EQ(FindChar(0, 0, 'a'), -1);
    EXPECT_EQ(FindCharLast(0, 5, 'a'), -1);
    DynamicString withZero = Heap(std::string("ab\0c", 4));
    EXPECT_EQ(FindChar(withZero, 0, 0), 2);
    EXPECT_EQ(FindCharLast(withZero, 3, 'c'), 3);
    StringRelease(&withZero);
}

TEST_F(StringSearch, FindLineEndFindsTheFirstCrOrLf)
{
    struct Case {
        const char *text;
        int16_t position;
    };
    for (const Case &c : {Case{"abc\r\n", 3}, Case{"ab\ncd\r", 2}, Case{"\r", 0}, Case{"abc", -1}, Case{"", -1}})
        EXPECT_EQ(FindLineEnd(StringConstant(c.text)), c.position) << c.text;
}

TEST_F(StringSearch, WildcardMatchTable)
{
    struct Case {
        const char *pattern;
        const char *text;
        bool match;
    };
    for (const Case &c : {Case{"a*c", "abbc", true}, Case{"a*c", "abcd", false}, Case{"?", "", false},
                          Case{"*", "", true}, Case{"", "", true}, Case{"", "a", false}, Case{"***", "", true},
                          Case{"a?c", "abc", true}, Case{"a?c", "ac", false}, Case{"*.log", "run1_000.log", true},
                          Case{"*.log", "run1_000.logx", false}, Case{"a*b*c", "aXbYbZc", true},
                          Case{"a*b*c", "aXbYbZ", false}, Case{"*ab", "aab", true}, Case{"*a*a*a", "aa", false},
                          Case{"?*?", "ab", true}, Case{"?*?", "a", false}, Case{"ABC", "abc", false},
                          Case{"a**", "a", true}, Case{"*?", "", false}, Case{"*x*", "abxcd", true},
                          Case{"*x*", "abcd", false}, Case{"Log_*_?.csv", "Log_12_3.csv", true}}) {
        EXPECT_EQ(WildcardMatch(StringConstant(c.pattern), StringConstant(c.text)), c.match)
            << '"' << c.pattern << "\" vs \"" << c.text << '"';
    }
    StringCompareIgnoreCase = true;
    EXPECT_FALSE(WildcardMatch(StringConstant("ABC"), StringConstant("abc"))) << "always case-sensitive";
}

// A pattern of many stars against a long text that almost matches: trying
// every split at every star would not finish.
TEST_F(StringSearch, WildcardMatchManyStarsFinishes)
{
    std::string pattern;
    for (int i = 0; i < 40; ++i) pattern += "*a";
    pattern += "b";
    std::string text(4000, 'a');
    DynamicString p = Heap(pattern);
    DynamicString t = Heap(text);
    EXPECT_FALSE(WildcardMatch(p, t));
    StringRelease(&t);
    t = Heap(text + "b");
    EXPECT_TRUE(WildcardMatch(p, t));
    EXPECT_EQ(Refs(p), 1);
    StringRelease(&t);
    StringRelease(&p);
}

}  // namespace
