// String functions over string values: file names, case, trimming,
// substrings, comparison and search, wildcard matching, padding and printable
// renderings.
//
// String arguments are passed by value (each function holds its own reference
// while it runs); string results are new values that the caller releases.
// Positions and counts are signed 16-bit and 0-based; a search that finds
// nothing returns -1. Substring positions are clamped to 0 .. length and
// counts to what is available from there, so nothing outside a string is
// ever read. Path separators are "\", "/" and ":". Searches and comparisons
// ignore ASCII case while StringCompareIgnoreCase is set; the path functions
// and WildcardMatch always compare exactly.
#pragma once
#include <cstdint>

#include "ZemriSub/DynamicStrings.h"

// Path and file names.
int16_t LastPathSeparator(DynamicString text);
int16_t LastDot(DynamicString text);
DynamicString DirectoryPart(DynamicString name);
DynamicString FileNamePart(DynamicString name);
DynamicString AddPathSeparator(DynamicString path);
DynamicString GetExtension(DynamicString name);
DynamicString RemoveExtension(DynamicString name);
DynamicString ChangeExtension(DynamicString name, DynamicString extension);
DynamicString DefaultExtension(DynamicString name, DynamicString extension);
DynamicString StripLastExtension(DynamicString name);
void InsertBeforeExtension(DynamicString *var, DynamicString text);

// Case and character classes (ASCII only).
DynamicString UpperCase(DynamicString text);
DynamicString LowerCase(DynamicString text);
bool AllLetters(DynamicString text);
bool AllDigits(DynamicString text);
bool AllLettersOrDigits(DynamicString text);

// Trimming. A text made only of the trimmed characters comes back unchanged.
DynamicString TrimLeft(DynamicString text);
DynamicString TrimRight(DynamicString text);
DynamicString Trim(DynamicString text);
DynamicString TrimLeftNewlines(DynamicString text);
DynamicString TrimRightNewlines(DynamicString text);
DynamicString TrimNewlines(DynamicString text);

// Substrings.
DynamicString Left(DynamicString text, int16_t n);
DynamicString Right(DynamicString text, int16_t n);
DynamicString MidToEnd(DynamicString text, int16_t start);
DynamicString Mid(DynamicString text, int16_t start, int16_t count);

// Comparison and search.
int16_t Compare(DynamicString a, DynamicString b);
int16_t CompareSection(DynamicString a, int16_t startA, DynamicString b, int16_t startB,
                       int16_t count);
int16_t Find(DynamicString text, int16_t start, DynamicString pattern);
int16_t FindLast(DynamicString text, int16_t start, DynamicString pattern);
int16_t FindSection(DynamicString text, int16_t start, DynamicString pattern,
                    int16_t patternStart, int16_t patternCount);
int16_t FindSectionLast(DynamicString text, int16_t start, DynamicString pattern,
                        int16_t patternStart, int16_t patternCount);
int16_t FindChar(DynamicString text, int16_t start, uint8_t ch);
int16_t FindCharLast(DynamicString text, int16_t start, uint8_t ch);
int16_t FindLineEnd(DynamicString text);
bool WildcardMatch(DynamicString pattern, DynamicString text);

// Padding and renderings.
void PadRightWith(DynamicString *var, uint8_t ch, int16_t width);
void PadLeftWith(DynamicString *var, uint8_t ch, int16_t width);
DynamicString PadRight(DynamicString text, int16_t width);
DynamicString Spaces(int16_t n);
DynamicString FromText(const char *text);
DynamicString VisibleHex(DynamicString text);
DynamicString VisibleDecimal(DynamicString text);
DynamicString DottedQuad(uint32_t value);
