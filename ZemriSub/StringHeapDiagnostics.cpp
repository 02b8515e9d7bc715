// Consistency checks and listings of the string heap: the free-chain check,
// marking and listing of live blocks, the block dump and one string's view.
#include <cstdio>
#include <cstring>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/DynamicStringsInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

static const int PreviewBytes = 20;

static const char *FileName(const StringBlock *block) { return block->file ? block->file : ""; }

static void PrintStdout(const char *text) { PlatWriteStdout(text, static_cast<int>(strlen(text))); }

static void PrintStderr(const char *text) { PlatWriteStderr(text, static_cast<int>(strlen(text))); }

const char *StringBlockFault(const StringBlock *block)
{
    if (block->magic != StringBlockMagic) return "INVALID STRING HEAP POINTER";
    if (block->underGuard != StringBlockUnderGuard) return "STRING HEAP WRITE OUT OF BOUNDS (UNDER)";
    const uint8_t *data = reinterpret_cast<const uint8_t *>(block) + sizeof(StringBlock);
    if (data[StringBlockCapacity(block)] != StringBlockOverGuard) return "STRING HEAP WRITE OUT OF BOUNDS (OVER)";
    return nullptr;
}

static void CheckBlock(const StringBlock *block)
{
    const char *fault = StringBlockFault(block);
    if (fault) StringFatal(fault);
}

// "FILE(LINE) CAPACITY " is printed by the caller; this adds the first data
// bytes (printable ones as they are, others as '.') and the line end.
static void PrintPreview(StringBlock *block)
{
    uint32_t capacity = StringBlockCapacity(block);
    int count = capacity < static_cast<uint32_t>(PreviewBytes) ? static_cast<int>(capacity) : PreviewBytes;
    const uint8_t *data = reinterpret_cast<const uint8_t *>(StringBlockData(block));
    char text[PreviewBytes + 2];
    for (int i = 0; i < count; ++i) text[i] = (data[i] >= 32 && data[i] <= 126) ? static_cast<char>(data[i]) : '.';
    text[count] = '\n';
    text[count + 1] = 0;
    PrintStdout(text);
}

// ------------------------------------------------------------- free chain

void StringHeapCheck()
{
    StringLockEnter();
    if (StringFreeHead != 0 && !StringIsHandle(StringFreeHead)) StringFatal("CORRUPT STRING HEAP");
    for (uint32_t i = 0; i < StringTableCapacity; ++i) StringTable[i].flags &= static_cast<uint8_t>(~StringFlagChainMark);
    uint32_t walked = 0;
    for (DynamicString link = StringFreeHead; link != 0;) {
        if (!StringIsHandle(link) || StringHandleIndex(link) >= StringTableCapacity)
            StringFatal("CORRUPT STRING HEAP (bad free chain)");
        StringEntry *entry = StringEntryAt(link);
        entry->flags |= StringFlagChainMark;
        if (++walked > StringTableCapacity) StringFatal("CORRUPT STRING HEAP (free chain loop)");
        link = reinterpret_cast<DynamicString>(entry->text);
    }
    for (uint32_t i = 0; i < StringTableCapacity; ++i) {
        DynamicString handle = StringHandleFromIndex(i);
        if (StringTable[i].flags & StringFlagChainMark)
            CheckFreeEntry(handle);
        else
            CheckUsedEntry(handle);
    }
    StringLockLeave();
}

// ------------------------------------------------------------ block walks

// Checks every live block, optionally marking it, and compares the count.
static void WalkBlocks(bool mark)
{
    uint32_t count = 0;
    for (StringBlock *block = StringBlockList; block; block = block->next) {
        CheckBlock(block);
        if (mark) block->mark |= 1;
        ++count;
    }
    if (count != StringBlockCount) StringFatal("INCORRECT COUNT OF ALLOCATED BLOCKS in HEAP");
}

void StringHeapMark()
{
    StringLockEnter();
    WalkBlocks(true);
    StringLockLeave();
}

void StringHeapListAdded()
{
    StringLockEnter();
    WalkBlocks(false);
    char text[256];
    for (StringBlock *block = StringBlockList; block; block = block->next) {
        if (block->mark & 1) continue;
        snprintf(text, sizeof text, "STRING HEAP ADD %s(%d) %d ", FileName(block), block->line,
                 static_cast<int>(StringBlockCapacity(block)));
        PrintStdout(text);
        PrintPreview(block);
    }
    StringLockLeave();
}

void StringHeapDump()
{
    StringLockEnter();
    static const char escape[] = "\x1b";
    PrintStderr("\x1b" "Cstrings\n");
    char text[256];
    for (StringBlock *block = StringBlockList; block; block = block->next) {
        if (StringBlockFault(block)) break;
        snprintf(text, sizeof text, "%s,%d,%d,\n", FileName(block), block->line,
                 static_cast<int>(StringBlockCapacity(block)));
        PrintStderr(text);
    }
    PrintStderr(escape);
    StringLockLeave();
}

void StringDebugPrint(DynamicString *var)
{
    DynamicString value = *var;
    char text[256];
    if (!StringIsHandle(value)) {
        snprintf(text, sizeof text, "CONSTANT STRING %llX L=%d\n", static_cast<unsigned long long>(value),
                 StringLength(value));
        PrintStdout(text);
        return;
    }
    StringLockEnter();
    CheckUsedEntry(value);
    StringBlock *block = StringBlockOf(StringEntryAt(value)->text);
    CheckBlock(block);
    snprintf(text, sizeof text, "STRING %s(%d) %d L=%d ", FileName(block), block->line,
             static_cast<int>(StringBlockCapacity(block)), StringLength(value));
    PrintStdout(text);
    PrintPreview(block);
    StringLockLeave();
}
