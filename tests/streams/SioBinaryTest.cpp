#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "StreamsSupport.h"

namespace {

TEST(Binary, MostSignificantByteFirst)
{
    EXPECT_EQ(Captured([](SIO *sio) { SioPutByte(sio, 0xA5); }), "\xA5");
    EXPECT_EQ(Captured([](SIO *sio) { SioPutWord16(sio, 0x0102); }), std::string("\x01\x02", 2));
    EXPECT_EQ(Captured([](SIO *sio) { SioPutWord32(sio, 0x01020304); }), std::string("\x01\x02\x03\x04", 4));
    EXPECT_EQ(Captured([](SIO *sio) { SioPutWord64(sio, 0x0102030405060708ULL); }),
              std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    EXPECT_EQ(Captured([](SIO *sio) { SioPutWord32(sio, 0x00FF0000); }), std::string("\x00\xFF\x00\x00", 4));
    EXPECT_EQ(Captured([](SIO *sio) { SioPutReal32(sio, 1.0f); }), std::string("\x3F\x80\x00\x00", 4));
    EXPECT_EQ(Captured([](SIO *sio) { SioPutReal64(sio, -2.0); }),
              std::string("\xC0\x00\x00\x00\x00\x00\x00\x00", 8));
}

TEST(Binary, RoundTrip)
{
    const float nanPayload = [] {
        uint32_t bits = 0x7FC12345;
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }();
    std::string bytes = Captured([&](SIO *sio) {
        SioPutByte(sio, 0);
        SioPutWord16(sio, 0xFFFE);
        SioPutWord32(sio, 0x80000001);
        SioPutWord64(sio, 0xFEDCBA9876543210ULL);
        SioPutReal32(sio, nanPayload);
        SioPutReal64(sio, -0.0);
        SioPutReal64(sio, std::numeric_limits<double>::denorm_min());
        SioPutReal32(sio, -3.5f);
    });
    ASSERT_EQ(bytes.size(), 1u + 2 + 4 + 8 + 4 + 8 + 8 + 4);

    SIO source = SioTextSource(bytes.data());
    uint8_t b = 1;
    uint16_t w16 = 0;
    uint32_t w32 = 0;
    uint64_t w64 = 0;
    float f = 0;
    double d = 1;
    EXPECT_EQ(SioGetByte(&source, &b), 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(SioGetWord16(&source, &w16), 0xFFFE);
    EXPECT_EQ(w16, 0xFFFE);
    EXPECT_EQ(SioGetWord32(&source, &w32), 0x80000001u);
    EXPECT_EQ(w32, 0x80000001u);
    EXPECT_EQ(SioGetWord64(&source, &w64), 0xFEDCBA9876543210ULL);
    EXPECT_EQ(w64, 0xFEDCBA9876543210ULL);

    SioGetReal32(&source, &f);
    uint32_t fbits;
    std::memcpy(&fbits, &f, sizeof fbits);
    EXPECT_EQ(fbits, 0x7FC12345u);  // the bits, not a conversion
    EXPECT_EQ(SioGetReal64(&source, &d), 0.0);
    EXPECT_TRUE(std::signbit(d));
    EXPECT_EQ(SioGetReal64(&source, &d), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(SioGetReal32(&source, &f), -3.5f);
    EXPECT_EQ(f, -3.5f);
}

TEST(Binary, EndOfAStringReadsAsZeros)
{
    DynamicString s = 0;
    StringAssignText(&s, "\x12\x34");
    SIO source = SioStringSource(&s);
    uint32_t word = 0;
    EXPECT_EQ(SioGetWord32(&source, &word), 0x12340000u);
    StringRelease(&s);
}

}  // namespace
