// The process entry's command line: a fixed copy of the text, cut into
// NUL-terminated tokens in place.
#pragma once

constexpr int CmdLineSize = 1024;   // bytes of the copy, NUL included
constexpr int ArgvSize = 256;       // entries of the argument table
constexpr int ArgMaxCount = 255;    // tokens kept; the entry after them stays null

extern char CmdLine[CmdLineSize];
extern char *CmdArgv[ArgvSize];

// Copies text into CmdLine (a longer text is cut at CmdLineSize - 1 bytes)
// and splits it into CmdArgv; returns the number of tokens.
int CommandLineSplit(const char *text);

// Splits buffer in place: only the space separates; a token that starts with
// a double quote runs to the closing quote (which is removed) or the end.
// At most maxTokens tokens are stored, every further entry up to
// tableSize - 1 becomes null. Returns the number of tokens.
int SplitCommandLine(char *buffer, char **argv, int tableSize, int maxTokens);
