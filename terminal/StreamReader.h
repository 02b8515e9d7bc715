// The reader of one standard stream: its bytes go through the line-end
// filter to the screen until the pipe ends or ReadersStop is set.
#pragma once

// Thread body; name is "StdOut" or "StdErr" (used in the trace texts).
// 0 at the end of input, 1 after a read error (the descriptor stays open).
int StreamReader(int descriptor, const char *name);
