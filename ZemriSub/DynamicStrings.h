// Reference-counted string values with copy-on-write.
//
// A DynamicString is one pointer-sized unsigned word:
//   0                      the empty string
//   top 8 bits all set     a handle; the low 24 bits index the heap's table
//   anything else          the address of constant NUL-terminated text
// Lengths, positions and counts are signed 16-bit; negative counts as 0.
#pragma once
#include <cstdint>

typedef uintptr_t DynamicString;

// The handle range: 0xFF000000 .. 0xFFFFFFFF on a 32-bit build, the
// corresponding top-byte range on a 64-bit one.
constexpr DynamicString StringHandleBase = ~static_cast<DynamicString>(0) << (sizeof(DynamicString) * 8 - 8);
constexpr DynamicString StringHandleIndexMask = 0x00FFFFFF;

inline bool StringIsHandle(DynamicString value) { return (value & StringHandleBase) == StringHandleBase; }
inline DynamicString StringHandleFromIndex(uint32_t index) { return StringHandleBase | index; }
inline uint32_t StringHandleIndex(DynamicString value) { return static_cast<uint32_t>(value & StringHandleIndexMask); }

// Constant text as a string value (stored without a copy).
inline DynamicString StringConstant(const char *text) { return reinterpret_cast<DynamicString>(text); }

// One entry of the handle table.
struct StringEntry {
    char *text;       // in use: the block's data; free: next free handle or 0
    uint16_t refs;    // 1..0x7FFF in use, 0 free
    uint8_t flags;    // bit 0 in use, bit 7 free-chain mark (StringHeapCheck)
    int16_t size;     // characters + 1, 0 when free
};

extern bool StringCompareIgnoreCase;

void StringHeapCreate();

int16_t StringLength(DynamicString value);
const char *StringText(DynamicString value);

void StringAddRef(DynamicString *var);
void StringRelease(DynamicString *var);
void StringReleaseArgument(DynamicString *var);
DynamicString StringRetain(DynamicString value);
DynamicString StringAssign(DynamicString *var, DynamicString value);
void StringAssignText(DynamicString *var, const char *text);
DynamicString StringMakeUnique(DynamicString value);
char *StringWritableText(DynamicString *var);
bool StringResize(DynamicString *var, int16_t pos, int16_t remove, int16_t n, bool keep);
bool StringSetLength(DynamicString *var, int16_t len, bool keep);
DynamicString StringFromBuffer(const void *bytes, int16_t len);
DynamicString StringConcat(DynamicString a, DynamicString b);
DynamicString StringMid(DynamicString value, int16_t start, int16_t count);
bool StringOpenGap(DynamicString *var, int16_t pos, int16_t remove, int16_t n);
void StringReplace(DynamicString *var, int16_t pos, int16_t count, DynamicString text);
void StringInsert(DynamicString *var, int16_t pos, DynamicString text);
void StringDelete(DynamicString *var, int16_t pos, int16_t count);
void StringAppend(DynamicString *var, DynamicString text);
void StringAppendChar(DynamicString *var, uint8_t ch);
void _PutStringElement(DynamicString *var, int16_t index, uint8_t ch);
int16_t StringCompare(DynamicString a, DynamicString b);

// Diagnostics.
void StringHeapCheck();
void StringHeapMark();
void StringHeapListAdded();
void StringHeapDump();
void StringDebugPrint(DynamicString *var);

// Read-only views for tests and diagnostics (no lock taken).
const StringEntry *StringEntryOf(DynamicString handle);
uint32_t StringHeapCapacity();
uint32_t StringHeapLiveBlocks();
DynamicString StringHeapFreeHead();
int32_t StringCapacityFor(int16_t size);  // data capacity of a block for this size
