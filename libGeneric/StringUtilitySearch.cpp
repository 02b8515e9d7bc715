// Comparison and search. Characters are unsigned bytes, seen through
// SearchFold (ASCII case is ignored while StringCompareIgnoreCase is set).
#include "libGeneric/StringUtility.h"
#include "libGeneric/StringUtilityPrivate.h"

static const uint8_t *Bytes(DynamicString value)
{
    return reinterpret_cast<const uint8_t *>(StringText(value));
}

// The first difference of the common length decides; then the shorter text
// is less.
static int16_t CompareBytes(const uint8_t *a, int32_t lengthA, const uint8_t *b, int32_t lengthB)
{
    int32_t common = lengthA < lengthB ? lengthA : lengthB;
    for (int32_t i = 0; i < common; ++i) {
        int32_t difference = SearchFold(a[i]) - SearchFold(b[i]);
        if (difference != 0) return static_cast<int16_t>(difference);
    }
    if (lengthA == lengthB) return 0;
    return lengthA < lengthB ? -1 : 1;
}

int16_t Compare(DynamicString a, DynamicString b)
{
    StringAddRef(&a);
    StringAddRef(&b);
    int16_t result = CompareBytes(Bytes(a), TextLength(a), Bytes(b), TextLength(b));
    StringReleaseArgument(&b);
    StringReleaseArgument(&a);
    return result;
}

int16_t CompareSection(DynamicString a, int16_t startA, DynamicString b, int16_t startB,
                       int16_t count)
{
    StringAddRef(&a);
    StringAddRef(&b);
    int32_t fromA = startA, countA = count, fromB = startB, countB = count;
    ClampSection(TextLength(a), &fromA, &countA);
    ClampSection(TextLength(b), &fromB, &countB);
    int16_t result = CompareBytes(Bytes(a) + fromA, countA, Bytes(b) + fromB, countB);
    StringReleaseArgument(&b);
    StringReleaseArgument(&a);
    return result;
}

static bool SameAt(const uint8_t *text, const uint8_t *pattern, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        if (SearchFold(text[i]) != SearchFold(pattern[i])) return false;
    return true;
}

// The section of the pattern searched forwards from start or backwards from
// start; -1 for an empty section or no occurrence.
static int16_t SearchSection(DynamicString text, int16_t start, DynamicString pattern,
                             int32_t patternStart, int32_t patternCount, bool backwards)
{
    StringAddRef(&text);
    StringAddRef(&pattern);
    ClampSection(TextLength(pattern), &patternStart, &patternCount);
    const uint8_t *data = Bytes(text);
    const uint8_t *section = Bytes(pattern) + patternStart;
    int32_t lastStart = TextLength(text) - patternCount;
    int16_t found = -1;
    if (patternCount > 0) {
        if (backwards) {
            for (int32_t p = start < lastStart ? start : lastStart; p >= 0 && found < 0; --p)
                if (SameAt(data + p, section, patternCount)) found = static_cast<int16_t>(p);
        } else {
            for (int32_t p = start > 0 ? start : 0; p <= lastStart && found < 0; ++p)
                if (SameAt(data + p, section, patternCount)) found = static_cast<int16_t>(p);
        }
    }
    StringReleaseArgument(&pattern);
    StringReleaseArgument(&text);
    return found;
}

int16_t Find(DynamicString text, int16_t start, DynamicString pattern)
{
    return SearchSection(text, start, pattern, 0, INT16_MAX, false);
}

int16_t FindLast(DynamicString text, int16_t start, DynamicString pattern)
{
    return SearchSection(text, start, pattern, 0, INT16_MAX, true);
}

int16_t FindSection(DynamicString text, int16_t start, DynamicString pattern,
                    int16_t patternStart, int16_t patternCount)
{
    return SearchSection(text, start, pattern, patternStart, patternCount, false);
}

int16_t FindSectionLast(DynamicString text, int16_t start, DynamicString pattern,
                        int16_t patternStart, int16_t patternCount)
{
    return SearchSection(text, start, pattern, patternStart, patternCount, true);
}

int16_t FindChar(DynamicString text, int16_t start, uint8_t ch)
{
    StringAddRef(&text);
    const uint8_t *data = Bytes(text);
    int32_t length = TextLength(text);
    int16_t found = -1;
    for (int32_t p = start > 0 ? start : 0; p < length && found < 0; ++p)
        if (SearchFold(data[p]) == SearchFold(ch)) found = static_cast<int16_t>(p);
    StringReleaseArgument(&text);
    return found;
}

int16_t FindCharLast(DynamicString text, int16_t start, uint8_t ch)
{
    StringAddRef(&text);
    const uint8_t *data = Bytes(text);
    int32_t last = TextLength(text) - 1;
    int16_t found = -1;
    for (int32_t p = start < last ? start : last; p >= 0 && found < 0; --p)
        if (SearchFold(data[p]) == SearchFold(ch)) found = static_cast<int16_t>(p);
    StringReleaseArgument(&text);
    return found;
}

int16_t FindLineEnd(DynamicString text)
{
    StringAddRef(&text);
    const uint8_t *data = Bytes(text);
    int32_t length = TextLength(text);
    int16_t found = -1;
    for (int32_t p = 0; p < length && found < 0; ++p)
        if (data[p] == '\r' || data[p] == '\n') found = static_cast<int16_t>(p);
    StringReleaseArgument(&text);
    return found;
}
