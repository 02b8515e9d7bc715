// Base64 (RFC 4648 alphabet, "=" padding, no line breaks) between byte
// strings and text. Byte strings are string values used as byte buffers:
// they may hold zero bytes, and their length is the string's own length.
#pragma once
#include "ZemriSub/DynamicStrings.h"

// A new string holding the Base64 text of the bytes (the caller releases it).
DynamicString Encode64(DynamicString bytes);

// A new string holding the decoded bytes (the caller releases it). A text
// whose length is not a multiple of 4 decodes to nothing; characters outside
// the alphabet decode as "A".
DynamicString Decode64(DynamicString text);
