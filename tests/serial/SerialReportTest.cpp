// The texts the serial library hands to MessageHook: byte traces, the error
// classes in their order, and system errors on a port that is not open.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "SerialSupport.h"
#include "ZemriSub/Win32.h"
#include "platform/Serial.h"

namespace {

class SerialReport : public ::testing::Test {
protected:
    void SetUp() override { CaptureMessages(); }
    void TearDown() override { StopCapturing(); }
};

std::vector<uint8_t> Counting(int count)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < count; i++) bytes.push_back(static_cast<uint8_t>(i * 17));
    return bytes;
}

struct TraceCase {
    const char *tag;
    std::vector<uint8_t> bytes;
    int32_t count;
    const char *closing;
    const char *text;
};

TEST_F(SerialReport, TraceBytesTexts)
{
    const TraceCase cases[] = {
        {"[ReadCommPort", {0x41, 0x42, 0x0D}, 3, "]", "[ReadCommPort(3) 41 42 0D]"},
        {"<WriteCommPort", {}, 0, ">", "<WriteCommPort>"},
        {"<WriteCommPort", {0x00, 0xFF}, -5, ">", "<WriteCommPort>"},
        {"[ReadCommPort", {0xAB}, 1, "]", "[ReadCommPort(1) AB]"},
        {"[ReadCommPort", Counting(16), 16, "]",
         "[ReadCommPort(16) 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF]"},
        {"[ReadCommPort", Counting(17), 17, "]",
         "[ReadCommPort(17) 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF...]"},
        {"<WriteCommPort", Counting(4096), 4096, ">",
         "<WriteCommPort(4096) 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF...>"},
        {"", {0x7F}, 1, "", "(1) 7F"},
    };
    for (const TraceCase &c : cases) {
        HookTexts.clear();
        TraceBytes(c.tag, c.bytes.data(), c.count, c.closing);
        ASSERT_EQ(HookTexts.size(), 1u) << c.text;
        EXPECT_EQ(HookTexts[0], c.text);
    }
}

TEST_F(SerialReport, OnlyTheFirstErrorClassInOrder)
{
    struct ClassCase {
        uint32_t mask;
        const char *text;
    };
    const ClassCase cases[] = {
        {PlatCommErrorFrame | PlatCommErrorOverrun, "Comm port framing error"},
        {PlatCommErrorFrame | PlatCommErrorParity | PlatCommErrorBreak | 1, "Comm port framing error"},
        {PlatCommErrorOverrun | PlatCommErrorParity | PlatCommErrorBreak, "Comm port overrun"},
        {PlatCommErrorParity | PlatCommErrorBreak, "Comm port parity error"},
        {PlatCommErrorBreak | 0x0100, "Comm port break"},
        {0x0001, "Comm port error"},
        {0x8000, "Comm port error"},
    };
    for (const ClassCase &c : cases) {
        HookTexts.clear();
        ReportCommErrors(c.mask);
        EXPECT_EQ(HookTexts, std::vector<std::string>{c.text}) << std::hex << c.mask;
    }
    HookTexts.clear();
    ReportCommErrors(0);
    EXPECT_TRUE(HookTexts.empty());
}

TEST_F(SerialReport, MessagesPassUnchanged)
{
    ReportMessage(StringConstant("Comm port check"));
    ReportMessage(0);
    EXPECT_EQ(HookTexts, (std::vector<std::string>{"Comm port check", ""}));
}

TEST_F(SerialReport, NothingReachesANullHook)
{
    StopCapturing();
    uint32_t blocks = StringHeapLiveBlocks();
    uint8_t bytes[20] = {1, 2, 3};
    TraceBytes("[ReadCommPort", bytes, 20, "]");
    ReportSystemError();
    ReportCommErrors(PlatCommErrorFrame);
    EXPECT_EQ(ReadCommPort(InvalidCommPort, bytes, 20), -1);
    EXPECT_EQ(WriteCommPort(InvalidCommPort, bytes, 0), -1);
    EXPECT_EQ(StringHeapLiveBlocks(), blocks);
    EXPECT_TRUE(HookTexts.empty());
}

// A handle that is not an open port: every transfer fails with -1, the
// system's text reaches the hook, and no trace is made.
TEST_F(SerialReport, PortNotOpenFailsWithTheSystemText)
{
    uint8_t bytes[8] = {};
    EXPECT_EQ(ReadCommPort(InvalidCommPort, bytes, 8), -1);
    EXPECT_EQ(WriteCommPort(InvalidCommPort, bytes, 8), -1);
    EXPECT_EQ(WriteCommPort(InvalidCommPort, bytes, 0), -1);
    ASSERT_EQ(HookTexts.size(), 3u);
    for (const std::string &text : HookTexts) {
        EXPECT_EQ(text.rfind("Error: ", 0), 0u) << text;
        EXPECT_GT(text.size(), 7u) << "the system's text is missing";
        EXPECT_EQ(text.find("CommPort"), std::string::npos) << "a failure is not traced";
    }
}

}  // namespace
