// Case conversion, character classes and trimming.
#include "ZemriSub/ValueHelpers.h"
#include "libGeneric/StringUtility.h"
#include "libGeneric/StringUtilityPrivate.h"

static bool Space(uint8_t ch) { return ch == ' '; }
static bool Newline(uint8_t ch) { return ch == '\r' || ch == '\n'; }

// A copy of the text of the same length with every character mapped.
static DynamicString MapCharacters(DynamicString text, uint8_t (*map)(uint8_t))
{
    StringAddRef(&text);
    StringUtilityAt(__LINE__);
    int32_t length = TextLength(text);
    DynamicString result = StringFromBuffer(StringText(text), static_cast<int16_t>(length));
    uint8_t *data = reinterpret_cast<uint8_t *>(StringWritableText(&result));
    for (int32_t i = 0; i < length; ++i) data[i] = map(data[i]);
    StringReleaseArgument(&text);
    return result;
}

DynamicString UpperCase(DynamicString text) { return MapCharacters(text, ToUpper); }
DynamicString LowerCase(DynamicString text) { return MapCharacters(text, ToLower); }

// Every character passes the test; true for an empty text.
static bool EveryCharacter(DynamicString text, bool (*test)(uint8_t))
{
    StringAddRef(&text);
    const uint8_t *data = reinterpret_cast<const uint8_t *>(StringText(text));
    int32_t length = TextLength(text);
    bool all = true;
    for (int32_t i = 0; i < length && all; ++i) all = test(data[i]);
    StringReleaseArgument(&text);
    return all;
}

bool AllLetters(DynamicString text) { return EveryCharacter(text, IsLetter); }
bool AllDigits(DynamicString text) { return EveryCharacter(text, IsDigit); }
bool AllLettersOrDigits(DynamicString text) { return EveryCharacter(text, IsLetterOrDigit); }

// Removes the characters that pass the test from the start and/or the end;
// a text made only of such characters is returned unchanged.
static DynamicString TrimWhere(DynamicString text, bool (*test)(uint8_t), bool start, bool end)
{
    StringAddRef(&text);
    StringUtilityAt(__LINE__);
    const uint8_t *data = reinterpret_cast<const uint8_t *>(StringText(text));
    int32_t first = 0, last = TextLength(text);
    if (start)
        while (first < last && test(data[first])) ++first;
    if (end)
        while (last > first && test(data[last - 1])) --last;
    DynamicString result = first == last ? StringRetain(text) : Section(text, first, last - first);
    StringReleaseArgument(&text);
    return result;
}

DynamicString TrimLeft(DynamicString text) { return TrimWhere(text, Space, true, false); }
DynamicString TrimRight(DynamicString text) { return TrimWhere(text, Space, false, true); }
DynamicString Trim(DynamicString text) { return TrimWhere(text, Space, true, true); }
DynamicString TrimLeftNewlines(DynamicString text) { return TrimWhere(text, Newline, true, false); }
DynamicString TrimRightNewlines(DynamicString text) { return TrimWhere(text, Newline, false, true); }
DynamicString TrimNewlines(DynamicString text) { return TrimWhere(text, Newline, true, true); }
