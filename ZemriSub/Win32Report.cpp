// The message hook of the Win32 library module and its reporting operations:
// plain texts, the last system error, and hex traces of the bytes moved.
// While MessageHook is null nothing is built and nothing is allocated.
#include <cstdio>
#include <cstring>

#include "ZemriSub/DynamicStrings.h"
#include "ZemriSub/Win32.h"
#include "ZemriSub/ZemriSubPC.h"
#include "platform/Serial.h"

static const char ModuleName[] = "ZemriSub/Win32";

MessageHookProc MessageHook = nullptr;

void IgnoreMessage(DynamicString message) { (void)message; }

void ReportMessage(DynamicString text)
{
    if (MessageHook) MessageHook(text);
}

void ReportSystemError()
{
    if (!MessageHook) return;
    SetLocation(ModuleName, __LINE__);
    DynamicString text = LastErrorText();
    MessageHook(text);
    StringRelease(&text);
}

// At most this many bytes are shown; "..." stands for the rest.
constexpr int32_t TraceShownBytes = 16;

void TraceBytes(const char *tag, const void *buffer, int32_t count, const char *closing)
{
    if (!MessageHook) return;
    // "(" count ")", then " XX" per shown byte and "..." when there are more.
    char middle[2 + 11 + TraceShownBytes * 3 + 3 + 1];
    int length = 0;
    if (count > 0) {
        static const char digits[] = "0123456789ABCDEF";
        const uint8_t *bytes = static_cast<const uint8_t *>(buffer);
        length = snprintf(middle, sizeof middle, "(%ld)", static_cast<long>(count));
        for (int32_t i = 0; i < count; i++) {
            if (i == TraceShownBytes) {
                memcpy(middle + length, "...", 3);
                length += 3;
                break;
            }
            middle[length++] = ' ';
            middle[length++] = digits[bytes[i] >> 4];
            middle[length++] = digits[bytes[i] & 15];
        }
    }
    middle[length] = 0;

    SetLocation(ModuleName, __LINE__);
    DynamicString text = StringFromBuffer(tag, static_cast<int16_t>(strnlen(tag, 0x7FFE)));
    StringAppend(&text, StringConstant(middle));
    StringAppend(&text, StringConstant(closing));
    MessageHook(text);
    StringRelease(&text);
}

void ReportCommErrors(uint32_t mask)
{
    if (mask == 0) return;
    const char *text = "Comm port error";
    if (mask & PlatCommErrorFrame) text = "Comm port framing error";
    else if (mask & PlatCommErrorOverrun) text = "Comm port overrun";
    else if (mask & PlatCommErrorParity) text = "Comm port parity error";
    else if (mask & PlatCommErrorBreak) text = "Comm port break";
    ReportMessage(StringConstant(text));
}
