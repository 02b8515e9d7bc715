// System errors, processes, waits, named mutexes and the message box.
// Handles are opaque pointers; null is "no handle".
#pragma once
#include <cstdint>

// The last error of a system call: GetLastError on Windows, errno elsewhere.
int PlatLastError();
void PlatSetLastError(int code);
// The system's text for the code into buffer (at most size - 1 characters
// and a NUL); an empty text when the system has none.
void PlatSystemErrorText(int code, char *buffer, int size);

// Starts a program from its command line (the program name and its
// arguments; a double-quoted token may hold spaces). show is the window show
// value. False on failure, the reason in PlatLastError().
bool PlatStartProcess(const char *commandLine, uint16_t show, void **process, void **thread);

enum PlatWaitResult {
    PlatWaitSignalled,  // the process ended, the mutex was taken
    PlatWaitAbandoned,  // the mutex was taken after its owner ended
    PlatWaitTimeout,
    PlatWaitFailed,     // the reason in PlatLastError()
};
PlatWaitResult PlatWaitFor(void *handle, uint32_t milliseconds);
// The exit status of an ended process.
bool PlatProcessExitStatus(void *process, uint32_t *status);
bool PlatCloseHandle(void *handle);

// Named mutexes shared between processes.
void *PlatCreateMutex(bool initiallyOwned, const char *name);
void *PlatOpenMutex(const char *name);
bool PlatReleaseMutex(void *mutex);

// A top-most, task-modal message box without owner; the button pressed.
int PlatMessageBox(const char *text, const char *caption, uint32_t style);

// The path of the running program's executable; false when unknown.
bool PlatExecutablePath(char *buffer, int size);
