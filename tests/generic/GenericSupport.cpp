#include "GenericSupport.h"

#include <cstdio>

#include "ZemriSub/DynamicStrings.h"
#include "terminal/Console.h"

namespace {

// The string heap exists once per process.
class StringHeapEnvironment : public ::testing::Environment {
public:
    void SetUp() override { StringHeapCreate(); }
};

const ::testing::Environment *const HeapEnvironment =
    ::testing::AddGlobalTestEnvironment(new StringHeapEnvironment);

std::string Captured;

void CaptureByte(uint8_t ch) { Captured.push_back(static_cast<char>(ch)); }

}  // namespace

std::string Bytes(DynamicString value)
{
    int16_t length = StringLength(value);
    return length <= 0 ? std::string() : std::string(StringText(value), static_cast<size_t>(length));
}

std::string Take(DynamicString value)
{
    std::string bytes = Bytes(value);
    StringRelease(&value);
    return bytes;
}

DynamicString Heap(const std::string &bytes)
{
    return StringFromBuffer(bytes.data(), static_cast<int16_t>(bytes.size()));
}

uint16_t Refs(DynamicString handle) { return StringEntryOf(handle)->refs; }

void ConsoleCaptureStart()
{
    Captured.clear();
    ConsoleTap = CaptureByte;
}

void ConsoleToStderr(uint8_t ch) { std::fputc(ch, stderr); }

std::string ConsoleCaptureStop()
{
    ConsoleTap = nullptr;
    return Captured;
}

std::string Unary(DynamicString (*function)(DynamicString), const std::string &input)
{
    std::string fromConstant = Take(function(StringConstant(input.c_str())));
    DynamicString argument = Heap(input);
    std::string fromHeap = Take(function(argument));
    EXPECT_EQ(Refs(argument), 1) << "argument reference for \"" << input << "\"";
    EXPECT_EQ(Bytes(argument), input) << "argument changed";
    StringRelease(&argument);
    EXPECT_EQ(fromConstant, fromHeap) << "constant and heap argument differ for \"" << input << "\"";
    return fromConstant;
}
