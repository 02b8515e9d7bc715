// The string heap: guarded blocks, the handle table with its free chain,
// reference counting, assignment and copy-on-write.
#include "ZemriSub/DynamicStrings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ZemriSub/DynamicStringsInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

static const char ModuleName[] = "ZemriSub/DynamicStrings";
static const int32_t CreateFailureLine = 210;

StringEntry *StringTable = nullptr;
uint32_t StringTableCapacity = 0;
DynamicString StringFreeHead = 0;
StringBlock *StringBlockList = nullptr;
uint32_t StringBlockCount = 0;
int8_t StringWarningCount = 0;
PlatLock *StringHeapLock = nullptr;
static int32_t StringLockDepth = 0;  // nesting of the recursive lock
bool StringCompareIgnoreCase = false;

static const char EmptyText[1] = {0};

// ---------------------------------------------------------------- helpers

void StringLockEnter()
{
    // A program that touches a string before its initialisers ran still
    // gets the one heap, created on first use.
    if (!StringHeapLock) StringHeapCreate();
    PlatLockEnter(StringHeapLock);
    ++StringLockDepth;
}

void StringLockLeave()
{
    --StringLockDepth;
    PlatLockLeave(StringHeapLock);
}

void StringOutOfSpace()
{
    // Leave every level this thread holds.
    while (StringLockDepth > 0) StringLockLeave();
    FatalError(CurrentFile, CurrentLine, "OUT OF STRING HEAP SPACE");
}

void StringFatal(const char *message) { FatalError(CurrentFile, CurrentLine, message); }

int32_t StringCapacityOfSize(int32_t size)
{
    if (size <= 0) return 0;
    return ((size - 1) & ~31) + 32;
}

int32_t StringCapacityFor(int16_t size) { return StringCapacityOfSize(size); }

StringEntry *StringEntryAt(DynamicString handle) { return &StringTable[StringHandleIndex(handle)]; }

StringBlock *StringBlockOf(const char *data)
{
    return reinterpret_cast<StringBlock *>(const_cast<char *>(data) - sizeof(StringBlock));
}

char *StringBlockData(StringBlock *block) { return reinterpret_cast<char *>(block) + sizeof(StringBlock); }

uint32_t StringBlockCapacity(const StringBlock *block) { return block->blockSize - StringBlockOverhead; }

static DynamicString EntryLink(const StringEntry *entry) { return reinterpret_cast<DynamicString>(entry->text); }

static char *LinkValue(DynamicString link) { return reinterpret_cast<char *>(link); }

static void WriteWarning(const char *text)
{
    PlatWriteStdout(text, static_cast<int>(strlen(text)));
}

// ----------------------------------------------------------------- blocks

char *StringBlockAlloc(const char *file, int32_t line, int32_t capacity)
{
    if (capacity < 0) capacity = 0;
    size_t total = sizeof(StringBlock) + static_cast<size_t>(capacity) + StringBlockTrailer;
    StringBlock *block = static_cast<StringBlock *>(calloc(1, total));
    if (!block) return nullptr;
    block->magic = StringBlockMagic;
    block->blockSize = static_cast<uint32_t>(capacity) + StringBlockOverhead;
    block->file = file;
    block->line = line;
    block->underGuard = StringBlockUnderGuard;
    char *data = StringBlockData(block);
    data[capacity] = static_cast<char>(StringBlockOverGuard);
    block->next = StringBlockList;
    StringBlockList = block;

    char text[256];
    if (StringBlockCount > 10000000 && StringWarningCount < 10) {
        ++StringWarningCount;
        snprintf(text, sizeof text, "LARGE NUMBER OF STRING ALLOCATIONS %s(%d)\n", file ? file : "", line);
        WriteWarning(text);
    }
    if (capacity > 100000000 && StringWarningCount < 10) {
        ++StringWarningCount;
        snprintf(text, sizeof text, "LARGE STRING ALLOCATION %d %s(%d)\n", capacity, file ? file : "", line);
        WriteWarning(text);
    }
    ++StringBlockCount;
    return data;
}

