// The line-end filter between the standard-stream readers and the screen:
// CR, LF, CR LF and LF CR each become one line break (CR LF through
// TermPutChar), written just before the next character.
#pragma once
#include <cstdint>

void StreamFilterPut(uint8_t ch);
// Back to the start state (both flags set): for tests.
void StreamFilterReset();
