#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "StreamsSupport.h"
#include "terminal/Console.h"

namespace {

std::string Drain(SIO *source, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i) out += static_cast<char>(SioGetChar(source));
    return out;
}

TEST(StringSinks, BuilderCollectsIntoItsOwnString)
{
    SIO sink = SioStringBuilderSink();
    EXPECT_EQ(sink.ctx.string, 0u);
    SioPutText(&sink, "n=");
    SioPutInt(&sink, -42);
    EXPECT_STREQ(StringText(sink.ctx.string), "n=-42");
    EXPECT_EQ(StringLength(sink.ctx.string), 5);
    StringRelease(&sink.ctx.string);
}

TEST(StringSinks, AppendGoesOnAVariable)
{
    DynamicString s = 0;
    StringAssignText(&s, "ab");
    SIO sink = SioStringAppendSink(&s);
    SioPutText(&sink, "cd");
    SioPutHex8(&sink, 0xE);
    EXPECT_STREQ(StringText(s), "abcd0E");
    StringRelease(&s);
}

TEST(StringSinks, OverwriteReplacesThenAppends)
{
    DynamicString s = 0;
    StringAssignText(&s, "hello");
    DynamicString other = StringRetain(s);  // a second owner keeps the old text
    int16_t position = 1;
    SIO sink = SioStringOverwriteSink(&position, &s);
    SioPutText(&sink, "EY");
    EXPECT_STREQ(StringText(s), "hEYlo");
    EXPECT_EQ(position, 3);
    position = 4;
    SioPutText(&sink, "XYZ");
    EXPECT_STREQ(StringText(s), "hEYlXYZ");
    EXPECT_EQ(position, 7);
    EXPECT_STREQ(StringText(other), "hello");

    // A negative position always appends and stays where it is.
    position = -1;
    SioPutText(&sink, "!?");
    EXPECT_STREQ(StringText(s), "hEYlXYZ!?");
    EXPECT_EQ(position, -1);
    StringRelease(&s);
    StringRelease(&other);
}

TEST(StringSources, EndIsZeroOnEveryFurtherCall)
{
    DynamicString s = 0;
    StringAssign(&s, StringConstant("abc"));
    SIO source = SioStringSource(&s);
    EXPECT_EQ(Drain(&source, 3), "abc");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SioGetChar(&source), 0);
    EXPECT_EQ(source.ctx.source.position, 3);

    SIO empty = SioStringSource(&s);
    empty.ctx.source.position = -5;  // outside the string reads as the end
    EXPECT_EQ(SioGetChar(&empty), 0);
    StringRelease(&s);

    DynamicString none = 0;
    SIO nothing = SioStringSource(&none);
    EXPECT_EQ(SioGetChar(&nothing), 0);
}

TEST(StringSources, CursorIsKeptOutside)
{
    DynamicString s = 0;
    StringAssignText(&s, "12 34");
    int16_t position = 0;
    SIO source = SioStringCursorSource(&position, &s);
    EXPECT_EQ(SioReadInt(&source), 12);
    EXPECT_EQ(position, 3);  // the space after the digits was consumed
    SIO again = SioStringCursorSource(&position, &s);
    EXPECT_EQ(SioReadInt(&again), 34);
    EXPECT_EQ(position, 5);
    EXPECT_EQ(SioGetChar(&again), 0);
    StringRelease(&s);
}

TEST(TextBuffers, SinkTerminatesSourceDoesNotStop)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    SIO sink = SioTextSink(buffer);
    SioPutText(&sink, "abc");
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], 'x');
    EXPECT_EQ(sink.ctx.buffer, buffer + 3);

    const char text[] = "ab\0c";
    SIO source = SioTextSource(text);
    EXPECT_EQ(Drain(&source, 4), std::string("ab\0c", 4));
}

TEST(TextBuffers, IndirectFormsAdvanceTheCallersPointer)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    char *cursor = buffer;
    SIO sink = SioIndirectTextSink(&cursor);
    SioPutText(&sink, "ab");
    EXPECT_EQ(cursor, buffer + 2);
    EXPECT_EQ(std::string(buffer, 3), "abx");  // no NUL

    const char *text = "7,8";
    SIO source = SioIndirectTextSource(&text);
    EXPECT_EQ(SioReadInt(&source), 7);
    EXPECT_STREQ(text, "8");
}

std::string FunctionOut;
void CollectChar(uint8_t ch) { FunctionOut += static_cast<char>(ch); }
const char *FunctionIn = "";
uint8_t NextChar() { return static_cast<uint8_t>(*FunctionIn++); }

TEST(Functions, PlainFunctionsSeeEveryByte)
{
    FunctionOut.clear();
    SIO sink = SioFunctionSink(CollectChar);
    SioPutIntFormatted(&sink, 5, 0x01, 0, 3, 0, 0);
    EXPECT_EQ(FunctionOut, "005");

    FunctionIn = "$7f";
    SIO source = SioFunctionSource(NextChar);
    EXPECT_EQ(SioReadHex(&source, 1), 0x7F);
}