void StringBlockFree(const char *file, int32_t line, char *data)
{
    StringBlock *block = StringBlockOf(data);
    if (block->magic != StringBlockMagic) FatalError(file, line, "INVALID STRING HEAP POINTER");
    for (StringBlock **link = &StringBlockList; *link; link = &(*link)->next) {
        if (*link == block) {
            *link = block->next;
            break;
        }
    }
    if (block->underGuard != StringBlockUnderGuard)
        FatalError(file, line, "STRING HEAP WRITE OUT OF BOUNDS (UNDER)");
    uint32_t capacity = StringBlockCapacity(block);
    if (static_cast<uint8_t>(data[capacity]) != StringBlockOverGuard)
        FatalError(file, line, "STRING HEAP WRITE OUT OF BOUNDS (OVER)");
    memset(block, 0xFF, sizeof(StringBlock) + capacity + StringBlockTrailer);
    --StringBlockCount;
    free(block);
}

// ------------------------------------------------------------------ table

// Links the entries from..capacity-1 in index order; the last ends the chain.
static void LinkFreeEntries(StringEntry *table, uint32_t from, uint32_t capacity)
{
    for (uint32_t i = from; i + 1 < capacity; ++i) table[i].text = LinkValue(StringHandleFromIndex(i + 1));
    table[capacity - 1].text = nullptr;
}

static int32_t TableBytes(uint32_t capacity) { return static_cast<int32_t>(capacity * sizeof(StringEntry)); }

void StringHeapCreate()
{
    if (StringHeapLock) return;  // one heap per process
    char *data = StringBlockAlloc(CurrentFile, CurrentLine, TableBytes(StringTableStep));
    if (!data) FatalError(ModuleName, CreateFailureLine, "Unable to create string heap");
    StringTable = reinterpret_cast<StringEntry *>(data);
    StringTableCapacity = StringTableStep;
    LinkFreeEntries(StringTable, 0, StringTableCapacity);
    StringFreeHead = StringHandleFromIndex(0);
    StringHeapLock = PlatLockCreate();
}

static void GrowTable()
{
    uint32_t oldCapacity = StringTableCapacity;
    uint32_t newCapacity = oldCapacity + StringTableStep;
    if (newCapacity > StringTableLimit) newCapacity = StringTableLimit;
    if (newCapacity <= oldCapacity) StringOutOfSpace();
    char *data = StringBlockAlloc(CurrentFile, CurrentLine, TableBytes(newCapacity));
    if (!data) StringOutOfSpace();
    StringEntry *table = reinterpret_cast<StringEntry *>(data);
    memcpy(table, StringTable, oldCapacity * sizeof(StringEntry));
    LinkFreeEntries(table, oldCapacity, newCapacity);
    StringFreeHead = StringHandleFromIndex(oldCapacity);
    StringBlockFree(CurrentFile, CurrentLine, reinterpret_cast<char *>(StringTable));
    StringTable = table;
    StringTableCapacity = newCapacity;
}

DynamicString StringEntryAlloc(int32_t size)
{
    if (size < 0) size = 0;
    StringLockEnter();
    if (size > StringSizeLimit) StringOutOfSpace();
    if (StringFreeHead == 0) GrowTable();
    char *data = StringBlockAlloc(CurrentFile, CurrentLine, StringCapacityOfSize(size));
    if (!data) StringOutOfSpace();
    DynamicString handle = StringFreeHead;
    CheckFreeEntry(handle);
    StringEntry *entry = StringEntryAt(handle);
    StringFreeHead = EntryLink(entry);
    entry->text = data;
    entry->refs = 1;
    entry->flags = StringFlagInUse;
    entry->size = static_cast<int16_t>(size);
    StringLockLeave();
    return handle;
}

void CheckUsedEntry(DynamicString handle)
{
    if (StringHandleIndex(handle) >= StringTableCapacity) StringFatal("INVALID STRING HEAP POINTER");
    const StringEntry *entry = StringEntryAt(handle);
    if (!entry->text) StringFatal("CORRUPT STRING HEAP (used block data is zero)");
    if (StringIsHandle(EntryLink(entry))) StringFatal("CORRUPT STRING HEAP (used block data is pointing into table)");
    if (!(entry->flags & StringFlagInUse)) StringFatal("CORRUPT STRING HEAP (free block in use)");
    if (entry->refs == 0) StringFatal("CORRUPT STRING HEAP (unreferenced block in use)");
    if (entry->size < 0) StringFatal("CORRUPT STRING HEAP (empty block in use)");
}

void CheckFreeEntry(DynamicString handle)
{
    if (StringHandleIndex(handle) >= StringTableCapacity) StringFatal("CORRUPT STRING HEAP (bad free chain)");
    const StringEntry *entry = StringEntryAt(handle);
    if (entry->flags & StringFlagInUse) StringFatal("CORRUPT STRING HEAP (used block in free chain)");
    if (entry->refs != 0) StringFatal("CORRUPT STRING HEAP (referenced block in free chain)");
    if (entry->size > 0) StringFatal("CORRUPT STRING HEAP (non-empty block in free chain)");
}

