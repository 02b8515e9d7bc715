// Every way the string heap stops the process: the message, the location
// last given to SetLocation, and exit status 1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/DynamicStringsInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "strings/StringTestSupport.h"

using ::testing::ExitedWithCode;
using ::testing::HasSubstr;

namespace {

// A handle whose string was released: its entry is back on the free chain.
DynamicString FreedHandle()
{
    DynamicString s = MakeString("gone");
    DynamicString stale = s;
    StringRelease(&s);
    return stale;
}

// A heap string with 0x7FFF references.
DynamicString AtReferenceLimit()
{
    DynamicString s = MakeString("r");
    for (int i = 1; i < 0x7FFF; ++i) StringAddRef(&s);
    if (StringEntryOf(s)->refs != 0x7FFF) exit(2);
    return s;
}

// "abc" in a 32-byte block with the byte at index `at` overwritten: 32 is
// the over-run guard, -1 the last byte of the under-run guard.
DynamicString WithBrokenGuard(int at)
{
    DynamicString s = MakeString("abc");
    StringWritableText(&s)[at] = 0;
    return s;
}

StringEntry *MutableEntry(DynamicString handle) { return const_cast<StringEntry *>(StringEntryOf(handle)); }

struct FatalCase {
    const char *name;
    std::function<void()> action;
    const char *message;
};

void ExpectFatal(const std::vector<FatalCase> &cases)
{
    for (const FatalCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EXIT(
            {
                PrepareFatal();
                c.action();
            },
            ExitedWithCode(1), HasSubstr(FatalText(c.message)));
    }
}

}  // namespace

TEST(StringFatal, PutStringElementOutOfRange)
{
    EXPECT_EXIT(
        {
            PrepareFatal();
            DynamicString var = MakeString("abc");
            _PutStringElement(&var, -1, 'x');
        },
        ExitedWithCode(1), HasSubstr("\r\n_PutStringElement: Index out of range:x.c:7\r\n"));
    ExpectFatal({
        {"at the length", [] { DynamicString v = MakeString("abc"); _PutStringElement(&v, 3, 'x'); },
         "_PutStringElement: Index out of range"},
        {"in 0", [] { DynamicString v = 0; _PutStringElement(&v, 0, 'x'); }, "_PutStringElement: Index out of range"},
        {"in constant text",
         [] { DynamicString v = StringConstant("ab"); _PutStringElement(&v, 2, 'x'); },
         "_PutStringElement: Index out of range"},
    });
}

TEST(StringFatal, ReferenceCounts)
{
    ExpectFatal({
        {"the 32,767th add-ref",
         [] {
             DynamicString s = AtReferenceLimit();
             StringAddRef(&s);
         },
         "string heap: refcount overflow"},
        {"retain at the limit", [] { StringRetain(AtReferenceLimit()); }, "string heap: refcount overflow"},
        {"add-ref of a freed handle",
         [] {
             DynamicString stale = FreedHandle();
             StringAddRef(&stale);
         },
         "string heap: refcount error"},
        {"assign of a freed handle",
         [] {
             DynamicString var = 0;
             StringAssign(&var, FreedHandle());
         },
         "string heap: refcount error"},
        {"release of a freed handle",
         [] {
             DynamicString stale = FreedHandle();
             StringRelease(&stale);
         },
         "CORRUPT STRING HEAP (used block data is pointing into table)"},
    });
}

TEST(StringFatal, ResultsLongerThanAStringCanHold)
{
    ExpectFatal({
        {"buffer of 32,767", [] { StringFromBuffer(nullptr, 32767); }, "OUT OF STRING HEAP SPACE"},
        {"concat",
         [] {
             DynamicString a = StringFromBuffer(nullptr, 20000);
             StringConcat(a, a);
         },
         "OUT OF STRING HEAP SPACE"},
        {"append past 32,766",
         [] {
             DynamicString a = StringFromBuffer(nullptr, 32766);
             memset(StringWritableText(&a), 'a', 32766);
             StringAppendChar(&a, 'b');
         },
         "OUT OF STRING HEAP SPACE"},
        {"insert",
         [] {
             DynamicString a = StringFromBuffer(nullptr, 30000);
             memset(StringWritableText(&a), 'a', 30000);
             StringInsert(&a, 0, a);
         },
         "OUT OF STRING HEAP SPACE"},
        {"retain of long constant text",
         [] {
             static char text[40000];
             memset(text, 'c', sizeof text - 1);
             StringRetain(StringConstant(text));
         },
         "OUT OF STRING HEAP SPACE"},
    });
}

TEST(StringFatal, LongestStringFitsExactly)
{
    DynamicString a = StringFromBuffer(nullptr, 32765);
    memset(StringWritableText(&a), 'a', 32765);
    StringAppendChar(&a, 'b');
    EXPECT_EQ(StringLength(a), 32766);
    EXPECT_EQ(StringEntryOf(a)->size, 32767);
    EXPECT_EQ(StringText(a)[32765], 'b');
    EXPECT_EQ(StringText(a)[32766], 0);
    StringRelease(&a);
}

