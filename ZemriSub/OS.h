// Operating-system services in terms of string values: files, directories,
// environment, date and time, signals and program runners; the module's
// initialiser, its at-exit handler and the exit hook.
//
// Operations that can fail return true when done (or -1 on failure for the
// descriptor calls); most keep a text describing the last failure, which
// GetOsErrorText returns. Nothing here ends the process.
#pragma once
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"

// The separator of the paths this module builds.
#ifdef _WIN32
constexpr char OsPathSeparator = '\\';
#else
constexpr char OsPathSeparator = '/';
#endif

// Local date and time: year minus 2000, month 1-12, day 1-31, hour 0-23,
// minute 0-59, second 0-59.
struct DateTimeRecord {
    int8_t year;
    int8_t month;
    int8_t day;
    int8_t hour;
    int8_t minute;
    int8_t second;
};

// Attribute bits of a directory entry.
enum : uint8_t {
    DirAttrReadOnly = 1,
    DirAttrHidden = 2,
    DirAttrSystem = 4,
    DirAttrArchive = 8,
    DirAttrDirectory = 16,
};

// A caller's entry starts zeroed (DirEntry entry{}); ReadDir assigns Name,
// which the caller releases when done with the entry.
struct DirEntry {
    DynamicString Name;
    uint32_t SizeHigh;
    uint32_t SizeLow;
    uint8_t Attributes;
};

// An open directory scan (OpenDir .. CloseDir).
struct DirHandle;
// The result of an OpenDir that failed.
constexpr DirHandle *InvalidDirHandle = nullptr;

typedef void (*ExitHookProc)();
typedef void (*SignalHandlerProc)(int);

// Exit hook and error text.
void SetExitHook(ExitHookProc hook);
DynamicString GetOsErrorText();

// Environment and current directory.
DynamicString GetEnv(DynamicString name);
void SetEnv(DynamicString name, DynamicString value);
DynamicString GetCurrentDir();
bool ChangeDir(DynamicString path);

// Paths.
DynamicString FullPath(DynamicString path);
DynamicString CanonicalPath(DynamicString path);
DynamicString FindOnPathList(DynamicString list, DynamicString name);

// Directories and files.
bool MakeDir(DynamicString path);
bool RemoveDir(DynamicString path);
bool FileExists(DynamicString path);
bool FileWritable(DynamicString path);
bool RemoveFile(DynamicString path);
bool RenameFile(DynamicString oldName, DynamicString newName);
bool MoveFileRetry(DynamicString oldName, DynamicString newName);
bool CopyFileRetry(DynamicString oldName, DynamicString newName, bool overwrite);

// Raw files: the platform's low-level descriptors, closed by the caller.
int OpenRawRead(DynamicString path);
int OpenRawWrite(DynamicString path, bool truncate);
int ReadRaw(int descriptor, void *buffer, int count);
int WriteRaw(int descriptor, const void *buffer, int count);
void CloseRaw(int descriptor);

// Directory scan. The pattern is a folder and a last component with the
// wildcards "*" and "?". "." and ".." are never returned. Every handle that
// OpenDir returned (other than InvalidDirHandle) must be closed, also when
// the scan found nothing.
DirHandle *OpenDir(DynamicString pattern);
bool ReadDir(DirHandle *handle, DirEntry *entry);
void CloseDir(DirHandle *handle);

// Date and time.
void GetLocalDateTime(DateTimeRecord *record);
bool GetFileDateTime(DynamicString path, DateTimeRecord *record);
bool SetFileDateTime(DynamicString path, const DateTimeRecord *record);
int16_t CompareDateTime(const DateTimeRecord *a, const DateTimeRecord *b);

// Signals.
SignalHandlerProc SetSignalHandler(int signal, SignalHandlerProc handler);
bool RaiseSignal(int signal);

// Program runners: the command line is split at spaces (a token that starts
// with a double quote runs to the next one); at most 19 tokens and a program
// name of at most 255 characters, else -1.
int RunProgramWait(DynamicString commandLine);
int RunProgramDetached(DynamicString commandLine);

// Module initialiser and at-exit handler.
void OsModuleInit();
void OsExitHandler();
