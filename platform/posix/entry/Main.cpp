// Process entry on POSIX systems: the arguments as the system gives them.
#include "platform/entry/ProcessEntry.h"

int main(int argc, char **argv) { return RunProcessEntry(argc, argv); }
