// Appends, splices, substrings, concatenation, copy-on-write and comparison.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/DynamicStringsInternal.h"
#include "strings/StringTestSupport.h"

namespace {

uintptr_t Address(DynamicString value) { return reinterpret_cast<uintptr_t>(StringText(value)); }

uint32_t CapacityOf(DynamicString handle) { return StringBlockCapacity(StringBlockOf(StringText(handle))); }

}  // namespace

TEST(StringAppendChar, FortySingleAppendsMoveToA64ByteBlockAtThe32ndCharacter)
{
    DynamicString var = 0;
    uint32_t blocks = StringHeapLiveBlocks();
    std::string expected;
    uintptr_t firstBlock = 0;
    for (int i = 0; i < 40; ++i) {
        char ch = static_cast<char>('A' + i % 26);
        StringAppendChar(&var, static_cast<uint8_t>(ch));
        expected += ch;
        ASSERT_EQ(Text(var), expected);
        ASSERT_EQ(StringText(var)[i + 1], 0);
        ASSERT_EQ(StringHeapLiveBlocks(), blocks + 1) << "one block at a time, after append " << i + 1;
        if (i == 0) firstBlock = Address(var);
        if (i < 31) {
            EXPECT_EQ(CapacityOf(var), 32u) << "append " << i + 1;
            EXPECT_EQ(Address(var), firstBlock) << "append " << i + 1 << " stays in the first block";
        } else {
            EXPECT_EQ(CapacityOf(var), 64u) << "append " << i + 1;
            EXPECT_NE(Address(var), firstBlock) << "append " << i + 1;
        }
    }
    EXPECT_EQ(StringEntryOf(var)->size, 41);
    StringRelease(&var);
    EXPECT_EQ(StringHeapLiveBlocks(), blocks);
}

TEST(StringAppendChar, OnConstantTextAndOnEmptyValues)
{
    DynamicString constant = StringConstant("ab");
    StringAppendChar(&constant, 'c');
    EXPECT_TRUE(StringIsHandle(constant));
    EXPECT_EQ(Text(constant), "abc");
    StringRelease(&constant);

    DynamicString zero = 0;
    StringAppendChar(&zero, 'z');
    EXPECT_EQ(Text(zero), "z");
    EXPECT_EQ(StringEntryOf(zero)->size, 2);
    StringRelease(&zero);

    DynamicString empty = StringFromBuffer(nullptr, 0);
    StringAppendChar(&empty, 'e');
    EXPECT_EQ(Text(empty), "e");
    StringRelease(&empty);
}

TEST(PutStringElement, StoresInPlaceOrInACopyWhenShared)
{
    DynamicString a = MakeString("abc");
    DynamicString handle = a;
    _PutStringElement(&a, 1, 'X');
    EXPECT_EQ(a, handle);
    EXPECT_EQ(Text(a), "aXc");
    DynamicString b = 0;
    StringAssign(&b, a);
    _PutStringElement(&b, 2, 'Y');
    EXPECT_EQ(Text(a), "aXc");
    EXPECT_EQ(Text(b), "aXY");
    DynamicString constant = StringConstant("def");
    _PutStringElement(&constant, 0, 'D');
    EXPECT_EQ(Text(constant), "Def");
    StringRelease(&constant);
    StringRelease(&a);
    StringRelease(&b);
}

TEST(StringMid, Table)
{
    struct Row {
        const char *source;
        int16_t start;
        int16_t count;
        const char *expected;
    } rows[] = {
        {"hello", 1, 3, "ell"}, {"hello", 4, 10, "o"}, {"hello", 9, 2, ""},  {"hello", 0, 5, "hello"},
        {"hello", 5, 1, ""},    {"hello", -3, 2, "he"}, {"hello", 2, -1, ""}, {"", 0, 3, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.source) + " " + std::to_string(row.start) + " " + std::to_string(row.count));
        DynamicString mid = StringMid(StringConstant(row.source), row.start, row.count);
        ASSERT_TRUE(StringIsHandle(mid)) << "always a new heap string";
        EXPECT_EQ(Text(mid), row.expected);
        EXPECT_EQ(StringText(mid)[StringLength(mid)], 0);
        EXPECT_EQ(StringEntryOf(mid)->refs, 1);
        StringRelease(&mid);
    }
}

TEST(StringMid, EmptyResultIsAnEmptyHeapStringEqualToZero)
{
    DynamicString mid = StringMid(StringConstant("hello"), 9, 2);
    EXPECT_EQ(StringEntryOf(mid)->size, 1);
    EXPECT_EQ(StringCompare(mid, 0), 0);
    EXPECT_EQ(StringCompare(mid, StringConstant("")), 0);
    EXPECT_EQ(StringCompare(0, mid), 0);
    StringRelease(&mid);
}

