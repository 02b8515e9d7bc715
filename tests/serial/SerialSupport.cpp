#include "SerialSupport.h"

#include <gtest/gtest.h>

#include "ZemriSub/Win32.h"
#include "platform/Platform.h"
#include "platform/Serial.h"
#include "platform/TestSerial.h"

std::vector<std::string> HookTexts;

static void RecordMessage(DynamicString message)
{
    HookTexts.emplace_back(StringText(message), static_cast<size_t>(StringLength(message)));
}

void CaptureMessages()
{
    HookTexts.clear();
    MessageHook = RecordMessage;
}

void StopCapturing()
{
    MessageHook = nullptr;
    HookTexts.clear();
}

void CheckDeviceLines(uint16_t port, bool anySpeed)
{
    struct LineCase {
        uint32_t baudRate;
        uint8_t stopBits, parityEnabled, evenParity, ctsFlow;
        uint8_t expectStopBits;
        bool standard;
    };
    const LineCase cases[] = {
        {115200, 2, 0, 0, 0, 2, true},
        {9600, 1, 1, 1, 0, 1, true},
        {57600, 0, 1, 0, 1, 2, true},
        {19200, 7, 2, 1, 0, 2, true},
        {1200, 1, 0, 1, 1, 1, true},
        {250000, 2, 0, 0, 0, 2, false},
        {123457, 3, 3, 0, 0, 2, false},
    };
    for (const LineCase &c : cases) {
        if (!c.standard && !anySpeed) continue;
        SCOPED_TRACE(testing::Message() << "baud " << c.baudRate);
        CommPortHandle handle =
            OpenCommPort(port, c.baudRate, c.stopBits, c.parityEnabled, c.evenParity, c.ctsFlow, 0);
        ASSERT_NE(handle, InvalidCommPort);
        PlatTestLine line{};
        EXPECT_TRUE(PlatTestGetLine(handle, &line));
        EXPECT_EQ(line.baudRate, c.baudRate);
        EXPECT_EQ(line.dataBits, 8);
        EXPECT_EQ(line.stopBits, c.expectStopBits);
        EXPECT_EQ(line.ctsFlow, c.ctsFlow);
        EXPECT_EQ(line.binary, 1);
        uint32_t limit = 1;
        EXPECT_TRUE(PlatCommGetReadLimit(handle, &limit));
        EXPECT_EQ(limit, 0u);
        EXPECT_NE(CloseCommPort(handle), 0);
    }
}

void ExpectIdleReadsReturnAtOnce(intptr_t port)
{
    uint8_t buffer[4096];
    uint32_t start = PlatTickCount();
    for (int i = 0; i < 10; i++) EXPECT_EQ(ReadCommPort(port, buffer, sizeof buffer), 0);
    EXPECT_LT(PlatTickCount() - start, 1000u) << "a read waited";
    EXPECT_TRUE(HookTexts.empty()) << HookTexts[0];
}

namespace {
// The string heap exists once per test process.
class StringHeapEnvironment : public ::testing::Environment {
public:
    void SetUp() override { StringHeapCreate(); }
};

const ::testing::Environment *const Heap = ::testing::AddGlobalTestEnvironment(new StringHeapEnvironment);
}  // namespace
