// The serial port against a pseudo-terminal whose far end the test plays.
// Pseudo-terminals exist only on POSIX; elsewhere these cases are skipped
// (the Windows build is checked against a pty through a harness instead).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "SerialSupport.h"
#include "ZemriSub/Win32.h"
#include "platform/Platform.h"
#include "platform/Serial.h"
#include "platform/TestSerial.h"

namespace {

constexpr uint16_t PtyPort = 71;
constexpr uint16_t AbsentPort = 72;

class SerialPty : public ::testing::Test {
protected:
    PlatTestPty far{};
    std::vector<CommPortHandle> opened;

    void SetUp() override
    {
        if (!PlatTestPtyOpen(&far, PtyPort)) GTEST_SKIP() << "no pseudo-terminals on this system";
        CaptureMessages();
    }

    void TearDown() override
    {
        for (CommPortHandle port : opened) CloseCommPort(port);
        PlatTestPtyClose(&far);
        PlatTestSetPortDevice(PtyPort, nullptr);
        StopCapturing();
    }

    CommPortHandle Open(int16_t readTimeout, uint32_t baudRate = 115200, uint8_t stopBits = 2)
    {
        CommPortHandle port = OpenCommPort(PtyPort, baudRate, stopBits, 0, 0, 0, readTimeout);
        if (port != InvalidCommPort) opened.push_back(port);
        return port;
    }

    void Close(CommPortHandle port)
    {
        std::erase(opened, port);
        EXPECT_NE(CloseCommPort(port), 0);
    }

    void Send(const std::string &bytes)
    {
        ASSERT_EQ(PlatTestPtyWrite(&far, bytes.data(), static_cast<int>(bytes.size())),
                  static_cast<int>(bytes.size()));
    }

    std::string Receive(int count, uint32_t waitMs = 2000)
    {
        std::string bytes(static_cast<size_t>(count), '\0');
        int n = PlatTestPtyRead(&far, bytes.data(), count, waitMs);
        bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return bytes;
    }

