// Wildcard matching: "*" matches any run of characters (also none), "?" any
// one character, every other character itself, case-sensitive; the whole
// text must match.
//
// The matcher keeps only the latest "*": when a later character fails, that
// star takes one more character of the text and matching resumes after it.
// This gives the same answer as trying every split at every star, in time
// proportional to pattern length times text length and without recursion.
#include "libGeneric/StringUtility.h"
#include "libGeneric/StringUtilityPrivate.h"

bool WildcardMatch(DynamicString pattern, DynamicString text)
{
    StringAddRef(&pattern);
    StringAddRef(&text);
    const uint8_t *p = reinterpret_cast<const uint8_t *>(StringText(pattern));
    const uint8_t *t = reinterpret_cast<const uint8_t *>(StringText(text));
    int32_t patternLength = TextLength(pattern), textLength = TextLength(text);
    int32_t i = 0, j = 0;
    int32_t star = -1, starText = 0;  // the latest "*" and the text position it began at
    bool failed = false;
    while (j < textLength && !failed) {
        if (i < patternLength && p[i] == '*') {
            star = i++;
            starText = j;
        } else if (i < patternLength && (p[i] == '?' || p[i] == t[j])) {
            ++i;
            ++j;
        } else if (star >= 0) {
            i = star + 1;
            j = ++starText;
        } else {
            failed = true;
        }
    }
    while (!failed && i < patternLength && p[i] == '*') ++i;
    bool match = !failed && i == patternLength;
    StringReleaseArgument(&text);
    StringReleaseArgument(&pattern);
    return match;
}
