// Helpers of the stream tests: capture what a sink receives.
#pragma once
#include <string>
#include <vector>

#include "ZemriSub/ZemriSub.h"

// Runs put on an IndirectTextSink over a scratch buffer and returns every
// byte written (zeros included).
template <typename Put>
std::string Captured(Put put)
{
    std::vector<char> buffer(4096, '\x7f');
    char *cursor = buffer.data();
    SIO sio = SioIndirectTextSink(&cursor);
    put(&sio);
    return std::string(buffer.data(), static_cast<size_t>(cursor - buffer.data()));
}
