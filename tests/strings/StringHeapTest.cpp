// Handles, the free chain, reference counts, assignment and table growth.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/DynamicStringsInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "strings/StringTestSupport.h"

using ::testing::HasSubstr;

namespace {

uint16_t Refs(DynamicString handle) { return StringEntryOf(handle)->refs; }

}  // namespace

TEST(StringHeap, FreshHeapHandsOutIndexZeroThenOneAndReusesZero)
{
    unsigned long long base = StringHandleBase;
    char expected[128];
    snprintf(expected, sizeof expected, "first=%llX second=%llX again=%llX", base, base + 1, base);
    // A re-executed child starts with a heap in which nothing was allocated.
    std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            DynamicString first = StringFromBuffer("a", 1);
            DynamicString second = StringFromBuffer("b", 1);
            DynamicString old = first;
            StringRelease(&first);
            DynamicString again = StringFromBuffer("c", 1);
            fprintf(stderr, "first=%llX second=%llX again=%llX", static_cast<unsigned long long>(old),
                    static_cast<unsigned long long>(second), static_cast<unsigned long long>(again));
            exit(0);
        },
        ::testing::ExitedWithCode(0), HasSubstr(expected));
    GTEST_FLAG_SET(death_test_style, style);
}

TEST(StringHeap, FreeChainIsReusedLastFreedFirst)
{
    DynamicString x = MakeString("x");
    DynamicString y = MakeString("y");
    DynamicString z = MakeString("z");
    DynamicString oldX = x, oldY = y;
    StringRelease(&y);
    StringRelease(&x);
    EXPECT_EQ(StringHeapFreeHead(), oldX);
    DynamicString first = MakeString("1");
    DynamicString second = MakeString("2");
    EXPECT_EQ(first, oldX);
    EXPECT_EQ(second, oldY);
    EXPECT_EQ(Text(first), "1");
    EXPECT_EQ(Text(second), "2");
    StringRelease(&first);
    StringRelease(&second);
    StringRelease(&z);
}

TEST(StringHeap, ReleaseFreesTheEntryAndClearsTheVariable)
{
    uint32_t blocks = StringHeapLiveBlocks();
    DynamicString s = MakeString("abc");
    DynamicString handle = s;
    EXPECT_EQ(StringHeapLiveBlocks(), blocks + 1);
    DynamicString other = 0;
    StringAssign(&other, s);
    StringRelease(&s);
    EXPECT_EQ(s, 0u);
    EXPECT_EQ(StringHeapLiveBlocks(), blocks + 1) << "still referenced by the second variable";
    EXPECT_EQ(Text(other), "abc");
    StringReleaseArgument(&other);
    EXPECT_EQ(other, 0u);
    EXPECT_EQ(StringHeapLiveBlocks(), blocks);
    const StringEntry *entry = StringEntryOf(handle);
    EXPECT_EQ(entry->refs, 0);
    EXPECT_EQ(entry->flags, 0);
    EXPECT_EQ(entry->size, 0);
    EXPECT_EQ(StringHeapFreeHead(), handle);
}

TEST(StringHeap, ReleasingZeroOrConstantTextOnlyClearsTheVariable)
{
    uint32_t blocks = StringHeapLiveBlocks();
    DynamicString free = StringHeapFreeHead();
    DynamicString values[] = {0, StringConstant("constant")};
    for (DynamicString value : values) {
        DynamicString var = value;
        StringRelease(&var);
        EXPECT_EQ(var, 0u);
    }
    EXPECT_EQ(StringHeapLiveBlocks(), blocks);
    EXPECT_EQ(StringHeapFreeHead(), free);
}

TEST(StringHeap, AccessorsOfTheThreeKindsOfValue)
{
    EXPECT_EQ(StringLength(0), 0);
    EXPECT_STREQ(StringText(0), "");
    const char *constant = "constant";
    EXPECT_EQ(StringLength(StringConstant(constant)), 8);
    EXPECT_EQ(StringText(StringConstant(constant)), constant) << "constant text is used in place";
    DynamicString heap = MakeString("heap");
    EXPECT_TRUE(StringIsHandle(heap));
    EXPECT_EQ(StringLength(heap), 4);
    EXPECT_EQ(StringEntryOf(heap)->size, 5);
    EXPECT_EQ(StringText(heap)[4], 0);
    // A heap string of size 0 (resized to nothing) has length 0 too.
    StringResize(&heap, -1, -1, 0, false);
    EXPECT_EQ(StringEntryOf(heap)->size, 0);
    EXPECT_EQ(StringLength(heap), 0);
    StringRelease(&heap);
}

