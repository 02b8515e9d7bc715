// Folders, files and raw descriptors. Failures keep their text in
// OsErrorText where the operation says so.
#include "ZemriSub/OS.h"
#include "ZemriSub/OSInternal.h"
#include "platform/OsFiles.h"
#include "platform/Platform.h"

// The path as text for a system call that keeps the errno text on failure.
static bool PathCall(DynamicString path, bool (*call)(const char *))
{
    StringAddRef(&path);
    bool done = call(StringText(path));
    if (!done) OsSetErrnoText();
    StringReleaseArgument(&path);
    return done;
}

bool MakeDir(DynamicString path) { return PathCall(path, PlatMakeDir); }
bool RemoveDir(DynamicString path) { return PathCall(path, PlatRemoveDir); }

bool FileExists(DynamicString path)
{
    if (StringLength(path) == 0) {
        OsSetErrorText("Invalid Filename");
        return false;
    }
    return PathCall(path, PlatPathExists);
}

static bool ExistsAndOpens(const char *path) { return PlatPathExists(path) && PlatCanOpenReadWrite(path); }

bool FileWritable(DynamicString path)
{
    if (StringLength(path) == 0) {
        OsSetErrorText("Invalid Filename");
        return false;
    }
    return PathCall(path, ExistsAndOpens);
}

// A read-only file is made writable and removed all the same.
static bool RemoveWithRetry(const char *path)
{
    if (PlatRemove(path)) return true;
    PlatMakeWritable(path);
    return PlatRemove(path);
}

bool RemoveFile(DynamicString path) { return PathCall(path, RemoveWithRetry); }

bool RenameFile(DynamicString oldName, DynamicString newName)
{
    StringAddRef(&oldName);
    StringAddRef(&newName);
    bool done = PlatRename(StringText(oldName), StringText(newName));
    if (!done) OsSetErrnoText();
    StringReleaseArgument(&newName);
    StringReleaseArgument(&oldName);
    return done;
}

// Time another process is given to let go of a file before the one retry.
constexpr uint32_t SharingRetryMs = 1000;

// One call; when another process held the file, a second after a pause.
static bool CallWithRetry(DynamicString oldName, DynamicString newName, int (*call)(const char *, const char *, bool),
                          bool flag)
{
    StringAddRef(&oldName);
    StringAddRef(&newName);
    int result = call(StringText(oldName), StringText(newName), flag);
    if (result == 1) {
        PlatSleepMs(SharingRetryMs);
        result = call(StringText(oldName), StringText(newName), flag);
    }
    StringReleaseArgument(&newName);
    StringReleaseArgument(&oldName);
    return result == 0;
}

static int MoveCall(const char *oldName, const char *newName, bool) { return PlatMoveFile(oldName, newName); }

bool MoveFileRetry(DynamicString oldName, DynamicString newName)
{
    return CallWithRetry(oldName, newName, MoveCall, false);
}

bool CopyFileRetry(DynamicString oldName, DynamicString newName, bool overwrite)
{
    return CallWithRetry(oldName, newName, PlatCopyFile, !overwrite);
}

int OpenRawRead(DynamicString path)
{
    StringAddRef(&path);
    int fd = PlatOpenRawRead(StringText(path));
    if (fd < 0) OsSetErrnoText();
    StringReleaseArgument(&path);
    return fd;
}

int OpenRawWrite(DynamicString path, bool truncate)
{
    StringAddRef(&path);
    int fd = PlatOpenRawWrite(StringText(path), truncate);
    if (fd < 0) OsSetErrnoText();
    StringReleaseArgument(&path);
    return fd;
}

int ReadRaw(int descriptor, void *buffer, int count)
{
    int n = PlatFileRead(descriptor, buffer, count);
    if (n < 0) OsSetErrnoText();
    return n;
}

int WriteRaw(int descriptor, const void *buffer, int count)
{
    int n = PlatFileWrite(descriptor, buffer, count);
    if (n < 0) OsSetErrnoText();
    return n;
}

void CloseRaw(int descriptor) { PlatFileClose(descriptor); }
