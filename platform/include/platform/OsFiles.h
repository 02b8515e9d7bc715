// Files, folders, the environment, file times, the runners and the process's
// file defaults. Every call that can fail leaves the reason in PlatErrno()
// unless it says otherwise.
#pragma once
#include <cstdint>

// Current directory into buffer; false when it cannot be read.
bool PlatGetCurrentDir(char *buffer, int size);
bool PlatChangeDir(const char *path);
bool PlatMakeDir(const char *path);
bool PlatRemoveDir(const char *path);
bool PlatPathExists(const char *path);
// Opens the file for reading and writing (binary) and closes it at once.
bool PlatCanOpenReadWrite(const char *path);
bool PlatRemove(const char *path);
// Gives the owner read and write permission.
bool PlatMakeWritable(const char *path);
bool PlatRename(const char *oldName, const char *newName);

// Move and copy: 0 done, 1 failed because another process holds the file,
// -1 any other failure.
int PlatMoveFile(const char *oldName, const char *newName);
int PlatCopyFile(const char *oldName, const char *newName, bool failIfExists);

// Raw descriptors (read and write and close are PlatFileRead etc.).
int PlatOpenRawRead(const char *path);
// Read-write, binary, created if missing with read and write permission;
// truncate set: an existing file is emptied; clear: an existing file fails.
int PlatOpenRawWrite(const char *path, bool truncate);

// Environment. PlatPutEnv keeps the pointer to "name=value": the text must
// live as long as the process.
const char *PlatGetEnv(const char *name);
bool PlatPutEnv(char *entry);

// File times as seconds since 1970 (UTC).
bool PlatFileModifiedTime(const char *path, int64_t *seconds);
bool PlatSetFileTimes(const char *path, int64_t seconds);

// Runs a program found on the PATH with the argument table (argv[0] first,
// a null after the last). wait set: the program's exit status, or -1 when it
// could not be run; clear: 0 when it was started, -1 otherwise.
int PlatSpawn(bool wait, const char *program, char *const *arguments);

// The process's default file mode becomes binary (no line-end translation).
void PlatSetBinaryFileMode();
