// Windows directory scans: FindFirstFileA, FindNextFileA, FindClose. The
// system matches the pattern itself.
#include "platform/OsDir.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

struct PlatDirScan {
    HANDLE find;
};

static void FillData(const WIN32_FIND_DATAA *found, PlatDirData *data)
{
    memset(data, 0, sizeof *data);
    strncpy(data->name, found->cFileName, sizeof data->name - 1);
    data->sizeHigh = found->nFileSizeHigh;
    data->sizeLow = found->nFileSizeLow;
    DWORD attributes = found->dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_READONLY) data->attributes |= 1;
    if (attributes & FILE_ATTRIBUTE_HIDDEN) data->attributes |= 2;
    if (attributes & FILE_ATTRIBUTE_SYSTEM) data->attributes |= 4;
    if (attributes & FILE_ATTRIBUTE_ARCHIVE) data->attributes |= 8;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) data->attributes |= 16;
}

PlatDirOpenResult PlatDirOpen(const char *pattern, PlatNameMatcher match, PlatDirScan **scan, PlatDirData *data)
{
    (void)match;
    *scan = nullptr;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND ? PlatDirNoMatch : PlatDirFailed;
    PlatDirScan *opened = static_cast<PlatDirScan *>(calloc(1, sizeof(PlatDirScan)));
    if (!opened) {
        FindClose(find);
        return PlatDirFailed;
    }
    opened->find = find;
    *scan = opened;
    FillData(&found, data);
    return PlatDirFound;
}

bool PlatDirNext(PlatDirScan *scan, PlatDirData *data)
{
    if (!scan) return false;
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(scan->find, &found)) return false;
    FillData(&found, data);
    return true;
}

void PlatDirClose(PlatDirScan *scan)
{
    if (!scan) return;
    FindClose(scan->find);
    free(scan);
}
