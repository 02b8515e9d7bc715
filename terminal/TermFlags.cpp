// Flags shared by the writer, the key poll, the window thread and the exit
// path. Each is written by one thread at a time and read without a lock.
#include "terminal/Term.h"

std::atomic<bool> WindowClosed{false};
std::atomic<bool> ExitInProgress{false};
std::atomic<bool> ProgramPumpedMessages{false};
std::atomic<bool> OutputPaused{false};
std::atomic<bool> Selecting{false};
std::atomic<bool> GeometryChanged{false};
std::atomic<bool> ShownByKeyPoll{false};
