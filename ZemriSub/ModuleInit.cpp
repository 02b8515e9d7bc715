// The table of module initialisers, run in this order by the application's
// start-up after it has stored the program arguments.
#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/OS.h"
#include "ZemriSub/ZemriSub.h"
#include "ZemriSub/ZemriSubPC.h"

// The runtime support module: the clock starts again from 0.
static void ZemriSubPCModuleInit() { ClockInit(); }

// Modules whose initialisers have nothing to do.
static void Win32ModuleInit() {}
static void StringUtilityModuleInit() {}
static void BitmapModuleInit() {}
static void Code64ModuleInit() {}
static void CrcModuleInit() {}
static void ColourModuleInit() {}
static void GenericModuleInit() {}
static void ConsoleModuleInit() {}
static void CommsOverlappedModuleInit() {}
static void DiagConsoleModuleInit() {}

const ModuleInitProc ModuleInitTable[] = {
    ZemriSubModuleInit,         // text streams
    ZemriSubPCModuleInit,       // runtime support
    StringHeapCreate,           // string heap
    Win32ModuleInit,            // serial port
    OsModuleInit,               // operating-system services
    StringUtilityModuleInit,    // string utilities
    BitmapModuleInit,           // bitmap files
    Code64ModuleInit,           // Code64 encoding
    CrcModuleInit,              // checksums
    ColourModuleInit,           // colour conversion
    GenericModuleInit,          // the further library module
    ConsoleModuleInit,          // console bridge
    CommsOverlappedModuleInit,  // overlapped serial port
    DiagConsoleModuleInit,      // the application's console module
    nullptr,
};

void RunModuleInitialisers()
{
    for (const ModuleInitProc *init = ModuleInitTable; *init; ++init) (*init)();
}
