// The string utilities' shared helpers and the substring functions.
#include "libGeneric/StringUtility.h"

#include <cstring>

#include "ZemriSub/ValueHelpers.h"
#include "ZemriSub/ZemriSubPC.h"
#include "libGeneric/StringUtilityPrivate.h"

const char *const StringUtilityModule = "libGeneric/StringUtility";

void StringUtilityAt(int32_t line) { SetLocation(StringUtilityModule, line); }

int32_t TextLength(DynamicString value)
{
    int32_t length = StringLength(value);
    return length < 0 ? 0 : length;
}

void ClampSection(int32_t length, int32_t *start, int32_t *count)
{
    if (*start < 0) *start = 0;
    if (*start > length) *start = length;
    if (*count < 0) *count = 0;
    if (*count > length - *start) *count = length - *start;
}

DynamicString Section(DynamicString value, int32_t start, int32_t count)
{
    ClampSection(TextLength(value), &start, &count);
    return StringMid(value, static_cast<int16_t>(start), static_cast<int16_t>(count));
}

DynamicString Repeated(uint8_t ch, int32_t count)
{
    if (count <= 0) return 0;
    DynamicString result = StringFromBuffer(nullptr, static_cast<int16_t>(count));
    std::memset(StringWritableText(&result), ch, static_cast<size_t>(count));
    return result;
}

uint8_t SearchFold(uint8_t ch)
{
    return StringCompareIgnoreCase ? ToUpper(ch) : ch;
}

// Left, Right and MidToEnd are sections of Mid; Mid holds the reference.
DynamicString Left(DynamicString text, int16_t n) { return Mid(text, 0, n); }

DynamicString Right(DynamicString text, int16_t n)
{
    int32_t length = TextLength(text);
    int32_t start = 0, count = n;
    ClampSection(length, &start, &count);
    return Mid(text, static_cast<int16_t>(length - count), static_cast<int16_t>(count));
}

DynamicString MidToEnd(DynamicString text, int16_t start) { return Mid(text, start, INT16_MAX); }

DynamicString Mid(DynamicString text, int16_t start, int16_t count)
{
    StringAddRef(&text);
    StringUtilityAt(__LINE__);
    DynamicString result = Section(text, start, count);
    StringReleaseArgument(&text);
    return result;
}