TEST(StringConcat, JoinsAnyKindsOfValue)
{
    DynamicString heap = MakeString("heap");
    struct Row {
        DynamicString a;
        DynamicString b;
        const char *expected;
    } rows[] = {
        {StringConstant("ab"), StringConstant("cd"), "abcd"},
        {heap, StringConstant("!"), "heap!"},
        {0, heap, "heap"},
        {heap, heap, "heapheap"},
        {0, 0, ""},
        {StringConstant(""), 0, ""},
    };
    for (const Row &row : rows) {
        DynamicString joined = StringConcat(row.a, row.b);
        EXPECT_TRUE(StringIsHandle(joined));
        EXPECT_EQ(Text(joined), row.expected);
        EXPECT_EQ(StringEntryOf(joined)->size, static_cast<int16_t>(strlen(row.expected) + 1));
        StringRelease(&joined);
    }
    EXPECT_EQ(StringEntryOf(heap)->refs, 1);
    StringRelease(&heap);
}

TEST(StringFromBuffer, CopiesBytesOrGivesZeroBytes)
{
    DynamicString copy = StringFromBuffer("ab\0cd", 5);
    EXPECT_EQ(Text(copy), std::string("ab\0cd", 5));
    StringRelease(&copy);
    DynamicString zeros = StringFromBuffer(nullptr, 3);
    EXPECT_EQ(Text(zeros), std::string(3, '\0'));
    StringRelease(&zeros);
    DynamicString negative = StringFromBuffer("abc", -2);
    EXPECT_EQ(StringEntryOf(negative)->size, 1);
    StringRelease(&negative);
}

// Replace, Insert, Delete and Append on a variable holding heap text,
// constant text or 0.
enum class Edit { Replace, Insert, Delete, Append };

TEST(StringReplace, Table)
{
    struct Row {
        const char *initial;  // null: the variable holds 0
        Edit edit;
        int16_t pos;
        int16_t count;
        const char *text;  // null: 0
        const char *expected;
    } rows[] = {
        {"abcdef", Edit::Replace, 2, 2, "XYZ", "abXYZef"},
        {"abcdef", Edit::Replace, 0, 6, "x", "x"},
        {"abcdef", Edit::Replace, 4, 100, "XY", "abcdXY"},
        {"abcdef", Edit::Replace, 9, 1, "!", "abcdef!"},
        {"abcdef", Edit::Replace, -5, 1, "_", "_bcdef"},
        {"abcdef", Edit::Replace, 1, -1, "_", "a_bcdef"},
        {"abcdef", Edit::Delete, 4, 100, nullptr, "abcd"},
        {"abcdef", Edit::Delete, 1, 2, nullptr, "adef"},
        {"abcdef", Edit::Delete, 0, 6, nullptr, ""},
        {"abcdef", Edit::Delete, 6, 2, nullptr, "abcdef"},
        {"ab", Edit::Insert, 99, 0, "!", "ab!"},
        {"ab", Edit::Insert, 0, 0, "<", "<ab"},
        {"ab", Edit::Insert, 1, 0, "--", "a--b"},
        {"ab", Edit::Insert, 1, 0, nullptr, "ab"},
        {"ab", Edit::Append, 0, 0, "cd", "abcd"},
        {nullptr, Edit::Append, 0, 0, "new", "new"},
        {nullptr, Edit::Insert, 3, 0, "x", "x"},
        {"", Edit::Replace, 0, 0, "y", "y"},
    };
    for (int kind = 0; kind < 2; ++kind) {
        for (const Row &row : rows) {
            SCOPED_TRACE(std::string(row.initial ? row.initial : "(0)") + " -> " + row.expected +
                         (kind == 0 ? " heap" : " constant"));
            DynamicString var = 0;
            if (row.initial) var = kind == 0 ? MakeString(row.initial) : StringConstant(row.initial);
            DynamicString text = row.text ? StringConstant(row.text) : 0;
            switch (row.edit) {
            case Edit::Replace: StringReplace(&var, row.pos, row.count, text); break;
            case Edit::Insert: StringInsert(&var, row.pos, text); break;
            case Edit::Delete: StringDelete(&var, row.pos, row.count); break;
            case Edit::Append: StringAppend(&var, text); break;
            }
            EXPECT_EQ(Text(var), row.expected);
            EXPECT_EQ(StringText(var)[StringLength(var)], 0);
            StringRelease(&var);
        }
    }
}

TEST(StringReplace, SpliceWithinTheSameCapacityKeepsBlockAndHandle)
{
    DynamicString var = MakeString("abcdef");
    DynamicString handle = var;
    uintptr_t block = Address(var);
    StringDelete(&var, 1, 2);
    StringInsert(&var, 0, StringConstant("0123"));
    EXPECT_EQ(Text(var), "0123adef");
    EXPECT_EQ(var, handle);
    EXPECT_EQ(Address(var), block);
    StringRelease(&var);
}

