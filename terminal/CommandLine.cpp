// Splitting the process command line into the argument vector.
#include "terminal/CommandLine.h"

#include <cstring>

char CmdLine[CmdLineSize];
char *CmdArgv[ArgvSize];

int SplitCommandLine(char *buffer, char **argv, int tableSize, int maxTokens)
{
    if (maxTokens > tableSize - 1) maxTokens = tableSize - 1;
    int argc = 0;
    char *p = buffer;
    while (*p == ' ') ++p;  // no empty first token from leading spaces
    while (*p != '\0' && argc < maxTokens) {
        char *start;
        if (*p == '"') {
            start = ++p;
            // Two quotes in a row make an empty token.
            char *close = std::strchr(start, '"');
            if (close) {
                *close = '\0';
                p = close + 1;
            } else {
                p = start + std::strlen(start);
            }
        } else {
            start = p;
            while (*p != '\0' && *p != ' ') ++p;
        }
        argv[argc++] = start;
        if (*p == ' ') {
            *p++ = '\0';
            while (*p == ' ') ++p;
        }
    }
    for (int i = argc; i < tableSize; ++i) argv[i] = nullptr;
    return argc;
}

int CommandLineSplit(const char *text)
{
    std::size_t length = text ? std::strlen(text) : 0;
    if (length > CmdLineSize - 1) length = CmdLineSize - 1;
    if (length) std::memcpy(CmdLine, text, length);
    CmdLine[length] = '\0';
    return SplitCommandLine(CmdLine, CmdArgv, ArgvSize, ArgMaxCount);
}
