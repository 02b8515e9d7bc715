#include "strings/StringTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ZemriSub/ZemriSubPC.h"
#include "terminal/Console.h"

std::string Text(DynamicString value) { return std::string(StringText(value), StringLength(value)); }

DynamicString MakeString(const char *text)
{
    return StringFromBuffer(text, static_cast<int16_t>(strlen(text)));
}

void DropReferences(DynamicString handle, int count)
{
    for (int i = 0; i < count; ++i) {
        DynamicString var = handle;
        StringRelease(&var);
    }
}

void TapToStderr(uint8_t ch) { fputc(ch, stderr); }

void PrepareFatal()
{
    setvbuf(stderr, nullptr, _IONBF, 0);
    ConsoleTap = TapToStderr;
    SetLocation("x.c", 7);
}

std::string FatalText(const char *message) { return std::string("\r\n") + message + ":x.c:7\r\n"; }

namespace {

// The heap is created once per process, before the first test, as the
// program's start-up does.
struct StringHeapEnvironment : ::testing::Environment {
    void SetUp() override { StringHeapCreate(); }
};

const ::testing::Environment *const HeapEnvironment =
    ::testing::AddGlobalTestEnvironment(new StringHeapEnvironment);

}  // namespace