// -------------------------------------------------------------- accessors

int16_t StringLength(DynamicString value)
{
    if (value == 0) return 0;
    if (!StringIsHandle(value)) return static_cast<int16_t>(strlen(reinterpret_cast<const char *>(value)));
    const StringEntry *entry = StringEntryAt(value);
    return entry->size == 0 ? 0 : static_cast<int16_t>(entry->size - 1);
}

const char *StringText(DynamicString value)
{
    if (value == 0) return EmptyText;
    if (!StringIsHandle(value)) return reinterpret_cast<const char *>(value);
    return StringEntryAt(value)->text;
}

const StringEntry *StringEntryOf(DynamicString handle)
{
    if (!StringIsHandle(handle) || StringHandleIndex(handle) >= StringTableCapacity) return nullptr;
    return StringEntryAt(handle);
}

uint32_t StringHeapCapacity() { return StringTableCapacity; }
uint32_t StringHeapLiveBlocks() { return StringBlockCount; }
DynamicString StringHeapFreeHead() { return StringFreeHead; }

// ------------------------------------------------------ reference counting

void StringRelease(DynamicString *var)
{
    DynamicString value = *var;
    if (StringIsHandle(value)) {
        StringLockEnter();
        CheckUsedEntry(value);
        StringEntry *entry = StringEntryAt(value);
        if (--entry->refs == 0) {
            StringBlockFree(CurrentFile, CurrentLine, entry->text);
            entry->text = LinkValue(StringFreeHead);
            entry->flags = 0;
            entry->size = 0;
            StringFreeHead = value;
        }
        StringLockLeave();
    }
    *var = 0;
}

void StringReleaseArgument(DynamicString *var) { StringRelease(var); }

// One more reference to a handle (under the lock).
static void AddReference(DynamicString handle)
{
    StringEntry *entry = StringEntryAt(handle);
    if (entry->refs == 0) StringFatal("string heap: refcount error");
    if (entry->refs == StringRefsLimit) StringFatal("string heap: refcount overflow");
    ++entry->refs;
}

void StringAddRef(DynamicString *var)
{
    if (!StringIsHandle(*var)) return;
    StringLockEnter();
    AddReference(*var);
    StringLockLeave();
}

// A new heap string holding a copy of constant text.
static DynamicString CopyOfConstant(DynamicString value)
{
    const char *text = reinterpret_cast<const char *>(value);
    size_t length = strlen(text);
    if (length >= static_cast<size_t>(StringSizeLimit)) {
        StringLockEnter();
        StringOutOfSpace();
    }
    DynamicString handle = StringEntryAlloc(static_cast<int32_t>(length) + 1);
    memcpy(StringEntryAt(handle)->text, text, length);
    return handle;
}

DynamicString StringRetain(DynamicString value)
{
    if (value == 0) return 0;
    if (!StringIsHandle(value)) return CopyOfConstant(value);
    StringLockEnter();
    AddReference(value);
    StringLockLeave();
    return value;
}

DynamicString StringAssign(DynamicString *var, DynamicString value)
{
    // A heap string assigned to the variable that holds it stays as it is:
    // releasing first would free a sole-owned string before retaining it.
    if (StringIsHandle(value) && *var == value) return value;
    StringLockEnter();
    StringRelease(var);
    *var = StringRetain(value);
    StringLockLeave();
    return *var;
}

void StringAssignText(DynamicString *var, const char *text)
{
    StringRelease(var);
    *var = (text && text[0]) ? StringConstant(text) : 0;
}

DynamicString StringMakeUnique(DynamicString value)
{
    if (value == 0) return 0;
    if (!StringIsHandle(value)) return CopyOfConstant(value);
    StringLockEnter();
    StringEntry *entry = StringEntryAt(value);
    if (entry->refs <= 1) {
        StringLockLeave();
        return value;
    }
    --entry->refs;
    int16_t size = entry->size;
    DynamicString copy = StringEntryAlloc(size);
    // The table may have moved while the new entry was allocated.
    if (size > 0) memcpy(StringEntryAt(copy)->text, StringEntryAt(value)->text, static_cast<size_t>(size));
    StringLockLeave();
    return copy;
}

char *StringWritableText(DynamicString *var)
{
    *var = StringMakeUnique(*var);
    return const_cast<char *>(StringText(*var));
}
