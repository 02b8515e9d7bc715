// Running programs: the command line is split into a token table and handed
// to the system's spawn, which searches the PATH.
#include <cstring>

#include "ZemriSub/OS.h"
#include "ZemriSub/OSInternal.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/OsFiles.h"

constexpr int RunTokenLimit = 20;    // table entries, the last one null
constexpr int ProgramNameSize = 256;

// Splits at spaces; a token that starts with a double quote runs to the next
// one and keeps both quotes. False when there are too many tokens or the
// program name is too long.
static bool RunProgram(DynamicString commandLine, bool wait, int *result)
{
    StringAddRef(&commandLine);
    SetLocation(OsModuleName, __LINE__);
    const char *p = StringText(commandLine);
    int16_t length = StringLength(commandLine);
    // Each token is copied with its own NUL: at most one per character.
    char *copy = static_cast<char *>(GuardedAlloc(OsModuleName, __LINE__, 2 * length + 1));
    char *out = copy;
    char *tokens[RunTokenLimit] = {};
    int count = 0;
    bool fits = true;
    const char *end = p + length;
    for (;;) {
        while (p < end && *p == ' ') p++;
        if (p >= end) break;
        if (count == RunTokenLimit - 1) {
            fits = false;
            break;
        }
        tokens[count++] = out;
        const char *stop;
        if (*p == '"') {
            stop = static_cast<const char *>(memchr(p + 1, '"', static_cast<size_t>(end - p - 1)));
            stop = stop ? stop + 1 : end;
        } else {
            stop = static_cast<const char *>(memchr(p, ' ', static_cast<size_t>(end - p)));
            if (!stop) stop = end;
        }
        while (p < stop) *out++ = *p++;
        *out++ = 0;
    }
    char program[ProgramNameSize];
    if (fits && count > 0) {
        const char *name = tokens[0];
        size_t nameLength = strlen(name);
        if (*name == '"') {
            name++;
            nameLength--;
        }
        if (nameLength > 0 && name[nameLength - 1] == '"') nameLength--;
        fits = nameLength < ProgramNameSize;
        if (fits) {
            memcpy(program, name, nameLength);
            program[nameLength] = 0;
        }
    }
    bool ran = fits && count > 0;
    *result = ran ? PlatSpawn(wait, program, tokens) : -1;
    GuardedFree(OsModuleName, __LINE__, copy);
    StringReleaseArgument(&commandLine);
    return ran;
}

int RunProgramWait(DynamicString commandLine)
{
    int result;
    RunProgram(commandLine, true, &result);
    return result;
}

int RunProgramDetached(DynamicString commandLine)
{
    int result;
    RunProgram(commandLine, false, &result);
    return result;
}
