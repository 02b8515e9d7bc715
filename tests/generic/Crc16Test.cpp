// CRC-16/MODBUS with the byte-swapped accumulator.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "libGeneric/CRC16.h"

namespace {

uint16_t CrcOf(const std::vector<uint8_t> &bytes)
{
    uint16_t crc = 0;
    CRC16Take(&crc);
    for (uint8_t b : bytes) CRC16Update(b, &crc);
    return CRC16Take(&crc);
}

std::vector<uint8_t> BytesOf(const std::string &text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// The CRC computed bit by bit from the polynomial, in the standard byte order.
uint16_t BitwiseCrc(const std::vector<uint8_t> &bytes)
{
    uint16_t crc = 0xFFFF;
    for (uint8_t b : bytes) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

uint16_t Swapped(uint16_t value) { return static_cast<uint16_t>((value << 8) | (value >> 8)); }

TEST(Crc16, CheckValueOfTheStandardString)
{
    EXPECT_EQ(CrcOf(BytesOf("123456789")), 0x374B);
    EXPECT_EQ(CrcOf({}), 0xFFFF);
}

TEST(Crc16, TakeReturnsTheValueAndRestarts)
{
    uint16_t crc = 0x1234;
    EXPECT_EQ(CRC16Take(&crc), 0x1234);
    EXPECT_EQ(crc, 0xFFFF);
    for (uint8_t b : BytesOf("123456789")) CRC16Update(b, &crc);
    EXPECT_EQ(CRC16Take(&crc), 0x374B);
    for (uint8_t b : BytesOf("123456789")) CRC16Update(b, &crc);
    EXPECT_EQ(CRC16Take(&crc), 0x374B) << "the second computation starts afresh";
}

// Frames as seen on a Modbus RTU line, with the CRC as transmitted.
TEST(Crc16, ModbusFramesCarryTheirCrcLowByteFirst)
{
    struct Frame {
        std::vector<uint8_t> body;
        uint8_t crcLow;
        uint8_t crcHigh;
    };
    for (const Frame &f : {Frame{{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A}, 0xC5, 0xCD},
                           Frame{{0x11, 0x03, 0x00, 0x6B, 0x00, 0x03}, 0x76, 0x87}}) {
        uint16_t crc = CrcOf(f.body);
        EXPECT_EQ(crc >> 8, f.crcLow) << "high byte of the accumulator goes first on the line";
        EXPECT_EQ(crc & 0xFF, f.crcHigh);
        std::vector<uint8_t> whole = f.body;
        whole.push_back(f.crcLow);
        whole.push_back(f.crcHigh);
        EXPECT_EQ(CrcOf(whole), 0) << "an intact frame leaves 0";
        for (size_t i = 0; i < whole.size(); ++i) {
            for (int bit = 0; bit < 8; ++bit) {
                std::vector<uint8_t> damaged = whole;
                damaged[i] ^= static_cast<uint8_t>(1 << bit);
                EXPECT_NE(CrcOf(damaged), 0) << "byte " << i << " bit " << bit;
            }
        }
    }
}

TEST(Crc16, TablesAreTheModbusTables)
{
    const uint8_t highStart[] = {0x00, 0xC1, 0x81, 0x40, 0x01, 0xC0, 0x80, 0x41};
    const uint8_t lowStart[] = {0x00, 0xC0, 0xC1, 0x01, 0xC3, 0x03, 0x02, 0xC2};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(HighTable[i], highStart[i]) << i;
        EXPECT_EQ(LowTable[i], lowStart[i]) << i;
    }
    EXPECT_EQ(HighTable[255], 0x40);
    EXPECT_EQ(LowTable[255], 0x40);
    // Every table entry against the polynomial: the CRC of one byte b from an
    // accumulator whose high byte is b is the table entry b.
    for (int b = 0; b < 256; ++b) {
        uint16_t reference = static_cast<uint16_t>(b);
        for (int i = 0; i < 8; ++i)
            reference = (reference & 1) ? static_cast<uint16_t>((reference >> 1) ^ 0xA001) : reference >> 1;
        EXPECT_EQ(HighTable[b], reference & 0xFF) << b;
        EXPECT_EQ(LowTable[b], reference >> 8) << b;
    }
}

TEST(Crc16, AgreesWithTheBitwiseCrcOverManyLengths)
{
    std::vector<uint8_t> data;
    uint32_t seed = 12345;
    for (int length = 0; length < 300; ++length) {
        EXPECT_EQ(CrcOf(data), Swapped(BitwiseCrc(data))) << "length " << length;
        seed = seed * 1103515245u + 12345u;
        data.push_back(static_cast<uint8_t>(seed >> 16));
    }
}

}  // namespace