TEST(StringHeap, AssignTextStoresThePointerOrZero)
{
    DynamicString var = MakeString("old");
    uint32_t blocks = StringHeapLiveBlocks();
    const char *text = "abc";
    StringAssignText(&var, text);
    EXPECT_EQ(var, StringConstant(text));
    EXPECT_EQ(StringHeapLiveBlocks(), blocks - 1) << "the heap string was released";
    StringAssignText(&var, "");
    EXPECT_EQ(var, 0u);
    var = StringConstant(text);
    StringAssignText(&var, nullptr);
    EXPECT_EQ(var, 0u);
}

TEST(StringHeap, AssignOfConstantMakesAnOwnedHeapCopy)
{
    DynamicString var = 0;
    DynamicString result = StringAssign(&var, StringConstant("abc"));
    EXPECT_EQ(result, var);
    ASSERT_TRUE(StringIsHandle(var));
    EXPECT_EQ(StringEntryOf(var)->size, 4);
    EXPECT_EQ(Refs(var), 1);
    EXPECT_EQ(Text(var), "abc");
    StringRelease(&var);
}

TEST(StringHeap, AssignOfHandleSharesItWithOneMoreReference)
{
    DynamicString a = MakeString("shared");
    DynamicString b = 0;
    EXPECT_EQ(StringAssign(&b, a), a);
    EXPECT_EQ(b, a);
    EXPECT_EQ(Refs(a), 2);
    StringAssign(&b, 0);
    EXPECT_EQ(b, 0u);
    EXPECT_EQ(Refs(a), 1);
    StringRelease(&a);
}

TEST(StringHeap, AssignReleasesTheOldValueBeforeRetainingTheNew)
{
    // The old sole-owned string is freed first, so the copy of the constant
    // reuses its entry.
    DynamicString var = MakeString("old");
    DynamicString old = var;
    StringAssign(&var, StringConstant("new"));
    EXPECT_EQ(var, old);
    EXPECT_EQ(Text(var), "new");
    EXPECT_EQ(Refs(var), 1);
    StringRelease(&var);
}

TEST(StringHeap, SelfAssignmentLeavesTheVariableAsItIs)
{
    DynamicString var = MakeString("self");
    DynamicString handle = var;
    const char *text = StringText(var);
    uint32_t blocks = StringHeapLiveBlocks();
    EXPECT_EQ(StringAssign(&var, var), handle);
    EXPECT_EQ(var, handle);
    EXPECT_EQ(Refs(var), 1);
    EXPECT_EQ(StringText(var), text);
    EXPECT_EQ(Text(var), "self");
    EXPECT_EQ(StringHeapLiveBlocks(), blocks);

    DynamicString other = 0;
    StringAssign(&other, var);
    StringAssign(&other, other);
    EXPECT_EQ(Refs(var), 2) << "a shared string keeps its count";
    StringRelease(&other);
    StringRelease(&var);
}

TEST(StringHeap, AddRefAndRetainCountHandlesOnly)
{
    DynamicString s = MakeString("count");
    StringAddRef(&s);
    EXPECT_EQ(Refs(s), 2);
    EXPECT_EQ(StringRetain(s), s);
    EXPECT_EQ(Refs(s), 3);
    DynamicString constant = StringConstant("c");
    DynamicString zero = 0;
    StringAddRef(&constant);
    StringAddRef(&zero);
    EXPECT_EQ(constant, StringConstant("c"));
    EXPECT_EQ(zero, 0u);
    EXPECT_EQ(StringRetain(0), 0u);
    DynamicString copy = StringRetain(constant);
    EXPECT_TRUE(StringIsHandle(copy));
    EXPECT_EQ(StringEntryOf(copy)->size, 2);
    EXPECT_EQ(Text(copy), "c");
    StringRelease(&copy);
    DropReferences(s, 3);
    EXPECT_EQ(Refs(s), 0);
}

TEST(StringHeap, ReferenceCountReachesItsLimit)
{
    DynamicString s = MakeString("r");
    for (int i = 1; i < 0x7FFF; ++i) StringAddRef(&s);
    EXPECT_EQ(Refs(s), 0x7FFF);
    DropReferences(s, 0x7FFF);
    EXPECT_EQ(Refs(s), 0);
}

