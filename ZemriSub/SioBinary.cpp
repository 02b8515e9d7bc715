// Text streams: big-endian binary values, most significant byte first.
#include <cstring>

#include "ZemriSub/ZemriSub.h"

static void PutBigEndian(SIO *sio, uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) SioPutChar(sio, static_cast<uint8_t>(value >> (8 * i)));
}

static uint64_t GetBigEndian(SIO *sio, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | SioGetChar(sio);
    return value;
}

void SioPutByte(SIO *sio, uint8_t value) { PutBigEndian(sio, value, 1); }
void SioPutWord16(SIO *sio, uint16_t value) { PutBigEndian(sio, value, 2); }
void SioPutWord32(SIO *sio, uint32_t value) { PutBigEndian(sio, value, 4); }
void SioPutWord64(SIO *sio, uint64_t value) { PutBigEndian(sio, value, 8); }

void SioPutReal32(SIO *sio, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutBigEndian(sio, bits, 4);
}

void SioPutReal64(SIO *sio, double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutBigEndian(sio, bits, 8);
}

uint8_t SioGetByte(SIO *sio, uint8_t *result) { return *result = static_cast<uint8_t>(GetBigEndian(sio, 1)); }
uint16_t SioGetWord16(SIO *sio, uint16_t *result) { return *result = static_cast<uint16_t>(GetBigEndian(sio, 2)); }
uint32_t SioGetWord32(SIO *sio, uint32_t *result) { return *result = static_cast<uint32_t>(GetBigEndian(sio, 4)); }
uint64_t SioGetWord64(SIO *sio, uint64_t *result) { return *result = GetBigEndian(sio, 8); }

float SioGetReal32(SIO *sio, float *result)
{
    uint32_t bits = static_cast<uint32_t>(GetBigEndian(sio, 4));
    std::memcpy(result, &bits, sizeof bits);
    return *result;
}

double SioGetReal64(SIO *sio, double *result)
{
    uint64_t bits = GetBigEndian(sio, 8);
    std::memcpy(result, &bits, sizeof bits);
    return *result;
}
