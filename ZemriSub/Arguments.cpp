// The program arguments as the process entry hands them to the
// application's main operation, and system error texts as string values.
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Platform.h"

static int ArgumentCount = 0;
static char **ArgumentList = nullptr;

void SetProgramArguments(int count, char **args)
{
    ArgumentCount = args && count > 0 ? count : 0;
    ArgumentList = args;
}

int ArgCount() { return ArgumentCount; }

static DynamicString NewStringFromText(const char *text)
{
    DynamicString result = 0;
    if (text) StringAssign(&result, StringConstant(text));
    return result;
}

DynamicString ArgString(int16_t index)
{
    // An index outside the list is the caller's fault, reported where it
    // was made.
    if (index < 0 || index >= ArgumentCount) IndexOutOfBounds(CurrentFile, CurrentLine);
    return NewStringFromText(ArgumentList[index]);
}

DynamicString ErrorText(int16_t code) { return NewStringFromText(PlatErrnoText(code)); }
