// Runtime support: source locations, fatal errors, the guarded heap,
// buffered file handles, program arguments, the microsecond clock, the
// debug channel and the value helpers.
#pragma once
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"

// Current source location (process-wide; the string heap reports it).
extern const char *CurrentFile;
extern int32_t CurrentLine;
void SetLocation(const char *file, int32_t line);

[[noreturn]] void FatalError(const char *file, int32_t line, const char *message);
[[noreturn]] void AssertFailed(const char *file, int32_t line);
[[noreturn]] void IndexOutOfBounds(const char *file, int32_t line);
[[noreturn]] void StopAt(const char *file, int32_t line);
[[noreturn]] void BadPointer(const char *file, int32_t line);
[[noreturn]] void FatalSystemError(int code);
int32_t CheckIndex(int32_t index, int32_t limit, const char *file, int32_t line);

// Guarded heap.
void *GuardedAlloc(const char *file, int32_t line, int32_t size);
void GuardedFree(const char *file, int32_t line, void *data);

// Buffered files.
constexpr int FileBufferSize = 32768;
constexpr int FilePathSize = 1024;

struct FileHandle {
    int32_t descriptor;
    char path[FilePathSize];
    uint8_t buffer[FileBufferSize];
    int32_t position;
    int32_t count;
    uint8_t atEnd;
    uint8_t writable;
};

FileHandle *FileCreate(const char *path);
FileHandle *FileOpen(const char *path);
FileHandle *FileOpenAppend(const char *path);
int16_t FileCreateString(FileHandle **var, DynamicString path);
int16_t FileOpenString(FileHandle **var, DynamicString path);
int16_t FileOpenAppendString(FileHandle **var, DynamicString path);
void FileClose(FileHandle **var);
void FileCloseDelete(FileHandle **var);
void FileWriteByte(FileHandle **var, uint8_t byte);
uint8_t FileReadByte(FileHandle **var);
bool FileAtEnd(FileHandle **var);
void FileFlush(FileHandle **var);

// Program arguments.
void SetProgramArguments(int count, char **args);
int ArgCount();
DynamicString ArgString(int16_t index);
DynamicString ErrorText(int16_t code);

// Microsecond clock.
void ClockInit();
uint32_t MicroClock();
uint32_t WrappedMicroClock();
bool ClockExpired(uint32_t start, uint32_t interval);
uint32_t ClockSince(uint32_t *start);
uint32_t ClockLap(uint32_t *start);

// Debug channel.
void DebugPrint(const char *format, ...) __attribute__((format(printf, 1, 2)));
void DebugPutChar(uint8_t ch);
void DebugFlushLine();
void DebugOutput(const char *text);
// While set, DebugOutput hands its text here instead of to the debugger
// (a test or a diagnostic installs it; null otherwise).
extern void (*DebugTap)(const char *text);
void ConsoleMessage(const char *message, const char *path);

// Module initialisers, run in table order by the application's start-up.
typedef void (*ModuleInitProc)();
extern const ModuleInitProc ModuleInitTable[];
void RunModuleInitialisers();
