// Directory scans with a wildcard pattern: a folder and a last component in
// which "*" matches any run of characters and "?" any one character.
#pragma once
#include <cstdint>

constexpr int PlatDirNameSize = 512;

struct PlatDirData {
    char name[PlatDirNameSize];  // the long name
    uint32_t sizeHigh;
    uint32_t sizeLow;
    uint8_t attributes;  // 1 read-only, 2 hidden, 4 system, 8 archive, 16 directory
};

struct PlatDirScan;

enum PlatDirOpenResult {
    PlatDirFound,    // *scan is open, *data holds the first match
    PlatDirNoMatch,  // *scan is open (or null) and there is nothing to read
    PlatDirFailed,
};

// Decides whether a name matches the pattern's last component. Where the
// system matches names itself (Windows) it is not called.
typedef bool (*PlatNameMatcher)(const char *pattern, const char *name);

PlatDirOpenResult PlatDirOpen(const char *pattern, PlatNameMatcher match, PlatDirScan **scan, PlatDirData *data);
// The next match into *data; false at the end.
bool PlatDirNext(PlatDirScan *scan, PlatDirData *data);
void PlatDirClose(PlatDirScan *scan);
