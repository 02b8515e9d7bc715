// POSIX directory scans: the folder of the pattern is read with readdir and
// each name is matched against the pattern's last component. Attributes
// come from the file mode: directory, read-only when the owner may not
// write, hidden for names that begin with ".".
#include "platform/OsDir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>

struct PlatDirScan {
    DIR *dir;
    std::string folder;   // with its trailing "/", empty for the current one
    std::string pattern;  // the last component
    PlatNameMatcher match;
};

static bool FillData(PlatDirScan *scan, const char *name, PlatDirData *data)
{
    memset(data, 0, sizeof *data);
    size_t length = strlen(name);
    if (length >= sizeof data->name) return false;
    memcpy(data->name, name, length + 1);
    std::string path = scan->folder + name;
    struct stat info;
    if (stat(path.c_str(), &info) != 0 && lstat(path.c_str(), &info) != 0) return true;
    uint64_t size = S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
    data->sizeHigh = static_cast<uint32_t>(size >> 32);
    data->sizeLow = static_cast<uint32_t>(size);
    if (S_ISDIR(info.st_mode)) data->attributes |= 16;
    if (!(info.st_mode & S_IWUSR)) data->attributes |= 1;
    if (name[0] == '.') data->attributes |= 2;
    return true;
}

// "*.*" is every name, as the DOS pattern means it.
static bool NameMatches(PlatDirScan *scan, const char *name)
{
    if (scan->pattern == "*.*") return true;
    return scan->match(scan->pattern.c_str(), name);
}

bool PlatDirNext(PlatDirScan *scan, PlatDirData *data)
{
    if (!scan || !scan->dir) return false;
    for (;;) {
        errno = 0;
        dirent *entry = readdir(scan->dir);
        if (!entry) return false;
        if (NameMatches(scan, entry->d_name) && FillData(scan, entry->d_name, data)) return true;
    }
}

PlatDirOpenResult PlatDirOpen(const char *pattern, PlatNameMatcher match, PlatDirScan **scan, PlatDirData *data)
{
    *scan = nullptr;
    const char *slash = strrchr(pattern, '/');
    PlatDirScan *opened = new PlatDirScan;
    opened->match = match;
    if (slash) {
        opened->folder.assign(pattern, static_cast<size_t>(slash - pattern + 1));
        opened->pattern = slash + 1;
    } else {
        opened->pattern = pattern;
    }
    opened->dir = opendir(opened->folder.empty() ? "." : opened->folder.c_str());
    if (!opened->dir) {
        int error = errno;
        delete opened;
        errno = error;
        // A missing folder is a failure, as on Windows (a path not found).
        return PlatDirFailed;
    }
    *scan = opened;
    return PlatDirNext(opened, data) ? PlatDirFound : PlatDirNoMatch;
}

void PlatDirClose(PlatDirScan *scan)
{
    if (!scan) return;
    if (scan->dir) closedir(scan->dir);
    delete scan;
}
