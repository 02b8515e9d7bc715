// The non-serial half of the Win32 library module: string values in the
// registry, the last system error as a code and as a text, processes, named
// mutexes, a message box and a line-collecting debugger channel.
//
// A registry value is addressed by its full path below a root: the key path,
// a backslash and the value name ("SOFTWARE\Brevant\Pondra\Tavrel\X").
// A missing value, a value of another type than text and a value of more than
// 256 characters all read as the empty string; writing the empty string
// deletes the value; a write to a key that does not exist creates the key.
// Failures are not reported.
#pragma once
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"

DynamicString RegGetMachineString(DynamicString fullPath);
void RegSetMachineString(DynamicString fullPath, DynamicString value);
DynamicString RegGetUserString(DynamicString fullPath);
void RegSetUserString(DynamicString fullPath, DynamicString value);

// The last system error (GetLastError on Windows, errno elsewhere).
int LastErrorCode();
// "Error: " followed by the system's text for LastErrorCode(), as the system
// writes it (on Windows with the line end at its end).
DynamicString LastErrorText();
// The system's text for the code alone; empty when the system has none.
DynamicString SystemErrorText(int code);

// A system object (process, thread, mutex) as an opaque handle; null is none.
typedef void *SystemHandle;

struct ProcessRecord {
    SystemHandle process;
    SystemHandle thread;
};

// Show values for StartProcess.
enum : uint16_t {
    ShowHidden = 0,
    ShowNormal = 1,
    ShowMinimised = 2,
};

// Starts the command line (program name and arguments, a double-quoted token
// may hold spaces). False and a report to MessageHook on failure.
bool StartProcess(ProcessRecord *record, DynamicString commandLine, uint16_t show);
// Never blocks: false while the process runs; true once it has ended, with
// its exit status stored and the record's handles closed. A failed wait is
// reported to MessageHook and gives true with exit status 1.
bool PollProcess(ProcessRecord *record, uint32_t *exitStatus);
// Waits for the object (a process to end, a mutex to be free and taken).
// True when it was signalled or abandoned; false on time-out or failure.
bool WaitForObject(SystemHandle handle, uint32_t milliseconds);

SystemHandle CreateNamedMutex(uint8_t initiallyOwned, DynamicString name);
SystemHandle OpenNamedMutex(DynamicString name);
bool ReleaseNamedMutex(SystemHandle handle);
bool CloseObject(SystemHandle handle);

// Message box styles and buttons (the values of the Windows constants).
enum : uint32_t {
    MessageOk = 0x00,
    MessageOkCancel = 0x01,
    MessageYesNo = 0x04,
    MessageIconError = 0x10,
    MessageIconWarning = 0x30,
    MessageIconInformation = 0x40,
};
enum : int {
    ButtonOk = 1,
    ButtonCancel = 2,
    ButtonYes = 6,
    ButtonNo = 7,
};
// A top-most, task-modal message box without owner; the button pressed.
int ShowMessage(DynamicString text, DynamicString caption, uint32_t style);

// Collects characters and sends whole lines to the debugger output: LF is
// ignored, CR ends the line (CR LF is sent); a line that has reached 253
// characters is sent (with CR LF) before the next character is stored.
void DebugLinePut(uint8_t ch);
