// Helpers shared by the string heap tests.
#pragma once
#include <cstdio>
#include <string>

#include "ZemriSub/DynamicStrings.h"

// The characters of a value as a std::string.
std::string Text(DynamicString value);

// A new heap string holding a copy of the text.
DynamicString MakeString(const char *text);

// Releases count references of a heap string.
void DropReferences(DynamicString handle, int count);

// Sends console bytes to standard error, where death tests look for them.
void TapToStderr(uint8_t ch);

// Makes the console's output visible to a death test and sets the source
// location that fatal messages report (file "x.c", line 7).
void PrepareFatal();

// The exact text of a fatal message reported at x.c line 7.
std::string FatalText(const char *message);
