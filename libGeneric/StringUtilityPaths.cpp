// File-name handling. The extension of a name is the text after the last "."
// that comes after the last path separator ("\", "/" or ":").
#include "libGeneric/StringUtility.h"
#include "libGeneric/StringUtilityPrivate.h"

static bool IsPathSeparator(uint8_t ch) { return ch == '\\' || ch == '/' || ch == ':'; }

static bool IsDot(uint8_t ch) { return ch == '.'; }

// The last position whose character passes the test, or -1.
static int16_t LastWhere(DynamicString text, bool (*test)(uint8_t))
{
    const uint8_t *data = reinterpret_cast<const uint8_t *>(StringText(text));
    for (int32_t i = TextLength(text) - 1; i >= 0; --i)
        if (test(data[i])) return static_cast<int16_t>(i);
    return -1;
}

// The dot that starts the extension, or -1 when the name has none.
static int16_t ExtensionDot(DynamicString name)
{
    int16_t dot = LastWhere(name, IsDot);
    return dot > LastWhere(name, IsPathSeparator) ? dot : -1;
}

// LastWhere with the argument's reference held.
static int16_t LastOf(DynamicString text, bool (*test)(uint8_t))
{
    StringAddRef(&text);
    int16_t position = LastWhere(text, test);
    StringReleaseArgument(&text);
    return position;
}

int16_t LastPathSeparator(DynamicString text) { return LastOf(text, IsPathSeparator); }
int16_t LastDot(DynamicString text) { return LastOf(text, IsDot); }

// Runs one of the name functions below with the argument's reference held.
static DynamicString OnName(DynamicString name, DynamicString (*part)(DynamicString))
{
    StringAddRef(&name);
    StringUtilityAt(__LINE__);
    DynamicString result = part(name);
    StringReleaseArgument(&name);
    return result;
}

// The name up to the dot, or the whole name when there is no dot.
static DynamicString BeforeDot(DynamicString name, int16_t dot)
{
    return dot < 0 ? StringRetain(name) : Section(name, 0, dot);
}

static DynamicString DirectoryOf(DynamicString name)
{
    int16_t separator = LastWhere(name, IsPathSeparator);
    return separator < 0 ? 0 : Section(name, 0, separator);
}

static DynamicString FileNameOf(DynamicString name)
{
    int16_t separator = LastWhere(name, IsPathSeparator);
    return separator <= 0 ? StringRetain(name) : Section(name, separator + 1, TextLength(name));
}

static DynamicString WithPathSeparator(DynamicString path)
{
    DynamicString result = StringRetain(path);
    int32_t length = TextLength(path);
    if (length == 0 || !IsPathSeparator(static_cast<uint8_t>(StringText(path)[length - 1])))
        StringAppendChar(&result, '\\');
    return result;
}

static DynamicString ExtensionOf(DynamicString name)
{
    int16_t dot = ExtensionDot(name);
    return dot < 0 ? 0 : Section(name, dot + 1, TextLength(name));
}

static DynamicString WithoutExtension(DynamicString name) { return BeforeDot(name, ExtensionDot(name)); }

static DynamicString BeforeLastDot(DynamicString name) { return BeforeDot(name, LastWhere(name, IsDot)); }

DynamicString DirectoryPart(DynamicString name) { return OnName(name, DirectoryOf); }
DynamicString FileNamePart(DynamicString name) { return OnName(name, FileNameOf); }
DynamicString AddPathSeparator(DynamicString path) { return OnName(path, WithPathSeparator); }
DynamicString GetExtension(DynamicString name) { return OnName(name, ExtensionOf); }
DynamicString RemoveExtension(DynamicString name) { return OnName(name, WithoutExtension); }
DynamicString StripLastExtension(DynamicString name) { return OnName(name, BeforeLastDot); }

// Appends "." and the extension.
static void AppendExtension(DynamicString *var, DynamicString extension)
{
    StringAppendChar(var, '.');
    StringAppend(var, extension);
}

DynamicString ChangeExtension(DynamicString name, DynamicString extension)
{
    StringAddRef(&name);
    StringAddRef(&extension);
    StringUtilityAt(__LINE__);
    DynamicString result = BeforeDot(name, ExtensionDot(name));
    AppendExtension(&result, extension);
    StringReleaseArgument(&extension);
    StringReleaseArgument(&name);
    return result;
}

DynamicString DefaultExtension(DynamicString name, DynamicString extension)
{
    StringAddRef(&name);
    StringAddRef(&extension);
    StringUtilityAt(__LINE__);
    DynamicString result = StringRetain(name);
    if (ExtensionDot(name) < 0) AppendExtension(&result, extension);
    StringReleaseArgument(&extension);
    StringReleaseArgument(&name);
    return result;
}

void InsertBeforeExtension(DynamicString *var, DynamicString text)
{
    StringAddRef(&text);
    StringUtilityAt(__LINE__);
    int16_t dot = LastWhere(*var, IsDot);
    if (dot < 0)
        StringAppend(var, text);
    else
        StringInsert(var, dot, text);
    StringReleaseArgument(&text);
}
