// Text streams: functions with a bound value. The type code says how the
// 8-byte value is passed (see ZemriSub.h): its first byte, 16 bits or 32
// bits as an unsigned integer, its first pointer-sized bytes as an address,
// the bits of its first 4 bytes as a float, or its 8 bytes as a double.
// An unknown code calls nothing.
#include <cstring>

#include "ZemriSub/ZemriSub.h"

template <typename T>
static T BoundAs(const SioBound *bound)
{
    T result;
    std::memcpy(&result, &bound->value, sizeof result);
    return result;
}

template <typename T>
static int32_t CallSource(const SioBound *bound)
{
    return reinterpret_cast<int32_t (*)(T)>(bound->function)(BoundAs<T>(bound));
}

template <typename T>
static void CallSink(const SioBound *bound, uint8_t ch)
{
    reinterpret_cast<void (*)(uint8_t, T)>(bound->function)(ch, BoundAs<T>(bound));
}

static uint8_t BoundFunctionSourceGet(SIO *sio)
{
    const SioBound *bound = &sio->ctx.bound;
    int32_t result = 0;
    switch (bound->type) {
    case 1: case 2: case 3: case 6: result = CallSource<uint8_t>(bound); break;
    case 4: case 7: result = CallSource<uint16_t>(bound); break;
    case 5: case 8: result = CallSource<uint32_t>(bound); break;
    case 11: result = CallSource<void *>(bound); break;
    case 9: result = CallSource<float>(bound); break;
    case 10: result = CallSource<double>(bound); break;
    default: break;
    }
    return static_cast<uint8_t>(result & 0xFF);
}

static void BoundFunctionSinkPut(SIO *sio, uint8_t ch)
{
    const SioBound *bound = &sio->ctx.bound;
    switch (bound->type) {
    case 1: case 2: case 3: case 6: CallSink<uint8_t>(bound, ch); break;
    case 4: case 7: CallSink<uint16_t>(bound, ch); break;
    case 5: case 8: CallSink<uint32_t>(bound, ch); break;
    case 11: CallSink<void *>(bound, ch); break;
    case 9: CallSink<float>(bound, ch); break;
    case 10: CallSink<double>(bound, ch); break;
    default: break;
    }
}

static SIO MakeBound(void *function, uint64_t value, uint8_t type)
{
    SIO sio;
    std::memset(&sio, 0, sizeof sio);
    sio.ctx.bound.function = function;
    sio.ctx.bound.value = value;
    sio.ctx.bound.type = type;
    return sio;
}

SIO SioBoundFunctionSource(void *function, uint64_t value, uint8_t type)
{
    SIO sio = MakeBound(function, value, type);
    sio.op.get = BoundFunctionSourceGet;
    return sio;
}

SIO SioBoundFunctionSink(void *function, uint64_t value, uint8_t type)
{
    SIO sio = MakeBound(function, value, type);
    sio.op.put = BoundFunctionSinkPut;
    return sio;
}
