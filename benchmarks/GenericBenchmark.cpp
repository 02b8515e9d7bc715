// Throughput of the CRC over Modbus-sized and larger buffers, and of the
// Base64 decoder on screenshot-sized payload lines.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "libGeneric/CRC16.h"
#include "libGeneric/Code64.h"

static std::vector<uint8_t> Pattern(size_t size)
{
    std::vector<uint8_t> bytes(size);
    uint32_t seed = 1;
    for (uint8_t &b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<uint8_t>(seed >> 16);
    }
    return bytes;
}

static void BM_CRC16Update(benchmark::State &state)
{
    std::vector<uint8_t> data = Pattern(static_cast<size_t>(state.range(0)));
    uint16_t crc = 0xFFFF;
    for (auto _ : state) {
        for (uint8_t b : data) CRC16Update(b, &crc);
        benchmark::DoNotOptimize(CRC16Take(&crc));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_CRC16Update)->Arg(8)->Arg(256)->Arg(32768);

static void BM_Decode64(benchmark::State &state)
{
    std::vector<uint8_t> bytes = Pattern(static_cast<size_t>(state.range(0)));
    DynamicString raw = StringFromBuffer(bytes.data(), static_cast<int16_t>(bytes.size()));
    DynamicString text = Encode64(raw);
    StringRelease(&raw);
    for (auto _ : state) {
        DynamicString decoded = Decode64(text);
        benchmark::DoNotOptimize(decoded);
        StringRelease(&decoded);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * StringLength(text));
    StringRelease(&text);
}
BENCHMARK(BM_Decode64)->Arg(57)->Arg(3000)->Arg(24573);