TEST(StringHeap, MakeUniqueCopiesOnlySharedStrings)
{
    DynamicString a = MakeString("unique");
    EXPECT_EQ(StringMakeUnique(a), a) << "sole owner";
    DynamicString b = 0;
    StringAssign(&b, a);
    DynamicString copy = StringMakeUnique(b);
    EXPECT_NE(copy, a);
    EXPECT_EQ(Refs(a), 1);
    EXPECT_EQ(Refs(copy), 1);
    EXPECT_EQ(StringEntryOf(copy)->size, StringEntryOf(a)->size);
    EXPECT_EQ(Text(copy), "unique");
    EXPECT_EQ(StringMakeUnique(0), 0u);
    DynamicString fromConstant = StringMakeUnique(StringConstant("k"));
    EXPECT_TRUE(StringIsHandle(fromConstant));
    EXPECT_EQ(Text(fromConstant), "k");
    StringRelease(&fromConstant);
    StringRelease(&copy);
    StringRelease(&a);
}

TEST(StringHeap, WritableTextOfASharedStringWritesACopy)
{
    DynamicString a = MakeString("abc");
    DynamicString b = 0;
    StringAssign(&b, a);
    char *text = StringWritableText(&b);
    text[0] = 'X';
    EXPECT_EQ(Text(a), "abc");
    EXPECT_EQ(Text(b), "Xbc");
    EXPECT_NE(a, b);
    DynamicString constant = StringConstant("def");
    StringWritableText(&constant)[1] = 'E';
    EXPECT_EQ(Text(constant), "dEf");
    StringRelease(&constant);
    StringRelease(&a);
    StringRelease(&b);
}

TEST(StringHeap, BlockLayoutAndGuards)
{
    SetLocation("layout.c", 12);
    DynamicString s = MakeString("guarded");
    const StringBlock *block = StringBlockOf(StringText(s));
    EXPECT_EQ(block->magic, 0x1F2F3F4Fu);
    EXPECT_EQ(block->blockSize, 32u + 32u);
    EXPECT_EQ(block->underGuard, 0xFFFFFFFFu);
    EXPECT_STREQ(block->file, "layout.c");
    EXPECT_EQ(block->line, 12);
    const uint8_t *data = reinterpret_cast<const uint8_t *>(StringText(s));
    EXPECT_EQ(data[32], 0xFF);
    EXPECT_EQ(data[33], 0);
    EXPECT_EQ(data[34], 0);
    EXPECT_EQ(data[35], 0);
    for (int i = 7; i < 32; ++i) EXPECT_EQ(data[i], 0) << "zero-filled at " << i;
    StringRelease(&s);
}

TEST(StringHeap, CapacityStepsOfThirtyTwo)
{
    struct Row {
        int16_t size;
        int32_t capacity;
    } rows[] = {{0, 0}, {1, 32}, {32, 32}, {33, 64}, {64, 64}, {65, 96}, {32767, 32768}};
    for (const Row &row : rows) EXPECT_EQ(StringCapacityFor(row.size), row.capacity) << "size " << row.size;
}

TEST(StringHeap, TableGrowthKeepsHandlesAndContents)
{
    DynamicString keep = MakeString("kept across growth");
    StringAddRef(&keep);
    uint32_t capacity = StringHeapCapacity();
    std::vector<DynamicString> filler;
    filler.reserve(capacity + 1);
    // Fill the table until the next allocation must grow it.
    while (StringHeapFreeHead() != 0) filler.push_back(StringFromBuffer(nullptr, 0));
    const StringEntry *before = StringEntryOf(keep);
    DynamicString grown = MakeString("first after growth");
    EXPECT_EQ(StringHeapCapacity(), capacity + 1000000);
    EXPECT_EQ(grown, StringHandleFromIndex(capacity)) << "the new entries follow the old ones";
    EXPECT_EQ(StringHeapFreeHead(), StringHandleFromIndex(capacity + 1));
    EXPECT_NE(StringEntryOf(keep), before) << "the table moved";
    EXPECT_EQ(Text(keep), "kept across growth");
    EXPECT_EQ(Refs(keep), 2);
    EXPECT_EQ(Text(grown), "first after growth");
    // The new part of the chain runs in index order.
    DynamicString next = StringFromBuffer(nullptr, 0);
    EXPECT_EQ(next, StringHandleFromIndex(capacity + 1));
    StringRelease(&next);
    StringRelease(&grown);
    // Newest first: each block is then found at the head of the block list.
    for (size_t i = filler.size(); i-- > 0;) StringRelease(&filler[i]);
    DynamicString second = keep;
    StringRelease(&second);
    StringRelease(&keep);
    StringHeapCheck();
}
