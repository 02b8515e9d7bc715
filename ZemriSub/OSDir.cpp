// Directory scans: OpenDir, ReadDir, CloseDir. "." and ".." are skipped.
#include <cstdlib>
#include <cstring>

#include "ZemriSub/OS.h"
#include "ZemriSub/OSInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "libGeneric/StringUtility.h"
#include "platform/OsDir.h"

struct DirHandle {
    PlatDirScan *scan;  // null when nothing matched
    DirEntry current;
    uint8_t AtEnd;
};

static bool MatchName(const char *pattern, const char *name)
{
    return WildcardMatch(StringConstant(pattern), StringConstant(name));
}

static void TakeEntry(DirHandle *handle, const PlatDirData *data)
{
    DynamicString name = OsTextString(data->name);
    StringAssign(&handle->current.Name, name);
    StringRelease(&name);
    handle->current.SizeHigh = data->sizeHigh;
    handle->current.SizeLow = data->sizeLow;
    handle->current.Attributes = data->attributes & 31;
}

static void Advance(DirHandle *handle)
{
    PlatDirData data;
    if (PlatDirNext(handle->scan, &data)) TakeEntry(handle, &data);
    else handle->AtEnd = 1;
}

DirHandle *OpenDir(DynamicString pattern)
{
    StringAddRef(&pattern);
    SetLocation(OsModuleName, __LINE__);
    DirHandle *handle = static_cast<DirHandle *>(calloc(1, sizeof(DirHandle)));
    if (handle) {
        PlatDirData data;
        switch (PlatDirOpen(StringText(pattern), MatchName, &handle->scan, &data)) {
        case PlatDirFound:
            TakeEntry(handle, &data);
            break;
        case PlatDirNoMatch:
            handle->AtEnd = 1;
            break;
        case PlatDirFailed:
            free(handle);
            handle = InvalidDirHandle;
            break;
        }
    }
    StringReleaseArgument(&pattern);
    return handle;
}

static bool IsDotName(DynamicString name)
{
    const char *text = StringText(name);
    return strcmp(text, ".") == 0 || strcmp(text, "..") == 0;
}

bool ReadDir(DirHandle *handle, DirEntry *entry)
{
    if (!handle) return false;
    while (!handle->AtEnd) {
        if (!IsDotName(handle->current.Name)) {
            StringAssign(&entry->Name, handle->current.Name);
            entry->SizeHigh = handle->current.SizeHigh;
            entry->SizeLow = handle->current.SizeLow;
            entry->Attributes = handle->current.Attributes;
            Advance(handle);
            return true;
        }
        Advance(handle);
    }
    return false;
}

void CloseDir(DirHandle *handle)
{
    if (!handle) return;
    PlatDirClose(handle->scan);
    StringRelease(&handle->current.Name);
    free(handle);
}