// Bound functions: what each type code hands over.
std::string BoundLog;
template <typename T>
void BoundSink(uint8_t ch, T bound)
{
    BoundLog += static_cast<char>(ch);
    BoundLog += ":" + std::to_string(bound) + ";";
}
void BoundSinkAddress(uint8_t ch, void *bound)
{
    BoundLog += static_cast<char>(ch);
    BoundLog += ":" + std::to_string(reinterpret_cast<uintptr_t>(bound)) + ";";
}
template <typename T>
int32_t BoundSource(T bound)
{
    BoundLog += std::to_string(bound) + ";";
    return 0x100 + 'k';  // only the low 8 bits are returned
}

uint64_t Bits(double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

uint64_t Bits(float x)
{
    uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits | 0xABCD000000000000ULL;  // the upper bytes are not looked at
}

TEST(Functions, BoundSinkConvertsByTypeCode)
{
    const uint64_t value = 0x1122334455667788ULL;
    struct Case {
        uint8_t type;
        void *function;
        uint64_t value;
        const char *expected;
    } cases[] = {
        {1, reinterpret_cast<void *>(BoundSink<uint8_t>), value, "z:136;"},
        {2, reinterpret_cast<void *>(BoundSink<uint8_t>), value, "z:136;"},
        {3, reinterpret_cast<void *>(BoundSink<uint8_t>), value, "z:136;"},
        {6, reinterpret_cast<void *>(BoundSink<uint8_t>), value, "z:136;"},
        {4, reinterpret_cast<void *>(BoundSink<uint16_t>), value, "z:30600;"},
        {7, reinterpret_cast<void *>(BoundSink<uint16_t>), value, "z:30600;"},
        {5, reinterpret_cast<void *>(BoundSink<uint32_t>), value, "z:1432778632;"},
        {8, reinterpret_cast<void *>(BoundSink<uint32_t>), value, "z:1432778632;"},
        {9, reinterpret_cast<void *>(BoundSink<float>), Bits(2.5f), "z:2.500000;"},
        {10, reinterpret_cast<void *>(BoundSink<double>), Bits(-0.25), "z:-0.250000;"},
        {11, reinterpret_cast<void *>(BoundSinkAddress), 4096, "z:4096;"},
        {0, reinterpret_cast<void *>(BoundSink<uint8_t>), value, ""},
        {12, reinterpret_cast<void *>(BoundSink<uint8_t>), value, ""},
    };
    for (const Case &c : cases) {
        BoundLog.clear();
        SIO sink = SioBoundFunctionSink(c.function, c.value, c.type);
        SioPutChar(&sink, 'z');
        EXPECT_EQ(BoundLog, c.expected) << "type " << int(c.type);
    }
}

TEST(Functions, BoundSourceReturnsLowByte)
{
    BoundLog.clear();
    SIO source = SioBoundFunctionSource(reinterpret_cast<void *>(BoundSource<uint16_t>), 0xFFFF0102, 4);
    EXPECT_EQ(SioGetChar(&source), 'k');
    EXPECT_EQ(BoundLog, "258;");

    BoundLog.clear();
    source = SioBoundFunctionSource(reinterpret_cast<void *>(BoundSource<double>), Bits(1.5), 10);
    EXPECT_EQ(SioGetChar(&source), 'k');
    EXPECT_EQ(BoundLog, "1.500000;");

    BoundLog.clear();
    source = SioBoundFunctionSource(reinterpret_cast<void *>(BoundSource<uint8_t>), 1, 99);
    EXPECT_EQ(SioGetChar(&source), 0);  // nothing called
    EXPECT_EQ(BoundLog, "");
}

std::string Tapped;
void Tap(uint8_t ch) { Tapped += static_cast<char>(ch); }

TEST(Console, SinksWriteThroughTheConsoleBridge)
{
    Tapped.clear();
    ConsoleTap = Tap;
    SIO console = SioConsoleSink();
    SioPutText(&console, "raw ");
    SIO traced = SioTimestampedConsoleSink();
    SioPutInt(&traced, 12);
    ConsoleTap = nullptr;
    // The plain console hands both kinds to the tap unchanged.
    EXPECT_EQ(Tapped.substr(0, 4), "raw ");
    EXPECT_NE(Tapped.find("12"), std::string::npos);
}

TEST(Files, SinkAndSourceGoThroughAFileHandle)
{
    const char *path = "streams_file.tmp";
    FileHandle *file = FileCreate(path);
    ASSERT_NE(file, nullptr);
    SIO sink = SioFileSink(&file);
    SioPutText(&sink, "-17 $2A 2.5E2 ");  // the space ends the exponent
    SioPutWord32(&sink, 0xDEADBEEF);
    FileClose(&file);

    file = FileOpen(path);
    ASSERT_NE(file, nullptr);
    SIO source = SioFileSource(&file);
    EXPECT_EQ(SioReadInt(&source), -17);
    EXPECT_EQ(SioReadHex(&source, 1), 0x2A);
    SioGetChar(&source);  // the space after the hex digits
    EXPECT_DOUBLE_EQ(SioReadReal(&source), 250.0);
    uint32_t word = 0;
    EXPECT_EQ(SioGetWord32(&source, &word), 0xDEADBEEFu);
    FileClose(&file);
    std::remove(path);
}

}  // namespace
