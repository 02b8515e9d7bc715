// The program's main operation, called by the process entry with the
// argument count and list once the terminal window and the standard-stream
// pipes exist. Its result is not used.
#pragma once

int AppMain(int argc, char **argv);
