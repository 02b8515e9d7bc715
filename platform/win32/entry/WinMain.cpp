// Process entry of the Windows GUI program: the command line split into the
// argument list, then the shared entry sequence.
#include "platform/entry/ProcessEntry.h"
#include "platform/win32/WindowWin32.h"
#include "terminal/CommandLine.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    TermInstance = instance;
    int argc = CommandLineSplit(GetCommandLineA());
    return RunProcessEntry(argc, CmdArgv);
}
