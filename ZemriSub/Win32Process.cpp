// Processes, waits, named mutexes, the message box and the line-collecting
// debugger channel of the Win32 library module.
#include <cstring>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/Win32.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"
#include "platform/Process.h"

static const char ModuleName[] = "ZemriSub/Win32";

bool StartProcess(ProcessRecord *record, DynamicString commandLine, uint16_t show)
{
    StringAddRef(&commandLine);
    SetLocation(ModuleName, __LINE__);
    record->process = nullptr;
    record->thread = nullptr;
    bool started = PlatStartProcess(StringText(commandLine), show, &record->process, &record->thread);
    if (!started) ReportSystemError();
    StringReleaseArgument(&commandLine);
    return started;
}

bool PollProcess(ProcessRecord *record, uint32_t *exitStatus)
{
    SetLocation(ModuleName, __LINE__);
    switch (PlatWaitFor(record->process, 0)) {
    case PlatWaitTimeout:
        return false;
    case PlatWaitSignalled:
    case PlatWaitAbandoned:
        if (!PlatProcessExitStatus(record->process, exitStatus)) *exitStatus = 1;
        PlatCloseHandle(record->thread);
        PlatCloseHandle(record->process);
        record->thread = nullptr;
        record->process = nullptr;
        return true;
    case PlatWaitFailed:
        break;
    }
    ReportSystemError();
    *exitStatus = 1;
    return true;
}

bool WaitForObject(SystemHandle handle, uint32_t milliseconds)
{
    PlatWaitResult result = PlatWaitFor(handle, milliseconds);
    return result == PlatWaitSignalled || result == PlatWaitAbandoned;
}

// A null name is passed on as null (an unnamed mutex).
static const char *NameOrNull(DynamicString name) { return name ? StringText(name) : nullptr; }

SystemHandle CreateNamedMutex(uint8_t initiallyOwned, DynamicString name)
{
    StringAddRef(&name);
    SystemHandle handle = PlatCreateMutex(initiallyOwned != 0, NameOrNull(name));
    StringReleaseArgument(&name);
    return handle;
}

SystemHandle OpenNamedMutex(DynamicString name)
{
    StringAddRef(&name);
    SystemHandle handle = PlatOpenMutex(NameOrNull(name));
    StringReleaseArgument(&name);
    return handle;
}

bool ReleaseNamedMutex(SystemHandle handle) { return PlatReleaseMutex(handle); }
bool CloseObject(SystemHandle handle) { return PlatCloseHandle(handle); }

int ShowMessage(DynamicString text, DynamicString caption, uint32_t style)
{
    StringAddRef(&text);
    StringAddRef(&caption);
    int button = PlatMessageBox(StringText(text), StringText(caption), style);
    StringReleaseArgument(&caption);
    StringReleaseArgument(&text);
    return button;
}

// ---- Debugger lines ----

constexpr int DebugLineSize = 256;
// Characters a line holds before it is sent (CR LF and the NUL follow).
constexpr int DebugLineLimit = 253;

static char DebugLine[DebugLineSize];
static int DebugLineLength = 0;

static void SendDebugLine()
{
    DebugLine[DebugLineLength++] = '\r';
    DebugLine[DebugLineLength++] = '\n';
    DebugLine[DebugLineLength] = 0;
    PlatDebugOutput(DebugLine);
    DebugLineLength = 0;
}

void DebugLinePut(uint8_t ch)
{
    if (ch == '\n') return;
    if (ch == '\r') {
        SendDebugLine();
        return;
    }
    // A full line goes out first, so that no character is lost.
    if (DebugLineLength >= DebugLineLimit) SendDebugLine();
    DebugLine[DebugLineLength++] = static_cast<char>(ch);
}
