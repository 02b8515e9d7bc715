// Registry string values and system error texts of the Win32 library module.
// The full path of a value is split here; the store itself is the
// platform's (platform/Registry.h).
#include <cstdlib>
#include <cstring>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/Win32.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Process.h"
#include "platform/Registry.h"

static const char ModuleName[] = "ZemriSub/Win32";

// The parts of a full path, in one copy of it.
struct ValuePath {
    char *copy;
    const char *keyName;
    const char *valueName;
};

// KeyName: the text before the last '\'; ValueName: the text after it. A
// path without '\' names the root key and its default value (both empty).
static bool SplitValuePath(DynamicString fullPath, ValuePath *path)
{
    const char *text = StringText(fullPath);
    int length = StringLength(fullPath);
    path->copy = static_cast<char *>(malloc(static_cast<size_t>(length) + 1));
    path->keyName = "";
    path->valueName = "";
    if (!path->copy) return false;
    memcpy(path->copy, text, static_cast<size_t>(length));
    path->copy[length] = 0;
    char *last = strrchr(path->copy, '\\');
    if (last) {
        *last = 0;
        path->keyName = path->copy;
        path->valueName = last + 1;
    }
    return true;
}

static DynamicString TextString(const char *text)
{
    return StringFromBuffer(text, static_cast<int16_t>(strnlen(text, 0x7FFE)));
}

// Algorithm of the readers: every failure gives the empty string.
static DynamicString RegGetString(PlatRegRoot root, DynamicString fullPath)
{
    StringAddRef(&fullPath);
    SetLocation(ModuleName, __LINE__);
    char value[PlatRegValueSize] = {};
    ValuePath path;
    if (SplitValuePath(fullPath, &path)) PlatRegGetString(root, path.keyName, path.valueName, value);
    free(path.copy);
    value[PlatRegValueSize - 1] = 0;
    DynamicString result = TextString(value);
    StringReleaseArgument(&fullPath);
    return result;
}

// Algorithm of the writers: a text is stored (the key created when it is
// missing); the empty text deletes the value. Failures are ignored.
static void RegSetString(PlatRegRoot root, DynamicString fullPath, DynamicString value)
{
    StringAddRef(&fullPath);
    StringAddRef(&value);
    SetLocation(ModuleName, __LINE__);
    ValuePath path;
    if (SplitValuePath(fullPath, &path)) {
        if (StringLength(value) > 0)
            PlatRegSetString(root, path.keyName, path.valueName, StringText(value));
        else
            PlatRegDeleteValue(root, path.keyName, path.valueName);
    }
    free(path.copy);
    StringReleaseArgument(&value);
    StringReleaseArgument(&fullPath);
}

DynamicString RegGetMachineString(DynamicString fullPath) { return RegGetString(PlatRegLocalMachine, fullPath); }
DynamicString RegGetUserString(DynamicString fullPath) { return RegGetString(PlatRegCurrentUser, fullPath); }

void RegSetMachineString(DynamicString fullPath, DynamicString value)
{
    RegSetString(PlatRegLocalMachine, fullPath, value);
}

void RegSetUserString(DynamicString fullPath, DynamicString value)
{
    RegSetString(PlatRegCurrentUser, fullPath, value);
}

// ---- System errors ----

constexpr int ErrorTextSize = 256;

int LastErrorCode() { return PlatLastError(); }

DynamicString SystemErrorText(int code)
{
    char buffer[ErrorTextSize];
    PlatSystemErrorText(code, buffer, ErrorTextSize);
    return TextString(buffer);
}

DynamicString LastErrorText()
{
    int code = PlatLastError();
    char buffer[ErrorTextSize];
    PlatSystemErrorText(code, buffer, ErrorTextSize);
    DynamicString result = StringFromBuffer("Error: ", 7);
    StringAppend(&result, StringConstant(buffer));
    return result;
}
