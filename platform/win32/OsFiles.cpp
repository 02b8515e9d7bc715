// Windows files, folders, environment, file times and program runners,
// through the C runtime's low-level calls (errno values) and MoveFileA /
// CopyFileA.
#include "platform/OsFiles.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <sys/utime.h>

bool PlatGetCurrentDir(char *buffer, int size)
{
    if (size <= 0) return false;
    if (_getcwd(buffer, size)) return true;
    buffer[0] = 0;
    return false;
}

bool PlatChangeDir(const char *path) { return _chdir(path) == 0; }
bool PlatMakeDir(const char *path) { return _mkdir(path) == 0; }
bool PlatRemoveDir(const char *path) { return _rmdir(path) == 0; }
bool PlatPathExists(const char *path) { return _access(path, 0) == 0; }

bool PlatCanOpenReadWrite(const char *path)
{
    int fd = _open(path, _O_RDWR | _O_BINARY);
    if (fd < 0) return false;
    _close(fd);
    return true;
}

bool PlatRemove(const char *path) { return remove(path) == 0; }
bool PlatMakeWritable(const char *path) { return _chmod(path, _S_IREAD | _S_IWRITE) == 0; }
bool PlatRename(const char *oldName, const char *newName) { return rename(oldName, newName) == 0; }

static int MoveCopyResult(BOOL done)
{
    if (done) return 0;
    return GetLastError() == ERROR_SHARING_VIOLATION ? 1 : -1;
}

int PlatMoveFile(const char *oldName, const char *newName) { return MoveCopyResult(MoveFileA(oldName, newName)); }

int PlatCopyFile(const char *oldName, const char *newName, bool failIfExists)
{
    return MoveCopyResult(CopyFileA(oldName, newName, failIfExists ? TRUE : FALSE));
}

int PlatOpenRawRead(const char *path) { return _open(path, _O_RDONLY | _O_BINARY); }

int PlatOpenRawWrite(const char *path, bool truncate)
{
    return _open(path, _O_RDWR | _O_BINARY | _O_CREAT | (truncate ? _O_TRUNC : _O_EXCL), _S_IREAD | _S_IWRITE);
}

const char *PlatGetEnv(const char *name) { return getenv(name); }
bool PlatPutEnv(char *entry) { return _putenv(entry) == 0; }

bool PlatFileModifiedTime(const char *path, int64_t *seconds)
{
    struct _stat64 info;
    if (_stat64(path, &info) != 0) return false;
    *seconds = static_cast<int64_t>(info.st_mtime);
    return true;
}

bool PlatSetFileTimes(const char *path, int64_t seconds)
{
    struct __utimbuf64 times;
    times.actime = static_cast<__time64_t>(seconds);
    times.modtime = static_cast<__time64_t>(seconds);
    return _utime64(path, &times) == 0;
}

int PlatSpawn(bool wait, const char *program, char *const *arguments)
{
    intptr_t result = _spawnvp(wait ? _P_WAIT : _P_DETACH, program, arguments);
    if (result == -1) return -1;
    return wait ? static_cast<int>(result) : 0;
}

void PlatSetBinaryFileMode() { _fmode = _O_BINARY; }
