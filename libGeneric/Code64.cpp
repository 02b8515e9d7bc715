// Base64 encoder and decoder. Results are built one byte at a time by
// appending to a string value.
#include "libGeneric/Code64.h"

#include "ZemriSub/ZemriSubPC.h"

static const char *const ModuleName = "libGeneric/Code64";

// Index 64 is the pad.
static const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";

static void PutCode(DynamicString *result, uint32_t index)
{
    StringAppendChar(result, static_cast<uint8_t>(Alphabet[index]));
}

DynamicString Encode64(DynamicString bytes)
{
    StringAddRef(&bytes);
    SetLocation(ModuleName, __LINE__);
    DynamicString result = 0;
    const uint8_t *data = reinterpret_cast<const uint8_t *>(StringText(bytes));
    int32_t length = StringLength(bytes);
    int32_t i = 0;
    for (; i + 3 <= length; i += 3) {
        uint32_t b0 = data[i], b1 = data[i + 1], b2 = data[i + 2];
        PutCode(&result, b0 >> 2);
        PutCode(&result, ((b0 & 3) << 4) | (b1 >> 4));
        PutCode(&result, ((b1 & 15) << 2) | (b2 >> 6));
        PutCode(&result, b2 & 63);
    }
    if (length - i == 1) {
        uint32_t b0 = data[i];
        PutCode(&result, b0 >> 2);
        PutCode(&result, (b0 & 3) << 4);
        PutCode(&result, 64);
        PutCode(&result, 64);
    } else if (length - i == 2) {
        uint32_t b0 = data[i], b1 = data[i + 1];
        PutCode(&result, b0 >> 2);
        PutCode(&result, ((b0 & 3) << 4) | (b1 >> 4));
        PutCode(&result, (b1 & 15) << 2);
        PutCode(&result, 64);
    }
    StringReleaseArgument(&bytes);
    return result;
}

// The value of one Base64 character; anything outside the alphabet is 0.
static uint32_t CodeValue(uint8_t ch)
{
    if (ch >= 'A' && ch <= 'Z') return ch - 'A';
    if (ch >= 'a' && ch <= 'z') return ch - 'a' + 26;
    if (ch >= '0' && ch <= '9') return ch - '0' + 52;
    if (ch == '+') return 62;
    if (ch == '/') return 63;
    if (ch == '=') return 64;
    return 0;
}

static void PutByte(DynamicString *result, uint32_t value)
{
    StringAppendChar(result, static_cast<uint8_t>(value & 0xFF));
}

DynamicString Decode64(DynamicString text)
{
    StringAddRef(&text);
    SetLocation(ModuleName, __LINE__);
    DynamicString result = 0;
    const uint8_t *data = reinterpret_cast<const uint8_t *>(StringText(text));
    int32_t length = StringLength(text);
    if (length > 0 && length % 4 == 0) {
        for (int32_t i = 0; i < length; i += 4) {
            uint32_t c0 = CodeValue(data[i]), c1 = CodeValue(data[i + 1]);
            uint32_t c2 = CodeValue(data[i + 2]), c3 = CodeValue(data[i + 3]);
            PutByte(&result, (c0 << 2) | (c1 >> 4));
            if (c2 < 64) {
                PutByte(&result, (c1 << 4) | (c2 >> 2));
                if (c3 < 64) PutByte(&result, (c2 << 6) | c3);
            }
        }
    }
    StringReleaseArgument(&text);
    return result;
}
