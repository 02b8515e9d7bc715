// Helpers shared by the files of the string utilities. The callers hold a
// reference to every value they pass here.
#pragma once
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"

extern const char *const StringUtilityModule;

// Records the current statement of the string utilities.
void StringUtilityAt(int32_t line);

// The length of a value, never negative.
int32_t TextLength(DynamicString value);

// Clamps start to 0 .. length and count to the characters from there.
void ClampSection(int32_t length, int32_t *start, int32_t *count);

// A new string of the clamped section of a value.
DynamicString Section(DynamicString value, int32_t start, int32_t count);

// A new string of count copies of a character; empty (0) for no count.
DynamicString Repeated(uint8_t ch, int32_t count);

// A character as searches and comparisons see it.
uint8_t SearchFold(uint8_t ch);
