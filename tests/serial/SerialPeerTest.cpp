// The serial port against a peer outside the test process: a harness
// (wine_serial_harness.py) makes a pty, publishes it as COM port
// TAVREL_TEST_COMPORT and echoes every byte it receives, except that the
// sequence HangUpCommand makes it close its end. This is how the Windows
// build meets a real device under wine; without the harness the cases skip.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "SerialSupport.h"
#include "ZemriSub/Win32.h"
#include "platform/Platform.h"
#include "platform/Serial.h"
#include "platform/TestSerial.h"

namespace {

const char HangUpCommand[] = "\x04HANGUP\x04";

// The port number in the variable, 0 when it is unset or not a number.
uint16_t PortFromEnvironment(const char *name)
{
    const char *text = getenv(name);
    if (!text || !*text) return 0;
    long port = strtol(text, nullptr, 10);
    return port > 0 && port < 65536 ? static_cast<uint16_t>(port) : 0;
}

// Set by the harness when the test runs under wine, whose serial devices
// differ from Windows' in two ways the cases name.
bool UnderWine() { return PortFromEnvironment("TAVREL_TEST_UNDER_WINE") != 0; }

class SerialPeer : public ::testing::Test {
protected:
    uint16_t portNumber = 0;
    std::vector<CommPortHandle> opened;

    void SetUp() override
    {
        portNumber = PortFromEnvironment("TAVREL_TEST_COMPORT");
        if (portNumber == 0) GTEST_SKIP() << "TAVREL_TEST_COMPORT is not set (the harness sets it)";
        CaptureMessages();
    }

    void TearDown() override
    {
        for (CommPortHandle port : opened) CloseCommPort(port);
        StopCapturing();
    }

    CommPortHandle Open(int16_t readTimeout)
    {
        CommPortHandle port = OpenCommPort(portNumber, 115200, 2, 0, 0, 0, readTimeout);
        if (port != InvalidCommPort) opened.push_back(port);
        return port;
    }

    // Reads until `count` bytes came or `waitMs` passed.
    static std::string Collect(CommPortHandle port, int count, uint32_t waitMs)
    {
        std::string bytes;
        uint32_t start = PlatTickCount();
        while (static_cast<int>(bytes.size()) < count && PlatTickCount() - start < waitMs) {
            char buffer[512];
            int32_t n = ReadCommPort(port, buffer, sizeof buffer);
            if (n < 0) break;
            if (n == 0) PlatSleepMs(5);
            bytes.append(buffer, static_cast<size_t>(n));
        }
        return bytes;
    }
};

TEST_F(SerialPeer, OpenConfiguresTheLine)
{
    CheckDeviceLines(portNumber, false);
    EXPECT_TRUE(HookTexts.empty()) << HookTexts[0];
}

TEST_F(SerialPeer, ReadWithNothingWaitingReturnsAtOnce)
{
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    ExpectIdleReadsReturnAtOnce(port);
}

TEST_F(SerialPeer, TimedReadCollectsThePartialEchoUntilTheLimit)
{
    CommPortHandle port = Open(300);
    ASSERT_NE(port, InvalidCommPort);
    EXPECT_EQ(WriteCommPort(port, "hello", 5), 5);
    uint8_t buffer[10];
    uint32_t start = PlatTickCount();
    EXPECT_EQ(ReadCommPort(port, buffer, 10), 5);
    uint32_t elapsed = PlatTickCount() - start;
    EXPECT_GE(elapsed, 280u);
    EXPECT_LT(elapsed, 2000u);
    EXPECT_EQ(std::string(reinterpret_cast<char *>(buffer), 5), "hello");
    EXPECT_EQ(HookTexts, (std::vector<std::string>{"<WriteCommPort(5) 68 65 6C 6C 6F>",
                                                   "[ReadCommPort(5) 68 65 6C 6C 6F]"}));
}

TEST_F(SerialPeer, WritesArriveInFull)
{
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    std::string data;
    for (int i = 0; i < 1000; i++) data += static_cast<char>("0123456789abcdef\r\n\x1b\xff"[i % 21]);
    EXPECT_EQ(WriteCommPort(port, data.data(), static_cast<int32_t>(data.size())), 1000);
    EXPECT_EQ(Collect(port, 1000, 5000), data);
    HookTexts.clear();
    EXPECT_EQ(WriteCommPort(port, data.data(), 0), 0);
    EXPECT_EQ(HookTexts, std::vector<std::string>{"<WriteCommPort>"});
}

TEST_F(SerialPeer, SecondOpenFailsSilently)
{
    if (UnderWine()) GTEST_SKIP() << "wine lets a second opener have a serial device; Windows refuses it";
    CommPortHandle first = Open(0);
    ASSERT_NE(first, InvalidCommPort);
    EXPECT_EQ(Open(0), InvalidCommPort);
    EXPECT_TRUE(HookTexts.empty()) << HookTexts[0];
    EXPECT_EQ(WriteCommPort(first, "ok", 2), 2);
    EXPECT_EQ(Collect(first, 2, 3000), "ok");
}

TEST_F(SerialPeer, AbsentPortFailsSilently)
{
    uint16_t absent = PortFromEnvironment("TAVREL_TEST_ABSENTPORT");
    if (absent == 0) GTEST_SKIP() << "TAVREL_TEST_ABSENTPORT is not set";
    EXPECT_EQ(OpenCommPort(absent, 115200, 2, 0, 0, 0, 0), InvalidCommPort);
    EXPECT_TRUE(HookTexts.empty()) << HookTexts[0];
}

// Last (cases run in the order written): the peer goes away for good.
TEST_F(SerialPeer, ClosedPeerMakesTheNextReadFail)
{
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    const int32_t length = sizeof HangUpCommand - 1;
    ASSERT_EQ(WriteCommPort(port, HangUpCommand, length), length);
    int32_t result = 0;
    uint8_t buffer[64];
    uint32_t start = PlatTickCount();
    while (result == 0 && PlatTickCount() - start < 3000) {
        result = ReadCommPort(port, buffer, sizeof buffer);
        if (result == 0) PlatSleepMs(10);
    }
    // wine reads a pty that has hung up as a line with nothing to say;
    // Windows and POSIX fail the read. Writes fail on all of them.
    if (!UnderWine()) {
        EXPECT_EQ(result, -1);
    }
    EXPECT_EQ(WriteCommPort(port, "x", 1), -1);
    EXPECT_EQ(OpenCommPort(portNumber, 115200, 2, 0, 0, 0, 0), InvalidCommPort) << "the device is gone";
    bool reported = false;
    for (const std::string &text : HookTexts) reported = reported || text.rfind("Error: ", 0) == 0;
    EXPECT_TRUE(reported);
}

}  // namespace