TEST(StringReplace, GrowthIntoALargerBlockKeepsTheHandle)
{
    DynamicString var = MakeString("0123456789012345678901234567890");  // size 32
    DynamicString handle = var;
    uint32_t blocks = StringHeapLiveBlocks();
    StringInsert(&var, 10, StringConstant("<>"));
    EXPECT_EQ(var, handle);
    EXPECT_EQ(CapacityOf(var), 64u);
    EXPECT_EQ(StringHeapLiveBlocks(), blocks);
    EXPECT_EQ(Text(var), "0123456789<>012345678901234567890");
    StringDelete(&var, 0, 20);
    EXPECT_EQ(CapacityOf(var), 32u);
    EXPECT_EQ(Text(var), "8901234567890");
    StringRelease(&var);
}

TEST(CopyOnWrite, WritingOneOfTwoSharersLeavesTheOtherAlone)
{
    struct Row {
        const char *name;
        std::function<void(DynamicString *)> write;
        const char *expected;
    } rows[] = {
        {"append char", [](DynamicString *v) { StringAppendChar(v, '!'); }, "hello!"},
        {"append", [](DynamicString *v) { StringAppend(v, StringConstant(" you")); }, "hello you"},
        {"replace", [](DynamicString *v) { StringReplace(v, 0, 4, StringConstant("j")); }, "jo"},
        {"delete", [](DynamicString *v) { StringDelete(v, 1, 3); }, "ho"},
        {"put element", [](DynamicString *v) { _PutStringElement(v, 0, 'c'); }, "cello"},
        {"writable text", [](DynamicString *v) { StringWritableText(v)[4] = 'p'; }, "hellp"},
        {"set length", [](DynamicString *v) { StringSetLength(v, 2, true); }, "he"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        DynamicString a = MakeString("hello");
        DynamicString b = 0;
        StringAssign(&b, a);
        DynamicString shared = a;
        row.write(&a);
        EXPECT_NE(a, shared) << "the writer gets a new handle";
        EXPECT_EQ(b, shared);
        EXPECT_EQ(Text(a), row.expected);
        EXPECT_EQ(Text(b), "hello");
        EXPECT_EQ(StringEntryOf(a)->refs, 1);
        EXPECT_EQ(StringEntryOf(b)->refs, 1);
        StringRelease(&a);
        StringRelease(&b);
    }
}

TEST(StringReplace, AStringSplicedIntoItself)
{
    // The long rows outgrow the 32-byte block, so the characters move.
    struct Row {
        const char *initial;
        Edit edit;
        int16_t pos;
        int16_t count;
        const char *expected;
    } rows[] = {
        {"abcdef", Edit::Append, 0, 0, "abcdefabcdef"},
        {"abcdef", Edit::Insert, 0, 0, "abcdefabcdef"},
        {"abcdef", Edit::Insert, 2, 0, "ababcdefcdef"},
        {"abcdef", Edit::Replace, 1, 2, "aabcdefdef"},
        {"abcdef", Edit::Replace, 0, 6, "abcdef"},
        {"abcdefghijklmnopqrst", Edit::Append, 0, 0, "abcdefghijklmnopqrstabcdefghijklmnopqrst"},
        {"abcdefghijklmnopqrst", Edit::Insert, 5, 0, "abcdeabcdefghijklmnopqrstfghijklmnopqrst"},
        {"abcdefghijklmnopqrst", Edit::Replace, 5, 10, "abcdeabcdefghijklmnopqrstpqrst"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.expected);
        // Sole owner and shared: the result is the same.
        for (int shared = 0; shared < 2; ++shared) {
            DynamicString var = MakeString(row.initial);
            DynamicString other = 0;
            if (shared) StringAssign(&other, var);
            if (row.edit == Edit::Append)
                StringAppend(&var, var);
            else if (row.edit == Edit::Insert)
                StringInsert(&var, row.pos, var);
            else
                StringReplace(&var, row.pos, row.count, var);
            EXPECT_EQ(Text(var), row.expected);
            if (shared) {
                EXPECT_EQ(Text(other), row.initial);
            }
            StringRelease(&other);
            StringRelease(&var);
        }
    }
}

TEST(StringResize, SetLengthKeepsOrDropsTheContents)
{
    DynamicString var = MakeString("hello");
    StringSetLength(&var, 3, true);
    EXPECT_EQ(Text(var), "hel");
    StringSetLength(&var, 40, true);
    EXPECT_EQ(StringLength(var), 40);
    EXPECT_EQ(std::string(StringText(var), 3), "hel");
    EXPECT_EQ(StringText(var)[40], 0);
    StringSetLength(&var, 4, false);
    EXPECT_EQ(Text(var), std::string(4, '\0'));
    StringSetLength(&var, -3, true);
    EXPECT_EQ(StringLength(var), 0);
    StringRelease(&var);

    DynamicString constant = StringConstant("const");
    StringSetLength(&constant, 2, true);
    EXPECT_TRUE(StringIsHandle(constant));
    EXPECT_EQ(StringLength(constant), 2) << "constant text is not kept without a copy first";
    StringRelease(&constant);
}

TEST(StringResize, SharedResizeCopiesIntoANewEntry)
{
    DynamicString a = MakeString("abcdef");
    DynamicString b = 0;
    StringAssign(&b, a);
    // Splice mode: remove "cd", open a gap of 3 at 2.
    StringResize(&b, 2, 2, 3, true);
    EXPECT_NE(b, a);
    EXPECT_EQ(StringEntryOf(a)->refs, 1);
    EXPECT_EQ(StringEntryOf(b)->size, 7 - 2 + 3);
    const char *text = StringText(b);
    EXPECT_EQ(std::string(text, 2), "ab");
    EXPECT_EQ(std::string(text + 5, 3), std::string("ef\0", 3));
    EXPECT_EQ(Text(a), "abcdef");
    StringRelease(&b);
    // Resize mode keeps the first bytes.
    StringAssign(&b, a);
    StringResize(&b, -1, -1, 3, true);
    EXPECT_EQ(std::string(StringText(b), 3), "abc");
    EXPECT_EQ(Text(a), "abcdef");
    StringRelease(&b);
    StringRelease(&a);
}

TEST(StringResize, WithoutKeepAllocatesAFreshZeroEntry)
{
    DynamicString var = MakeString("drop");
    StringResize(&var, -1, -1, 3, false);
    EXPECT_EQ(StringEntryOf(var)->size, 3);
    EXPECT_EQ(std::string(StringText(var), 3), std::string(3, '\0'));
    StringRelease(&var);
}

TEST(StringOpenGap, OpensRoomAndTerminates)
{
    DynamicString var = MakeString("abcdef");
    StringOpenGap(&var, 2, 1, 3);
    EXPECT_EQ(StringLength(var), 8);
    EXPECT_EQ(std::string(StringText(var), 2), "ab");
    EXPECT_EQ(std::string(StringText(var) + 5, 3), "def");
    StringRelease(&var);
    DynamicString zero = 0;
    StringOpenGap(&zero, 5, 5, 2);
    EXPECT_EQ(StringLength(zero), 2);
    EXPECT_EQ(StringText(zero)[2], 0);
    StringRelease(&zero);
}

TEST(StringCompare, Table)
{
    DynamicString heapAbc = MakeString("abc");
    DynamicString emptyHeap = StringFromBuffer(nullptr, 0);
    struct Row {
        DynamicString a;
        DynamicString b;
        int16_t expected;
    } rows[] = {
        {StringConstant("abc"), StringConstant("abd"), -1},
        {StringConstant("abc"), StringConstant("ab"), 1},
        {StringConstant("ab"), StringConstant("abc"), -1},
        {0, StringConstant(""), 0},
        {StringConstant(""), StringConstant("a"), -1},
        {StringConstant("a"), 0, 1},
        {StringConstant("B"), StringConstant("a"), -1},
        {heapAbc, StringConstant("abc"), 0},
        {StringConstant("abc"), heapAbc, 0},
        {emptyHeap, 0, 0},
        {emptyHeap, StringConstant(""), 0},
        {emptyHeap, heapAbc, -1},
        {StringConstant("\x80"), StringConstant("a"), 1},
        {StringConstant("a\xff"), StringConstant("a\x01"), 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE("'" + Text(row.a) + "' vs '" + Text(row.b) + "'");
        EXPECT_EQ(StringCompare(row.a, row.b), row.expected);
    }
    StringRelease(&heapAbc);
    StringRelease(&emptyHeap);
}

TEST(StringCompare, IgnoreCaseSwitch)
{
    EXPECT_FALSE(StringCompareIgnoreCase);
    StringCompareIgnoreCase = true;
    EXPECT_EQ(StringCompare(StringConstant("B"), StringConstant("a")), 1);
    EXPECT_EQ(StringCompare(StringConstant("ABC"), StringConstant("abc")), 0);
    EXPECT_EQ(StringCompare(StringConstant("[x"), StringConstant("Ax")), -1) << "only letters fold";
    StringCompareIgnoreCase = false;
    EXPECT_EQ(StringCompare(StringConstant("ABC"), StringConstant("abc")), -1);
}
