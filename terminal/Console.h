// The console bridge: the entry points through which the runtime and the
// application write to the terminal and read its keys.
#pragma once
#include <cstdint>

void ConsolePutChar(uint8_t ch);       // raw byte to the screen
void ConsoleTracePutChar(uint8_t ch);  // line-end handling and time stamps
bool ConsoleKeyAvailable();
uint8_t ConsoleGetKey();
uint8_t ConsoleGetKeyEcho();
// The newline filter under ConsoleTracePutChar (also its time stamp's sink).
void ConsoleLinePut(uint8_t ch);

// Called by the at-exit handler of the operating-system services.
void TermSetExitInProgress();
void TermAbortWait();

// A tap that sees every byte written through ConsolePutChar and
// ConsoleTracePutChar; null unless a test or a diagnostic installs one.
// The bytes reach the screen as well; the tap sees them as they were
// passed in (before line-end handling and time stamps).
extern void (*ConsoleTap)(uint8_t ch);
