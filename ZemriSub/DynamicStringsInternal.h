// Shared state and helpers of the string heap modules (DynamicStrings,
// StringEditing, StringHeapDiagnostics). Not for use outside the heap.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"

struct PlatLock;

// The header of a guarded allocation; the data area follows it directly,
// so the under-run guard is the last word before the data. After the data
// come the 0xFF over-run guard byte and three zero bytes.
struct StringBlock {
    uint32_t magic;
    uint32_t blockSize;  // data capacity + StringBlockOverhead
    StringBlock *next;   // next live block, newest first
    uint32_t mark;       // bit 0: marked by StringHeapMark
    const char *file;    // allocating source file
    int32_t line;        // allocating source line
    uint32_t underGuard;
};

static_assert(offsetof(StringBlock, underGuard) + sizeof(uint32_t) == sizeof(StringBlock),
              "the under-run guard must lie directly before the data");
static_assert(sizeof(StringBlock) % alignof(StringEntry) == 0, "the table lives in a block's data area");

constexpr uint32_t StringBlockMagic = 0x1F2F3F4F;
constexpr uint32_t StringBlockUnderGuard = 0xFFFFFFFF;
constexpr uint8_t StringBlockOverGuard = 0xFF;
constexpr uint32_t StringBlockOverhead = 32;  // recorded in blockSize
constexpr int StringBlockTrailer = 4;         // guard byte + three zero bytes

constexpr int32_t StringSizeLimit = 32767;    // characters + 1
constexpr uint16_t StringRefsLimit = 0x7FFF;
constexpr uint32_t StringTableStep = 1000000;
constexpr uint32_t StringTableLimit = 1u << 24;

constexpr uint8_t StringFlagInUse = 0x01;
constexpr uint8_t StringFlagChainMark = 0x80;

// Module state.
extern StringEntry *StringTable;
extern uint32_t StringTableCapacity;
extern DynamicString StringFreeHead;
extern StringBlock *StringBlockList;
extern uint32_t StringBlockCount;
extern int8_t StringWarningCount;
extern PlatLock *StringHeapLock;

void StringLockEnter();
void StringLockLeave();
// Leaves the lock and stops with "OUT OF STRING HEAP SPACE".
[[noreturn]] void StringOutOfSpace();
// Stops at the current source location.
[[noreturn]] void StringFatal(const char *message);

int32_t StringCapacityOfSize(int32_t size);
StringEntry *StringEntryAt(DynamicString handle);
StringBlock *StringBlockOf(const char *data);
uint32_t StringBlockCapacity(const StringBlock *block);
char *StringBlockData(StringBlock *block);

DynamicString StringEntryAlloc(int32_t size);
char *StringBlockAlloc(const char *file, int32_t line, int32_t capacity);
void StringBlockFree(const char *file, int32_t line, char *data);
void CheckUsedEntry(DynamicString handle);
void CheckFreeEntry(DynamicString handle);
// The block checks of the diagnostics; returns the first failure's message
// or null when the block is sound.
const char *StringBlockFault(const StringBlock *block);
