// Windows processes, waits, named mutexes, error texts and the message box.
#include "platform/Process.h"

#include <windows.h>

#include <cstring>

int PlatLastError() { return static_cast<int>(GetLastError()); }
void PlatSetLastError(int code) { SetLastError(static_cast<DWORD>(code)); }

// The system's text as it stands, with the line end it puts at its end.
void PlatSystemErrorText(int code, char *buffer, int size)
{
    if (size <= 0) return;
    buffer[0] = 0;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, static_cast<DWORD>(code), 0, buffer,
                                  static_cast<DWORD>(size - 1), nullptr);
    buffer[length < static_cast<DWORD>(size) ? length : static_cast<DWORD>(size - 1)] = 0;
}

bool PlatStartProcess(const char *commandLine, uint16_t show, void **process, void **thread)
{
    *process = nullptr;
    *thread = nullptr;
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info;
    memset(&info, 0, sizeof info);
    // CreateProcessA may write into the command line: it gets a copy.
    size_t length = strlen(commandLine);
    char *line = static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, length + 1));
    if (!line) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    memcpy(line, commandLine, length + 1);
    BOOL created = CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    DWORD error = GetLastError();
    HeapFree(GetProcessHeap(), 0, line);
    if (!created) {
        SetLastError(error);
        return false;
    }
    *process = info.hProcess;
    *thread = info.hThread;
    return true;
}

PlatWaitResult PlatWaitFor(void *handle, uint32_t milliseconds)
{
    switch (WaitForSingleObject(handle, milliseconds)) {
    case WAIT_OBJECT_0:
        return PlatWaitSignalled;
    case WAIT_ABANDONED:
        return PlatWaitAbandoned;
    case WAIT_TIMEOUT:
        return PlatWaitTimeout;
    default:
        return PlatWaitFailed;
    }
}

bool PlatProcessExitStatus(void *process, uint32_t *status)
{
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code)) return false;
    *status = code;
    return true;
}

bool PlatCloseHandle(void *handle) { return CloseHandle(handle) != 0; }

void *PlatCreateMutex(bool initiallyOwned, const char *name)
{
    return CreateMutexA(nullptr, initiallyOwned ? TRUE : FALSE, name);
}

void *PlatOpenMutex(const char *name) { return OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name); }

bool PlatReleaseMutex(void *mutex) { return ReleaseMutex(mutex) != 0; }

int PlatMessageBox(const char *text, const char *caption, uint32_t style)
{
    return MessageBoxA(nullptr, text, caption, style | MB_TOPMOST | MB_TASKMODAL);
}

bool PlatExecutablePath(char *buffer, int size)
{
    if (size <= 0) return false;
    DWORD length = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
    return length > 0 && length < static_cast<DWORD>(size);
}
