// Shared by the source files of the operating-system services.
#pragma once

#include "ZemriSub/DynamicStrings.h"

extern const char OsModuleName[];

// OsErrorText becomes the text (replacing the previous one).
void OsSetErrorText(const char *text);
// OsErrorText becomes the platform's text for the current errno value.
void OsSetErrnoText();
// A new string value holding a copy of the text.
DynamicString OsTextString(const char *text);
