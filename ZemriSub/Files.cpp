// Buffered file handles: a 32 KiB read-ahead or write-behind buffer over
// the platform's raw file calls. A file variable holds the handle, null
// when the file is closed.
#include <cerrno>
#include <cstring>

#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

static const char ModuleName[] = "ZemriSub/ZemriSubPC";

enum FileMode { FileModeCreate, FileModeRead, FileModeAppend };

static const char *const FileFailureText[] = {
    "Cannot create file: ",
    "Cannot open file: ",
    "Cannot open file for append: ",
};

// Writes the whole range; write errors are not reported.
static void WriteAll(int descriptor, const uint8_t *bytes, int32_t count)
{
    while (count > 0) {
        int written = PlatFileWrite(descriptor, bytes, count);
        if (written <= 0) return;
        bytes += written;
        count -= written;
    }
}

static void FillBuffer(FileHandle *file)
{
    int got = PlatFileRead(file->descriptor, file->buffer, FileBufferSize);
    file->count = got > 0 ? got : 0;
    file->atEnd = got > 0 ? 0 : 1;
}

static int OpenDescriptor(const char *path, FileMode mode)
{
    switch (mode) {
    case FileModeCreate: return PlatFileCreate(path);
    case FileModeRead: return PlatFileOpenRead(path);
    case FileModeAppend: return PlatFileOpenAppend(path);
    }
    return -1;
}

// On failure the reason stays in the system error number for the
// String forms, also after the console message has been written.
static FileHandle *OpenHandle(const char *path, FileMode mode)
{
    if (!path) path = "";
    size_t length = std::strlen(path);
    if (length >= static_cast<size_t>(FilePathSize)) {
        // The path does not fit the handle: refused before anything is opened.
        ConsoleMessage(FileFailureText[mode], path);
        PlatSetErrno(ENAMETOOLONG);
        return nullptr;
    }
    FileHandle *file = static_cast<FileHandle *>(GuardedAlloc(ModuleName, __LINE__, sizeof(FileHandle)));
    std::memcpy(file->path, path, length + 1);
    file->descriptor = OpenDescriptor(file->path, mode);
    if (file->descriptor < 0) {
        int reason = PlatErrno();
        GuardedFree(ModuleName, __LINE__, file);
        ConsoleMessage(FileFailureText[mode], path);
        PlatSetErrno(reason);
        return nullptr;
    }
    file->position = 0;
    file->count = 0;
    if (mode == FileModeRead) {
        FillBuffer(file);
        file->writable = 0;
    } else {
        file->atEnd = 0;
        file->writable = 1;
    }
    return file;
}

FileHandle *FileCreate(const char *path) { return OpenHandle(path, FileModeCreate); }
FileHandle *FileOpen(const char *path) { return OpenHandle(path, FileModeRead); }
FileHandle *FileOpenAppend(const char *path) { return OpenHandle(path, FileModeAppend); }

// The String forms: the handle (or null) goes to the variable, the result
// is 0 or the system error number.
static int16_t OpenHandleString(FileHandle **var, DynamicString path, FileMode mode)
{
    StringAddRef(&path);
    FileHandle *file = OpenHandle(StringText(path), mode);
    int reason = file ? 0 : PlatErrno();
    // A failure is never reported as success.
    if (!file && reason == 0) reason = EIO;
    StringReleaseArgument(&path);
    if (var) *var = file;
    return static_cast<int16_t>(reason);
}

int16_t FileCreateString(FileHandle **var, DynamicString path)
{
    return OpenHandleString(var, path, FileModeCreate);
}

int16_t FileOpenString(FileHandle **var, DynamicString path)
{
    return OpenHandleString(var, path, FileModeRead);
}

int16_t FileOpenAppendString(FileHandle **var, DynamicString path)
{
    return OpenHandleString(var, path, FileModeAppend);
}

// The handle a file variable holds; writing to or reading from a closed
// file is a programming fault.
static FileHandle *OpenFileOf(FileHandle **var, int32_t line)
{
    if (!var || !*var) BadPointer(ModuleName, line);
    return *var;
}

void FileFlush(FileHandle **var)
{
    FileHandle *file = OpenFileOf(var, __LINE__);
    if (file->count > 0 && file->writable) {
        WriteAll(file->descriptor, file->buffer, file->count);
        file->count = 0;
    }
}

static void CloseHandle(FileHandle **var, bool remove)
{
    // Closing a variable that holds no file does nothing.
    if (!var || !*var) return;
    FileHandle *file = *var;
    FileFlush(var);
    PlatFileClose(file->descriptor);
    if (remove) PlatFileDelete(file->path);
    GuardedFree(ModuleName, __LINE__, file);
    *var = nullptr;
}

void FileClose(FileHandle **var) { CloseHandle(var, false); }
void FileCloseDelete(FileHandle **var) { CloseHandle(var, true); }

void FileWriteByte(FileHandle **var, uint8_t byte)
{
    FileHandle *file = OpenFileOf(var, __LINE__);
    file->buffer[file->count] = byte;
    file->count = file->count + 1;
    if (file->count >= FileBufferSize) {
        WriteAll(file->descriptor, file->buffer, file->count);
        file->count = 0;
    }
}

uint8_t FileReadByte(FileHandle **var)
{
    FileHandle *file = OpenFileOf(var, __LINE__);
    uint8_t byte = file->buffer[file->position];
    file->position = file->position + 1;
    if (file->position >= file->count) {
        file->position = 0;
        file->count = 0;
        if (file->atEnd) return 0;
        FillBuffer(file);
    }
    return byte;
}

bool FileAtEnd(FileHandle **var) { return OpenFileOf(var, __LINE__)->atEnd != 0; }
