// What the process entry needs from the system: threads with a given stack
// size, and pipes that take the place of the standard descriptors.
#pragma once
#include <cstdint>

struct PlatThread;

// Starts body(arg) on a new thread with the given stack size (created
// suspended and then resumed where the system has that); null on failure.
PlatThread *PlatThreadStart(int (*body)(void *), void *arg, uint32_t stackSize);
// Waits for the thread to end and returns its result.
int PlatThreadJoin(PlatThread *thread);

// A pipe with a 4096-byte buffer; false on failure.
bool PlatPipeCreate(int *readEnd, int *writeEnd);
// Makes descriptor `to` a copy of `from` (dup2); -1 on failure.
int PlatDescriptorCopy(int from, int to);
