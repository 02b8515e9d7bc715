// The line settings that opening a port writes, for each combination of the
// arguments: stop bits 1 gives one and every other value two; parity is sent
// whenever it is enabled, checked on bit 0 of the flag; CTS on bit 0.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/TestSerial.h"

namespace {

struct LineCase {
    uint32_t baudRate;
    uint8_t stopBits, parityEnabled, evenParity, ctsFlow;
    uint8_t expectStopBits, expectParity, expectCheck, expectCts;
};

const LineCase LineCases[] = {
    {115200, 2, 0, 0, 0, 2, 0, 0, 0},
    {115200, 1, 0, 0, 0, 1, 0, 0, 0},
    {9600, 0, 0, 0, 0, 2, 0, 0, 0},
    {9600, 255, 0, 1, 0, 2, 0, 0, 0},  // even without parity enabled: none
    {19200, 1, 1, 1, 0, 1, 2, 1, 0},
    {19200, 1, 1, 0, 0, 1, 1, 1, 0},
    {38400, 2, 2, 1, 0, 2, 2, 0, 0},   // enabled, bit 0 clear: sent, not checked
    {38400, 2, 3, 0, 0, 2, 1, 1, 0},
    {250000, 2, 0, 0, 1, 2, 0, 0, 1},
    {250000, 2, 0, 0, 2, 2, 0, 0, 0},  // CTS flow on bit 0 only
    {123457, 3, 0, 0, 3, 2, 0, 0, 1},
};

TEST(SerialLine, SettingsForEachArgumentCombination)
{
    for (const LineCase &c : LineCases) {
        PlatTestLine line{};
        PlatTestLineSettings(c.baudRate, c.stopBits, c.parityEnabled, c.evenParity, c.ctsFlow, &line);
        SCOPED_TRACE(testing::Message() << "stop " << int(c.stopBits) << " parity " << int(c.parityEnabled)
                                        << " even " << int(c.evenParity) << " cts " << int(c.ctsFlow));
        EXPECT_EQ(line.baudRate, c.baudRate);
        EXPECT_EQ(line.dataBits, 8);
        EXPECT_EQ(line.stopBits, c.expectStopBits);
        EXPECT_EQ(line.parity, c.expectParity);
        EXPECT_EQ(line.parityCheck, c.expectCheck);
        EXPECT_EQ(line.ctsFlow, c.expectCts);
        EXPECT_EQ(line.binary, 1) << "raw, no software flow control, DTR and RTS on";
    }
}

}  // namespace
