// The process entry's sequence, shared by WinMain and main: window thread,
// standard-stream pipes and readers, the program's main operation, and the
// wait for the window to be closed. Returns the process exit status.
#pragma once

int RunProcessEntry(int argc, char **argv);
