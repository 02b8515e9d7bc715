// Changing strings: resizing and splicing, building new strings from parts,
// single-character stores and appends, and comparison.
#include <cstdlib>
#include <cstring>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/DynamicStringsInternal.h"
#include "ZemriSub/ZemriSubPC.h"

static int32_t NonNegative(int32_t value) { return value < 0 ? 0 : value; }
static int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }

static char *EntryText(DynamicString handle) { return StringEntryAt(handle)->text; }

// Length of a value as a non-negative count (constant text longer than a
// string can hold reads as 0 rather than as a negative number).
static int32_t LengthOf(DynamicString value) { return NonNegative(StringLength(value)); }

// The size measure of the resizing rules: `size` for a handle, the length
// for constant text, 0 for 0.
static int32_t SizeMeasure(DynamicString value)
{
    if (value == 0) return 0;
    if (StringIsHandle(value)) return StringEntryAt(value)->size;
    return LengthOf(value);
}

// The layout of one resize: a splice keeps prefix bytes and moves the tail
// from source to target; a plain resize keeps the first kept bytes.
struct ResizePlan {
    bool splice;
    int32_t newSize;
    int32_t prefix;      // splice: bytes before the gap
    int32_t tailFrom;    // splice: where the tail starts now
    int32_t tailTo;      // splice: where it starts afterwards
    int32_t tailLength;  // splice: bytes in the tail
    int32_t kept;        // resize: bytes kept from the start
};

static void CopyByPlan(char *target, const char *source, const ResizePlan *plan)
{
    if (plan->splice) {
        memcpy(target, source, static_cast<size_t>(plan->prefix));
        memcpy(target + plan->tailTo, source + plan->tailFrom, static_cast<size_t>(plan->tailLength));
    } else {
        memcpy(target, source, static_cast<size_t>(plan->kept));
    }
}

// The one place where strings change size (all arguments already widened).
static void ResizeString(DynamicString *var, int32_t pos, int32_t remove, int32_t n, bool keep)
{
    n = NonNegative(n);
    StringLockEnter();
    DynamicString value = *var;
    int32_t measure = SizeMeasure(value);
    ResizePlan plan = {};
    plan.splice = pos >= 0 && remove >= 0;
    if (plan.splice) {
        pos = Min(pos, measure);
        if (pos + remove > measure) remove = measure - pos;
        plan.newSize = measure - remove + n;
        plan.prefix = pos;
        plan.tailFrom = pos + remove;
        plan.tailTo = pos + n;
        plan.tailLength = measure - (pos + remove);
    } else {
        plan.newSize = n;
        plan.kept = Min(n, measure);
    }
    if (plan.newSize > StringSizeLimit) StringOutOfSpace();

    if (!StringIsHandle(value) || !keep) {
        DynamicString fresh = StringEntryAlloc(plan.newSize);
        StringRelease(var);
        *var = fresh;
        StringLockLeave();
        return;
    }
    StringEntry *entry = StringEntryAt(value);
    if (entry->refs == 0) StringFatal("string heap: refcount error");
    if (entry->refs > 1) {
        DynamicString fresh = StringEntryAlloc(plan.newSize);
        entry = StringEntryAt(value);  // the table may have moved
        --entry->refs;
        *var = fresh;
        CopyByPlan(EntryText(fresh), entry->text, &plan);
    } else if (StringCapacityOfSize(entry->size) == StringCapacityOfSize(plan.newSize)) {
        if (plan.splice && plan.tailFrom != plan.tailTo && plan.tailLength > 0)
            memmove(entry->text + plan.tailTo, entry->text + plan.tailFrom, static_cast<size_t>(plan.tailLength));
        entry->size = static_cast<int16_t>(plan.newSize);
    } else {
        char *block = StringBlockAlloc(CurrentFile, CurrentLine, StringCapacityOfSize(plan.newSize));
        if (!block) StringOutOfSpace();
        char *old = entry->text;
        CopyByPlan(block, old, &plan);
        entry->text = block;
        entry->size = static_cast<int16_t>(plan.newSize);
        StringBlockFree(CurrentFile, CurrentLine, old);
    }
    StringLockLeave();
}

bool StringResize(DynamicString *var, int16_t pos, int16_t remove, int16_t n, bool keep)
{
    ResizeString(var, pos, remove, n, keep);
    return true;
}

bool StringSetLength(DynamicString *var, int16_t len, bool keep)
{
    int32_t length = NonNegative(len);
    StringLockEnter();
    ResizeString(var, -1, -1, length + 1, keep);
    EntryText(*var)[length] = 0;
    StringLockLeave();
    return true;
}

// ------------------------------------------------------------ new strings

DynamicString StringFromBuffer(const void *bytes, int16_t len)
{
    int32_t length = NonNegative(len);
    DynamicString handle = StringEntryAlloc(length + 1);
    if (bytes && length > 0) memcpy(EntryText(handle), bytes, static_cast<size_t>(length));
    return handle;
}

DynamicString StringConcat(DynamicString a, DynamicString b)
{
    int32_t lengthA = LengthOf(a);
    int32_t lengthB = LengthOf(b);
    DynamicString handle = StringEntryAlloc(lengthA + lengthB + 1);
    // Read the parts only now: the allocation may have moved the table.
    char *text = EntryText(handle);
    memcpy(text, StringText(a), static_cast<size_t>(lengthA));
    memcpy(text + lengthA, StringText(b), static_cast<size_t>(lengthB));
    return handle;
}

