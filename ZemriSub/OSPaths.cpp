// Current directory and path names: FullPath, CanonicalPath and the search
// along a list of folders.
#include <cstring>

#include "ZemriSub/OS.h"
#include "ZemriSub/OSInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "libGeneric/StringUtility.h"
#include "platform/OsFiles.h"

constexpr int CurrentDirSize = 512;

DynamicString GetCurrentDir()
{
    char buffer[CurrentDirSize];
    if (!PlatGetCurrentDir(buffer, CurrentDirSize)) return 0;
    return OsTextString(buffer);
}

bool ChangeDir(DynamicString path)
{
    StringAddRef(&path);
    bool done = PlatChangeDir(StringText(path));
    StringReleaseArgument(&path);
    return done;
}

static bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

// AddPathSeparator, with the separator of this platform where one is added.
static DynamicString AddOsSeparator(DynamicString path)
{
    DynamicString result = AddPathSeparator(path);
    int16_t length = StringLength(result);
    if (OsPathSeparator != '\\' && length > StringLength(path)) _PutStringElement(&result, length - 1, OsPathSeparator);
    return result;
}

// Drops the component before a ".." that ends the first `length` characters
// of text; the new length.
static int16_t RemovePreviousComponent(const char *text, int16_t length)
{
    int i = length - 3;
    if (i > 0 && IsSeparator(text[i])) {
        int j = i - 1;
        while (j >= 0 && !IsSeparator(text[j]) && text[j] != ':') j--;
        // ".." right after a drive's root stays at the root: C:\..\x is C:/x.
        if (j == i - 1 && text[j] == ':') j = i;
        i = j;
    }
    return static_cast<int16_t>(i + 1);
}

DynamicString CanonicalPath(DynamicString path)
{
    StringAddRef(&path);
    SetLocation(OsModuleName, __LINE__);
    const char *text = StringText(path);
    int16_t length = StringLength(path);
    // The result never grows beyond the path: every character adds at most one.
    char *result = static_cast<char *>(GuardedAlloc(OsModuleName, __LINE__, length + 1));
    int16_t size = 0;
    int16_t componentStart = 0;
    for (int16_t k = 0; k <= length; k++) {
        bool atEnd = k == length;
        char ch = atEnd ? 0 : text[k];
        if (!atEnd && !IsSeparator(ch)) {
            result[size++] = ch;
            continue;
        }
        int16_t componentLength = static_cast<int16_t>(size - componentStart);
        const char *component = result + componentStart;
        if (componentLength == 1 && component[0] == '.') {
            size--;
        } else if (componentLength == 2 && component[0] == '.' && component[1] == '.') {
            size = RemovePreviousComponent(result, size);
        } else if (!atEnd) {
            result[size++] = '/';
        }
        componentStart = size;
    }
    DynamicString canonical = StringFromBuffer(result, size);
    GuardedFree(OsModuleName, __LINE__, result);
    StringReleaseArgument(&path);
    return canonical;
}

DynamicString FullPath(DynamicString path)
{
    StringAddRef(&path);
    SetLocation(OsModuleName, __LINE__);
    DynamicString result = 0;
    const char *text = StringText(path);
    int16_t length = StringLength(path);
    if (length == 0) {
        DynamicString current = GetCurrentDir();
        result = AddOsSeparator(current);
        StringRelease(&current);
    } else {
        int16_t k = 0;
        while (k < length && !IsSeparator(text[k]) && text[k] != ':') k++;
        bool absolute = k == 0 || (k < length && text[k] == ':');
        if (absolute) {
            result = CanonicalPath(path);
        } else {
            DynamicString current = GetCurrentDir();
            DynamicString folder = AddOsSeparator(current);
            DynamicString joined = StringConcat(folder, path);
            result = CanonicalPath(joined);
            StringRelease(&joined);
            StringRelease(&folder);
            StringRelease(&current);
        }
    }
    StringReleaseArgument(&path);
    return result;
}

DynamicString FindOnPathList(DynamicString list, DynamicString name)
{
    StringAddRef(&list);
    StringAddRef(&name);
    SetLocation(OsModuleName, __LINE__);
    DynamicString found = 0;
    int16_t length = StringLength(list);
    int16_t pos = 0;
    while (pos < length && !found) {
        const char *text = StringText(list);
        int16_t end = pos;
        while (end < length && text[end] != ';') end++;
        DynamicString folder = StringMid(list, pos, static_cast<int16_t>(end - pos));
        DynamicString withSeparator = AddOsSeparator(folder);
        DynamicString candidate = StringConcat(withSeparator, name);
        if (FileExists(candidate)) StringAssign(&found, candidate);
        StringRelease(&candidate);
        StringRelease(&withSeparator);
        StringRelease(&folder);
        pos = end;
        while (pos < length && StringText(list)[pos] == ';') pos++;
    }
    if (!found) found = StringRetain(name);
    StringReleaseArgument(&name);
    StringReleaseArgument(&list);
    return found;
}