// Another thread can take the string-heap lock while the process ends
// after "OUT OF STRING HEAP SPACE" (the at-exit handler asks one to).
static void TakeLockFromAnotherThread()
{
    static std::atomic<bool> taken{false};
    std::thread([] {
        StringLockEnter();
        taken = true;
        StringLockLeave();
    }).detach();
    for (int i = 0; i < 200 && !taken; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    fputs(taken ? "lock free at exit" : "lock still held at exit", stderr);
}

TEST(StringFatal, OutOfSpaceReleasesTheLock)
{
    EXPECT_EXIT(
        {
            PrepareFatal();
            atexit(TakeLockFromAnotherThread);
            DynamicString a = StringFromBuffer(nullptr, 20000);
            StringAppend(&a, a);  // fails deep inside nested heap operations
        },
        ExitedWithCode(1), HasSubstr(FatalText("OUT OF STRING HEAP SPACE") + "lock free at exit"));
}

TEST(StringFatal, BlockGuards)
{
    ExpectFatal({
        {"over-run",
         [] {
             DynamicString s = WithBrokenGuard(32);
             StringRelease(&s);
         },
         "STRING HEAP WRITE OUT OF BOUNDS (OVER)"},
        {"under-run",
         [] {
             DynamicString s = WithBrokenGuard(-1);
             StringRelease(&s);
         },
         "STRING HEAP WRITE OUT OF BOUNDS (UNDER)"},
        {"over-run found on a resize",
         [] {
             DynamicString s = WithBrokenGuard(32);
             StringSetLength(&s, 40, true);
         },
         "STRING HEAP WRITE OUT OF BOUNDS (OVER)"},
        {"not a block",
         [] {
             static char fake[64];
             DynamicString s = MakeString("abc");
             MutableEntry(s)->text = fake + sizeof(StringBlock);
             StringRelease(&s);
         },
         "INVALID STRING HEAP POINTER"},
    });
}

TEST(StringFatal, BlockFreeReportsTheLocationItIsGiven)
{
    EXPECT_EXIT(
        {
            PrepareFatal();
            static char fake[64];
            StringBlockFree("caller.c", 99, fake + sizeof(StringBlock));
        },
        ExitedWithCode(1), HasSubstr("\r\nINVALID STRING HEAP POINTER:caller.c:99\r\n"));
}

TEST(StringFatal, HeapCheckFindsEveryCorruption)
{
    ExpectFatal({
        {"head", [] { StringFreeHead = 1; StringHeapCheck(); }, "CORRUPT STRING HEAP"},
        {"bad link",
         [] {
             MutableEntry(StringFreeHead)->text = reinterpret_cast<char *>(1);
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (bad free chain)"},
        {"loop",
         [] {
             MutableEntry(StringFreeHead)->text = reinterpret_cast<char *>(StringFreeHead);
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (free chain loop)"},
        {"used, data zero",
         [] {
             DynamicString s = MakeString("s");
             MutableEntry(s)->text = nullptr;
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (used block data is zero)"},
        {"used, data is a handle",
         [] {
             DynamicString s = MakeString("s");
             MutableEntry(s)->text = reinterpret_cast<char *>(StringHandleBase | 5);
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (used block data is pointing into table)"},
        {"used, flag clear",
         [] {
             DynamicString s = MakeString("s");
             MutableEntry(s)->flags = 0;
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (free block in use)"},
        {"used, no references",
         [] {
             DynamicString s = MakeString("s");
             MutableEntry(s)->refs = 0;
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (unreferenced block in use)"},
        {"used, negative size",
         [] {
             DynamicString s = MakeString("s");
             MutableEntry(s)->size = -1;
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (empty block in use)"},
        {"free, flag set",
         [] {
             MutableEntry(StringFreeHead)->flags = 1;
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (used block in free chain)"},
        {"free, referenced",
         [] {
             MutableEntry(StringFreeHead)->refs = 1;
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (referenced block in free chain)"},
        {"free, sized",
         [] {
             MutableEntry(StringFreeHead)->size = 3;
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (non-empty block in free chain)"},
        {"entries cut off the chain",
         [] {
             // Ending the chain at its head leaves the later free entries
             // looking like entries in use whose data is a chain link.
             DynamicString head = StringFreeHead;
             MutableEntry(head)->text = nullptr;
             StringHeapCheck();
         },
         "CORRUPT STRING HEAP (used block data is pointing into table)"},
        {"allocation from a corrupt chain",
         [] {
             MutableEntry(StringFreeHead)->refs = 2;
             MakeString("s");
         },
         "CORRUPT STRING HEAP (referenced block in free chain)"},
        {"release of a corrupt entry",
         [] {
             DynamicString s = MakeString("s");
             MutableEntry(s)->flags = 0;
             StringRelease(&s);
         },
         "CORRUPT STRING HEAP (free block in use)"},
    });
}

TEST(StringFatal, HeapCheckPassesOnASoundHeap)
{
    DynamicString a = MakeString("a");
    DynamicString b = 0;
    StringAssign(&b, a);
    DynamicString c = MakeString("c");
    StringRelease(&c);
    StringHeapCheck();
    StringHeapCheck();  // the marks of the first run do not upset the second
    EXPECT_EQ(Text(b), "a");
    StringRelease(&a);
    StringRelease(&b);
    StringHeapCheck();
}

TEST(StringFatal, MarkFindsBrokenBlocksAndMiscounts)
{
    ExpectFatal({
        {"count", [] { ++StringBlockCount; StringHeapMark(); }, "INCORRECT COUNT OF ALLOCATED BLOCKS in HEAP"},
        {"list count", [] { --StringBlockCount; StringHeapListAdded(); }, "INCORRECT COUNT OF ALLOCATED BLOCKS in HEAP"},
        {"guard",
         [] {
             WithBrokenGuard(32);
             StringHeapMark();
         },
         "STRING HEAP WRITE OUT OF BOUNDS (OVER)"},
        {"magic",
         [] {
             DynamicString s = MakeString("abc");
             StringBlockOf(StringText(s))->magic = 0;
             StringHeapListAdded();
         },
         "INVALID STRING HEAP POINTER"},
        {"debug print of a broken string",
         [] {
             DynamicString s = WithBrokenGuard(-1);
             StringDebugPrint(&s);
         },
         "STRING HEAP WRITE OUT OF BOUNDS (UNDER)"},
    });
}