    // Waits until the sent bytes have reached the port's input queue.
    static void Settle() { PlatSleepMs(30); }
};

TEST_F(SerialPty, OpenConfiguresTheLine)
{
    CheckDeviceLines(PtyPort, true);
    EXPECT_TRUE(HookTexts.empty()) << HookTexts[0];
}

TEST_F(SerialPty, ReadTimeLimitIsTheOpenedTimeOut)
{
    const int16_t timeouts[] = {0, 1, 100, 32767, -1};
    const uint32_t limits[] = {0, 1, 100, 32767, 65535};
    for (size_t i = 0; i < std::size(timeouts); i++) {
        CommPortHandle port = Open(timeouts[i]);
        ASSERT_NE(port, InvalidCommPort);
        uint32_t limit = 12345;
        EXPECT_TRUE(PlatCommGetReadLimit(port, &limit));
        EXPECT_EQ(limit, limits[i]) << timeouts[i];
        Close(port);
    }
}

TEST_F(SerialPty, ReadWithNothingWaitingReturnsAtOnce)
{
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    ExpectIdleReadsReturnAtOnce(port);

    uint8_t buffer[4096];
    Send("AB\r");
    Settle();
    EXPECT_EQ(ReadCommPort(port, buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(reinterpret_cast<char *>(buffer), 3), "AB\r");
    EXPECT_EQ(HookTexts, std::vector<std::string>{"[ReadCommPort(3) 41 42 0D]"});
}

TEST_F(SerialPty, TimedReadCollectsAPartialReplyUntilTheLimit)
{
    CommPortHandle port = Open(200);
    ASSERT_NE(port, InvalidCommPort);
    Send("abc");
    uint8_t buffer[10];
    uint32_t start = PlatTickCount();
    EXPECT_EQ(ReadCommPort(port, buffer, 10), 3);
    uint32_t elapsed = PlatTickCount() - start;
    EXPECT_GE(elapsed, 195u);
    EXPECT_LT(elapsed, 1000u);
    EXPECT_EQ(HookTexts, std::vector<std::string>{"[ReadCommPort(3) 61 62 63]"});
}

// Bytes that trickle in keep the read going until the count is complete, and
// a complete count ends it long before the limit.
TEST_F(SerialPty, TimedReadEndsWhenTheCountIsComplete)
{
    CommPortHandle port = Open(3000);
    ASSERT_NE(port, InvalidCommPort);
    std::string reply = "0123456789";
    uint8_t buffer[10];
    Send(reply.substr(0, 4));
    uint32_t start = PlatTickCount();
    int32_t got = -2;
    std::thread reader([&] { got = ReadCommPort(port, buffer, 10); });
    PlatSleepMs(60);
    Send(reply.substr(4));
    reader.join();
    EXPECT_EQ(got, 10);
    EXPECT_LT(PlatTickCount() - start, 2000u);
    EXPECT_EQ(std::string(reinterpret_cast<char *>(buffer), 10), reply);
    EXPECT_EQ(HookTexts, std::vector<std::string>{"[ReadCommPort(10) 30 31 32 33 34 35 36 37 38 39]"});
}

TEST_F(SerialPty, TimedReadOfNothingWaitsForTheLimit)
{
    CommPortHandle port = Open(120);
    ASSERT_NE(port, InvalidCommPort);
    uint8_t buffer[16];
    uint32_t start = PlatTickCount();
    EXPECT_EQ(ReadCommPort(port, buffer, 16), 0);
    EXPECT_GE(PlatTickCount() - start, 115u);
    EXPECT_TRUE(HookTexts.empty());
}

TEST_F(SerialPty, ReadOfNoBytesReadsNothing)
{
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    Send("xyz");
    Settle();
    uint8_t buffer[8] = {};
    EXPECT_EQ(ReadCommPort(port, buffer, 0), 0);
    EXPECT_EQ(ReadCommPort(port, buffer, -4), 0);
    EXPECT_TRUE(HookTexts.empty());
    EXPECT_EQ(ReadCommPort(port, buffer, 8), 3);  // still waiting in the queue
}

TEST_F(SerialPty, WritesArrive)
{
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    std::string data;
    for (int i = 0; i < 300; i++) data += static_cast<char>(i);
    EXPECT_EQ(WriteCommPort(port, data.data(), 300), 300);
    EXPECT_EQ(Receive(300), data);
    EXPECT_EQ(WriteCommPort(port, "\r\n", 2), 2);
    EXPECT_EQ(Receive(2), "\r\n") << "line ends pass unchanged";
    EXPECT_EQ(WriteCommPort(port, data.data(), 0), 0);
    EXPECT_EQ(HookTexts, (std::vector<std::string>{
                             "<WriteCommPort(300) 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F...>",
                             "<WriteCommPort(2) 0D 0A>", "<WriteCommPort>"}));
}

TEST_F(SerialPty, OpenDiscardsWhatWaitedAndCloseDiscardsUnread)
{
    Send("stale");
    Settle();
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    uint8_t buffer[16];
    EXPECT_EQ(ReadCommPort(port, buffer, 16), 0);
    Send("fresh");
    Settle();
    ClearCommPort(port);
    EXPECT_EQ(ReadCommPort(port, buffer, 16), 0);
    Send("late");
    Settle();
    Close(port);
    port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    EXPECT_EQ(ReadCommPort(port, buffer, 16), 0);
    EXPECT_TRUE(HookTexts.empty());
}

TEST_F(SerialPty, SecondOpenFailsUntilTheFirstCloses)
{
    CommPortHandle first = Open(0);
    ASSERT_NE(first, InvalidCommPort);
    EXPECT_EQ(Open(0), InvalidCommPort);
    EXPECT_TRUE(HookTexts.empty());
    EXPECT_EQ(WriteCommPort(first, "ok", 2), 2);  // the holder keeps its port
    EXPECT_EQ(Receive(2), "ok");
    Close(first);
    CommPortHandle again = Open(0);
    EXPECT_NE(again, InvalidCommPort);
}

TEST_F(SerialPty, AbsentDeviceFailsSilently)
{
    PlatTestSetPortDevice(AbsentPort, "/nonexistent/ttyPondra");
    EXPECT_EQ(OpenCommPort(AbsentPort, 115200, 2, 0, 0, 0, 0), InvalidCommPort);
    PlatTestSetPortDevice(AbsentPort, nullptr);
    // Without the variable the port is the system's own serial device,
    // which no system has with this number.
    EXPECT_EQ(OpenCommPort(4000, 115200, 2, 0, 0, 0, 0), InvalidCommPort);
    EXPECT_TRUE(HookTexts.empty());
}

TEST_F(SerialPty, ClosedPeerMakesTheNextReadFail)
{
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    uint8_t buffer[64];
    EXPECT_EQ(ReadCommPort(port, buffer, 64), 0);
    PlatTestPtyClose(&far);
    EXPECT_EQ(ReadCommPort(port, buffer, 64), -1);
    ASSERT_FALSE(HookTexts.empty());
    EXPECT_EQ(HookTexts[0].rfind("Error: ", 0), 0u) << HookTexts[0];
    // It keeps failing, and so do writes.
    EXPECT_EQ(ReadCommPort(port, buffer, 64), -1);
    EXPECT_EQ(WriteCommPort(port, "x", 1), -1);
}

TEST_F(SerialPty, TimedReadFailsWhenThePeerGoes)
{
    CommPortHandle port = Open(1000);
    ASSERT_NE(port, InvalidCommPort);
    uint8_t buffer[64];
    int32_t got = -2;
    uint32_t start = PlatTickCount();
    std::thread reader([&] { got = ReadCommPort(port, buffer, 64); });
    PlatSleepMs(50);
    PlatTestPtyClose(&far);
    reader.join();
    EXPECT_EQ(got, -1);
    EXPECT_LT(PlatTickCount() - start, 900u);
}

TEST_F(SerialPty, ReconfigureKeepsTheTimeOut)
{
    CommPortHandle port = Open(150);
    ASSERT_NE(port, InvalidCommPort);
    ConfigureCommPort(port, 57600, 1, 1, 0, 0);
    PlatTestLine line{};
    ASSERT_TRUE(PlatTestGetLine(port, &line));
    EXPECT_EQ(line.baudRate, 57600u);
    EXPECT_EQ(line.stopBits, 1);
    EXPECT_EQ(line.parityCheck, 1);
    uint32_t limit = 0;
    EXPECT_TRUE(PlatCommGetReadLimit(port, &limit));
    EXPECT_EQ(limit, 150u);
    EXPECT_TRUE(HookTexts.empty());
}

TEST_F(SerialPty, QueriesOnALineWithoutModemSignals)
{
    CommPortHandle port = Open(0);
    ASSERT_NE(port, InvalidCommPort);
    EXPECT_EQ(IsCtsOn(port), 0);
    Send("drain me");
    Settle();
    EXPECT_EQ(CheckCommBreak(port), 0);
    uint8_t buffer[16];
    EXPECT_EQ(ReadCommPort(port, buffer, 16), 0) << "the bytes were drained";
    // The traces of the one-byte reads are not made: they bypass ReadCommPort.
    EXPECT_TRUE(HookTexts.empty());
}

}  // namespace