DynamicString StringMid(DynamicString value, int16_t start, int16_t count)
{
    int32_t length = LengthOf(value);
    int32_t from = Min(NonNegative(start), length);
    int32_t taken = NonNegative(count);
    if (from + taken > length) taken = length - from;
    DynamicString handle = StringEntryAlloc(taken + 1);
    memcpy(EntryText(handle), StringText(value) + from, static_cast<size_t>(taken));
    return handle;
}

// ---------------------------------------------------------------- splicing

static void OpenGap(DynamicString *var, int32_t pos, int32_t remove, int32_t n)
{
    pos = NonNegative(pos);
    remove = NonNegative(remove);
    n = NonNegative(n);
    StringLockEnter();
    int32_t length = LengthOf(*var);
    pos = Min(pos, length);
    remove = Min(remove, length - pos);
    *var = StringMakeUnique(*var);
    if (length != 0)
        ResizeString(var, pos, remove, n, true);
    else
        ResizeString(var, -1, -1, n + 1, false);
    EntryText(*var)[length - remove + n] = 0;
    StringLockLeave();
}

bool StringOpenGap(DynamicString *var, int16_t pos, int16_t remove, int16_t n)
{
    OpenGap(var, pos, remove, n);
    return true;
}

void StringReplace(DynamicString *var, int16_t pos, int16_t count, DynamicString text)
{
    StringLockEnter();
    int32_t inserted = LengthOf(text);
    int32_t length = LengthOf(*var);
    int32_t at = Min(NonNegative(pos), length);
    int32_t removed = Min(NonNegative(count), length - at);
    // A string spliced into itself is copied aside first: opening the gap
    // moves or overwrites the very characters that are to be inserted.
    char *aside = nullptr;
    if (StringIsHandle(text) && text == *var && inserted > 0) {
        aside = static_cast<char *>(malloc(static_cast<size_t>(inserted)));
        if (!aside) StringOutOfSpace();
        memcpy(aside, StringText(text), static_cast<size_t>(inserted));
    }
    OpenGap(var, at, removed, inserted);
    const char *source = aside ? aside : StringText(text);
    memcpy(EntryText(*var) + at, source, static_cast<size_t>(inserted));
    free(aside);
    StringLockLeave();
}

void StringInsert(DynamicString *var, int16_t pos, DynamicString text) { StringReplace(var, pos, 0, text); }

void StringDelete(DynamicString *var, int16_t pos, int16_t count) { StringReplace(var, pos, count, 0); }

void StringAppend(DynamicString *var, DynamicString text) { StringReplace(var, StringLength(*var), 0, text); }

// ------------------------------------------------------ single characters

void StringAppendChar(DynamicString *var, uint8_t ch)
{
    StringLockEnter();
    *var = StringMakeUnique(*var);
    int32_t length = StringLength(*var);
    if (length <= 0) {
        ResizeString(var, -1, -1, 2, false);
        EntryText(*var)[0] = static_cast<char>(ch);
    } else if (length + 2 > StringSizeLimit) {
        StringOutOfSpace();
    } else if (StringCapacityOfSize(length + 1) == StringCapacityOfSize(length + 2)) {
        StringEntry *entry = StringEntryAt(*var);
        entry->size = static_cast<int16_t>(length + 2);
        entry->text[length] = static_cast<char>(ch);
        entry->text[length + 1] = 0;
    } else {
        ResizeString(var, -1, -1, length + 2, true);
        char *text = EntryText(*var);
        text[length + 1] = 0;
        text[length] = static_cast<char>(ch);
    }
    StringLockLeave();
}

void _PutStringElement(DynamicString *var, int16_t index, uint8_t ch)
{
    if (index < 0 || index >= StringLength(*var)) StringFatal("_PutStringElement: Index out of range");
    StringLockEnter();
    *var = StringMakeUnique(*var);
    EntryText(*var)[index] = static_cast<char>(ch);
    StringLockLeave();
}

// -------------------------------------------------------------- comparison

static bool IsEmptyValue(DynamicString value)
{
    if (value == 0) return true;
    if (StringIsHandle(value)) return StringEntryAt(value)->size <= 1;
    return reinterpret_cast<const char *>(value)[0] == 0;
}

static uint8_t FoldCase(uint8_t ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<uint8_t>(ch + ('a' - 'A')) : ch; }

int16_t StringCompare(DynamicString a, DynamicString b)
{
    bool emptyA = IsEmptyValue(a);
    if (IsEmptyValue(b)) return emptyA ? 0 : 1;
    if (emptyA) return -1;
    int32_t lengthA = LengthOf(a);
    int32_t lengthB = LengthOf(b);
    int32_t common = Min(lengthA, lengthB);
    const uint8_t *textA = reinterpret_cast<const uint8_t *>(StringText(a));
    const uint8_t *textB = reinterpret_cast<const uint8_t *>(StringText(b));
    for (int32_t i = 0; i < common; ++i) {
        uint8_t ca = textA[i];
        uint8_t cb = textB[i];
        if (StringCompareIgnoreCase) {
            ca = FoldCase(ca);
            cb = FoldCase(cb);
        }
        if (ca != cb) return ca > cb ? 1 : -1;
    }
    if (lengthA == lengthB) return 0;
    return lengthA > lengthB ? 1 : -1;
}
